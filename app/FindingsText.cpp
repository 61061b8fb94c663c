#include "app/FindingsText.h"

#include <QStringList>

namespace kr6 {
namespace {

// "3 Zeilen wurden ...", or without the noun once a part before has named it.
QString Part(std::int64_t Count, bool WithNoun, const QString& What) {
    const bool One = Count == 1;
    QString Text = QString::number(Count) + QLatin1Char(' ');
    if (WithNoun)
        Text += One ? QStringLiteral("Zeile ") : QStringLiteral("Zeilen ");
    return Text + (One ? QStringLiteral("wurde ") : QStringLiteral("wurden ")) + What;
}

} // namespace

QString FindingsSummary(std::int64_t Errors, std::int64_t Warnings) {
    QStringList Parts;
    if (Errors > 0)
        Parts << Part(Errors, true, QStringLiteral("nicht übernommen"));
    if (Warnings > 0)
        Parts << Part(Warnings, Parts.isEmpty(), QStringLiteral("anders gelesen"));
    if (Parts.isEmpty())
        return {};
    return Parts.join(QStringLiteral(", ")) + QStringLiteral(" (Einzelheiten: kr6csv lint)");
}

} // namespace kr6
