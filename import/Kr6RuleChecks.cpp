#include "import/Kr6RuleChecks.h"

#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "model/RuleCodes.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <array>

namespace kr6::kr6_import {
namespace {

constexpr std::size_t CodeLength = AnyCode.size();

std::string RuleKey(std::string_view Code) {
    std::string Key(CodeLength, ' ');
    for (std::size_t I = 0; I < CodeLength && I < Code.size(); ++I)
        Key[I] = AnsiUpperChar(Code[I]);
    return Key;
}

std::string DeliveryName(Tdex6Delivery Delivery) {
    return std::to_string(Code(Delivery)) + " (" + DeliveryText(Delivery) + ")";
}

} // namespace

void TRuleChecks::TCodeSet::Add(std::string_view Code) {
    FCodes.insert(RuleKey(Code));
}

bool TRuleChecks::TCodeSet::Matches(std::string_view Pattern) {
    std::string Key = RuleKey(Pattern);
    if (!HasWildcard(Key))
        return FCodes.contains(Key);
    const auto Known = FPatterns.find(Key);
    if (Known != FPatterns.end())
        return Known->second;
    const bool Found = std::any_of(FCodes.begin(), FCodes.end(),
                                   [&](const std::string& Code) { return CodesMatch(Key, Code); });
    FPatterns.emplace(std::move(Key), Found);
    return Found;
}

TRuleChecks::TRuleChecks(const Tdex6Dataobject& Root) : FRoot(Root) {
    for (const auto& Glas : *Root.Glasliste())
        FLenses.Add(Glas->EDV());
    for (const auto& Coating : *Root.Beschichtungsliste())
        FCoatings.Add(Coating->EDV());
}

void TRuleChecks::Check(const TKr6LineReport& Report, const TKr6DataCombination& Rec,
                        const Tdex6DataKombination* Standing) {
    // A rule that repeats an earlier one.
    if (Standing == nullptr) {
        FLines[FRoot.KombinationsListe()->FindRule(Rec.LensCode, Rec.OptionCode1, Rec.OptionCode2,
                                                   Rec.OptionCode3)] = Report.Line();
    } else {
        const auto Earlier = FLines.find(Standing);
        const std::string Where =
            Earlier != FLines.end() ? "line " + std::to_string(Earlier->second) : "an earlier line";
        if (Standing->LB() == Rec.Delivery)
            Report.Add(TKr6FindingCode::DuplicateRule, 0,
                       "the rule of " + Where + " again: not added a second time");
        else
            Report.Add(TKr6FindingCode::ConflictingRule, 0,
                       "the rule of " + Where + " with delivery " + DeliveryName(Rec.Delivery) +
                           " instead of " + DeliveryName(Standing->LB()) +
                           ": not added, the earlier delivery stands");
    }
    // Codes and patterns that name nothing the list holds.
    if (!IsAnyCode(Rec.LensCode) && !FLenses.Matches(Rec.LensCode))
        Report.Add(TKr6FindingCode::RuleMatchesNoLens, 0,
                   "the rule's lens " + Quoted(Rec.LensCode) + " matches no lens of the list");
    std::string Unmatched;
    int Count = 0;
    for (const std::string* Slot : {&Rec.OptionCode1, &Rec.OptionCode2, &Rec.OptionCode3}) {
        if (IsBlankSlot(*Slot) || IsAnyCode(*Slot) || FCoatings.Matches(*Slot))
            continue;
        Unmatched += Count++ == 0 ? "" : ", ";
        Unmatched += Quoted(*Slot);
    }
    if (Count > 0)
        Report.Add(TKr6FindingCode::RuleMatchesNoCoating, 0,
                   "the rule's coating" + std::string(Count > 1 ? "s " : " ") + Unmatched +
                       (Count > 1 ? " match" : " matches") + " no coating of the list");
}

} // namespace kr6::kr6_import
