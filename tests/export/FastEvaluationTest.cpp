#include "export/EvaluateCombinations.h"

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
#include <random>
#include <string>
#include <vector>

namespace kr6 {
namespace {

using M = Tdex6Material;
using D = Tdex6Delivery;

// Small pools so that models share codes, differ in letter case only ("\xE4" and "\xC4"
// are one letter for the sorted lists but not for the code lookups), exceed six characters
// or end in a blank. The odd codes split or reorder key fields and send their lenses to
// the literal evaluation.
const std::vector<std::string> CoatingPool = {
    "AR",    "ar",    "AR2", "HC", "hc", "HC1",     "UV",      "T1",  "t1",   "BR",
    "\xE4X", "\xC4X", "Z1",  "z1", "P3", "ABCDEFG", "ABCDEFH", "AR ", "X\x1F"};
const std::vector<std::string> OddCoatingPool = {"A\tB", "C\x05"};
const std::vector<std::string> LensPool = {"L1",    "l1",    "L2",        "12AB",     "12CD",
                                           "\xE4L", "\xC4L", "LONGLENS1", "LONGLENS2"};
const std::vector<std::string> OddLensPool = {"L\t1", "L\x01"};
const std::vector<std::string> PatternPool = {"******", "L*", "*1", "12****", "QQ", "l*****"};
const std::vector<std::string> SlotPool = {"A*****", "*R", "H*", "a*", "", "  ", "QQ"};

class TRandom {
public:
    explicit TRandom(std::uint32_t Seed) : FEngine(Seed) {}

