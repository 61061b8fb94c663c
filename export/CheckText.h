#pragma once

#include "model/Coatings.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

struct TKeyCheck;
struct TLensOverview;

// Why a lens and its coatings are or are not deliverable, as `kr6csv check` and the
// window tell it. The texts are Windows-1252 like the model.

// For each code of a check that the price list does not know, its nearest codes there.
using TCodeSuggestions = std::map<std::string, std::vector<std::string>>;

// The verdict on its own line, then the explanation.
std::string CheckText(const TKeyCheck& Check, const TCodeSuggestions& Suggestions = {});
std::string OverviewText(const TLensOverview& Overview, const TCodeSuggestions& Suggestions = {});

// The codes of a set that a rule forbids or lifts (its fields joined by tabs).
std::vector<std::string> SetCodes(std::string_view Key);
// "anti-reflection", "tint", "further", "surcharge"; in JSON spelt as the members of the
// rows are ("antireflection").
enum class TKindWords { Text, Json };
std::vector<std::string> KindNames(TCoatingKindSet Kinds, TKindWords Words = TKindWords::Text);

} // namespace kr6
