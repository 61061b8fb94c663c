#include "app/StatusText.h"

#include <algorithm>
#include <cmath>

namespace kr6 {

QString ImportStatusText(std::string_view Stage, double Fraction) {
    constexpr std::string_view Reading = "reading ";
    QString What;
    if (Stage.substr(0, Reading.size()) == Reading) {
        const std::string_view Member = Stage.substr(Reading.size());
        What = QStringLiteral("Lese ") +
               QString::fromLatin1(Member.data(), static_cast<qsizetype>(Member.size()));
    } else if (Stage.substr(0, 7) == "sorting") {
        What = QStringLiteral("Sortiere Gläser und Regeln");
    } else {
        What = QStringLiteral("Baue die Preisliste auf");
    }
    const int Percent = static_cast<int>(std::floor(std::clamp(Fraction, 0.0, 1.0) * 100));
    return What + QStringLiteral(" ... ") + QString::number(Percent) + QStringLiteral(" %");
}

} // namespace kr6
