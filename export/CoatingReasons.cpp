#include "export/CoatingReasons.h"

namespace kr6 {

TRuleText RuleText(const Tdex6DataKombination& Rule) {
    return {Rule.GE(), {Rule.B1E(), Rule.B2E(), Rule.B3E()}, Rule.LB()};
}

void TCoatingReasons::LensFound(const Tdex6DataGlas* Lens) {
    FLens = Lens;
}

void TCoatingReasons::CoatingRemoved(const Tdex6DataKombination& Rule, std::string_view Code) {
    FEvents[std::string(Code)].Removed = {FOrder++, &Rule};
}

void TCoatingReasons::CoatingAdded(const Tdex6DataKombination& Rule, std::string_view Code) {
    FEvents[std::string(Code)].Added = {FOrder++, &Rule};
}

void TCoatingReasons::CoatingsJudged(const TStringList& Allowed, const TStringList* Disallowed,
                                     const TStringList& WrongMaterial) {
    FAllowed.Assign(Allowed);
    FDisallowed.Clear();
    if (Disallowed != nullptr)
        FDisallowed.Assign(*Disallowed);
    FWrongMaterial.Assign(WrongMaterial);
}

TCoatingReason TCoatingReasons::ReasonOf(std::string_view Code) const {
    TCodeEvents Events;
    if (const auto Found = FEvents.find(Code); Found != FEvents.end())
        Events = Found->second;
    const TEvent& Removal = Events.Removed;

    TCoatingReason Reason;
    if (FAllowed.Contains(Code)) {
        Reason.Verdict = TCoatingVerdict::Allowed;
        if (Removal.Rule != nullptr && Events.Added.Order > Removal.Order)
            Reason.Rule = RuleText(*Events.Added.Rule);
    } else if (FWrongMaterial.Contains(Code)) {
        Reason.Verdict = TCoatingVerdict::WrongMaterial;
    } else if (FLens == nullptr && FDisallowed.Contains(Code)) {
        Reason.Verdict = TCoatingVerdict::LensUnknown;
    } else if (FDisallowed.Contains(Code) && Removal.Rule != nullptr &&
               Removal.Order > Events.Added.Order) {
        Reason.Verdict = TCoatingVerdict::RemovedByRule;
        Reason.Rule = RuleText(*Removal.Rule);
    }
    return Reason;
}

} // namespace kr6
