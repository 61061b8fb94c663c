#ifdef _WIN32

#include "app/LocalPath.h"

#include <QByteArray>
#include <QDir>

namespace kr6 {

std::string LocalPath(const QString& FileName) {
    const QByteArray Encoded = QDir::toNativeSeparators(FileName).toUtf8();
    return std::string(Encoded.constData(), static_cast<std::size_t>(Encoded.size()));
}

QString ShownPath(const std::string& Path) {
    return QString::fromUtf8(Path.data(), static_cast<qsizetype>(Path.size()));
}

} // namespace kr6

#endif
