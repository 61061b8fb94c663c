#pragma once

#include "export/CheckText.h"

#include <nlohmann/json.hpp>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

struct TKeyCheck;
struct TLensOverview;

// The answers of `kr6csv check` as JSON objects, which hold UTF-8. Lens and Coatings are
// the codes as given on the command line.
nlohmann::ordered_json CheckJson(const TKeyCheck& Check, const std::string& Lens,
                                 const std::vector<std::string>& Coatings,
                                 const TCodeSuggestions& Suggestions = {});
nlohmann::ordered_json OverviewJson(const TLensOverview& Overview, const std::string& Lens,
                                    const TCodeSuggestions& Suggestions = {});

} // namespace kr6
