#include "export/CombinationExplanation.h"
#include "export/EvaluateCombinations.h"

#include "helpers/RandomModel.h"

#include "export/EvaluationLists.h"
#include "export/LensOutcome.h"
#include "export/LensOverview.h"
#include "export/LiteralEvaluation.h"
#include "import/Kr6Import.h"
#include "model/Combinations.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace kr6 {
namespace {

// The rows, then every progress call as the hook received it.
std::string Evaluate(Tdex6Dataobject& Root, TEvaluationOptions Options) {
    std::string Calls;
    Root.SetKombiProgress([&](Tdex6Dataobject& Sender, const TKombiCounts& C) {
        Calls += (&Sender == &Root ? "" : "other sender ") + std::string(C.Lens);
        for (const std::int64_t N : {C.ThisLens.Total, C.ThisLens.Tested, C.ThisLens.Deliverable,
                                     C.All.Total, C.All.Tested, C.All.Deliverable})
            Calls += " " + std::to_string(N);
        Calls += "\n";
    });
    TStringList Rows;
    EvaluateCombinations(Root, Rows, Options);
    return Rows.Text() + "--\n" + Calls;
}

// Fast against literal, rows and progress calls, on one thread, on three, with the lenses
// cut into pieces of PieceKeys keys, and so with the calls made on any thread.
void ExpectFastAgrees(std::uint32_t Seeds, const test::TRandomSize& Size, std::int64_t PieceKeys) {
    for (std::uint32_t Seed = 1; Seed <= Seeds; ++Seed) {
        Tdex6Dataobject Root;
        test::BuildRandomModel(Seed, Root, Size);
        const std::string Literal = Evaluate(Root, {TEvaluationEngine::Literal, 1});
        for (const TEvaluationOptions& Fast : {TEvaluationOptions{TEvaluationEngine::Fast, 1},
                                               {TEvaluationEngine::Fast, 3},
                                               {TEvaluationEngine::Fast, 3, PieceKeys},
                                               {TEvaluationEngine::Fast, 3, PieceKeys, true}})
            ASSERT_EQ(Literal, Evaluate(Root, Fast))
                << "seed " << Seed << ", " << Fast.Threads << " threads, pieces of "
                << Fast.PieceKeys << " keys" << (Fast.CallbacksOnAnyThread ? ", any thread" : "")
                << "\n"
                << test::Describe(Root);
    }
}

// The tally of CheckAgreesWithEvaluationTest shows that these models reach every outcome;
// their lenses are cut into pieces of a few groups of keys.
TEST(FastEvaluationTest, AgreesWithTheLiteralEvaluationOnRandomModels) {
    ExpectFastAgrees(250, {}, 20);
}

// Lenses with dozens of coatings and more rules than one word of bits holds, cut into
// pieces of one group of keys each.
TEST(FastEvaluationTest, AgreesOnDeepLensesWithManyRules) {
    ExpectFastAgrees(8, {2, 32, 320}, 1);
}

// How the checked keys came out, so that neither comparison can pass on models that
// exercise nothing.
struct TTally {
    int Deliverable = 0;
    int Undeliverable = 0;
    int ForbiddenSets = 0;
    int Clashes = 0;
    int RequirementUnmet = 0;
    int RequirementMet = 0;
    int ProblemsLifted = 0;
    int BrokenFields = 0; // keys whose codes hold a tab or a byte below it: the fast engine
                          // leaves their lens to the literal evaluation
    int BareLenses = 0;   // lenses that combine with no coating
};

// Only the letters a-z: the code lookups tell "\xC4X" from "\xE4X", and the models hold
// both as different coatings. The unambiguous case has a test of its own.
std::string SwapAsciiCase(std::string Code) {
    for (char& C : Code) {
        if ((C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'))
            C = static_cast<char>(C ^ 0x20);
    }
    return Code;
}

bool HasEffect(const TCombinationExplanation& E, TRuleEffectKind Kind) {
    return std::any_of(E.Rules.begin(), E.Rules.end(), [&](const TRuleFinding& Rule) {
        return std::any_of(Rule.Effects.begin(), Rule.Effects.end(),
                           [&](const TRuleEffect& Effect) { return Effect.Kind == Kind; });
    });
}

// Every key of every lens, built from the lens's kind lists the way the evaluation builds
// them: check says deliverable exactly when the evaluation writes the row, however the
// codes are typed (other letter case, reversed, the first twice), and agrees with
// CheckCombination; the overview counts what the evaluation counts.
void ExpectCheckAgrees(const Tdex6Dataobject& Root, TTally& Tally, const std::string& Context) {
    TStringList Lenses;
    ListEvaluatedLenses(Root, Lenses);
    std::set<std::string> Done;
    for (const auto& Lens : Lenses) {
        if (!Done.insert(Lens.Text).second)
            continue;
        TLensOutcome Outcome;
        EvaluateLensLiteral(Root, Lens.Text, Outcome);
        TStringList Rows(true);
        for (const TRow& Row : Outcome.Rows)
            Rows.Add(RowText(Row));
        const TLensOverview Overview = OverviewOfLens(Root, Lens.Text);
        EXPECT_EQ(Overview.Keys, Outcome.KeyCount) << Context << test::Visible(Lens.Text);
        EXPECT_EQ(Overview.DeliverableKeys, static_cast<std::int64_t>(Outcome.Rows.Count()))
            << Context;
        Tally.BareLenses += Overview.Keys == 1 ? 1 : 0;

        TLensKindLists Lists;
        BuildLensKindLists(Root, Lens.Text, Lists);
        const auto& [AntiReflection, Tint, Further] = Lists;
        const auto CheckOne = [&](const std::string& A, const std::string& T, const std::string& P1,
                                  const std::string& P2) {
            const std::string Key = JoinCombinationKey(Lens.Text, A, T, P1, P2);
            std::vector<std::string> Coatings;
            for (const std::string* Code : {&A, &T, &P1, &P2}) {
                if (!Code->empty())
                    Coatings.push_back(*Code);
            }
            const TKeyCheck Check = CheckKey(Root, Lens.Text, Coatings);
            const bool Written = Rows.Contains(Key);
            ASSERT_FALSE(Check.Key.Key.empty()) << Context << test::Visible(Key);
            ASSERT_EQ(Check.Deliverable(), Written) << Context << test::Visible(Key);
            TStringList Problems;
            TStringList Required;
            EXPECT_EQ(Check.Explanation.Result,
                      Root.KombinationsListe()->CheckCombination(
                          Check.Key.CheckedLens, Check.Key.Coatings, Problems, &Required));
            EXPECT_EQ(Check.Explanation.Problems.Text(), Problems.Text());
            EXPECT_EQ(Check.Explanation.Required.Text(), Required.Text());

            std::vector<std::string> Retyped;
            for (auto It = Coatings.rbegin(); It != Coatings.rend(); ++It)
                Retyped.push_back(SwapAsciiCase(*It));
            if (!Coatings.empty())
                Retyped.push_back(Coatings.front());
            const TKeyCheck Again = CheckKey(Root, SwapAsciiCase(Lens.Text), Retyped);
            ASSERT_EQ(Again.Deliverable(), Written) << Context << "retyped " << test::Visible(Key);

            const TCombinationExplanation& E = Check.Explanation;
            (Written ? Tally.Deliverable : Tally.Undeliverable) += 1;
            Tally.ForbiddenSets += E.ForbiddenSets.empty() ? 0 : 1;
            Tally.Clashes += E.Clashes.empty() ? 0 : 1;
            Tally.RequirementUnmet += E.RequirementUnmet ? 1 : 0;
            Tally.RequirementMet +=
                Written && std::any_of(E.Rules.begin(), E.Rules.end(), [](const auto& Rule) {
                    return Rule.Matches && Rule.Rule.LB == Tdex6Delivery::NurLieferbar;
                });
            Tally.ProblemsLifted += HasEffect(E, TRuleEffectKind::ProblemRemoved) ? 1 : 0;
            Tally.BrokenFields += std::count(Key.begin(), Key.end(), '\t') != 4 ||
                                  std::any_of(Key.begin(), Key.end(), [](char C) {
                                      return static_cast<unsigned char>(C) < '\t';
                                  });
        };
        const int FurtherCount = Further.Count();
        for (const auto& A : AntiReflection) {
            for (const auto& T : Tint) {
                for (int P1 = 0; P1 < FurtherCount; ++P1) {
                    CheckOne(A.Text, T.Text, Further[P1], "");
                    for (int P2 = P1 + 1; P1 > 0 && P2 < FurtherCount; ++P2)
                        CheckOne(A.Text, T.Text, Further[P1], Further[P2]);
                }
            }
        }
    }
}

TEST(CheckAgreesWithEvaluationTest, EveryKeyOfTheExampleList) {
    Tdex6Dataobject Root;
    LoadKr6File(Root, std::string(KR6_SOURCE_DIR) + "/examples/demo-kr6.zip");
    TTally Tally;
    ExpectCheckAgrees(Root, Tally, "example list, key ");
    EXPECT_EQ(Tally.Deliverable + Tally.Undeliverable, 1770);
    EXPECT_EQ(Tally.Deliverable, 1009);
}

TEST(CheckAgreesWithEvaluationTest, EveryKeyOfRandomModels) {
    TTally Tally;
    for (std::uint32_t Seed = 1; Seed <= 150; ++Seed) {
        Tdex6Dataobject Root;
        test::BuildRandomModel(Seed, Root);
        ExpectCheckAgrees(Root, Tally, "seed " + std::to_string(Seed) + ", key ");
        if (HasFatalFailure())
            FAIL() << test::Describe(Root);
    }
    EXPECT_GT(Tally.Deliverable, 600);
    EXPECT_GT(Tally.Undeliverable, 600);
    EXPECT_GT(Tally.ForbiddenSets, 50);
    EXPECT_GT(Tally.Clashes, 120);
    EXPECT_GT(Tally.RequirementUnmet, 400);
    EXPECT_GT(Tally.RequirementMet, 100);
    EXPECT_GT(Tally.ProblemsLifted, 70);
    EXPECT_GT(Tally.BrokenFields, 50);
    EXPECT_GT(Tally.BareLenses, 20);
}

} // namespace
} // namespace kr6
