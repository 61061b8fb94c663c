#include "export/EvaluateCombinations.h"

#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/Conversions.h"

#include <cstdint>
#include <string>

namespace kr6 {
namespace {

const TMaterialSet AllMaterials{Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                Tdex6Material::Polycarbonat, Tdex6Material::Trivex};

// The codes of one kind that the lens allows, the empty entry first.
void FillAllowedOfKind(const Tdex6DataBeschichtungsliste& Coatings, Tdex6CoatingKind Kind,
                       const TStringList& Allowed, TStringList& Target) {
    Coatings.GetCodes(Target, true, AllMaterials, TCoatingKindSet{Kind}, 0);
    for (int I = Target.Count() - 1; I >= 0; --I) {
        if (!Allowed.Contains(Target[I]))
            Target.Delete(I);
    }
}

void RemoveLeadingEmpty(TStringList& List) {
    while (!List.IsEmpty() && List[0].empty())
        List.Delete(0);
}

std::string JoinKey(std::string_view Glass, std::string_view AntiReflection, std::string_view Tint,
                    std::string_view First, std::string_view Second) {
    std::string Key;
    Key.reserve(Glass.size() + AntiReflection.size() + Tint.size() + First.size() + Second.size() +
                4);
    Key.append(Glass).append(1, '\t').append(AntiReflection).append(1, '\t').append(Tint);
    Key.append(1, '\t').append(First).append(1, '\t').append(Second);
    return Key;
}

} // namespace

void BuildLensKeys(Tdex6Dataobject& Root, std::string_view Glass, TStringList& Keys) {
    const Tdex6DataBeschichtungsliste& Coatings = *Root.Beschichtungsliste();
    Keys.Clear();

    // 1. The allowed coatings and the empty entry.
    TStringList Allowed(true);
    Root.KombinationsListe()->CoatingsOfGlass(Glass, &Allowed, nullptr, nullptr, false);
    Allowed.Add("");

    // 2. and 3. The allowed coatings of each kind.
    TStringList AntiReflection(true);
    TStringList Tint(true);
    TStringList Further(true);
    FillAllowedOfKind(Coatings, Tdex6CoatingKind::AntiReflection, Allowed, AntiReflection);
    FillAllowedOfKind(Coatings, Tdex6CoatingKind::Tint, Allowed, Tint);
    FillAllowedOfKind(Coatings, Tdex6CoatingKind::Other, Allowed, Further);

    // 4. Every choice of each kind, the further coatings as an unordered pair.
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
                    Keys.Add(JoinKey(Glass, A.Text, T.Text, P1, P2));
                }
            }
        }
    }
}

void EvaluateCombinations(Tdex6Dataobject& Root, TStringList& Rows) {
    Rows.Clear();
    EvaluateCombinations(Root, [&Rows](const TStringList& LensRows) { Rows.AddStrings(LensRows); });
}

void EvaluateCombinations(Tdex6Dataobject& Root, const TLensRowsSink& Sink) {
    const TKombiProgress& Progress = Root.OnKombiProgress();
    const Tdex6DataKombinationsListe& Rules = *Root.KombinationsListe();

    // 2.
    TStringList Lenses;
    Root.Glasliste()->GetCodes(Lenses, false, AllMaterials,
                               TSmallSet<Tdex6LensKind>{Tdex6LensKind::Einstaerken,
                                                        Tdex6LensKind::Bifo, Tdex6LensKind::Trifo,
                                                        Tdex6LensKind::Gleitsicht,
                                                        Tdex6LensKind::Office},
                               "", 0);

    // 3. Counting pass.
    TStringList Keys(true);
    std::int64_t AllTotal = 0;
    for (const auto& Lens : Lenses) {
        BuildLensKeys(Root, Lens.Text, Keys);
        AllTotal += Keys.Count();
        if (Progress)
            Progress(Root, "", 0, 0, 0, AllTotal, 0, 0);
    }

    // 4. Testing pass.
    std::int64_t AllTested = 0;
    std::int64_t AllDeliverable = 0;
    TStringList Pair(true);
    TStringList Deliverable;
    TStringList Problems;
    TStringList Required;
    for (const auto& Lens : Lenses) {
        Deliverable.Clear();
        BuildLensKeys(Root, Lens.Text, Keys);
        for (int K = 0; K < Keys.Count(); ++K) {
            const std::string& Key = Keys[K];
            Pair.Clear();
            for (int Field = 2; Field <= 5; ++Field)
                Pair.Add(GetField(Key, "\t", Field));
            RemoveLeadingEmpty(Pair);
            ++AllTested;
            if (Rules.CheckCombination(GetField(Key, "\t", 1), Pair, Problems, &Required) != 0)
                continue;
            Deliverable.Add(Key);
            ++AllDeliverable;
            if (Progress)
                Progress(Root, Lens.Text, Keys.Count(), K + 1, Deliverable.Count(), AllTotal,
                         AllTested, AllDeliverable);
        }
        Sink(Deliverable);
    }
}

} // namespace kr6
