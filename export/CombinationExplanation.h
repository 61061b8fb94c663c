#pragma once

#include "export/CoatingReasons.h"
#include "export/EvaluationKey.h"
#include "export/FeatureNames.h"
#include "model/Coatings.h"
#include "model/CodeTables.h"
#include "support/StringList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;

// The lens of a check as the glass list has it.
struct TLensFinding {
    bool Found = false;
    std::string Code;
    Tdex6Material Material = Tdex6Material::Egal;
};

// A coating of the set, as the coating list has it and as the lens judges it.
struct TCoatingFinding {
    std::string Code;
    bool Found = false;
    TCoatingKindSet Kinds;
    TMaterialSet Materials;
    TCoatingReason Reason;
};

enum class TRuleEffectKind {
    ProblemAdded,
    ProblemRemoved,
    // A "nur lieferbar" rule offers the coating, or a "nicht lieferbar" rule withdraws
    // an offer.
    RequiredOffered,
    RequiredWithdrawn,
    // Code is a set of coatings joined by tabs.
    SetForbidden,
    SetLifted,
};

struct TRuleEffect {
    TRuleEffectKind Kind = TRuleEffectKind::ProblemAdded;
    std::string Code;

    friend bool operator==(const TRuleEffect&, const TRuleEffect&) = default;
};

// A rule of the lens that took part in the check, in list order.
struct TRuleFinding {
    TRuleText Rule;
    bool Matches = false;
    std::vector<TRuleEffect> Effects;
};

struct TFeatureClash {
    std::string A;
    std::string B;
    std::vector<TFeatureName> Features;
};

// What CheckCombination did for one lens and set of coatings, told by the check itself.
struct TCombinationExplanation {
    TLensFinding Lens;
    // The set's coatings, sorted, each once.
    std::vector<TCoatingFinding> Coatings;
    std::vector<TRuleFinding> Rules;
    // Sets forbidden by "nicht lieferbar" rules that the set holds whole, coatings
    // joined by tabs.
    std::vector<std::string> ForbiddenSets;
    std::vector<TFeatureClash> Clashes;
    // The lens has "nur lieferbar" rules and none matched; Required holds their offer.
    bool RequirementUnmet = false;
    // What CheckCombination returned.
    TStringList Problems;
    TStringList Required;
    std::int32_t Result = 0;
};

// Runs CheckCombination as the evaluation does (with Required) and records each step.
TCombinationExplanation ExplainCombination(const Tdex6Dataobject& Root, std::string_view Glass,
                                           const TStringList& Coatings);

// A lens and coatings as a user names them: where they stand in the evaluation, and the
// check's explanation.
struct TKeyCheck {
    TEvaluationKey Key;
    TCombinationExplanation Explanation;

    // The evaluation writes the row: it builds the key and the check passes it.
    bool Deliverable() const { return !Key.Key.empty() && Explanation.Result == 0; }
};

TKeyCheck CheckKey(const Tdex6Dataobject& Root, std::string_view Lens,
                   const std::vector<std::string>& Coatings);

} // namespace kr6
