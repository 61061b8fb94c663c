#include "app/FittedLabel.h"

#include <algorithm>

namespace kr6 {

TFittedLabel::TFittedLabel(QWidget* Parent, const QString& Name, const QRect& Design,
                           Qt::Alignment Alignment)
    : QLabel(Parent), FDesign(Design) {
    setObjectName(Name);
    setAlignment(Alignment | Qt::AlignTop);
    setGeometry(Design);
}

void TFittedLabel::SetText(const QString& Text) {
    setText(Text);
    Fit();
}

void TFittedLabel::Fit() {
    const QSize Needed = sizeHint();
    const int Width = std::max(FDesign.width(), Needed.width());
    const int Height = std::max(FDesign.height(), Needed.height());
    int Left = FDesign.left();
    if (alignment() & Qt::AlignRight)
        Left = FDesign.right() + 1 - Width;
    else if (alignment() & Qt::AlignHCenter)
        Left = FDesign.left() + (FDesign.width() - Width) / 2;
    constexpr int Gap = 4;
    if (FPrevious)
        Left = std::max(Left, FPrevious->geometry().right() + 1 + Gap);
    const QRect Wanted(Left, FDesign.top(), Width, Height);
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
