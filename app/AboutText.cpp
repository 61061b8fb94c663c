#include "app/AboutText.h"

#include "support/Version.h"

#include <expat.h>
#include <nlohmann/json.hpp>
#include <zip.h>

#include <QtGlobal>

namespace kr6 {

QString AboutText() {
    const XML_Expat_Version Expat = XML_ExpatVersionInfo();
    const QString Json = QStringLiteral("%1.%2.%3")
                             .arg(NLOHMANN_JSON_VERSION_MAJOR)
                             .arg(NLOHMANN_JSON_VERSION_MINOR)
                             .arg(NLOHMANN_JSON_VERSION_PATCH);
    return QStringLiteral("<p><b>kr6csv</b> Version %7</p>"
                          "<p>Lieferbare Kombinationen von Gläsern und Beschichtungen aus "
                          "KR6-Preislisten.</p>"
                          "<p>Verwendete Bibliotheken:<br>Qt %1<br>libzip %2<br>Expat %3.%4.%5"
                          "<br>JSON for Modern C++ %6</p>")
        .arg(QString::fromLatin1(qVersion()), QString::fromLatin1(zip_libzip_version()))
        .arg(Expat.major)
        .arg(Expat.minor)
        .arg(Expat.micro)
        .arg(Json)
        .arg(QString::fromLatin1(Kr6Version().data(), static_cast<qsizetype>(Kr6Version().size())));
}

} // namespace kr6
