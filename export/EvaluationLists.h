#pragma once

#include "model/CodeTables.h"

#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;
class TStringList;

// The materials whose lenses and coatings take part in the evaluation.
inline constexpr TMaterialSet EvaluatedMaterials{Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                                 Tdex6Material::Polycarbonat,
                                                 Tdex6Material::Trivex};

// The codes of the lenses to evaluate, in glass-list order.
void ListEvaluatedLenses(const Tdex6Dataobject& Root, TStringList& Lenses);

// The same codes as plain strings, for the evaluation runs that hand out views of them.
std::vector<std::string> EvaluatedLensCodes(const Tdex6Dataobject& Root);

// Lens code, anti-reflection coating, tint, first and second further coating.
std::string JoinCombinationKey(std::string_view Glass, std::string_view AntiReflection,
                               std::string_view Tint, std::string_view First,
                               std::string_view Second);

} // namespace kr6
