#pragma once

#include "export/EvaluationTables.h"
#include "export/LensOutcome.h"

#include "model/Combinations.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;
class TLensPlan;

// How a lens's keys may be shared out: Groups groups of equally many keys, which may be
// tested apart (EvaluateGroups) unless the lens needs the literal evaluation.
struct TLensShape {
    std::int64_t KeyCount = 0;
    std::int64_t Groups = 1;
    bool Divisible = false;
};

// Gives, lens by lens, exactly the keys and rows of the literal evaluation. What is the
// same for every lens is worked out once (TEvaluationTables); per lens only its rules and
// the coatings it allows, and a key then costs a few bit operations.
class TFastEvaluator {
public:
    explicit TFastEvaluator(const Tdex6Dataobject& Root);

    // Safe to call from several threads at once while the model does not change.
    std::int64_t CountKeys(std::string_view Glass) const { return Shape(Glass).KeyCount; }
    TLensShape Shape(std::string_view Glass) const;
    void EvaluateLens(std::string_view Glass, TLensOutcome& Outcome) const;
    // The same with the lens's rules (RulesOfGlass) at hand.
    void EvaluateLens(std::string_view Glass, const TKombinationRefs& Rules,
                      TLensOutcome& Outcome) const;

    // The plan of a divisible lens, for its pieces.
    std::unique_ptr<const TLensPlan> PlanLens(std::string_view Glass) const;
    // The keys of groups First to End - 1 of the lens: KeyCount and the rows' positions
    // are the whole lens's, so that the outcomes of all groups in order are the lens's.
    void EvaluateGroups(const TLensPlan& Plan, std::int64_t First, std::int64_t End,
                        TLensOutcome& Outcome) const;

private:
    void EvaluateRules(std::string_view Glass, const std::vector<int>& Rules,
                       TLensOutcome& Outcome) const;

    const Tdex6Dataobject& FRoot;
    TEvaluationTables FTables;
};

} // namespace kr6
