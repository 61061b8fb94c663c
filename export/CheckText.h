#pragma once

#include "model/Coatings.h"

#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

struct TKeyCheck;
struct TLensOverview;

// Why a lens and its coatings are or are not deliverable, as `kr6csv check` and the
// window tell it. The texts are Windows-1252 like the model.

// The verdict on its own line, then the explanation.
std::string CheckText(const TKeyCheck& Check);
std::string OverviewText(const TLensOverview& Overview);

// The codes of a set that a rule forbids or lifts (its fields joined by tabs).
std::vector<std::string> SetCodes(std::string_view Key);
// "anti-reflection", "tint", "further", "surcharge".
std::vector<std::string> KindNames(TCoatingKindSet Kinds);

} // namespace kr6
