#pragma once

#include "export/LensOutcome.h"
#include "support/StringList.h"

#include "model/Coatings.h"
#include "model/Combinations.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;

// Finds the rules of a lens (RulesOfGlass) without walking every rule: rules for a plain
// lens code are grouped by its first six characters in upper case, and only lens patterns
// are tried one by one.
class TLensRuleIndex {
public:
    explicit TLensRuleIndex(const Tdex6DataKombinationsListe& Rules);
    void RulesOf(std::string_view Glass, TKombinationRefs& Result) const;

private:
    const Tdex6DataKombinationsListe& FRules;
    std::unordered_map<std::string, std::vector<int>> FByCode;
    std::vector<int> FPatterns;
};

// Gives, lens by lens, exactly the keys and rows of the literal evaluation, but works out
// once per lens everything that does not depend on the coatings of a key: the allowed and
// disallowed coatings, the lens's rules and how each rule's slots meet each coating, and
// the coatings' features. A key then costs a walk over the lens's rules with bit tests.
// Lenses whose codes could split or sort keys unlike plain fields (a tab or a lower
// control byte in a code) are left to the literal evaluation.
class TFastEvaluator {
public:
    explicit TFastEvaluator(const Tdex6Dataobject& Root);

    // Safe to call from several threads at once while the model does not change.
    std::int64_t CountKeys(std::string_view Glass) const;
    void EvaluateLens(std::string_view Glass, TLensOutcome& Outcome) const;
    // The same with the lens's rules (RulesOfGlass) at hand; a single lens then needs no
    // index of all rules.
    void EvaluateLens(std::string_view Glass, const TKombinationRefs& Rules,
                      TLensOutcome& Outcome) const;

private:
    // Built on first use.
    const TLensRuleIndex& RuleIndex() const;

    const Tdex6Dataobject& FRoot;
    mutable std::once_flag FRuleIndexBuilt;
    mutable std::optional<TLensRuleIndex> FRuleIndex;
    // The coatings of each evaluated kind, the empty entry first.
    std::array<TStringList, 3> FKindCodes;
    TCoatingCodeCache FCoatingCodes;
};

} // namespace kr6
