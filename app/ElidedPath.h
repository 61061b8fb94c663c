#pragma once

#include <QString>

class QFontMetrics;

namespace kr6 {

// Path as it fits into Width pixels: unchanged when it fits; otherwise the folders in its
// middle give way to "…" so that its start and the whole file name stay readable; a file
// name that alone is too wide keeps its end, the extension included.
QString ElidedPath(const QFontMetrics& Metrics, const QString& Path, int Width);

} // namespace kr6
