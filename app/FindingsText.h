#pragma once

#include <QString>

#include <cstdint>

namespace kr6 {

// The line the load message adds for a list with findings, e.g. "3 Zeilen wurden nicht
// übernommen, 1 wurde anders gelesen (Einzelheiten: kr6csv lint)": errors are lines not
// taken over, warnings lines read differently. Empty when there are neither.
QString FindingsSummary(std::int64_t Errors, std::int64_t Warnings);

} // namespace kr6
