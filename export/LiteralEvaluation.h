#pragma once

#include "export/EvaluateCombinations.h"
#include "export/LensOutcome.h"

#include <array>
#include <string_view>

namespace kr6 {

// The evaluation exactly as its steps describe it: every key is checked by the rule list
// on its own. It is the reference the fast evaluation is measured against.

// The allowed coatings of one lens by kind: anti-reflection, tint, further; each list
// sorted, the empty entry first.
using TLensKindLists = std::array<TStringList, 3>;
void BuildLensKindLists(const Tdex6Dataobject& Root, std::string_view Glass, TLensKindLists& Lists);

// Replaces Keys (a sorted list) with the combination keys of one lens.
void BuildLensKeys(const Tdex6Dataobject& Root, std::string_view Glass, TStringList& Keys);

// Builds and tests the keys of one lens.
void EvaluateLensLiteral(const Tdex6Dataobject& Root, std::string_view Glass,
                         TLensOutcome& Outcome);

void EvaluateLiteral(Tdex6Dataobject& Root, const TLensRowsSink& Sink);

} // namespace kr6
