#include "app/ElidedPath.h"

#include <QFontMetrics>

namespace kr6 {

QString ElidedPath(const QFontMetrics& Metrics, const QString& Path, int Width) {
    if (Metrics.horizontalAdvance(Path) <= Width)
        return Path;
    const qsizetype NameStart = Path.lastIndexOf(QLatin1Char('/')) + 1;
    const QString Name = Path.mid(NameStart);
    const QString Folders = Path.left(NameStart);
    const int FolderRoom = Width - Metrics.horizontalAdvance(Name);
    // Room for at least the ellipsis and the separator before the name.
    const QString Shortest = QStringLiteral("\u2026/");
    if (!Folders.isEmpty() && FolderRoom >= Metrics.horizontalAdvance(Shortest))
        return Metrics.elidedText(Folders, Qt::ElideMiddle, FolderRoom) + Name;
    return Metrics.elidedText(Path, Qt::ElideLeft, Width);
}

} // namespace kr6
