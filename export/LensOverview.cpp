#include "export/LensOverview.h"

#include "export/FastEvaluation.h"
#include "export/LensOutcome.h"
#include "export/LiteralEvaluation.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Glasses.h"
#include "model/Root.h"

namespace kr6 {

TLensOverview OverviewOfLens(const Tdex6Dataobject& Root, std::string_view Lens) {
    TLensOverview Overview;
    Overview.Alone = CheckKey(Root, Lens, {});
    const std::string& Glass = Overview.Alone.Key.Lens;
    if (const Tdex6DataGlas* Found = Root.Glasliste()->FindByEDV(Glass))
        Overview.Lens = {true, Found->EDV(), Found->MAT};
    else
        Overview.Lens.Code = Glass;
    Overview.Evaluated = !Overview.Alone.Key.Key.empty();

    const Tdex6DataKombinationsListe& RuleList = *Root.KombinationsListe();
    TKombinationRefs Rules;
    RuleList.RulesOfGlass(Glass, Rules);
    for (const Tdex6DataKombination* Rule : Rules)
        Overview.Rules.push_back(RuleText(*Rule));

    // Without the surcharge codes, as the evaluation asks.
    TCoatingReasons Reasons;
    TStringList Allowed(true);
    TStringList Disallowed(true);
    TStringList WrongMaterial(true);
    RuleList.CoatingsOfGlass(Glass, Rules, &Allowed, &Disallowed, &WrongMaterial, false, nullptr,
                             &Reasons);
    // A lens that is not there disallows everything, which says nothing about a coating.
    if (Overview.Lens.Found) {
        for (const auto& Code : Disallowed)
            Overview.Disallowed.push_back({Code.Text, Reasons.ReasonOf(Code.Text)});
    }
    // Asked without the surcharge codes, CoatingsOfGlass counts them as the wrong
    // material too; only coatings whose material differs are listed as such.
    const Tdex6DataBeschichtungsliste& Coatings = *Root.Beschichtungsliste();
    for (const auto& Code : WrongMaterial) {
        const Tdex6DataBeschichtung* Coating = Coatings.FindByEDV(Code.Text);
        if (Coating == nullptr || !Coating->MAT.Contains(Overview.Lens.Material))
            Overview.WrongMaterial.push_back(Code.Text);
    }

    TLensKindLists Lists;
    BuildLensKindLists(Root, Glass, Lists);
    for (std::size_t Kind = 0; Kind < Lists.size(); ++Kind) {
        for (const auto& Code : Lists[Kind]) {
            if (!Code.Text.empty())
                Overview.Allowed[Kind].push_back(Code.Text);
        }
    }

    if (Overview.Evaluated) {
        TLensOutcome Outcome;
        TFastEvaluator(Root).EvaluateLens(Glass, Rules, Outcome);
        Overview.Keys = Outcome.KeyCount;
        Overview.DeliverableKeys = static_cast<std::int64_t>(Outcome.Rows.Count());
    }
    return Overview;
}

} // namespace kr6
