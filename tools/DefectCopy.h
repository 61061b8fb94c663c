#pragma once

#include "import/Kr6Finding.h"
#include "tools/DemoPriceList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kr6 {

// A finding that a defect of DefectCopy makes the import report. Column 0: none.
struct TPlantedFinding {
    std::string Member;
    int Line = 0;
    int Column = 0;
    TKr6FindingCode Code{};

    friend bool operator==(const TPlantedFinding&, const TPlantedFinding&) = default;
};

struct TDefectList {
    std::vector<TKr6Member> Members;
    // Every error and warning the import reports on Members, and the notes the defects
    // are meant to give (an evaluation may note more, for what the defects take away).
    std::vector<TPlantedFinding> Planted;
};

// A copy of a price list as a careless maintainer might publish it: lines that every
// kind of finding reports (a lens or coating the list does not hold, prices it drops or
// sets twice, rules repeated or contradicted, letters in numbers, days that do not exist,
// codes outside their tables, lines too long, empty or of an unknown target, header keys
// misspelt or repeated), a member left out, one it does not use and two it does not know.
// All but the finding of a list without lenses, which leaves nothing for the others. The
// header names no fifth price field (its code is unknown), so the fifth amounts are
// cleared but on a few lines. Seed picks the lines and values; the same members and seed
// always give the same copy.
TDefectList DefectCopy(const std::vector<TKr6Member>& Members, std::uint64_t Seed);

} // namespace kr6
