#include "tools/DemoGenerator.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

// The combination rules of a made-up list.

namespace kr6::demo {

// Rules of the whole list: photochromic coatings never with a tint, mirrors and
// back-side coatings never alone.
void TDemoGenerator::GlobalRules(std::vector<TRule>& Rules) const {
    const std::string Any(AnyCode);
    for (const TCoating& Coating : FCoatings) {
        const TCoatingType& Type = *Coating.Type;
        if (Type.Photochromic)
            Rules.push_back({Any, NotDeliverable, Coating.Code, "TN****", Any});
        else if (Type.Mirror || Type.AntiReflection == 9)
            Rules.push_back({Any, NotDeliverable, Coating.Code, "", ""});
    }
}

// Rules by lens pattern: kinds of lenses that exclude a kind of coating, the clearing
// rules, UV protection for every progressive family (ignored where the material has
// none; it sorts after the family's clearing rule) and the forbidden pair of each
// family.
void TDemoGenerator::FamilyRules(std::vector<TRule>& Rules) const {
    const std::string Any(AnyCode);
    Rules.push_back({"B*****", NotDeliverable, "TNVL**", Any, Any});
    Rules.push_back({"O*****", NotDeliverable, "ARRS**", Any, Any});
    Rules.push_back({"*S****", NotDeliverable, "VS****", Any, Any});
    const auto UV = std::find_if(FCoatings.begin(), FCoatings.end(),
                                 [](const TCoating& Coating) { return Coating.Type->UV; });
    for (const TFamily& Family : FFamilies) {
        if (Family.Count == 0)
            continue;
        if (Family.Cleared)
            Rules.push_back({Family.Pattern, NotDeliverable, Any, Any, Any});
        if (Family.Kind == 'G' && UV != FCoatings.end())
            Rules.push_back({Family.Pattern, Deliverable, UV->Code, Any, Any});
        if (!Family.PairAntiReflection.empty())
            Rules.push_back({Family.Pattern, NotDeliverable, Family.PairAntiReflection,
                             Family.PairFurther, Any});
    }
}

TDemoGenerator::TLensPicks TDemoGenerator::Pick(const TLens& Lens) {
    TLensPicks Picks;
    std::unordered_set<int> Taken;
    const auto Draw = [&](TCoatingKind Kind, int Count, std::vector<std::string>& Into,
                          bool NoBackSide) {
        std::vector<int> Pool;
        for (int C : Candidates(Lens, Kind))
            if (const TCoatingType& Type = *FCoatings[static_cast<std::size_t>(C)].Type;
                !Taken.count(C) && !ExcludedByPattern(Lens.Line->Kind, Lens.Mat->Letter, Type) &&
                !(NoBackSide && Type.AntiReflection == 9))
                Pool.push_back(C);
        for (int K = 0; K < Count && !Pool.empty(); ++K) {
            const auto At = Pool.begin() + FRandom.Below(Pool.size());
            Taken.insert(*At);
            Into.push_back(FCoatings[static_cast<std::size_t>(*At)].Code);
            Pool.erase(At);
            NoBackSide = false;
        }
    };
    const TFamily& Family = FFamilies[static_cast<std::size_t>(Lens.Family)];
    Draw(TCoatingKind::AntiReflection, 1, Picks.AntiReflection, true);
    const bool LiftsPair = Lens.Serial == 1 && !Family.PairAntiReflection.empty() &&
                           !Picks.AntiReflection.empty() &&
                           Picks.AntiReflection[0] != Family.PairAntiReflection;
    if (LiftsPair) {
        for (std::size_t C = 0; C < FCoatings.size(); ++C)
            if (FCoatings[C].Code == Family.PairAntiReflection ||
                FCoatings[C].Code == Family.PairFurther)
                Taken.insert(static_cast<int>(C));
        Picks.AntiReflection.push_back(Family.PairAntiReflection);
        Picks.LiftAntiReflection = Family.PairAntiReflection;
        Picks.LiftFurther = Family.PairFurther;
    }
    Draw(TCoatingKind::AntiReflection, LiftsPair ? 0 : 1, Picks.AntiReflection, false);
    Draw(TCoatingKind::Further, 1, Picks.Further, false);
    if (LiftsPair)
        Picks.Further.push_back(Family.PairFurther);
    Draw(TCoatingKind::Further, LiftsPair ? 1 : 2, Picks.Further, false);
    Draw(TCoatingKind::Tint, 2, Picks.Tint, false);
    for (TCoatingKind Kind :
         {TCoatingKind::AntiReflection, TCoatingKind::Tint, TCoatingKind::Further})
        Draw(Kind, static_cast<int>(FCoatings.size()), Picks.Other, false);
    // Random order for the rest, so that extra rules spread over all kinds.
    for (std::size_t K = Picks.Other.size(); K > 1; --K)
        std::swap(Picks.Other[K - 1], Picks.Other[static_cast<std::size_t>(FRandom.Below(K))]);
    return Picks;
}

// The rules of one lens, most important first: its anti-reflection coating (every
// seventh lens is deliverable only with it), a further coating and a tint (every
// fifth lens names the tint with blank slots, for the tint alone). Then, in an order
// that turns from lens to lens, the other kinds of rule, and at last more coatings.
std::vector<TRule> TDemoGenerator::LensRules(const TLens& Lens, std::size_t Index,
                                             const TLensPicks& Picks) const {
    const std::string Any(AnyCode);
    const auto& A = Picks.AntiReflection;
    const auto& T = Picks.Tint;
    const auto& F = Picks.Further;
    std::vector<TRule> Essential;
    if (!A.empty()) {
        if (Index % 7 == 3)
            Essential.push_back(
                {Lens.Code, OnlyDeliverable, A[0], Index % 14 == 3 ? "" : Any, Any});
        else
            Essential.push_back({Lens.Code, Deliverable, A[0], Any, Any});
    }
    if (!F.empty())
        Essential.push_back({Lens.Code, Deliverable, F[0], Any, Any});
    if (!T.empty()) {
        if (Index % 5 == 1)
            Essential.push_back({Lens.Code, Deliverable, T[0], "", ""});
        else
            Essential.push_back({Lens.Code, Deliverable, T[0], Any, Any});
    }
    if (A.size() > 1)
        Essential.push_back({Lens.Code, Deliverable, A[1], Any, Any});
    if (!Picks.LiftAntiReflection.empty())
        Essential.push_back(
            {Lens.Code, Deliverable, Picks.LiftAntiReflection, Picks.LiftFurther, Any});

    std::vector<std::vector<TRule>> Optional(8);
    if (!A.empty() && !T.empty())
        Optional[0].push_back({Lens.Code, NotDeliverable, A[0], T[0], Any});
    Optional[1].push_back({Lens.Code, NotDeliverable, "VS****", "AR****", Any});
    if (!Picks.Other.empty())
        Optional[2].push_back({Lens.Code, NotDeliverable, Picks.Other[0], Any, Any});
    if (A.size() > 1 && F.size() > 1 && Picks.LiftAntiReflection.empty())
        Optional[3].push_back({Lens.Code, Deliverable, A[1], F[1], Any});
    if (F.size() > 1)
        Optional[4].push_back({Lens.Code, NotDeliverable, F[0], F[1], ""});
    if (F.size() > 1)
        Optional[5].push_back({Lens.Code, Deliverable, F[1], Any, Any});
    if (T.size() > 1)
        Optional[6].push_back({Lens.Code, Deliverable, T[1], Any, Any});
    if (F.size() > 2)
        Optional[7].push_back({Lens.Code, Deliverable, F[2], Any, Any});

    std::vector<TRule> Rules = Essential;
    for (std::size_t K = 0; K < Optional.size(); ++K)
        for (const TRule& Rule : Optional[(Index + K) % Optional.size()])
            Rules.push_back(Rule);
    for (std::size_t K = 1; K < Picks.Other.size(); ++K)
        Rules.push_back({Lens.Code, Deliverable, Picks.Other[K], Any, Any});
    return Rules;
}

std::vector<std::string> TDemoGenerator::Combinations() {
    std::vector<TRule> Rules;
    GlobalRules(Rules);
    FamilyRules(Rules);
    if (Rules.size() > static_cast<std::size_t>(FSize.Rules))
        Rules.resize(static_cast<std::size_t>(FSize.Rules));

    // The budget left is shared evenly; what a lens cannot use passes to the next.
    const long long LensCount = static_cast<long long>(FLenses.size());
    const long long Budget = FSize.Rules - static_cast<long long>(Rules.size());
    long long Carry = 0;
    for (long long I = 0; I < LensCount; ++I) {
        const TLens& Lens = FLenses[static_cast<std::size_t>(I)];
        const TLensPicks Picks = Pick(Lens);
        std::vector<TRule> Own = LensRules(Lens, static_cast<std::size_t>(I), Picks);
        const long long Share = Budget / LensCount + (I < Budget % LensCount ? 1 : 0) + Carry;
        const long long Used = std::min<long long>(Share, static_cast<long long>(Own.size()));
        Rules.insert(Rules.end(), Own.begin(), Own.begin() + Used);
        Carry = Share - Used;
    }

    std::vector<std::string> Lines;
    Lines.reserve(Rules.size());
    for (const TRule& Rule : Rules) {
        using R = TKr6DataCombination;
        TKr6LineWriter<kr6_layouts::Combination> Line;
        Line.Set<&R::LensCode>(Rule.Lens)
            .Set<&R::Delivery>(Rule.Delivery)
            .Set<&R::OptionCode1>(Rule.Slot1)
            .Set<&R::OptionCode2>(Rule.Slot2)
            .Set<&R::OptionCode3>(Rule.Slot3);
        Lines.push_back(Line.Line());
    }
    return Lines;
}

} // namespace kr6::demo