    int Below(int N) { return static_cast<int>(FEngine() % static_cast<std::uint32_t>(N)); }
    bool Chance(int Percent) { return Below(100) < Percent; }
    const std::string& Pick(const std::vector<std::string>& Pool) {
        return Pool[static_cast<std::size_t>(Below(static_cast<int>(Pool.size())))];
    }
    // The same code, its letters' case changed at random.
    std::string Recase(std::string Code) {
        for (char& C : Code) {
            if (!Chance(30))
                continue;
            if (C >= 'a' && C <= 'z')
                C = static_cast<char>(C - 'a' + 'A');
            else if (C >= 'A' && C <= 'Z')
                C = static_cast<char>(C - 'A' + 'a');
            else if (C == '\xE4')
                C = '\xC4';
            else if (C == '\xC4')
                C = '\xE4';
        }
        return Code;
    }

private:
    std::mt19937 FEngine;
};

void BuildRandomModel(std::uint32_t Seed, Tdex6Dataobject& Root) {
    TRandom Random(Seed);
    std::vector<std::string> LensCodes;
    std::vector<std::string> CoatingCodes;

    const int Lenses = 1 + Random.Below(4);
    for (int I = 0; I < Lenses; ++I) {
        Tdex6DataGlas& Glass = *Root.Glasliste()->NewGlas();
        Glass.SetEDV(Random.Chance(4) ? Random.Pick(OddLensPool) : Random.Pick(LensPool));
        Glass.MAT = static_cast<M>(Random.Chance(15) ? 0 : 1 + Random.Below(4));
        LensCodes.push_back(Glass.EDV());
    }

    const int Coatings = 1 + Random.Below(8);
    for (int I = 0; I < Coatings; ++I) {
        Tdex6DataBeschichtung& Coating = *Root.Beschichtungsliste()->NewItem();
        Coating.SetEDV(Random.Chance(3) ? Random.Pick(OddCoatingPool) : Random.Pick(CoatingPool));
        for (int Material = 1; Material <= 4; ++Material) {
            if (Random.Chance(65))
                Coating.MAT.Include(static_cast<M>(Material));
        }
        const int Kind = Random.Below(100);
        if (Kind < 35 || Kind >= 90)
            Coating.ET = static_cast<Tdex6AntiReflection>(1 + Random.Below(4));
        if ((Kind >= 35 && Kind < 55) || Kind >= 90)
            Coating.FA = static_cast<Tdex6Tint>(1 + Random.Below(5));
        Coating.HA = Random.Chance(25);
        Coating.UV = Random.Chance(15);
        Coating.PH = Random.Chance(5);
        CoatingCodes.push_back(Coating.EDV());
    }

    const auto LensSlot = [&] {
        return Random.Chance(60) ? Random.Recase(LensCodes[static_cast<std::size_t>(
                                       Random.Below(static_cast<int>(LensCodes.size())))])
                                 : Random.Pick(Random.Chance(70) ? PatternPool : LensPool);
    };
    const auto CoatingSlot = [&]() -> std::string {
        const int Choice = Random.Below(100);
        if (Choice < 40)
            return std::string(AnyCode);
        if (Choice < 75)
            return Random.Recase(CoatingCodes[static_cast<std::size_t>(
                Random.Below(static_cast<int>(CoatingCodes.size())))]);
        return Random.Pick(Choice < 85 ? CoatingPool : SlotPool);
    };

    Tdex6DataKombinationsListe& RuleList = *Root.KombinationsListe();
    RuleList.SetSortEnabled(false);
    struct TRuleText {
        std::string Glass, C1, C2, C3;
    };
    std::vector<TRuleText> Added;
    const int Rules = Random.Below(16);
    for (int I = 0; I < Rules; ++I) {
        TRuleText Text{LensSlot(), CoatingSlot(), CoatingSlot(), CoatingSlot()};
        // Often a rule answers an earlier one for the same set, its codes written in
        // another case and its slots in another order.
        if (!Added.empty() && Random.Chance(30)) {
            const TRuleText& Earlier =
                Added[static_cast<std::size_t>(Random.Below(static_cast<int>(Added.size())))];
            Text = {Random.Recase(Earlier.Glass), Random.Recase(Earlier.C3),
                    Random.Recase(Earlier.C1), Random.Recase(Earlier.C2)};
        }
        Added.push_back(Text);
        const auto& [Glass, C1, C2, C3] = Text;
        const auto LB = static_cast<D>(Random.Below(3));
        if (Random.Chance(70)) {
            RuleList.AddRule(Glass, C1, C2, C3, LB);
        } else {
            // Bypasses the duplicate check of AddRule.
            Tdex6DataKombination& Rule = *RuleList.NewRule();
            Rule.SetGE(Glass);
            Rule.SetB1E(C1);
            Rule.SetB2E(C2);
            Rule.SetB3E(C3);
            Rule.SetLB(LB);
        }
    }
    RuleList.SetSortEnabled(true);
}

std::string Visible(std::string_view Text) {
    std::string Result = "\"";
    for (const char C : Text) {
        const auto Byte = static_cast<unsigned char>(C);
        if (Byte < 0x20 || Byte >= 0x7F) {
            static const char Hex[] = "0123456789ABCDEF";
            Result += "\\x";
            Result += Hex[Byte >> 4];
            Result += Hex[Byte & 15];
        } else {
            Result += C;
        }
    }
    return Result + "\"";
}

// The model as text, to find the cause of a difference.
std::string Describe(const Tdex6Dataobject& Root) {
    std::string Text;
    for (const auto& Glass : *Root.Glasliste())
        Text += "lens " + Visible(Glass->EDV()) + " MAT " +
                std::to_string(static_cast<int>(Glass->MAT)) + "\n";
    for (const auto& Coating : *Root.Beschichtungsliste())
        Text += "coating " + Visible(Coating->EDV()) + " MAT " +
                std::to_string(Coating->MAT.Bits()) + " ET " +
                std::to_string(static_cast<int>(Coating->ET)) + " FA " +
                std::to_string(static_cast<int>(Coating->FA)) + (Coating->HA ? " HA" : "") +
                (Coating->UV ? " UV" : "") + (Coating->PH ? " PH" : "") + "\n";
    for (const auto& Rule : *Root.KombinationsListe())
        Text += "rule " + Visible(Rule->GE()) + " LB " +
                std::to_string(static_cast<int>(Rule->LB())) + " " + Visible(Rule->B1E()) + " " +
                Visible(Rule->B2E()) + " " + Visible(Rule->B3E()) + "\n";
    return Text;
}

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
    Root.SetKombiProgress([&Result](Tdex6Dataobject& Sender, std::string_view Lens, std::int64_t LT,
                                    std::int64_t LTe, std::int64_t LD, std::int64_t AT,
                                    std::int64_t ATe, std::int64_t AD) {
        Result.Calls.push_back({&Sender, std::string(Lens), {LT, LTe, LD, AT, ATe, AD}});
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
