#include "export/EvaluateCombinations.h"

#include "helpers/RandomModel.h"

#include "export/EvaluationLists.h"
#include "export/LiteralEvaluation.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "model/RuleCodes.h"
#include "support/Conversions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace kr6 {
namespace {

using M = Tdex6Material;
using D = Tdex6Delivery;
using test::BuildRandomModel;
using test::Describe;
using test::Visible;

struct TProgressCall {
    const Tdex6Dataobject* Sender = nullptr;
    std::string Lens;
    std::array<std::int64_t, 6> Counts{};
    bool operator==(const TProgressCall&) const = default;
};

std::string Describe(const TProgressCall& Call) {
    std::string Text = Visible(Call.Lens);
    for (const std::int64_t N : Call.Counts)
        Text += " " + std::to_string(N);
    return Text;
}

struct TRun {
    std::string Rows;
    std::vector<TProgressCall> Calls;
};

TRun Evaluate(Tdex6Dataobject& Root, TEvaluationOptions Options) {
    TRun Result;
    Root.SetKombiProgress([&Result](Tdex6Dataobject& Sender, const TKombiCounts& C) {
        Result.Calls.push_back({&Sender,
                                std::string(C.Lens),
                                {C.LensTotal, C.LensTested, C.LensDeliverable, C.AllTotal,
                                 C.AllTested, C.AllDeliverable}});
    });
    TStringList Rows;
    EvaluateCombinations(Root, Rows, Options);
    Result.Rows = Rows.Text();
    return Result;
}

// Where two runs first differ; empty when they agree.
std::string FirstDifference(const TRun& Expected, const TRun& Actual) {
    if (Expected.Rows != Actual.Rows)
        return "rows\n" + Visible(Expected.Rows) + "\n" + Visible(Actual.Rows);
    const std::size_t Common = std::min(Expected.Calls.size(), Actual.Calls.size());
    for (std::size_t I = 0; I < Common; ++I) {
        if (!(Expected.Calls[I] == Actual.Calls[I]))
            return "progress call " + std::to_string(I) + ": " + Describe(Expected.Calls[I]) +
                   " / " + Describe(Actual.Calls[I]);
    }
    if (Expected.Calls.size() != Actual.Calls.size())
        return "progress calls " + std::to_string(Expected.Calls.size()) + " / " +
               std::to_string(Actual.Calls.size());
    return {};
}

// How the literal check decides the keys of the generated models, so that the comparison
// cannot pass on models that exercise nothing.
struct TOutcomes {
    int Deliverable = 0;
    int Undeliverable = 0;
    int RequiredMissing = 0; // a "nur lieferbar" rule exists and none matched
    int RequiredMatched = 0; // deliverable through a matching "nur lieferbar" rule
    int ForbiddenSet = 0;    // only a "nicht lieferbar" rule for a set stands against it
    int Lifted = 0;          // deliverable although a "nicht lieferbar" rule names it
    int FeatureClash = 0;    // two coatings share a feature
    int LiteralLenses = 0;   // lenses left to the literal evaluation
    int LensesWithoutCoatings = 0;
};

// A key whose codes hold a tab or a byte that sorts below it.
bool BreaksFields(std::string_view Key) {
    return std::count(Key.begin(), Key.end(), '\t') != 4 ||
           std::any_of(Key.begin(), Key.end(),
                       [](char C) { return static_cast<unsigned char>(C) < '\t'; });
}

void CountOutcomes(const Tdex6Dataobject& Root, TOutcomes& Outcomes) {
    const Tdex6DataKombinationsListe& Rules = *Root.KombinationsListe();
    const Tdex6DataBeschichtungsliste& Coatings = *Root.Beschichtungsliste();
    TStringList Lenses;
    ListEvaluatedLenses(Root, Lenses);
    for (const auto& Lens : Lenses) {
        TStringList Keys(true);
        BuildLensKeys(Root, Lens.Text, Keys);
        Outcomes.LensesWithoutCoatings += Keys.Count() == 1 ? 1 : 0;
        if (std::any_of(Keys.begin(), Keys.end(),
                        [](const auto& Key) { return BreaksFields(Key.Text); })) {
            ++Outcomes.LiteralLenses;
            continue;
        }
        TStringList Allowed(true);
        TStringList Disallowed(true);
        Rules.CoatingsOfGlass(Lens.Text, &Allowed, &Disallowed, nullptr, true);
        TKombinationRefs LensRules;
        Rules.RulesOfGlass(Lens.Text, LensRules);
        for (const auto& Key : Keys) {
            TStringList Set(true);
            for (int Field = 2; Field <= 5; ++Field) {
                if (const std::string_view Code = GetField(Key.Text, "\t", Field); !Code.empty())
                    Set.Add(Code);
            }
            TStringList Problems;
            TStringList Required;
            const bool Deliverable =
                Rules.CheckCombination(Lens.Text, Set, Problems, &Required) == 0;
            const bool AnyDisallowed = std::any_of(
                Set.begin(), Set.end(), [&](const auto& C) { return Disallowed.Contains(C.Text); });
            bool Clash = false;
            for (int I = 0; I < Set.Count(); ++I) {
                for (int J = I + 1; J < Set.Count(); ++J) {
                    const auto* A = Coatings.FindByEDV(Set[I]);
                    const auto* B = Coatings.FindByEDV(Set[J]);
                    Clash = Clash || (A != nullptr && B != nullptr && !IsCompatible(*A, *B));
                }
            }
            const auto MatchingRule = [&](D LB, int NamedSlots) {
                return std::any_of(LensRules.begin(), LensRules.end(), [&](const auto* Rule) {
                    int Named = 0;
                    for (int K = 1; K <= 3; ++K) {
                        const std::string& Slot = Rule->CoatingSlot(K);
                        Named += !HasWildcard(Slot) && !IsBlankSlot(Slot) ? 1 : 0;
                    }
                    return Rule->LB() == LB && Named >= NamedSlots && Rule->MatchesCoatings(Set);
                });
            };
            (Deliverable ? Outcomes.Deliverable : Outcomes.Undeliverable) += 1;
            Outcomes.RequiredMissing += Required.IsEmpty() ? 0 : 1;
            Outcomes.RequiredMatched += Deliverable && MatchingRule(D::NurLieferbar, 1) ? 1 : 0;
            Outcomes.Lifted += Deliverable && MatchingRule(D::NichtLieferbar, 1) ? 1 : 0;
            Outcomes.FeatureClash += Clash ? 1 : 0;
            Outcomes.ForbiddenSet += !Deliverable && !AnyDisallowed && !Clash &&
                                             Required.IsEmpty() &&
                                             MatchingRule(D::NichtLieferbar, 2)
                                         ? 1
                                         : 0;
        }
    }
}

void ExpectEnginesAgree(Tdex6Dataobject& Root) {
    const TRun Literal = Evaluate(Root, {TEvaluationEngine::Literal, 1});
    for (const unsigned Threads : {1U, 3U})
        EXPECT_EQ(FirstDifference(Literal, Evaluate(Root, {TEvaluationEngine::Fast, Threads})), "")
            << Threads << " threads\n"
            << Describe(Root);
}

bool HasRow(Tdex6Dataobject& Root, std::string_view Row) {
    TStringList Rows;
    EvaluateCombinations(Root, Rows, {TEvaluationEngine::Literal, 1});
    return std::any_of(Rows.begin(), Rows.end(), [&](const auto& R) { return R.Text == Row; });
}

// Two cases random models rarely build: a "lieferbar" rule lifts a problem only for a
// coating whose code it names letter for letter ("\xC4" is not "\xE4" there), and a
// matching "nicht lieferbar" rule withdraws what an earlier "nur lieferbar" rule offers.
TEST(FastEvaluationTest, AgreesWhereRulesLiftAndWithdraw) {
    const TMaterialSet K{M::Kunststoff};
    {
        Tdex6Dataobject Root;
        Root.Glasliste()->NewGlas()->SetEDV("L1");
        Root.Glasliste()->Items(0)->MAT = M::Kunststoff;
        for (const char* Code : {"\xE4X", "HC"}) {
            Tdex6DataBeschichtung& Coating = *Root.Beschichtungsliste()->NewItem();
            Coating.SetEDV(Code);
            Coating.MAT = K;
        }
        Tdex6DataKombinationsListe& Rules = *Root.KombinationsListe();
        Rules.AddRule("L1", "\xE4X", "HC", "******", D::NichtLieferbar);
        Rules.AddRule("L1", "\xC4X", "HC", "******", D::Lieferbar);
        Rules.SetSortEnabled(true);
        EXPECT_FALSE(HasRow(Root, "L1\t\t\tHC\t\xE4X"));
        ExpectEnginesAgree(Root);
    }
    {
        Tdex6Dataobject Root;
        Root.Glasliste()->NewGlas()->SetEDV("L1");
        Root.Glasliste()->Items(0)->MAT = M::Kunststoff;
        for (const char* Code : {"HC", "UV", "BR"}) {
            Tdex6DataBeschichtung& Coating = *Root.Beschichtungsliste()->NewItem();
            Coating.SetEDV(Code);
            Coating.MAT = Code[0] == 'B' ? TMaterialSet{M::Silikat} : K;
        }
        Tdex6DataKombinationsListe& Rules = *Root.KombinationsListe();
        Rules.AddRule("******", "HC", "UV", "BR", D::NurLieferbar);
        Rules.AddRule("L1", "HC", "UV", "******", D::NichtLieferbar);
        Tdex6DataKombination& Lift = *Rules.NewRule();
        Lift.SetGE("L1");
        Lift.SetB1E("UV");
        Lift.SetB2E("HC");
        Lift.SetLB(D::Lieferbar);
        Rules.SetSortEnabled(true);
        EXPECT_TRUE(HasRow(Root, "L1\t\t\tHC\tUV"));
        ExpectEnginesAgree(Root);
    }
}

TEST(FastEvaluationTest, AgreesWithTheLiteralEvaluationOnRandomModels) {
    constexpr std::uint32_t Models = 250;
    TOutcomes Outcomes;
    for (std::uint32_t Seed = 1; Seed <= Models; ++Seed) {
        Tdex6Dataobject Root;
        BuildRandomModel(Seed, Root);
        CountOutcomes(Root, Outcomes);

        const TRun Literal = Evaluate(Root, {TEvaluationEngine::Literal, 1});
        for (const unsigned Threads : {1U, 3U}) {
            const TRun Fast = Evaluate(Root, {TEvaluationEngine::Fast, Threads});
            const std::string Difference = FirstDifference(Literal, Fast);
            ASSERT_TRUE(Difference.empty())
                << "seed " << Seed << ", " << Threads << " threads: " << Difference << "\n"
                << Describe(Root);
        }
    }

    EXPECT_GT(Outcomes.Deliverable, 1000);
    EXPECT_GT(Outcomes.Undeliverable, 1000);
    EXPECT_GT(Outcomes.RequiredMissing, 100);
    EXPECT_GT(Outcomes.RequiredMatched, 50);
    EXPECT_GT(Outcomes.ForbiddenSet, 20);
    EXPECT_GT(Outcomes.Lifted, 10);
    EXPECT_GT(Outcomes.FeatureClash, 100);
    EXPECT_GT(Outcomes.LiteralLenses, 5);
    EXPECT_GT(Outcomes.LensesWithoutCoatings, 20);
}

} // namespace
} // namespace kr6
