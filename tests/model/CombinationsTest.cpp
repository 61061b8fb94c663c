#include "model/Combinations.h"

#include "helpers/CombinationModel.h"
#include "helpers/ElementTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

using test::TCombinationModel;
using TKeys = std::vector<std::string>;

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

TKeys KeysOf(const Tdex6DataKombinationsListe& List) {
    TKeys Keys;
    for (const auto& Rule : List)
        Keys.push_back(Rule->GE() + "|" + std::to_string(Code(Rule->LB())) + "|" + Rule->B1E() +
                       "|" + Rule->B2E() + "|" + Rule->B3E());
    return Keys;
}

TEST(KombinationsListe, SortsStablyWhenEnabledOrForced) {
    TCombinationModel M;
    Tdex6DataKombinationsListe& List = M.Rules();
    for (std::string_view GE : {"L2", "ab", "AB", "A1"})
        MakeRule(List, GE, "x", "******", "******", Tdex6Delivery::NurLieferbar);
    MakeRule(List, "L2", "x", "******", "******", Tdex6Delivery::Lieferbar);
    MakeRule(List, "aB", "x", "******", "******", Tdex6Delivery::NurLieferbar);
    EXPECT_EQ(KeysOf(List).front(), "L2|2|x|******|******");
    EXPECT_TRUE(M.Root.Modified());
    List.SortRules(true);
    EXPECT_FALSE(List.SortEnabled());
    EXPECT_EQ(KeysOf(List),
              (TKeys{"A1|2|x|******|******", "ab|2|x|******|******", "AB|2|x|******|******",
                     "aB|2|x|******|******", "L2|1|x|******|******", "L2|2|x|******|******"}));
    List.SortRules(true);
    EXPECT_EQ(KeysOf(List)[3], "aB|2|x|******|******") << "sorting again keeps equal keys";

    List.SetSortEnabled(true);
    List.GetItem(0)->SetGE("Z1");
    EXPECT_EQ(List.GetItem(5)->GE(), "Z1");
    Tdex6DataKombination* Fresh = List.NewRule();
    EXPECT_EQ(List.GetItem(0), Fresh) << "asterisks sort before digits and letters";
    List.AddRule("a1", "X", "******", "******", Tdex6Delivery::Lieferbar);
    List.AddRule("A1", "******", "x", "******", Tdex6Delivery::NichtLieferbar);
    EXPECT_EQ(KeysOf(List)[1], "a1|1|X|******|******") << "inserted in order, once";
    EXPECT_EQ(List.Count(), 8);
}

TEST(KombinationsListe, RenamesAndDeletesReachEveryRuleWhileSorting) {
    TCombinationModel M;
    Tdex6DataKombinationsListe& List = M.Rules();
    for (std::string_view B : {"A", "B", "C"})
        MakeRule(List, "AA", B, "******", "******");
    MakeRule(List, "aa", "hc", "AR", "HC");
    MakeRule(List, "AA*", "HC*", "******", "******");
    MakeRule(List, "MM", "AR", "******", "******");
    List.SetSortEnabled(true);
    List.RenameGlass("aA", "ZZ");
    List.RenameCoating("Hc", "UV");
    EXPECT_EQ(KeysOf(List),
              (TKeys{"AA*|0|HC*|******|******", "MM|0|AR|******|******", "ZZ|0|A|******|******",
                     "ZZ|0|B|******|******", "ZZ|0|C|******|******", "ZZ|0|UV|AR|UV"}));
    M.Root.SetModified(false);
    for (std::string_view Code : {"", "AR*", "******"})
        List.DeleteCoating(Code);
    EXPECT_EQ(List.Count(), 6);
    EXPECT_FALSE(M.Root.Modified());
    List.DeleteCoating("ar");
    EXPECT_EQ(KeysOf(List), (TKeys{"AA*|0|HC*|******|******", "ZZ|0|A|******|******",
                                   "ZZ|0|B|******|******", "ZZ|0|C|******|******"}));
    EXPECT_TRUE(M.Root.Modified());
}

TEST(KombinationsListe, SortedAfterReading) {
    TCombinationModel Source;
    Tdex6DataKombinationsListe& List = Source.Rules();
    MakeRule(List, "L2", "A&B", "******", "", Tdex6Delivery::NurLieferbar);
    MakeRule(List, "L1", "AR", "HC", "******", Tdex6Delivery::Lieferbar);
    MakeRule(List, "L1", "AR", "HC", "******", Tdex6Delivery::NichtLieferbar);
    TCombinationModel Target;
    test::ReadInto(test::XmlOf(List), Target.Rules());
    EXPECT_TRUE(Target.Rules().SortEnabled());
    EXPECT_EQ(KeysOf(Target.Rules()),
              (TKeys{"L1|0|AR|HC|******", "L1|1|AR|HC|******", "L2|2|A&B|******|"}));
}

} // namespace
} // namespace kr6
