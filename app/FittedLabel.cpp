#include "app/FittedLabel.h"

#include "app/ElidedPath.h"

#include <algorithm>

namespace kr6 {

TFittedLabel::TFittedLabel(QWidget* Parent, const QString& Name, const QRect& Design,
                           Qt::Alignment Alignment)
    : QLabel(Parent), FDesign(Design) {
    setObjectName(Name);
    setAlignment(Alignment | Qt::AlignTop);
    setGeometry(Design);
}

namespace {

// The room a label keeps from its parent's right edge, as the design does on the left.
constexpr int Margin = 8;
// The least room between a label and the one it follows.
constexpr int Gap = 4;

} // namespace

void TFittedLabel::SetText(const QString& Text) {
    FText = Text;
    if (FShowsPath)
        setToolTip(Text);
    Fit();
}

void TFittedLabel::ShowsPath() {
    FShowsPath = true;
    SetText(FText);
}

int TFittedLabel::LeftFor(int Width) const {
    int Left = FDesign.left();
    if (alignment() & Qt::AlignRight)
        Left = FDesign.right() + 1 - Width;
    else if (alignment() & Qt::AlignHCenter)
        Left = FDesign.left() + (FDesign.width() - Width) / 2;
    if (FPrevious)
        Left = std::max(Left, FPrevious->geometry().right() + 1 + Gap);
    return Left;
}

void TFittedLabel::Fit() {
    setText(FText);
    QSize Needed = sizeHint();
    if (FShowsPath) {
        const int Room = parentWidget()->width() - Margin - LeftFor(Needed.width());
        if (Needed.width() > Room) {
            const int Frame = Needed.width() - fontMetrics().horizontalAdvance(FText);
            setText(ElidedPath(fontMetrics(), FText, Room - Frame));
            Needed = sizeHint();
        }
    }
    const int Width = std::max(FDesign.width(), Needed.width());
    const int Height = std::max(FDesign.height(), Needed.height());
    const QRect Wanted(LeftFor(Width), FDesign.top(), Width, Height);
    setGeometry(Wanted & QRect(0, Wanted.top(), parentWidget()->width(), Height));
    if (FNext)
        FNext->Fit();
}

void TFittedLabel::Follow(TFittedLabel* Previous) {
    FPrevious = Previous;
    Previous->FNext = this;
    Fit();
}

} // namespace kr6
