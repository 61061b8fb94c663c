#include "export/LiteralEvaluation.h"

#include "export/EvaluationLists.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Root.h"
#include "support/Conversions.h"

#include <string>

namespace kr6 {
namespace {

// The codes of one kind that the lens allows, the empty entry first.
void FillAllowedOfKind(const Tdex6DataBeschichtungsliste& Coatings, Tdex6CoatingKind Kind,
                       const TStringList& Allowed, TStringList& Target) {
    Coatings.GetCodes(Target, true, EvaluatedMaterials, TCoatingKindSet{Kind}, 0);
    for (int I = Target.Count() - 1; I >= 0; --I) {
        if (!Allowed.Contains(Target[I]))
            Target.Delete(I);
    }
}

void RemoveLeadingEmpty(TStringList& List) {
    while (!List.IsEmpty() && List[0].empty())
        List.Delete(0);
}

} // namespace

void BuildLensKindLists(const Tdex6Dataobject& Root, std::string_view Glass,
                        TLensKindLists& Lists) {
    const Tdex6DataBeschichtungsliste& Coatings = *Root.Beschichtungsliste();

    // The allowed coatings and the empty entry.
    TStringList Allowed(true);
    Root.KombinationsListe()->CoatingsOfGlass(Glass, &Allowed, nullptr, nullptr, false);
    Allowed.Add("");

    // The allowed coatings of each kind.
    const Tdex6CoatingKind Kinds[] = {Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint,
                                      Tdex6CoatingKind::Other};
    for (std::size_t K = 0; K < Lists.size(); ++K) {
        Lists[K] = TStringList(true);
        FillAllowedOfKind(Coatings, Kinds[K], Allowed, Lists[K]);
    }
}

void BuildLensKeys(const Tdex6Dataobject& Root, std::string_view Glass, TStringList& Keys) {
    Keys.Clear();
    TLensKindLists Lists;
    BuildLensKindLists(Root, Glass, Lists);
    const auto& [AntiReflection, Tint, Further] = Lists;

    // Every choice of each kind, the further coatings as an unordered pair.
    TStringList Pair(true);
    for (const auto& A : AntiReflection) {
        for (const auto& T : Tint) {
            for (const auto& C : Further) {
                for (const auto& D : Further) {
                    Pair.Clear();
                    Pair.Add(C.Text);
                    Pair.Add(D.Text);
                    RemoveLeadingEmpty(Pair);
                    const std::string P1 = Pair.Count() > 0 ? Pair[0] : std::string();
                    const std::string P2 = Pair.Count() > 1 ? Pair[1] : std::string();
                    Keys.Add(JoinCombinationKey(Glass, A.Text, T.Text, P1, P2));
                }
            }
        }
    }
}

void EvaluateLensLiteral(const Tdex6Dataobject& Root, std::string_view Glass,
                         TLensOutcome& Outcome) {
    const Tdex6DataKombinationsListe& Rules = *Root.KombinationsListe();
    Outcome.Clear();
    TStringList Keys(true);
    BuildLensKeys(Root, Glass, Keys);
    Outcome.KeyCount = Keys.Count();

    TStringList Pair(true);
    TStringList Problems;
    TStringList Required;
    for (int K = 0; K < Keys.Count(); ++K) {
        const std::string& Key = Keys[K];
        Pair.Clear();
        for (int Field = 2; Field <= 5; ++Field)
            Pair.Add(GetField(Key, "\t", Field));
        RemoveLeadingEmpty(Pair);
        if (Rules.CheckCombination(GetField(Key, "\t", 1), Pair, Problems, &Required) != 0)
            continue;
        Outcome.Rows.Add(Key, K + 1);
    }
}

void EvaluateLiteral(Tdex6Dataobject& Root, const TLensRowsSink& Sink) {
    TStringList Lenses;
    ListEvaluatedLenses(Root, Lenses);

    // Counting pass.
    TStringList Keys(true);
    std::int64_t AllTotal = 0;
    for (const auto& Lens : Lenses) {
        BuildLensKeys(Root, Lens.Text, Keys);
        AllTotal += Keys.Count();
        if (const TKombiProgress& Progress = Root.OnKombiProgress()) {
            TKombiCounts Counting;
            Counting.AllTotal = AllTotal;
            Progress(Root, Counting);
        }
    }

    // Testing pass.
    TProgressReplay Replay(Root, AllTotal);
    TLensOutcome Outcome;
    for (const auto& Lens : Lenses) {
        EvaluateLensLiteral(Root, Lens.Text, Outcome);
        Replay.Lens(Lens.Text, Outcome);
        Sink(Outcome.Rows, true);
    }
}

} // namespace kr6
