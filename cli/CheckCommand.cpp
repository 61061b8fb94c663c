#include "cli/CheckCommand.h"
#include "cli/Commands.h"
#include "cli/RowOutput.h"

#include "export/CombinationExplanation.h"
#include "export/LensOverview.h"
#include "import/Kr6Import.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/Cp1252.h"

#include <memory>

namespace kr6 {
namespace {

constexpr int ExitNotDeliverable = 3;
constexpr std::size_t LabelWidth = 13;

using json = nlohmann::ordered_json;

// --- Pieces of text, Windows-1252 -------------------------------------------------------

std::string CodeText(std::string_view Code) {
    return Code.empty() ? std::string("(no coating)") : std::string(Code);
}

std::string Joined(const std::vector<std::string>& Items, std::string_view Separator) {
    std::string Text;
    for (const std::string& Item : Items) {
        if (!Text.empty())
            Text += Separator;
        Text += Item;
    }
    return Text;
}

std::string ListText(const TStringList& List) {
    std::vector<std::string> Items;
    for (const auto& Entry : List)
        Items.push_back(CodeText(Entry.Text));
    return Items.empty() ? std::string("none") : Joined(Items, ", ");
}

// The codes of a set that a rule forbids or lifts, its fields joined by tabs.
std::vector<std::string> SetCodes(std::string_view Key) {
    std::vector<std::string> Codes;
    for (int Field = 1; Field <= 3; ++Field) {
        if (const std::string_view Code = GetField(Key, "\t", Field); !Code.empty())
            Codes.emplace_back(Code);
    }
    return Codes;
}

std::string RuleLine(const TRuleText& Rule) {
    std::string Text = Rule.GE + " " + DeliveryText(Rule.LB);
    for (const std::string& Slot : Rule.Slots)
        Text += " [" + Slot + "]";
    return Text;
}

std::string MaterialsText(TMaterialSet Materials) {
    std::vector<std::string> Names;
    for (const Tdex6Material Material :
         {Tdex6Material::Egal, Tdex6Material::Silikat, Tdex6Material::Kunststoff,
          Tdex6Material::Polycarbonat, Tdex6Material::Trivex}) {
        if (Materials.Contains(Material))
            Names.push_back(MemberText(Material));
    }
    return Names.empty() ? std::string("no material") : Joined(Names, ", ");
}

std::vector<std::string> KindNames(TCoatingKindSet Kinds) {
    static const std::pair<Tdex6CoatingKind, const char*> Names[] = {
        {Tdex6CoatingKind::AntiReflection, "anti-reflection"},
        {Tdex6CoatingKind::Tint, "tint"},
        {Tdex6CoatingKind::Other, "further"},
        {Tdex6CoatingKind::Special, "surcharge"}};
    std::vector<std::string> Result;
    for (const auto& [Kind, Name] : Names) {
        if (Kinds.Contains(Kind))
            Result.emplace_back(Name);
    }
    return Result;
}

std::string LensText(const TLensFinding& Lens) {
    if (!Lens.Found)
        return Lens.Code + ": not in the price list";
    return Lens.Code + " (" + MemberText(Lens.Material) + ")";
}

std::string ReasonText(const TCoatingReason& Reason, const TLensFinding& Lens) {
    switch (Reason.Verdict) {
    case TCoatingVerdict::Allowed:
        return Reason.Rule ? "allowed again by " + RuleLine(*Reason.Rule) : "allowed";
    case TCoatingVerdict::RemovedByRule:
        return "not allowed, taken off by " + RuleLine(*Reason.Rule);
    case TCoatingVerdict::WrongMaterial:
        return "not made for " + MemberText(Lens.Material);
    case TCoatingVerdict::LensUnknown:
        return "not allowed, the lens is not in the price list";
    case TCoatingVerdict::NotJudged:
        break;
    }
    return "neither allowed nor disallowed";
}

std::string CoatingLine(const TCoatingFinding& Coating, const TLensFinding& Lens) {
    if (!Coating.Found)
        return Coating.Code + "  not in the price list";
    return Coating.Code + "  " + Joined(KindNames(Coating.Kinds), ", ") + ", for " +
           MaterialsText(Coating.Materials) + "\n  " + ReasonText(Coating.Reason, Lens);
}

std::string EffectText(const TRuleEffect& Effect) {
    switch (Effect.Kind) {
    case TRuleEffectKind::ProblemAdded:
        return "problem " + CodeText(Effect.Code);
    case TRuleEffectKind::ProblemRemoved:
        return "lifts problem " + CodeText(Effect.Code);
    case TRuleEffectKind::RequiredOffered:
        return "offers " + CodeText(Effect.Code);
    case TRuleEffectKind::RequiredWithdrawn:
        return "withdraws offer " + CodeText(Effect.Code);
    case TRuleEffectKind::SetForbidden:
        return "forbids " + Joined(SetCodes(Effect.Code), " + ");
    case TRuleEffectKind::SetLifted:
        break;
    }
    return "lifts " + Joined(SetCodes(Effect.Code), " + ");
}

std::string RuleFindingLines(const TRuleFinding& Finding) {
    std::vector<std::string> Effects;
    for (const TRuleEffect& Effect : Finding.Effects) {
        // A rule of wildcards and blanks forbids the empty set, which nothing holds.
        if (Effect.Kind == TRuleEffectKind::SetForbidden && SetCodes(Effect.Code).empty())
            continue;
        Effects.push_back(EffectText(Effect));
    }
    std::string Text =
        RuleLine(Finding.Rule) + "\n  " + (Finding.Matches ? "matches" : "does not match");
    if (!Effects.empty())
        Text += ": " + Joined(Effects, ", ");
    else if (Finding.Matches)
        Text += ", no effect on this set";
    return Text;
}

std::string GapText(const TKeyGapEntry& Gap, const TLensFinding& Lens) {
    switch (Gap.Gap) {
    case TKeyGap::LensUnknown:
        return "no lens has the code " + Gap.Code;
    case TKeyGap::LensNotEvaluated:
        return "the evaluation does not test lenses of the material " + MemberText(Lens.Material);
    case TKeyGap::CoatingNotOffered:
        return Gap.Code + " is not among the coatings combined with this lens";
    case TKeyGap::TooManyOfAKind:
        break;
    }
    return "a row holds at most one anti-reflection coating, one tint and two further coatings";
}

// The row, or why there is none, one reason a line.
std::vector<std::string> RowLines(const TEvaluationKey& Key, const TLensFinding& Lens) {
    if (Key.Key.empty()) {
        std::vector<std::string> Lines;
        for (const TKeyGapEntry& Gap : Key.Gaps)
            Lines.push_back((Lines.empty() ? "none: " : "") + GapText(Gap, Lens));
        return Lines;
    }
    std::vector<std::string> Fields;
    for (int Field = 1; Field <= 5; ++Field) {
        const std::string_view Code = GetField(Key.Key, "\t", Field);
        Fields.emplace_back(Code.empty() ? std::string_view("-") : Code);
    }
    return {Joined(Fields, " | ")};
}

// A label in the first column, its lines beside it; a line may hold line feeds of its own.
void Section(std::string& Text, std::string_view Label, const std::vector<std::string>& Lines) {
    std::string Indent(LabelWidth, ' ');
    for (std::size_t I = 0; I < Lines.size(); ++I) {
        std::string Head = I == 0 ? std::string(Label) : std::string();
        Head.resize(LabelWidth, ' ');
        Text += Head;
        for (const char C : Lines[I]) {
            Text += C;
            if (C == '\n')
                Text += Indent;
        }
        Text += '\n';
    }
}

// --- Pieces of JSON, UTF-8 --------------------------------------------------------------

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

json GapJson(const TKeyGapEntry& Gap) {
    static const char* const Reasons[] = {"lens_unknown", "lens_not_evaluated",
                                          "coating_not_offered", "too_many_of_a_kind"};
    json Object = {{"reason", Reasons[static_cast<int>(Gap.Gap)]}};
    if (!Gap.Code.empty())
        Object["code"] = Utf8(Gap.Code);
    return Object;
}

} // namespace

std::string CheckText(const TKeyCheck& Check) {
    const TCombinationExplanation& Explanation = Check.Explanation;
    std::string Text = Check.Deliverable() ? "deliverable\n" : "not deliverable\n";
    Section(Text, "Lens", {LensText(Explanation.Lens)});
    Section(Text, "Row", RowLines(Check.Key, Explanation.Lens));

    std::vector<std::string> Lines;
    for (const TCoatingFinding& Coating : Explanation.Coatings)
        Lines.push_back(CoatingLine(Coating, Explanation.Lens));
    Section(Text, "Coatings", Lines);

    Lines.clear();
    for (const TRuleFinding& Rule : Explanation.Rules)
        Lines.push_back(RuleFindingLines(Rule));
    Section(Text, "Rules", Lines);

    Lines.clear();
    for (const std::string& Set : Explanation.ForbiddenSets)
        Lines.push_back(Joined(SetCodes(Set), " + ") +
                        ": forbidden together, and no rule lifts it");
    Section(Text, "Forbidden", Lines);

    Lines.clear();
    for (const TFeatureClash& Clash : Explanation.Clashes) {
        std::vector<std::string> Names;
        for (const TFeatureName& Feature : Clash.Features)
            Names.push_back(std::string(Feature.Element) + " (" + std::string(Feature.Meaning) +
                            ")");
        Lines.push_back(Clash.A + " and " + Clash.B + " both carry " + Joined(Names, ", "));
    }
    Section(Text, "Features", Lines);

    if (Explanation.RequirementUnmet)
        Section(Text, "Only with",
                {"the lens is deliverable only with a set that one of its\n\"nur lieferbar\" "
                 "rules names, and none of them matches; they offer " +
                 ListText(Explanation.Required)});

    Section(Text, "Problems", {ListText(Explanation.Problems)});
    Section(Text, "Required", {ListText(Explanation.Required)});
    Section(Text, "Result", {std::to_string(Explanation.Result)});
    return Text;
}

json CheckJson(const TKeyCheck& Check, const std::string& Lens,
               const std::vector<std::string>& Coatings) {
    const TCombinationExplanation& Explanation = Check.Explanation;
    json Object = {{"lens", Given(Lens)},
                   {"coatings", json::array()},
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
                   {"requirement_unmet", Explanation.RequirementUnmet}};
    for (const std::string& Coating : Coatings)
        Object["coatings"].push_back(Given(Coating));
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
                        {"kinds", KindNames(Coating.Kinds)},
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

std::string OverviewText(const TLensOverview& Overview) {
    std::string Text;
    Section(Text, "Lens", {LensText(Overview.Lens)});
    const TKeyCheck& Alone = Overview.Alone;
    std::string AloneText = Alone.Deliverable() ? "deliverable" : "not deliverable";
    if (Alone.Explanation.RequirementUnmet)
        AloneText += ", only with one of: " + ListText(Alone.Explanation.Required);
    Section(Text, "Alone", {AloneText});

    static const char* const KindLabels[] = {"anti-reflection: ", "tint: ", "further: "};
    std::vector<std::string> Lines;
    for (std::size_t Kind = 0; Kind < Overview.Allowed.size(); ++Kind) {
        const std::vector<std::string>& Codes = Overview.Allowed[Kind];
        Lines.push_back(KindLabels[Kind] +
                        (Codes.empty() ? std::string("none") : Joined(Codes, ", ")));
    }
    Section(Text, "Allowed", Lines);

    Lines.clear();
    for (const TLensOverview::TDisallowed& Coating : Overview.Disallowed)
        Lines.push_back(Coating.Code + "  " + ReasonText(Coating.Reason, Overview.Lens));
    Section(Text, "Not allowed", Lines);
    if (!Overview.WrongMaterial.empty())
        Section(Text, "Material",
                {std::to_string(Overview.WrongMaterial.size()) + " coatings not made for " +
                 MemberText(Overview.Lens.Material)});

    Lines.clear();
    for (const TRuleText& Rule : Overview.Rules)
        Lines.push_back(RuleLine(Rule));
    Section(Text, "Rules", Lines.empty() ? std::vector<std::string>{"none"} : Lines);

    if (Overview.Evaluated)
        Section(Text, "Rows",
                {std::to_string(Overview.DeliverableKeys) + " of " + std::to_string(Overview.Keys) +
                 " combinations deliverable"});
    else
        Section(Text, "Rows", RowLines(Alone.Key, Overview.Lens));
    return Text;
}

json OverviewJson(const TLensOverview& Overview, const std::string& Lens) {
    json Disallowed = json::array();
    for (const TLensOverview::TDisallowed& Coating : Overview.Disallowed) {
        Disallowed.push_back(WithReason({{"code", Utf8(Coating.Code)}}, Coating.Reason));
    }
    json Rules = json::array();
    for (const TRuleText& Rule : Overview.Rules)
        Rules.push_back(RuleJson(Rule));
    const TCombinationExplanation& Alone = Overview.Alone.Explanation;
    return {{"lens", Given(Lens)},
            {"lens_found", LensJson(Overview.Lens)},
            {"evaluated", Overview.Evaluated},
            {"allowed",
             {{"anti_reflection", Utf8List(Overview.Allowed[0])},
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
              {"required", Utf8List(Alone.Required)}}}};
}

int RunCheck(const TCheckOptions& Options) {
    Tdex6Dataobject Root;
    LoadKr6File(Root, Options.Archive);
    const std::string Lens = Utf8ToCp1252(Options.Lens);
    std::vector<std::string> Coatings;
    for (const std::string& Coating : Options.Coatings)
        Coatings.push_back(Utf8ToCp1252(Coating));

    // The texts are Windows-1252 and converted on the way out; JSON is UTF-8 already.
    const std::unique_ptr<TRowOutput> Output = OpenOutput({}, {TLineEnd::Lf, !Options.Json});
    int Status = 0;
    if (Coatings.empty()) {
        const TLensOverview Overview = OverviewOfLens(Root, Lens);
        Output->Write(Options.Json ? OverviewJson(Overview, Options.Lens).dump(2) + "\n"
                                   : OverviewText(Overview));
    } else {
        const TKeyCheck Check = CheckKey(Root, Lens, Coatings);
        Output->Write(Options.Json ? CheckJson(Check, Options.Lens, Options.Coatings).dump(2) + "\n"
                                   : CheckText(Check));
        Status = Check.Deliverable() ? 0 : ExitNotDeliverable;
    }
    Output->Finish();
    return Status;
}

} // namespace kr6
