#include "app/FormControls.h"

#include "app/FittedLabel.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>

namespace kr6 {
namespace {

const QColor Navy(0x00, 0x00, 0x80);
const QColor Maroon(0x80, 0x00, 0x00);

QString Count(std::int64_t Value) {
    return QString::number(static_cast<qint64>(Value));
}

} // namespace

TFittedLabel* AddLabel(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Text, TLook Look, Qt::Alignment Alignment) {
    auto* Label = new TFittedLabel(Parent, Name, Design, Alignment);
    if (Look != TLook::Plain) {
        QPalette Palette = Label->palette();
        Palette.setColor(QPalette::WindowText, Look == TLook::Value ? Navy : Maroon);
        Label->setPalette(Palette);
        QFont Font = Label->font();
        Font.setBold(Look == TLook::Value);
        Label->setFont(Font);
    }
    Label->SetText(Text);
    return Label;
}

TFittedLabel* AddValue(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Text, Qt::Alignment Alignment) {
    return AddLabel(Parent, Name, Design, Text, TLook::Value, Alignment);
}

QPushButton* AddButton(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Text) {
    auto* Button = new QPushButton(Text, Parent);
    Button->setObjectName(Name);
    Button->setGeometry(Design);
    return Button;
}

QGroupBox* AddGroupBox(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Title) {
    auto* Box = new QGroupBox(Title, Parent);
    Box->setObjectName(Name);
    Box->setGeometry(Design);
    return Box;
}

QFrame* AddPanel(QWidget* Parent, const QString& Name, const QRect& Design) {
    auto* Panel = new QFrame(Parent);
    Panel->setObjectName(Name);
    Panel->setGeometry(Design);
    Panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel->setLineWidth(1);
    return Panel;
}

void TTallyLabels::Show(const TKombiTally& Tally) const {
    Total->SetText(Count(Tally.Total));
    Tested->SetText(Count(Tally.Tested));
    Deliverable->SetText(Count(Tally.Deliverable));
}

TTallyLabels AddTallyLines(QGroupBox* Box, const TTallyLayout& Layout, const QString& Intro) {
    constexpr std::array<int, 8> Widths{105, 36, 193, 50, 36, 96, 36, 113};
    constexpr int LineHeight = 18;
    const QString Placeholder = QStringLiteral("12000");
    const auto Place = [&](std::size_t Index) {
        const int Top = Index < 3 ? Layout.Top : Layout.Top + LineHeight;
        return QRect(Layout.Left[Index], Top, Widths[Index], 13);
    };
    const auto Text = [&](std::size_t Index, const QString& Shown) {
        return AddLabel(Box, Layout.Names[Index], Place(Index), Shown);
    };
    const auto Value = [&](std::size_t Index) {
        return AddValue(Box, Layout.Names[Index], Place(Index), Placeholder, Qt::AlignRight);
    };

    // "Intro N Kombinationen auf Lieferbarkeit getestet."
    TTallyLabels Labels;
    TFittedLabel* Before = Text(0, Intro);
    Labels.Total = Value(1);
    Labels.Total->Follow(Before);
    Text(2, QStringLiteral("Kombinationen auf Lieferbarkeit getestet."))->Follow(Labels.Total);

    // "Es wurden N geprüft. Davon sind N Kombinationen lieferbar."
    Before = Text(3, QStringLiteral("Es wurden"));
    Labels.Tested = Value(4);
    Labels.Tested->Follow(Before);
    Before = Text(5, QStringLiteral("geprüft. Davon sind "));
    Before->Follow(Labels.Tested);
    Labels.Deliverable = Value(6);
    Labels.Deliverable->Follow(Before);
    Text(7, QStringLiteral("Kombinationen lieferbar."))->Follow(Labels.Deliverable);
    return Labels;
}

} // namespace kr6
