#include "export/EvaluateCombinations.h"

#include "helpers/CombinationModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

using namespace test;
using M = Tdex6Material;
using D = Tdex6Delivery;

const TMaterialSet K{M::Kunststoff};

// Every test runs for the literal engine and for the fast one on one and on three threads.
class EvaluateCombinationsTest : public ::testing::TestWithParam<TEvaluationOptions> {
protected:
    TCombinationModel Model;
    // Every progress call as "lens Total,Tested,Deliverable of the lens, then of all".
    std::vector<std::string> Calls;

    EvaluateCombinationsTest() {
        Model.Root.SetKombiProgress([this](Tdex6Dataobject&, const TKombiCounts& C) {
            Calls.push_back(Call(C.Lens, C.ThisLens.Total, C.ThisLens.Tested,
                                 C.ThisLens.Deliverable, C.All.Total, C.All.Tested,
                                 C.All.Deliverable));
        });
    }

    static std::string Call(std::string_view Lens, std::int64_t LT, std::int64_t LTe,
                            std::int64_t LD, std::int64_t AT, std::int64_t ATe, std::int64_t AD) {
        std::string Text(Lens);
        for (const std::int64_t N : {LT, LTe, LD, AT, ATe, AD})
            Text += (Text.size() == Lens.size() ? " " : ",") + std::to_string(N);
        return Text;
    }

    TStringList Evaluate() {
        TStringList Rows;
        EvaluateCombinations(Model.Root, Rows, GetParam());
        return Rows;
    }
};

TEST_P(EvaluateCombinationsTest, TwoHardCoatsNeverTogether) {
    Model.Lens("L", M::Kunststoff);
    Model.AntiReflection("AR", K);
    Model.Tint("T", K);
    Model.Coating("H1", K).HA = true;
    Model.Coating("H2", K).HA = true;

    const TStringList Rows = Evaluate();
    ASSERT_EQ(Rows.Count(), 12);
    EXPECT_EQ(Rows[0], "L\t\t\t\t");
    EXPECT_EQ(Rows[1], "L\t\t\tH1\t");
    EXPECT_EQ(Rows[11], "L\tAR\tT\tH2\t");
    for (const auto& Row : Rows)
        EXPECT_EQ(Row.Text.find("H1\tH2"), std::string::npos) << Row.Text;

    // Within each choice of anti-reflection coating and tint the keys run bare, H1,
    // H1+H2, H2; the third is the undeliverable one.
    std::vector<std::string> Expected{Call("", 0, 0, 0, 16, 0, 0)};
    int Deliverable = 0;
    for (int K = 0; K < 16; ++K) {
        if (K % 4 != 2) {
            ++Deliverable;
            Expected.push_back(Call("L", 16, K + 1, Deliverable, 16, K + 1, Deliverable));
        }
    }
    EXPECT_EQ(Calls, Expected);

    // The same rows on a second run and without a hook.
    Calls.clear();
    EXPECT_EQ(Evaluate().Text(), Rows.Text());
    EXPECT_EQ(Calls, Expected);
    Model.Root.SetKombiProgress({});
    EXPECT_EQ(Evaluate().Text(), Rows.Text());
}

TEST_P(EvaluateCombinationsTest, FurtherCoatingsFillField4First) {
    Model.Lens("L", M::Kunststoff);
    Model.Coating("B", K);
    Model.Coating("a", K);
    Model.Coating("A", K); // the same coating as "a" for the evaluation

    const TStringList Rows = Evaluate();
    EXPECT_EQ(Rows.Text(), "L\t\t\t\t\r\n"
                           "L\t\t\ta\t\r\n"
                           "L\t\t\ta\tB\r\n"
                           "L\t\t\tB\t\r\n");
}

