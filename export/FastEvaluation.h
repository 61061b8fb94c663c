#pragma once

#include "export/EvaluationTables.h"
#include "export/LensOutcome.h"

#include "model/Combinations.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;

// Gives, lens by lens, exactly the keys and rows of the literal evaluation. What is the
// same for every lens is worked out once (TEvaluationTables); per lens only its rules and
// the coatings it allows, and a key then costs a few bit operations.
class TFastEvaluator {
public:
    explicit TFastEvaluator(const Tdex6Dataobject& Root);

    // Safe to call from several threads at once while the model does not change.
    std::int64_t CountKeys(std::string_view Glass) const;
    void EvaluateLens(std::string_view Glass, TLensOutcome& Outcome) const;
    // The same with the lens's rules (RulesOfGlass) at hand.
    void EvaluateLens(std::string_view Glass, const TKombinationRefs& Rules,
                      TLensOutcome& Outcome) const;

private:
    void EvaluateRules(std::string_view Glass, const std::vector<int>& Rules,
                       TLensOutcome& Outcome) const;

    const Tdex6Dataobject& FRoot;
    TEvaluationTables FTables;
};

} // namespace kr6
