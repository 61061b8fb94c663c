#pragma once

#include "model/Coatings.h"

#include <nlohmann/json.hpp>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

struct TKeyCheck;
struct TLensOverview;

// The answers of `kr6csv check`. The texts are Windows-1252 like the model; the JSON
// objects hold UTF-8. Lens and Coatings are the codes as given on the command line.

// For each code of a check that the price list does not know, its nearest codes there.
using TCodeSuggestions = std::map<std::string, std::vector<std::string>>;

// The verdict on its own line, then the explanation.
std::string CheckText(const TKeyCheck& Check, const TCodeSuggestions& Suggestions = {});
nlohmann::ordered_json CheckJson(const TKeyCheck& Check, const std::string& Lens,
                                 const std::vector<std::string>& Coatings,
                                 const TCodeSuggestions& Suggestions = {});

std::string OverviewText(const TLensOverview& Overview, const TCodeSuggestions& Suggestions = {});
nlohmann::ordered_json OverviewJson(const TLensOverview& Overview, const std::string& Lens,
                                    const TCodeSuggestions& Suggestions = {});

// The codes of a set that a rule forbids or lifts (its fields joined by tabs).
std::vector<std::string> SetCodes(std::string_view Key);
// "anti-reflection", "tint", "further", "surcharge"; in JSON spelt as the members of the
// rows are ("antireflection").
enum class TKindWords { Text, Json };
std::vector<std::string> KindNames(TCoatingKindSet Kinds, TKindWords Words = TKindWords::Text);

} // namespace kr6
