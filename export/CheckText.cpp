#include "export/CheckText.h"

#include "export/CombinationExplanation.h"
#include "export/LensOverview.h"
#include "support/Conversions.h"

#include <algorithm>
#include <tuple>

namespace kr6 {
namespace {

constexpr std::size_t LabelWidth = 13;

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

// "; did you mean A, B or C?" for a code the price list does not know; empty when none is
// close.
std::string DidYouMean(const TCodeSuggestions& Suggestions, const std::string& Code) {
    const auto Found = Suggestions.find(Code);
    if (Found == Suggestions.end() || Found->second.empty())
        return {};
    const std::vector<std::string>& Codes = Found->second;
    std::string Text = "; did you mean ";
    for (std::size_t I = 0; I < Codes.size(); ++I)
        Text += (I == 0 ? "" : I + 1 == Codes.size() ? " or " : ", ") + Codes[I];
    return Text + "?";
}

std::string LensText(const TLensFinding& Lens, const TCodeSuggestions& Suggestions) {
    if (!Lens.Found)
        return Lens.Code + ": not in the price list" + DidYouMean(Suggestions, Lens.Code);
    return Lens.Code + " (" + MemberText(Lens.Material) + ")";
}

bool InPriceList(const TCombinationExplanation& Explanation, std::string_view Code) {
    return std::any_of(
        Explanation.Coatings.begin(), Explanation.Coatings.end(),
        [&](const TCoatingFinding& Coating) { return Coating.Code == Code && Coating.Found; });
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

std::string CoatingLine(const TCoatingFinding& Coating, const TLensFinding& Lens,
                        const TCodeSuggestions& Suggestions) {
    if (!Coating.Found)
        return Coating.Code + "  not in the price list" + DidYouMean(Suggestions, Coating.Code);
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

std::string GapText(const TKeyGapEntry& Gap, const TCombinationExplanation& Explanation,
                    const TCodeSuggestions& Suggestions) {
    switch (Gap.Gap) {
    case TKeyGap::LensUnknown:
        return "no lens has the code " + Gap.Code + DidYouMean(Suggestions, Gap.Code);
    case TKeyGap::LensNotEvaluated:
        return "the evaluation does not test lenses of the material " +
               MemberText(Explanation.Lens.Material);
    case TKeyGap::CoatingNotOffered:
        if (!InPriceList(Explanation, Gap.Code))
            return Gap.Code + " is not in the price list" + DidYouMean(Suggestions, Gap.Code);
        return Gap.Code + " is not among the coatings combined with this lens";
    case TKeyGap::TooManyOfAKind:
        break;
    }
    return "a row holds at most one anti-reflection coating, one tint and two further coatings";
}

// The row, or why there is none, one reason a line.
std::vector<std::string> RowLines(const TEvaluationKey& Key,
                                  const TCombinationExplanation& Explanation,
                                  const TCodeSuggestions& Suggestions) {
    if (Key.Key.empty()) {
        std::vector<std::string> Lines;
        for (const TKeyGapEntry& Gap : Key.Gaps)
            Lines.push_back((Lines.empty() ? "none: " : "") +
                            GapText(Gap, Explanation, Suggestions));
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

} // namespace

std::vector<std::string> SetCodes(std::string_view Key) {
    std::vector<std::string> Codes;
    for (int Field = 1; Field <= 3; ++Field) {
        if (const std::string_view Code = GetField(Key, "\t", Field); !Code.empty())
            Codes.emplace_back(Code);
    }
    return Codes;
}

std::vector<std::string> KindNames(TCoatingKindSet Kinds, TKindWords Words) {
    static const std::tuple<Tdex6CoatingKind, const char*, const char*> Names[] = {
        {Tdex6CoatingKind::AntiReflection, "anti-reflection", "antireflection"},
        {Tdex6CoatingKind::Tint, "tint", "tint"},
        {Tdex6CoatingKind::Other, "further", "further"},
        {Tdex6CoatingKind::Special, "surcharge", "surcharge"}};
    std::vector<std::string> Result;
    for (const auto& [Kind, Text, Json] : Names) {
        if (Kinds.Contains(Kind))
            Result.emplace_back(Words == TKindWords::Text ? Text : Json);
    }
    return Result;
}

std::string CheckText(const TKeyCheck& Check, const TCodeSuggestions& Suggestions) {
    const TCombinationExplanation& Explanation = Check.Explanation;
    std::string Text = "deliverable\n";
    if (!Check.Deliverable()) {
        // Rules that pass a set no row holds would leave "Result 0" to contradict the verdict.
        Text = "not deliverable";
        if (Explanation.Result == 0 && !Check.Key.Gaps.empty()) {
            // The nearest codes follow in the lines below.
            Text += ": " + GapText(Check.Key.Gaps.front(), Explanation, {});
            if (Explanation.Lens.Found)
                Text += "; the rules alone would allow this set";
        }
        Text += "\n";
    }
    Section(Text, "Lens", {LensText(Explanation.Lens, Suggestions)});
    Section(Text, "Row", RowLines(Check.Key, Explanation, Suggestions));

    std::vector<std::string> Lines;
    for (const TCoatingFinding& Coating : Explanation.Coatings)
        Lines.push_back(CoatingLine(Coating, Explanation.Lens, Suggestions));
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

std::string OverviewText(const TLensOverview& Overview, const TCodeSuggestions& Suggestions) {
    std::string Text;
    Section(Text, "Lens", {LensText(Overview.Lens, Suggestions)});
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
        Section(Text, "Rows", RowLines(Alone.Key, Alone.Explanation, Suggestions));
    return Text;
}

} // namespace kr6
