#pragma once

#include <QLabel>
#include <QRect>

namespace kr6 {

// A label placed at fixed design geometry that grows when its text needs more room than
// the design gave it, as the desktop font may be wider than the one the window was laid
// out for. A right-aligned label keeps its right edge, a centred one its centre, any other
// its left edge; it never grows beyond its parent. A label that continues the sentence of
// another one moves right when that one comes too close.
class TFittedLabel : public QLabel {
    Q_OBJECT
public:
    TFittedLabel(QWidget* Parent, const QString& Name, const QRect& Design,
                 Qt::Alignment Alignment = Qt::AlignLeft);

    void SetText(const QString& Text);
    const QRect& Design() const { return FDesign; }
    // This label comes after Previous in one line of text.
    void Follow(TFittedLabel* Previous);

private:
    void Fit();

    QRect FDesign;
    TFittedLabel* FNext = nullptr;
    TFittedLabel* FPrevious = nullptr;
};

} // namespace kr6
