#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace kr6 {

struct TKeyCheck;
struct TLensOverview;

// The answers of `kr6csv check`. The texts are Windows-1252 like the model; the JSON
// objects hold UTF-8. Lens and Coatings are the codes as given on the command line.

// The verdict on its own line, then the explanation.
std::string CheckText(const TKeyCheck& Check);
nlohmann::ordered_json CheckJson(const TKeyCheck& Check, const std::string& Lens,
                                 const std::vector<std::string>& Coatings);

std::string OverviewText(const TLensOverview& Overview);
nlohmann::ordered_json OverviewJson(const TLensOverview& Overview, const std::string& Lens);

} // namespace kr6
