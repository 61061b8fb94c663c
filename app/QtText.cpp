#include "app/QtText.h"

#include "support/Cp1252.h"

#include <QStringDecoder>

namespace kr6 {

QString FromCp1252(std::string_view Text) {
    const std::string Utf8 = Cp1252ToUtf8(Text);
    return QString::fromUtf8(Utf8.data(), static_cast<qsizetype>(Utf8.size()));
}

QString FromLibraryText(std::string_view Text) {
    QStringDecoder Decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString Decoded = Decoder(QByteArrayView(Text.data(), static_cast<qsizetype>(Text.size())));
    return Decoder.hasError() ? FromCp1252(Text) : Decoded;
}

} // namespace kr6