TEST_P(EvaluateCombinationsTest, LensesInGlassListOrderAndUndeliverableOnesLeftOut) {
    Model.Lens("B", M::Kunststoff);
    Model.Lens("N", M::Silikat);
    Model.Lens("A", M::Kunststoff);
    Model.Lens("B", M::Kunststoff);
    Model.Lens("E", M::Egal); // not a lens to test
    Model.Coating("X", K);
    Model.Rule("N", "QQ", "******", "******", D::NurLieferbar); // N is never deliverable
    Model.Sort();

    EXPECT_EQ(Lines(Evaluate()), "B\t\t\t\t,B\t\t\tX\t,A\t\t\t\t,A\t\t\tX\t,B\t\t\t\t,B\t\t\tX\t");
    const std::vector<std::string> Expected{
        Call("", 0, 0, 0, 2, 0, 0),  Call("", 0, 0, 0, 3, 0, 0),  Call("", 0, 0, 0, 5, 0, 0),
        Call("", 0, 0, 0, 7, 0, 0),  Call("B", 2, 1, 1, 7, 1, 1), Call("B", 2, 2, 2, 7, 2, 2),
        Call("A", 2, 1, 1, 7, 4, 3), Call("A", 2, 2, 2, 7, 5, 4), Call("B", 2, 1, 1, 7, 6, 5),
        Call("B", 2, 2, 2, 7, 7, 6)};
    EXPECT_EQ(Calls, Expected);
}

TEST_P(EvaluateCombinationsTest, RulesDecideTheRows) {
    Model.Lens("L", M::Kunststoff);
    Model.Lens("M", M::Kunststoff);
    Model.AntiReflection("AR", K);
    Model.Coating("HC", K);
    Model.Rule("L", "AR", "******", "******", D::NurLieferbar);
    Model.Rule("M", "AR", "HC", "******", D::NichtLieferbar);
    Model.Sort();
    EXPECT_EQ(Lines(Evaluate()), "L\tAR\t\t\t,L\tAR\t\tHC\t,"
                                 "M\t\t\t\t,M\t\t\tHC\t,M\tAR\t\t\t");
}

// A "lieferbar" rule lifts a problem only for a coating whose code it names letter for
// letter ("\xC4X" is not "\xE4X" there).
TEST_P(EvaluateCombinationsTest, LiftingNeedsTheExactCode) {
    Model.Lens("L1", M::Kunststoff);
    Model.Coating("\xE4X", K);
    Model.Coating("HC", K);
    Model.Rule("L1", "\xE4X", "HC", "******", D::NichtLieferbar);
    Model.Rule("L1", "\xC4X", "HC", "******", D::Lieferbar);
    Model.Sort();
    EXPECT_EQ(Lines(Evaluate()), "L1\t\t\t\t,L1\t\t\tHC\t,L1\t\t\t\xE4X\t");
}

// A matching "nicht lieferbar" rule withdraws what an earlier "nur lieferbar" rule offers,
// and a later "lieferbar" rule with a blank slot lifts it again.
TEST_P(EvaluateCombinationsTest, WithdrawnOfferLiftedAgain) {
    Model.Lens("L1", M::Kunststoff);
    Model.Coating("HC", K);
    Model.Coating("UV", K);
    Model.Coating("BR", TMaterialSet{M::Silikat});
    Model.Rule("******", "HC", "UV", "BR", D::NurLieferbar);
    Model.Rule("L1", "HC", "UV", "******", D::NichtLieferbar);
    Tdex6DataKombination& Lift = *Model.Rules().NewRule();
    Lift.SetGE("L1");
    Lift.SetB1E("UV");
    Lift.SetB2E("HC");
    Lift.SetLB(D::Lieferbar);
    Model.Sort();
    EXPECT_EQ(Lines(Evaluate()), "L1\t\t\tHC\tUV");
}

INSTANTIATE_TEST_SUITE_P(Engines, EvaluateCombinationsTest,
                         ::testing::Values(TEvaluationOptions{TEvaluationEngine::Literal, 1},
                                           TEvaluationOptions{TEvaluationEngine::Fast, 1},
                                           TEvaluationOptions{TEvaluationEngine::Fast, 3}),
                         [](const ::testing::TestParamInfo<TEvaluationOptions>& Info) {
                             return Info.param.Engine == TEvaluationEngine::Literal
                                        ? std::string("Literal")
                                        : "Fast" + std::to_string(Info.param.Threads) + "Threads";
                         });

} // namespace
} // namespace kr6
