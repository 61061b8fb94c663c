#include "app/ElidedPath.h"

#include <QDir>
#include <QFontMetrics>

#include <algorithm>

namespace kr6 {

QString ElidedPath(const QFontMetrics& Metrics, const QString& Path, int Width) {
    if (Metrics.horizontalAdvance(Path) <= Width)
        return Path;
    // Windows paths are shown with backslashes, and may hold slashes too.
    const qsizetype NameStart =
        std::max(Path.lastIndexOf(QLatin1Char('/')), Path.lastIndexOf(QDir::separator())) + 1;
    const QString Name = Path.mid(NameStart);
    const QString Folders = Path.left(NameStart);
    const int FolderRoom = Width - Metrics.horizontalAdvance(Name);
    // Room for at least the ellipsis and the separator before the name.
    const QString Shortest = QStringLiteral("\u2026") + QDir::separator();
    if (!Folders.isEmpty() && FolderRoom >= Metrics.horizontalAdvance(Shortest))
        return Metrics.elidedText(Folders, Qt::ElideMiddle, FolderRoom) + Name;
    return Metrics.elidedText(Path, Qt::ElideLeft, Width);
}

} // namespace kr6
