#include "export/CombinationExplanation.h"

#include "helpers/CombinationModel.h"

#include "export/FeatureNames.h"
#include "export/LensOverview.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace kr6 {
namespace {

using test::Codes;
using test::TCombinationModel;
using D = Tdex6Delivery;
using E = TRuleEffectKind;

const TMaterialSet K{Tdex6Material::Kunststoff};
const TMaterialSet S{Tdex6Material::Silikat};

const TCoatingFinding& FindingOf(const TCombinationExplanation& Explanation,
                                 std::string_view Code) {
    for (const TCoatingFinding& Finding : Explanation.Coatings) {
        if (Finding.Code == Code)
            return Finding;
    }
    throw std::runtime_error("no finding for " + std::string(Code));
}

// The verdict's number and the rule behind it.
std::string Why(const TCoatingReason& Reason) {
    std::string Text = std::to_string(static_cast<int>(Reason.Verdict));
    if (Reason.Rule) {
        const TRuleText& Rule = *Reason.Rule;
        Text += " " + Rule.GE + " " + std::to_string(static_cast<int>(Rule.LB)) + " " +
                Rule.Slots[0] + "," + Rule.Slots[1] + "," + Rule.Slots[2];
    }
    return Text;
}
std::string Why(const TCombinationExplanation& Explanation, std::string_view Code) {
    return Why(FindingOf(Explanation, Code).Reason);
}

TEST(CombinationExplanationTest, EachCoatingNamesWhyTheLensAllowsItOrNot) {
    TCombinationModel M;
    M.Lens("L1", Tdex6Material::Kunststoff);
    M.Lens("L2", Tdex6Material::Kunststoff);
    M.AntiReflection("AR", K);
    for (const char* Code : {"HC", "XR1", "XR2"})
        M.Coating(Code, K);
    M.Coating("SIL", S);
    M.Rule("L1", "HC", "******", "******", D::NichtLieferbar);
    M.Rule("L1", "******", "XR*", "******", D::NichtLieferbar);
    M.Rule("L1", "XR2", "******", "******", D::Lieferbar);
    M.Rule("L2", "******", "******", "******", D::NichtLieferbar);
    M.Sort();

    // Verdicts: 0 allowed, 1 removed by a rule, 2 wrong material, 3 lens unknown, 4 not judged.
    const TCombinationExplanation L1 =
        ExplainCombination(M.Root, "L1", Codes({"AR", "hc", "SIL", "XR1", "XR2", "QQ"}));
    EXPECT_TRUE(L1.Lens.Found);
    EXPECT_EQ(L1.Lens.Material, Tdex6Material::Kunststoff);
    ASSERT_EQ(L1.Coatings.size(), 6U);
    EXPECT_EQ(L1.Coatings[0].Code, "AR") << "in the order of the sorted set";
    EXPECT_EQ(Why(L1, "AR"), "0");
    EXPECT_EQ(FindingOf(L1, "AR").Kinds, TCoatingKindSet{Tdex6CoatingKind::AntiReflection});
    EXPECT_EQ(Why(L1, "hc"), "1 L1 0 HC,******,******");
    EXPECT_EQ(Why(L1, "XR1"), "1 L1 0 ******,XR*,******");
    EXPECT_EQ(Why(L1, "XR2"), "0 L1 1 XR2,******,******") << "put back";
    EXPECT_EQ(Why(L1, "SIL"), "2");
    EXPECT_EQ(FindingOf(L1, "SIL").Materials, S);
    EXPECT_FALSE(FindingOf(L1, "QQ").Found);
    EXPECT_EQ(Why(L1, "QQ"), "4");

    const TCombinationExplanation L2 = ExplainCombination(M.Root, "L2", Codes({"AR", "QQ"}));
    EXPECT_EQ(Why(L2, "AR"), "1 L2 0 ******,******,******");
    EXPECT_EQ(Why(L2, "QQ"), "4") << "clearing the allowed coatings touches no unknown code";

    const TCombinationExplanation Unknown = ExplainCombination(M.Root, "NOLENS", Codes({"AR"}));
    EXPECT_FALSE(Unknown.Lens.Found);
    EXPECT_EQ(Unknown.Lens.Code, "NOLENS");
    EXPECT_EQ(Why(Unknown, "AR"), "3");
    EXPECT_EQ(Unknown.Result, 1);
}

// The rule named is the one whose step changed the coating's state: a later rule that
// takes off what is gone already, or allows what is allowed already, changes nothing.
TEST(CombinationExplanationTest, TheRuleNamedIsTheOneThatChangedTheState) {
    TCombinationModel M;
    M.Lens("LX", Tdex6Material::Kunststoff);
    M.Lens("LY", Tdex6Material::Kunststoff);
    M.AntiReflection("ADR", K);
    M.Coating("HC1", K);
    M.Rule("LX", "******", "******", "******", D::NichtLieferbar);
    M.Rule("LX*", "******", "******", "******", D::NichtLieferbar);
    M.Rule("LY", "******", "******", "******", D::NichtLieferbar);
    M.Rule("LY", "ADR", "******", "******", D::Lieferbar);
    M.Rule("LY*", "ADR", "HC1", "******", D::Lieferbar);
    M.Sort();

    const TCombinationExplanation X = ExplainCombination(M.Root, "LX", Codes({"ADR"}));
    EXPECT_EQ(Why(X, "ADR"), "1 LX 0 ******,******,******");
    const TCombinationExplanation Y = ExplainCombination(M.Root, "LY", Codes({"ADR", "HC1"}));
    EXPECT_EQ(Why(Y, "ADR"), "0 LY 1 ADR,******,******");
    EXPECT_EQ(Why(Y, "HC1"), "0 LY* 1 ADR,HC1,******");
}

TEST(CombinationExplanationTest, RulesReportWhatTheyDoInListOrder) {
    TCombinationModel M;
    M.Lens("L1", Tdex6Material::Kunststoff);
    M.AntiReflection("AR", K);
    M.Coating("HC", K);
    M.Coating("UV", K);
    M.Rule("******", "HC", "UV", "******", D::NurLieferbar);
    M.Rule("L1", "AR", "HC", "******", D::NichtLieferbar);
    M.Sort();

    const TCombinationExplanation Forbidden = ExplainCombination(M.Root, "L1", Codes({"HC", "AR"}));
    ASSERT_EQ(Forbidden.Rules.size(), 2U);
    EXPECT_EQ(Forbidden.Rules[0].Rule.GE, "******");
    EXPECT_FALSE(Forbidden.Rules[0].Matches);
    EXPECT_EQ(Forbidden.Rules[0].Effects,
              (std::vector<TRuleEffect>{{E::RequiredOffered, "HC"}, {E::RequiredOffered, "UV"}}));
    EXPECT_TRUE(Forbidden.Rules[1].Matches);
    EXPECT_EQ(Forbidden.Rules[1].Effects, (std::vector<TRuleEffect>{{E::ProblemAdded, "AR"},
                                                                    {E::ProblemAdded, "HC"},
                                                                    {E::RequiredWithdrawn, "HC"},
                                                                    {E::SetForbidden, "AR\tHC"}}));
    EXPECT_EQ(Forbidden.ForbiddenSets, std::vector<std::string>{"AR\tHC"});
    EXPECT_TRUE(Forbidden.RequirementUnmet);
    EXPECT_EQ(test::Lines(Forbidden.Problems), "AR,HC,AR,HC");
    EXPECT_EQ(test::Lines(Forbidden.Required), "UV");
    EXPECT_EQ(Forbidden.Result, 5);

    // A later "lieferbar" rule, its lens written otherwise so that it is a rule of its own,
    // lifts the problems and the forbidden set; the "nur lieferbar" rule still stands.
    M.Rule("L1 ", "hc", "******", "AR", D::Lieferbar);
    const TCombinationExplanation Lifted = ExplainCombination(M.Root, "L1", Codes({"AR", "HC"}));
    ASSERT_EQ(Lifted.Rules.size(), 3U);
    EXPECT_EQ(Lifted.Rules[2].Effects,
              (std::vector<TRuleEffect>{
                  {E::ProblemRemoved, "HC"}, {E::ProblemRemoved, "AR"}, {E::SetLifted, "AR\thc"}}));
    EXPECT_TRUE(Lifted.ForbiddenSets.empty());
    EXPECT_EQ(test::Lines(Lifted.Problems), "");
    EXPECT_EQ(test::Lines(Lifted.Required), "UV");

    const TCombinationExplanation Met = ExplainCombination(M.Root, "L1", Codes({"UV", "HC"}));
    EXPECT_TRUE(Met.Rules[0].Matches);
    EXPECT_FALSE(Met.RequirementUnmet);
    EXPECT_EQ(Met.Result, 0);
}

TEST(CombinationExplanationTest, BlankSlotsAndPatterns) {
    TCombinationModel M;
    M.Lens("L1", Tdex6Material::Kunststoff);
    M.AntiReflection("AR", K);
    M.Coating("HC", K);
    M.Rule("L1", "AR", "", "", D::NichtLieferbar);
    M.Rule("L1", "A*", "******", "H*", D::NichtLieferbar);
    M.Sort();

    // The rule with blank slots stands for AR alone and for no larger set.
    const TCombinationExplanation Alone = ExplainCombination(M.Root, "L1", Codes({"AR"}));
    ASSERT_EQ(Alone.Rules.size(), 1U);
    EXPECT_EQ(Alone.Rules[0].Rule.Slots[1], "");
    EXPECT_EQ(Alone.Rules[0].Effects,
              (std::vector<TRuleEffect>{{E::ProblemAdded, "AR"}, {E::SetForbidden, "\tAR"}}));
    EXPECT_EQ(Alone.ForbiddenSets, std::vector<std::string>{"\tAR"}) << "the blank sorts first";

    // Patterns name themselves as the problem and forbid no set of codes.
    const TCombinationExplanation Pair = ExplainCombination(M.Root, "L1", Codes({"HC", "AR"}));
    ASSERT_EQ(Pair.Rules.size(), 1U);
    EXPECT_EQ(Pair.Rules[0].Rule.Slots[0], "A*");
    EXPECT_EQ(Pair.Rules[0].Effects,
              (std::vector<TRuleEffect>{
                  {E::ProblemAdded, "A*"}, {E::ProblemAdded, "H*"}, {E::SetForbidden, ""}}));
    EXPECT_TRUE(Pair.ForbiddenSets.empty());
    EXPECT_EQ(Pair.Result, 2);
}

// The names follow the feature bits; a flag that moves in the coating class must move here.
TEST(CombinationExplanationTest, EveryExclusiveFeatureHasItsName) {
    using C = Tdex6DataBeschichtung;
    const std::pair<bool C::*, const char*> Flags[] = {
        {&C::PH, "PH"},     {&C::HA, "HA"},    {&C::CL, "CL"},     {&C::UV, "UV"},
        {&C::VS, "VS"},     {&C::ADB, "ADB"},  {&C::AAD, "AAD"},   {&C::WAL, "WAL"},
        {&C::DEZ, "DEZ"},   {&C::PRH, "PRH"},  {&C::MATT, "MATT"}, {&C::BENT, "BENT"},
        {&C::BTOR, "BTOR"}, {&C::ATOR, "ATOR"}};
    TCombinationModel M;
    C& A = M.Coating("A", K);
    C& B = M.Coating("B", K);
    EXPECT_TRUE(SharedFeatures(A, B).empty());
    for (const auto& [Flag, Name] : Flags) {
        A.*Flag = true;
        B.*Flag = true;
        const std::vector<TFeatureName> Shared = SharedFeatures(A, B);
        ASSERT_EQ(Shared.size(), 1U) << Name;
        EXPECT_EQ(Shared[0].Element, Name);
        A.*Flag = false;
        B.*Flag = false;
    }
    A.ET = Tdex6AntiReflection::EinfachET;
    B.ET = Tdex6AntiReflection::SuperET;
    ASSERT_EQ(SharedFeatures(A, B).size(), 1U);
    EXPECT_EQ(SharedFeatures(A, B)[0].Element, "ET");
}

TEST(EvaluationKeyTest, TypedCodesBecomeTheKeyElseGapsSayWhy) {
    TCombinationModel M;
    M.Lens("\xC4L", Tdex6Material::Kunststoff);
    M.Lens("EG", Tdex6Material::Egal);
    M.AntiReflection("AR", K);
    M.AntiReflection("AR2", K);
    M.Tint("T1", K);
    M.Coating("HC", K).HA = true;
    M.Coating("\xC4X", K).HA = true;
    M.Coating("HC2", K);
    M.Coating("SIL", S);
    const auto Key = [&](std::string_view Lens, const std::vector<std::string>& Coatings) {
        return FindEvaluationKey(M.Root, Lens, Coatings);
    };

    // Any letter case, Windows-1252 letters included, any order, a coating named twice.
    const TEvaluationKey Typed = Key("\xE4l", {"\xE4x", "t1", "ar", "HC", "hc", ""});
    EXPECT_TRUE(Typed.Gaps.empty());
    EXPECT_EQ(Typed.Key, "\xC4L\tAR\tT1\tHC\t\xC4X");
    EXPECT_EQ(Typed.Lens, "\xC4L");
    EXPECT_EQ(test::Lines(Typed.Coatings), "AR,HC,T1,\xC4X");
    EXPECT_EQ(Key("\xC4L", {}).Key, "\xC4L\t\t\t\t");
    EXPECT_EQ(Key("\xC4L", {"HC2"}).Key, "\xC4L\t\t\tHC2\t") << "one further coating in field 4";

    // Only the price list's spelling finds the coating, and with it the shared hard coat.
    const TKeyCheck Check = CheckKey(M.Root, "\xE4l", {"hc", "\xE4x"});
    EXPECT_FALSE(Check.Deliverable());
    ASSERT_EQ(Check.Explanation.Clashes.size(), 1U);
    EXPECT_EQ(Check.Explanation.Clashes[0].A + "+" + Check.Explanation.Clashes[0].B, "HC+\xC4X");
    ASSERT_EQ(Check.Explanation.Clashes[0].Features.size(), 1U);
    EXPECT_EQ(Check.Explanation.Clashes[0].Features[0].Element, "HA");
    EXPECT_EQ(test::Lines(Check.Explanation.Problems), "HC,\xC4X");

    using G = TKeyGap;
    using TGaps = std::vector<TKeyGapEntry>;
    const auto Gaps = [&](std::string_view Lens, const std::vector<std::string>& Coatings) {
        const TEvaluationKey Found = Key(Lens, Coatings);
        EXPECT_EQ(Found.Key, "");
        return Found.Gaps;
    };
    EXPECT_EQ(Gaps("\xC4L", {"AR", "AR2"}), (TGaps{{G::TooManyOfAKind, ""}}));
    EXPECT_EQ(Gaps("\xC4L", {"HC", "HC2", "\xC4X"}), (TGaps{{G::TooManyOfAKind, ""}}));
    EXPECT_EQ(Gaps("\xC4L", {"SIL", "QQ", "AR"}),
              (TGaps{{G::CoatingNotOffered, "QQ"}, {G::CoatingNotOffered, "SIL"}}));
    EXPECT_EQ(Gaps("NOPE", {"AR"}), (TGaps{{G::LensUnknown, "NOPE"}}));
    EXPECT_EQ(Gaps("eg", {}), (TGaps{{G::LensNotEvaluated, "EG"}}));

    // The rules alone pass SIL with a "nur lieferbar" rule, yet no row holds it.
    M.Rule("\xC4L", "SIL", "******", "******", D::NurLieferbar);
    M.Sort();
    const TKeyCheck Sil = CheckKey(M.Root, "\xC4L", {"SIL"});
    EXPECT_EQ(Sil.Explanation.Result, 0);
    EXPECT_FALSE(Sil.Deliverable());
}

TEST(LensOverviewTest, ListsWhatTheLensCombinesWithAndTheEvaluationCounts) {
    TCombinationModel M;
    M.Lens("L1", Tdex6Material::Kunststoff);
    M.Lens("EG", Tdex6Material::Egal);
    M.AntiReflection("AR", K);
    M.Tint("T1", K);
    M.Coating("HC", K).UV = true;
    M.Coating("UV", K).UV = true;
    M.Coating("GONE", K);
    M.Coating("SIL", S);
    M.Coating("P1", TMaterialSet{Tdex6Material::Silikat, Tdex6Material::Kunststoff});
    M.Rule("L1", "GONE", "******", "******", D::NichtLieferbar);
    M.Rule("L2", "AR", "******", "******", D::NichtLieferbar);
    M.Rule("L*", "T1", "******", "******", D::Lieferbar);
    M.Sort();

    const TLensOverview Overview = OverviewOfLens(M.Root, "l1");
    EXPECT_EQ(Overview.Lens.Code, "L1");
    EXPECT_TRUE(Overview.Evaluated);
    EXPECT_EQ(Overview.Allowed[0], std::vector<std::string>{"AR"});
    EXPECT_EQ(Overview.Allowed[1], std::vector<std::string>{"T1"});
    EXPECT_EQ(Overview.Allowed[2], (std::vector<std::string>{"HC", "UV"}));
    ASSERT_EQ(Overview.Disallowed.size(), 1U);
    EXPECT_EQ(Overview.Disallowed[0].Code, "GONE");
    EXPECT_EQ(Why(Overview.Disallowed[0].Reason), "1 L1 0 GONE,******,******");
    EXPECT_EQ(Overview.WrongMaterial, std::vector<std::string>{"SIL"}) << "P1 is a surcharge";
    ASSERT_EQ(Overview.Rules.size(), 2U);
    EXPECT_EQ(Overview.Rules[0].GE, "L*");
    EXPECT_EQ(Overview.Rules[1].GE, "L1");
    EXPECT_TRUE(Overview.Alone.Deliverable());

    const TLensOverview Egal = OverviewOfLens(M.Root, "EG");
    EXPECT_TRUE(Egal.Lens.Found);
    EXPECT_FALSE(Egal.Evaluated);
    EXPECT_EQ(Egal.Keys, 0);
    EXPECT_FALSE(OverviewOfLens(M.Root, "NOPE").Lens.Found);
}

} // namespace
} // namespace kr6
