#pragma once

#include "export/EvaluateCombinations.h"
#include "export/LensOutcome.h"

#include "export/Row.h"
#include "support/StringList.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

// The evaluation exactly as its steps describe it: every key is checked by the rule list
// on its own. It is the reference the fast evaluation is measured against.

// The allowed coatings of one lens by kind: anti-reflection, tint, further; each list
// sorted, the empty entry first.
using TLensKindLists = std::array<TStringList, 3>;
void BuildLensKindLists(const Tdex6Dataobject& Root, std::string_view Glass, TLensKindLists& Lists);

// A combination key of a lens with the codes it is joined from, which point into the lens
// code and the kind lists the key was built from.
struct TLensKey {
    std::string Text;
    TRow Codes;
};

// Replaces Lists with the lens's kind lists and Keys with its combination keys, ordered and
// without repeats as a sorted string list keeps them.
void BuildLensKeys(const Tdex6Dataobject& Root, std::string_view Glass, TLensKindLists& Lists,
                   std::vector<TLensKey>& Keys);

// Builds and tests the keys of one lens.
void EvaluateLensLiteral(const Tdex6Dataobject& Root, std::string_view Glass,
                         TLensOutcome& Outcome);

void EvaluateLiteral(Tdex6Dataobject& Root, const TLensRowsSink& Sink);

} // namespace kr6
