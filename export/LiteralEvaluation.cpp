#include "export/LiteralEvaluation.h"

#include "export/EvaluationLists.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <string>
#include <utility>

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

void BuildLensKeys(const Tdex6Dataobject& Root, std::string_view Glass, TLensKindLists& Lists,
                   std::vector<TLensKey>& Keys) {
    Keys.clear();
    BuildLensKindLists(Root, Glass, Lists);
    const auto& [AntiReflection, Tint, Further] = Lists;

    // Every choice of each kind, the further coatings as an unordered pair: sorted as a
    // sorted string list keeps it, without repeats, and without the empty entry.
    for (const auto& A : AntiReflection) {
        for (const auto& T : Tint) {
            for (const auto& C : Further) {
                for (const auto& D : Further) {
                    std::string_view P1 = C.Text;
                    std::string_view P2 = D.Text;
                    const int Order = CompareText(P1, P2);
                    if (Order == 0)
                        P2 = {};
                    else if (Order > 0)
                        std::swap(P1, P2);
                    if (P1.empty())
                        std::swap(P1, P2);
                    const TRow Codes{Glass, A.Text, T.Text, P1, P2};
                    Keys.push_back({RowText(Codes), Codes});
                }
            }
        }
    }
    // Sorted as the list of keys sorts texts, the first of equal keys kept.
    const auto Less = [](const TLensKey& X, const TLensKey& Y) {
        return CompareText(X.Text, Y.Text) < 0;
    };
    std::stable_sort(Keys.begin(), Keys.end(), Less);
    Keys.erase(std::unique(Keys.begin(), Keys.end(),
                           [](const TLensKey& X, const TLensKey& Y) {
                               return CompareText(X.Text, Y.Text) == 0;
                           }),
               Keys.end());
}

void EvaluateLensLiteral(const Tdex6Dataobject& Root, std::string_view Glass,
                         TLensOutcome& Outcome) {
    const Tdex6DataKombinationsListe& Rules = *Root.KombinationsListe();
    Outcome.Clear();
    TLensKindLists Lists;
    std::vector<TLensKey> Keys;
    BuildLensKeys(Root, Glass, Lists, Keys);
    Outcome.KeyCount = static_cast<std::int64_t>(Keys.size());

    TStringList Pair(true);
    TStringList Problems;
    TStringList Required;
    for (std::size_t K = 0; K < Keys.size(); ++K) {
        const std::string& Key = Keys[K].Text;
        Pair.Clear();
        for (int Field = 2; Field <= 5; ++Field)
            Pair.Add(GetField(Key, "\t", Field));
        RemoveLeadingEmpty(Pair);
        if (Rules.CheckCombination(GetField(Key, "\t", 1), Pair, Problems, &Required) != 0)
            continue;
        Outcome.Rows.Add(Keys[K].Codes, static_cast<std::int64_t>(K) + 1);
    }
}

void EvaluateLiteral(Tdex6Dataobject& Root, const TLensRowsSink& Sink) {
    TStringList Lenses;
    ListEvaluatedLenses(Root, Lenses);

    // Counting pass.
    TLensKindLists Lists;
    std::vector<TLensKey> Keys;
    TProgressReplay Replay(Root);
    std::int64_t AllTotal = 0;
    for (const auto& Lens : Lenses) {
        BuildLensKeys(Root, Lens.Text, Lists, Keys);
        AllTotal += static_cast<std::int64_t>(Keys.size());
        Replay.Counted(AllTotal);
    }

    // Testing pass.
    TLensOutcome Outcome;
    for (const auto& Lens : Lenses) {
        EvaluateLensLiteral(Root, Lens.Text, Outcome);
        Replay.Lens(Lens.Text, Outcome);
        Sink(Outcome.Rows, true);
    }
}

} // namespace kr6
