#include "model/Combinations.h"

#include "helpers/CombinationModel.h"
#include "helpers/ElementTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

using test::Codes;
using test::Lines;
using test::TCombinationModel;

const TMaterialSet K{Tdex6Material::Kunststoff};
const TMaterialSet S{Tdex6Material::Silikat};
const TMaterialSet AllMaterials{Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                Tdex6Material::Polycarbonat, Tdex6Material::Trivex};

Tdex6DataKombination& MakeRule(Tdex6DataKombinationsListe& List, std::string_view GE,
                               std::string_view B1, std::string_view B2, std::string_view B3,
                               Tdex6Delivery LB = Tdex6Delivery::NichtLieferbar) {
    Tdex6DataKombination& Rule = *List.NewRule();
    Rule.SetGE(GE);
    Rule.SetB1E(B1);
    Rule.SetB2E(B2);
    Rule.SetB3E(B3);
    Rule.SetLB(LB);
    return Rule;
}

std::vector<std::string> KeysOf(const Tdex6DataKombinationsListe& List) {
    std::vector<std::string> Keys;
    for (const auto& Rule : List)
        Keys.push_back(Rule->GE() + "|" + std::to_string(Code(Rule->LB())) + "|" + Rule->B1E() +
                       "|" + Rule->B2E() + "|" + Rule->B3E());
    return Keys;
}

TEST(Kombination, NewRuleHasDefaultsAndMarksTheModel) {
    TCombinationModel M;
    Tdex6DataKombination& Rule = *M.Rules().NewRule();
    EXPECT_EQ(KeysOf(M.Rules()), std::vector<std::string>{"******|0|******|******|******"});
    EXPECT_GT(Rule.OID(), 0);
    EXPECT_TRUE(M.Root.Modified());
    EXPECT_FALSE(M.Rules().SortEnabled());
    EXPECT_EQ(M.Rules().GetItem(0), &Rule);
    EXPECT_EQ(M.Rules().GetItem(1), nullptr);
    EXPECT_EQ(M.Rules().GetItem(-1), nullptr);
}

TEST(Kombination, SlotQueries) {
    TCombinationModel M;
    Tdex6DataKombination& Rule = MakeRule(M.Rules(), "L1", "******", "AR", "  ");
    EXPECT_EQ(Rule.CoatingSlot(2), "AR");
    EXPECT_EQ(Rule.CoatingSlot(0), "");
    EXPECT_EQ(Rule.CoatingSlot(4), "");
    EXPECT_EQ(Rule.WildcardSlotCount(), 1);
    EXPECT_EQ(Rule.FirstNamedCoating(), "AR");
    EXPECT_EQ(Rule.BlankSlotCount(), 1);

    Rule.SetB2E("******");
    Rule.SetB3E("******");
    EXPECT_EQ(Rule.WildcardSlotCount(), 3);
    EXPECT_EQ(Rule.FirstNamedCoating(), "");
    EXPECT_EQ(Rule.BlankSlotCount(), 0);
}

TEST(Kombination, CoatingKeyAndSortKey) {
    TCombinationModel M;
    auto Key = [&](std::string_view B1, std::string_view B2, std::string_view B3) {
        return MakeRule(M.Rules(), "L1", B1, B2, B3).CoatingKey();
    };
    EXPECT_EQ(Key("AR", "******", "HC"), "AR\tHC");
    EXPECT_EQ(Key("HC", "******", "AR"), "AR\tHC");
    EXPECT_EQ(Key("AR", "", "******"), "\tAR");
    EXPECT_EQ(Key("hc", "AR", "HC"), "AR\thc");
    EXPECT_EQ(Key("AR*", "HC", ""), "\tHC");
    EXPECT_EQ(Key("******", "******", "******"), "");
    EXPECT_EQ(Key("", "", ""), "");

    // The sort key pads and cuts every code to six characters.
    Tdex6DataKombination& Rule =
        MakeRule(M.Rules(), "L1", "AR", "ABCDEFGH", "", Tdex6Delivery::NurLieferbar);
    EXPECT_EQ(Rule.SortKey(), "L1    2AR    ABCDEF      ");
}

