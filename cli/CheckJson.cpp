#include "cli/CheckCommand.h"

#include "export/CombinationExplanation.h"
#include "export/LensOverview.h"
#include "support/Cp1252.h"

namespace kr6 {
namespace {

using json = nlohmann::ordered_json;

json Utf8(std::string_view Cp1252) {
    return Cp1252ToUtf8(Cp1252);
}

json Utf8List(const std::vector<std::string>& Texts) {
    json List = json::array();
    for (const std::string& Text : Texts)
        List.push_back(Utf8(Text));
    return List;
}

json Utf8List(const TStringList& Texts) {
    json List = json::array();
    for (const auto& Entry : Texts)
        List.push_back(Utf8(Entry.Text));
    return List;
}

// Text as given on the command line, passed through Windows-1252 like the codes it names.
json Given(const std::string& Utf8Text) {
    return Utf8(Utf8ToCp1252(Utf8Text));
}

json RuleJson(const TRuleText& Rule) {
    return {{"lens", Utf8(Rule.GE)},
            {"slots", Utf8List(std::vector<std::string>(Rule.Slots.begin(), Rule.Slots.end()))},
            {"delivery", Utf8(DeliveryText(Rule.LB))}};
}

json EffectJson(const TRuleEffect& Effect) {
    static const char* const Actions[] = {"problem_added",    "problem_removed",
                                          "required_offered", "required_withdrawn",
                                          "set_forbidden",    "set_lifted"};
    json Object = {{"action", Actions[static_cast<int>(Effect.Kind)]}};
    if (Effect.Kind == TRuleEffectKind::SetForbidden || Effect.Kind == TRuleEffectKind::SetLifted)
        Object["coatings"] = Utf8List(SetCodes(Effect.Code));
    else
        Object["code"] = Utf8(Effect.Code);
    return Object;
}

json RuleFindingJson(const TRuleFinding& Finding) {
    json Object = RuleJson(Finding.Rule);
    Object["effects"] = json::array();
    for (const TRuleEffect& Effect : Finding.Effects)
        Object["effects"].push_back(EffectJson(Effect));
    return Object;
}

// Object with the verdict on the coating and the rule that gave it.
json WithReason(json Object, const TCoatingReason& Reason) {
    static const char* const Verdicts[] = {"allowed", "taken_off_by_rule", "wrong_material",
                                           "lens_unknown", "not_judged"};
    Object["verdict"] = Verdicts[static_cast<int>(Reason.Verdict)];
    if (Reason.Rule)
        Object["rule"] = RuleJson(*Reason.Rule);
    return Object;
}

json LensJson(const TLensFinding& Lens) {
    if (!Lens.Found)
        return nullptr;
    return {{"code", Utf8(Lens.Code)}, {"material", Utf8(MemberText(Lens.Material))}};
}

json SuggestionsJson(const TCodeSuggestions& Suggestions) {
    json Object = json::object();
    for (const auto& [Code, Nearest] : Suggestions)
        Object[Cp1252ToUtf8(Code)] = Utf8List(Nearest);
    return Object;
}

json GapJson(const TKeyGapEntry& Gap) {
    static const char* const Reasons[] = {"lens_unknown", "lens_not_evaluated",
                                          "coating_not_offered", "too_many_of_a_kind"};
    json Object = {{"reason", Reasons[static_cast<int>(Gap.Gap)]}};
    if (!Gap.Code.empty())
        Object["code"] = Utf8(Gap.Code);
    return Object;
}

} // namespace

json CheckJson(const TKeyCheck& Check, const std::string& Lens,
               const std::vector<std::string>& Coatings, const TCodeSuggestions& Suggestions) {
    const TCombinationExplanation& Explanation = Check.Explanation;
    json Typed = {{"lens", Given(Lens)}, {"coatings", json::array()}};
    for (const std::string& Coating : Coatings)
        Typed["coatings"].push_back(Given(Coating));
    json Object = {{"lens", Utf8(Check.Key.Lens)},
                   {"coatings", Utf8List(Check.Key.Coatings)},
                   {"typed", std::move(Typed)},
                   {"deliverable", Check.Deliverable()},
                   {"result", Explanation.Result},
                   {"problems", Utf8List(Explanation.Problems)},
                   {"required", Utf8List(Explanation.Required)},
                   {"rules", json::array()},
                   {"unmatched_rules", json::array()},
                   {"row", Check.Key.Key.empty() ? json(nullptr) : Utf8(Check.Key.Key)},
                   {"no_row_because", json::array()},
                   {"lens_found", LensJson(Explanation.Lens)},
                   {"coating_findings", json::array()},
                   {"forbidden_sets", json::array()},
                   {"shared_features", json::array()},
                   {"requirement_unmet", Explanation.RequirementUnmet},
                   {"suggestions", SuggestionsJson(Suggestions)}};
    for (const TRuleFinding& Rule : Explanation.Rules)
        Object[Rule.Matches ? "rules" : "unmatched_rules"].push_back(RuleFindingJson(Rule));
    for (const TKeyGapEntry& Gap : Check.Key.Gaps)
        Object["no_row_because"].push_back(GapJson(Gap));
    for (const TCoatingFinding& Coating : Explanation.Coatings) {
        json Materials = json::array();
        for (int Material = 0; Material < Tdex6DataBeschichtung::MaterialCount; ++Material) {
            if (Coating.Materials.Contains(static_cast<Tdex6Material>(Material)))
                Materials.push_back(Utf8(MemberText(static_cast<Tdex6Material>(Material))));
        }
        json Finding = {{"code", Utf8(Coating.Code)},
                        {"found", Coating.Found},
                        {"kinds", KindNames(Coating.Kinds, TKindWords::Json)},
                        {"materials", std::move(Materials)}};
        Object["coating_findings"].push_back(WithReason(std::move(Finding), Coating.Reason));
    }
    for (const std::string& Set : Explanation.ForbiddenSets)
        Object["forbidden_sets"].push_back(Utf8List(SetCodes(Set)));
    for (const TFeatureClash& Clash : Explanation.Clashes) {
        json Features = json::array();
        for (const TFeatureName& Feature : Clash.Features)
            Features.push_back(Feature.Element);
        Object["shared_features"].push_back(
            {{"coatings", {Utf8(Clash.A), Utf8(Clash.B)}}, {"features", std::move(Features)}});
    }
    return Object;
}

json OverviewJson(const TLensOverview& Overview, const std::string& Lens,
                  const TCodeSuggestions& Suggestions) {
    json Disallowed = json::array();
    for (const TLensOverview::TDisallowed& Coating : Overview.Disallowed) {
        Disallowed.push_back(WithReason({{"code", Utf8(Coating.Code)}}, Coating.Reason));
    }
    json Rules = json::array();
    for (const TRuleText& Rule : Overview.Rules)
        Rules.push_back(RuleJson(Rule));
    const TCombinationExplanation& Alone = Overview.Alone.Explanation;
    return {{"lens", Utf8(Overview.Alone.Key.Lens)},
            {"typed", {{"lens", Given(Lens)}}},
            {"lens_found", LensJson(Overview.Lens)},
            {"evaluated", Overview.Evaluated},
            {"allowed",
             {{"antireflection", Utf8List(Overview.Allowed[0])},
              {"tint", Utf8List(Overview.Allowed[1])},
              {"further", Utf8List(Overview.Allowed[2])}}},
            {"disallowed", std::move(Disallowed)},
            {"wrong_material", Utf8List(Overview.WrongMaterial)},
            {"rules", std::move(Rules)},
            {"keys", Overview.Keys},
            {"deliverable_keys", Overview.DeliverableKeys},
            {"alone",
             {{"deliverable", Overview.Alone.Deliverable()},
              {"result", Alone.Result},
              {"problems", Utf8List(Alone.Problems)},
              {"required", Utf8List(Alone.Required)}}},
            {"suggestions", SuggestionsJson(Suggestions)}};
}

} // namespace kr6
