#ifndef _WIN32

#include "app/LocalPath.h"

#include <QByteArray>
#include <QFile>

namespace kr6 {

std::string LocalPath(const QString& FileName) {
    const QByteArray Encoded = QFile::encodeName(FileName);
    return std::string(Encoded.constData(), static_cast<std::size_t>(Encoded.size()));
}

QString ShownPath(const std::string& Path) {
    return QFile::decodeName(QByteArray::fromStdString(Path));
}

} // namespace kr6

#endif