TEST(KombinationsListe, SortsByKeyOnlyWhenEnabledOrForced) {
    TCombinationModel M;
    Tdex6DataKombinationsListe& List = M.Rules();
    MakeRule(List, "L2", "AR", "******", "******", Tdex6Delivery::NurLieferbar);
    MakeRule(List, "L2", "AR", "******", "******", Tdex6Delivery::Lieferbar);
    MakeRule(List, "L2", "AR", "******", "******", Tdex6Delivery::NichtLieferbar);
    MakeRule(List, "b1", "AR", "******", "******");
    MakeRule(List, "A1", "AR", "******", "******");
    EXPECT_EQ(KeysOf(List).front(), "L2|2|AR|******|******");

    List.SortRules(true);
    // Case-insensitive: "b1" after "A1"; per lens nicht < lieferbar < nur lieferbar.
    EXPECT_EQ(KeysOf(List),
              (std::vector<std::string>{"A1|0|AR|******|******", "b1|0|AR|******|******",
                                        "L2|0|AR|******|******", "L2|1|AR|******|******",
                                        "L2|2|AR|******|******"}));
    EXPECT_FALSE(List.SortEnabled());

    List.SetSortEnabled(true);
    List.GetItem(0)->SetGE("Z1");
    EXPECT_EQ(List.GetItem(4)->GE(), "Z1");
    Tdex6DataKombination* Fresh = List.NewRule();
    EXPECT_EQ(List.GetItem(0), Fresh) << "asterisks sort before digits and letters";
}

TEST(KombinationsListe, SortKeepsTheOrderOfEqualKeys) {
    TCombinationModel M;
    Tdex6DataKombinationsListe& List = M.Rules();
    for (std::string_view GE : {"ab", "AB", "Ab", "aB"})
        MakeRule(List, GE, "x", "******", "******");
    MakeRule(List, "AA", "x", "******", "******");
    MakeRule(List, "ab", "X", "******", "******");
    List.SetSortEnabled(true);
    std::vector<std::string> GEs;
    for (const auto& Rule : List)
        GEs.push_back(Rule->GE() + Rule->B1E());
    EXPECT_EQ(GEs, (std::vector<std::string>{"AAx", "abx", "ABx", "Abx", "aBx", "abX"}));
    // Sorting again must not shuffle the equal keys.
    List.SortRules(true);
    EXPECT_EQ(List.GetItem(1)->GE() + List.GetItem(5)->B1E(), "abX");
}

TEST(Kombination, MatchesCoatingsWithCountLimits) {
    TCombinationModel M;
    auto Matches = [&](Tdex6DataKombination& Rule, std::initializer_list<std::string_view> Set) {
        return Rule.MatchesCoatings(Codes(Set, false));
    };
    Tdex6DataKombination& OneNamed = MakeRule(M.Rules(), "L1", "AR", "******", "******");
    EXPECT_TRUE(Matches(OneNamed, {"AR"}));
    EXPECT_TRUE(Matches(OneNamed, {"HC", "ar", "UV"}));
    EXPECT_FALSE(Matches(OneNamed, {"HC"}));
    EXPECT_FALSE(Matches(OneNamed, {}));

    Tdex6DataKombination& Any = MakeRule(M.Rules(), "L1", "******", "******", "******");
    EXPECT_FALSE(Matches(Any, {})) << "non-blank slots are never met by an empty set";
    EXPECT_TRUE(Matches(Any, {"X"}));

    Tdex6DataKombination& Alone = MakeRule(M.Rules(), "L1", "AR", "", "");
    EXPECT_TRUE(Matches(Alone, {"AR"}));
    EXPECT_TRUE(Matches(Alone, {"AR", "ar"})) << "duplicates count once";
    EXPECT_FALSE(Matches(Alone, {"AR", "HC"}));
    EXPECT_FALSE(Matches(Alone, {"HC"}));
    EXPECT_FALSE(Matches(Alone, {}));

    Tdex6DataKombination& WithOne = MakeRule(M.Rules(), "L1", "AR", "  ", "******");
    EXPECT_TRUE(Matches(WithOne, {"AR"}));
    EXPECT_TRUE(Matches(WithOne, {"HC", "AR"}));
    EXPECT_FALSE(Matches(WithOne, {"AR", "HC", "UV"}));
    EXPECT_FALSE(Matches(WithOne, {"HC", "UV"}));

    Tdex6DataKombination& Pair = MakeRule(M.Rules(), "L1", "AR", "HC", "");
    EXPECT_TRUE(Matches(Pair, {"HC", "AR"}));
    EXPECT_FALSE(Matches(Pair, {"HC", "AR", "UV"}));

    Tdex6DataKombination& Bare = MakeRule(M.Rules(), "L1", "", "", "");
    EXPECT_TRUE(Matches(Bare, {}));
    EXPECT_FALSE(Matches(Bare, {"AR"}));

    Tdex6DataKombination& Pattern = MakeRule(M.Rules(), "L1", "AR****", "******", "******");
    EXPECT_TRUE(Matches(Pattern, {"arx1"}));
    EXPECT_FALSE(Matches(Pattern, {"AX"}));
}

