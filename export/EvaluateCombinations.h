#pragma once

#include "support/StringList.h"

#include <functional>
#include <string_view>

namespace kr6 {

class Tdex6Dataobject;

// Tests every combination of every lens with the coatings the price list allows for it
// (at most one anti-reflection coating, one tint and two further coatings) against the
// combination rules and replaces Rows with the deliverable ones: lens code, anti-reflection
// coating, tint, first and second further coating, joined by tabs. A first pass only
// counts the combinations so that the progress hook of the root knows the total from the
// first test on.
void EvaluateCombinations(Tdex6Dataobject& Root, TStringList& Rows);

// Receives the deliverable rows of one lens, lens by lens in glass-list order.
using TLensRowsSink = std::function<void(const TStringList& LensRows)>;
// The same evaluation, handing the rows over lens by lens instead of collecting them.
void EvaluateCombinations(Tdex6Dataobject& Root, const TLensRowsSink& Sink);

// Replaces Keys (a sorted list) with the combination keys of one lens.
void BuildLensKeys(Tdex6Dataobject& Root, std::string_view Glass, TStringList& Keys);

} // namespace kr6
