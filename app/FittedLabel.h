#pragma once

#include <QLabel>
#include <QRect>

namespace kr6 {

// A label placed at fixed design geometry that grows when its text needs more room than
// the design gave it, as the desktop font may be wider than the one the window was laid
// out for. A right-aligned label keeps its right edge, a centred one its centre, any other
// its left edge; it never grows beyond its parent. A label that continues the sentence of
// another one moves right when that one comes too close. A label that shows a file path
// shortens it instead of running off the parent's edge, the whole path in its tool tip.
class TFittedLabel : public QLabel {
    Q_OBJECT
public:
    TFittedLabel(QWidget* Parent, const QString& Name, const QRect& Design,
                 Qt::Alignment Alignment = Qt::AlignLeft);

    void SetText(const QString& Text);
    // The text of this label is a file path from now on.
    void ShowsPath();
    const QRect& Design() const { return FDesign; }
    // This label comes after Previous in one line of text.
    void Follow(TFittedLabel* Previous);

private:
    void Fit();
    // Where the label starts when it is Width pixels wide.
    int LeftFor(int Width) const;

    QRect FDesign;
    QString FText;
    bool FShowsPath = false;
    TFittedLabel* FNext = nullptr;
    TFittedLabel* FPrevious = nullptr;
};

} // namespace kr6