TEST(KombinationsListe, FindRuleComparesSlotsAsAPermutation) {
    TCombinationModel M;
    Tdex6DataKombinationsListe& List = M.Rules();
    MakeRule(List, "L*", "A", "B", "");
    Tdex6DataKombination& Rule = MakeRule(List, "l1", "b", "", "A", Tdex6Delivery::Lieferbar);
    Tdex6DataKombination& Doubled = MakeRule(List, "L2", "A", "A", "B");
    EXPECT_EQ(List.FindRule("L1", "A", "B", ""), &Rule);
    EXPECT_EQ(List.FindRule("L1", "", "a", "B"), &Rule);
    EXPECT_EQ(List.FindRule("L1", "A", "B", "C"), nullptr);
    EXPECT_EQ(List.FindRule("L2", "A", "B", "B"), nullptr) << "the same codes, other counts";
    EXPECT_EQ(List.FindRule("L2", "B", "a", "A"), &Doubled);
    EXPECT_EQ(List.FindRule("LX", "A", "B", ""), nullptr) << "lens codes are not patterns";

    Tdex6DataKombination& Later = MakeRule(List, "L3", "B", "A", "");
    Tdex6DataKombination& Earlier = MakeRule(List, "L3", "A", "B", "");
    EXPECT_EQ(List.FindRule("L3", "A", "B", ""), &Later);
    List.SetSortEnabled(true);
    EXPECT_EQ(List.FindRule("L3", "A", "B", ""), &Earlier) << "the first after sorting";
}

TEST(KombinationsListe, AddRuleKeepsAnExistingRule) {
    TCombinationModel M;
    Tdex6DataKombinationsListe& List = M.Rules();
    List.AddRule("L1", "AR", "HC", "******", Tdex6Delivery::NichtLieferbar);
    List.AddRule("l1", "hc", "******", "AR", Tdex6Delivery::Lieferbar);
    ASSERT_EQ(List.Count(), 1);
    EXPECT_EQ(List.GetItem(0)->LB(), Tdex6Delivery::NichtLieferbar);
    EXPECT_EQ(List.GetItem(0)->B1E(), "AR");

    List.SetSortEnabled(true);
    List.AddRule("A1", "X", "******", "******", Tdex6Delivery::NurLieferbar);
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List.GetItem(0)->GE(), "A1");
    EXPECT_EQ(List.GetItem(0)->LB(), Tdex6Delivery::NurLieferbar);
}

TEST(KombinationsListe, RenameGlassReachesEveryRuleWhileSorting) {
    TCombinationModel M;
    Tdex6DataKombinationsListe& List = M.Rules();
    for (std::string_view B : {"A", "B", "C", "D"})
        MakeRule(List, "AA", B, "******", "******");
    MakeRule(List, "aa", "E", "******", "******");
    MakeRule(List, "AA*", "F", "******", "******");
    MakeRule(List, "MM", "G", "******", "******");
    List.SetSortEnabled(true);
    List.RenameGlass("aA", "ZZ");
    std::vector<std::string> Renamed;
    for (const auto& Rule : List)
        Renamed.push_back(Rule->GE() + Rule->B1E());
    EXPECT_EQ(Renamed,
              (std::vector<std::string>{"AA*F", "MMG", "ZZA", "ZZB", "ZZC", "ZZD", "ZZE"}));
}

TEST(KombinationsListe, RenameAndDeleteCoatings) {
    TCombinationModel M;
    Tdex6DataKombinationsListe& List = M.Rules();
    MakeRule(List, "L1", "hc", "AR", "HC");
    MakeRule(List, "L2", "HC*", "******", "******");
    MakeRule(List, "L3", "AR", "******", "******");
    List.SetSortEnabled(true);
    List.RenameCoating("Hc", "UV");
    EXPECT_EQ(KeysOf(List), (std::vector<std::string>{"L1|0|UV|AR|UV", "L2|0|HC*|******|******",
                                                      "L3|0|AR|******|******"}));

    M.Root.SetModified(false);
    List.DeleteCoating("");
    List.DeleteCoating("AR*");
    List.DeleteCoating("******");
    EXPECT_EQ(List.Count(), 3);
    EXPECT_FALSE(M.Root.Modified());
    List.DeleteCoating("ar");
    EXPECT_EQ(KeysOf(List), (std::vector<std::string>{"L2|0|HC*|******|******"}));
    EXPECT_TRUE(M.Root.Modified());
}

