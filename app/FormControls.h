#pragma once

#include "model/KombiCounts.h"

#include <QRect>
#include <QString>

#include <array>

class QFrame;
class QGroupBox;
class QPushButton;
class QWidget;

namespace kr6 {

class TFittedLabel;

// How a label's text is shown: plain, a value (navy, bold) or a note (maroon).
enum class TLook { Plain, Value, Note };

// The controls of the main window at the places of its fixed design, named as in the
// form so that they can be found by their names.
TFittedLabel* AddLabel(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Text, TLook Look = TLook::Plain,
                       Qt::Alignment Alignment = Qt::AlignLeft);
TFittedLabel* AddValue(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Text, Qt::Alignment Alignment = Qt::AlignLeft);
QPushButton* AddButton(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Text);
QGroupBox* AddGroupBox(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Title);
// A groove: lowered outer and raised inner bevel.
QFrame* AddPanel(QWidget* Parent, const QString& Name, const QRect& Design);

// The values of the two count lines of a progress box.
struct TTallyLabels {
    TFittedLabel* Total = nullptr;
    TFittedLabel* Tested = nullptr;
    TFittedLabel* Deliverable = nullptr;

    void Show(const TKombiTally& Tally) const;
};

// Where the count lines of a progress box go: the form's names of their eight labels, in
// the order they are read, the left edges of those labels, and the top of the first line.
struct TTallyLayout {
    std::array<const char*, 8> Names;
    std::array<int, 8> Left;
    int Top = 0;
};

// Adds the lines "Intro N Kombinationen auf Lieferbarkeit getestet." and "Es wurden N
// geprüft. Davon sind N Kombinationen lieferbar." to Box.
TTallyLabels AddTallyLines(QGroupBox* Box, const TTallyLayout& Layout, const QString& Intro);

} // namespace kr6