TEST(KombinationsListe, CodeChangesOfGlassesAndCoatingsReachTheRules) {
    TCombinationModel M;
    Tdex6DataGlas& Lens = M.Lens("L1", Tdex6Material::Kunststoff);
    Tdex6DataBeschichtung& AR = M.AntiReflection("AR", K);
    Tdex6DataBeschichtung& HC = M.Coating("HC", K);
    MakeRule(M.Rules(), "L1", "AR", "******", "******");
    MakeRule(M.Rules(), "L1", "HC", "AR", "******");
    MakeRule(M.Rules(), "L1", "UV", "******", "******");
    Lens.SetEDV("L9");
    AR.SetEDV("AR2");
    EXPECT_EQ(KeysOf(M.Rules()),
              (std::vector<std::string>{"L9|0|AR2|******|******", "L9|0|HC|AR2|******",
                                        "L9|0|UV|******|******"}));
    M.Root.Beschichtungsliste()->Remove(&HC);
    EXPECT_EQ(M.Rules().Count(), 2);
}

TEST(KombinationsListe, RulesOfGlassAndCheckRules) {
    TCombinationModel M;
    Tdex6DataKombinationsListe& List = M.Rules();
    Tdex6DataKombination& Pattern = MakeRule(List, "12****", "AR", "******", "******");
    Tdex6DataKombination& AnyLens = MakeRule(List, "******", "HC", "******", "******");
    Tdex6DataKombination& Other = MakeRule(List, "13", "AR", "******", "******");
    Tdex6DataKombination& Empties =
        MakeRule(List, "1234", "******", "******", "******", Tdex6Delivery::NichtLieferbar);
    Tdex6DataKombination& Only =
        MakeRule(List, "1234", "UV", "******", "******", Tdex6Delivery::NurLieferbar);
    TKombinationRefs Found{&Other};
    List.RulesOfGlass("1234", Found);
    EXPECT_EQ(Found, (TKombinationRefs{&Pattern, &AnyLens, &Empties, &Only}));

    List.CheckRules("1234", Codes({"ar"}), Found);
    EXPECT_EQ(Found, (TKombinationRefs{&Pattern, &Empties, &Only}));
    List.CheckRules("1234", Codes({}), Found);
    EXPECT_EQ(Found, (TKombinationRefs{&Empties, &Only}));
    List.CheckRules("9", Codes({"HC"}), Found);
    EXPECT_EQ(Found, (TKombinationRefs{&AnyLens}));
}

// Lens L1 of Kunststoff; AR, ARX and HC exist for it, SIL only for Silikat, P1 for all.
class CoatingsOfGlassTest : public ::testing::Test {
protected:
    void SetUp() override {
        M.Lens("L1", Tdex6Material::Kunststoff);
        M.AntiReflection("AR", K);
        M.AntiReflection("ARX", K);
        M.Coating("HC", K);
        M.Coating("SIL", S);
        M.Coating("P1", AllMaterials);
    }
    // Allowed / Disallowed / WrongMaterial of lens L1.
    std::string Lists(bool IncludeSpecial = false, bool WithWrong = true,
                      std::string_view Glass = "L1") {
        TStringList Allowed(true);
        TStringList Disallowed(true);
        TStringList Wrong(true);
        M.Rules().CoatingsOfGlass(Glass, &Allowed, &Disallowed, WithWrong ? &Wrong : nullptr,
                                  IncludeSpecial);
        return Lines(Allowed) + " / " + Lines(Disallowed) + " / " + Lines(Wrong);
    }
    TCombinationModel M;
};

TEST_F(CoatingsOfGlassTest, MaterialDecidesWithoutRules) {
    EXPECT_EQ(Lists(), "AR,ARX,HC /  / P1,SIL");
    EXPECT_EQ(Lists(false, false), "AR,ARX,HC / SIL / ");
    EXPECT_EQ(Lists(true), "AR,ARX,HC,P1 /  / SIL");
    EXPECT_EQ(Lists(true, false), "AR,ARX,HC,P1 / SIL / ");
    EXPECT_EQ(Lists(false, true, "unknown"), " / AR,ARX,HC,SIL / ");
    EXPECT_EQ(Lists(false, true, "l1  "), "AR,ARX,HC /  / P1,SIL");
}

TEST_F(CoatingsOfGlassTest, NichtLieferbarRemovesCoatings) {
    M.Rule("L1", "******", "hc", "******", Tdex6Delivery::NichtLieferbar);
    M.Rule("L1", "AR", "HC", "******", Tdex6Delivery::NichtLieferbar);
    M.Sort();
    EXPECT_EQ(Lists(), "AR,ARX / HC / P1,SIL");

    M.Rule("L*", "******", "******", "AR****", Tdex6Delivery::NichtLieferbar);
    EXPECT_EQ(Lists(), " / AR,ARX,HC / P1,SIL");
}

TEST_F(CoatingsOfGlassTest, AllWildcardsEmptyTheListUntilALaterRuleAdds) {
    M.Rule("******", "******", "******", "******", Tdex6Delivery::NichtLieferbar);
    M.Rule("L1", "arx", "******", "******", Tdex6Delivery::Lieferbar);
    M.Rule("L1", "NEW", "", "******", Tdex6Delivery::NurLieferbar);
    M.Sort();
    EXPECT_EQ(Lists(), "<>,arx,NEW / AR,HC / P1,SIL");
    EXPECT_EQ(Lists(false, true, "L2"), " / AR,ARX,HC,SIL / ");
}

TEST_F(CoatingsOfGlassTest, LieferbarRuleNamingAWrongMaterialCoatingIsSkipped) {
    M.Rule("L1", "******", "******", "HC", Tdex6Delivery::NichtLieferbar);
    M.Rule("L1", "HC", "sil", "NEW", Tdex6Delivery::Lieferbar);
    M.Rule("L1", "HC", "P1", "******", Tdex6Delivery::Lieferbar);
    M.Sort();
    EXPECT_EQ(Lists(), "AR,ARX / HC / P1,SIL") << "special coatings count as wrong material";
    EXPECT_EQ(Lists(true), "AR,ARX,HC,P1 /  / SIL");
}

TEST(KombinationsListe, ElementFormRoundTripAndSortedAfterReading) {
    TCombinationModel Source;
    Tdex6DataKombinationsListe& List = Source.Rules();
    MakeRule(List, "L2", "A&B", "******", "", Tdex6Delivery::NurLieferbar);
    MakeRule(List, "L1", "AR", "HC", "******", Tdex6Delivery::Lieferbar);
    MakeRule(List, "L1", "AR", "HC", "******", Tdex6Delivery::NichtLieferbar);
    const std::string Xml = test::XmlOf(List);
    EXPECT_NE(Xml.find("<KO><ED></ED><OID>"), std::string::npos);
    EXPECT_NE(Xml.find("<LB>2</LB><GE>L2</GE><B1E>A&amp;B</B1E><B2E>******</B2E><B3E></B3E>"),
              std::string::npos);

    TCombinationModel Target;
    test::ReadInto(Xml, Target.Rules());
    EXPECT_TRUE(Target.Rules().SortEnabled());
    EXPECT_EQ(
        KeysOf(Target.Rules()),
        (std::vector<std::string>{"L1|0|AR|HC|******", "L1|1|AR|HC|******", "L2|2|A&B|******|"}));
    Source.Rules().SortRules(true);
    EXPECT_EQ(test::XmlOf(Target.Rules()), test::XmlOf(Source.Rules()));
}

TEST(KombinationsListe, ReadingAnUnknownDeliveryCodeGivesLieferbar) {
    TCombinationModel M;
    test::ReadInto("<KOL><KO><LB>9</LB><GE>L1</GE></KO><KO><lb>0</lb></KO></KOL>", M.Rules());
    ASSERT_EQ(M.Rules().Count(), 2);
    EXPECT_EQ(M.Rules().GetItem(0)->GE(), "******");
    EXPECT_EQ(M.Rules().GetItem(1)->LB(), Tdex6Delivery::Lieferbar);
    EXPECT_EQ(M.Rules().GetItem(1)->B1E(), "******");
}

TEST(Kombination, ProtocolPrefixNamesLensDeliveryAndSlots) {
    TCombinationModel M;
    M.Coating("HC", K).SetB(1, "Hartschicht");
    Tdex6DataKombination& Rule =
        MakeRule(M.Rules(), "L1", "HC", "AR*", "", Tdex6Delivery::Lieferbar);
    EXPECT_EQ(Rule.ProtocolPrefix(ProtocolAdded, ""),
              "Kombi L1 lieferbar Hartschicht[Wildcard] (AR*)[keine Beschichtung] zugef\xFCgt: ");
    Rule.SetB1E("******");
    Rule.SetB3E("XX");
    EXPECT_EQ(Rule.ProtocolPrefix(ProtocolNone, "ignored"),
              "Kombi L1 lieferbar [alle Beschichtungen][Wildcard] (AR*): ");
}

} // namespace
} // namespace kr6
