#include "model/ProductGroups.h"

#include "helpers/ElementTestSupport.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <vector>

namespace kr6 {
namespace {

std::vector<std::string> CodesOf(const Tdex6DataLieferbareCodes& List) {
    std::vector<std::string> Codes;
    for (const auto& Line : List.Codes()->Lines())
        Codes.push_back(Line.Text);
    return Codes;
}

using TCodes = std::vector<std::string>;

TEST(ProductGroups, AddNumberedFillsGaps) {
    Tdex6Dataobject Root;
    Tdex6DataProduktgruppenliste& List = *Root.Produktgruppenliste();
    for (std::int32_t ID : {1, 2, 4})
        List.AddNew()->ID = ID;
    EXPECT_EQ(List.AddNumbered()->ID, 3);
    EXPECT_EQ(List.AddNumbered()->ID, 5);
    EXPECT_EQ(List.FindByID(4), List.Items(2));
    EXPECT_EQ(List.FindByID(6), nullptr);
}

TEST(ProductGroups, FindByNameReturnsLastMatch) {
    Tdex6DataProduktgruppenliste List(nullptr, nullptr);
    List.AddNew()->Bez = "Premium";
    List.AddNew()->Bez = "Basis";
    EXPECT_EQ(List.FindByName("premium"), List.Items(0));
    List.AddNew()->Bez = "PREMIUM";
    EXPECT_EQ(List.FindByName("premium"), List.Items(2));
    EXPECT_EQ(List.FindByName("Prem"), nullptr);
}

TEST(ProductGroups, DeliverableListsAreSortedWithoutDuplicates) {
    Tdex6DataLieferbareGlaeser Glasses(nullptr, nullptr, false);
    TStringList Added;
    for (const char* Code : {"B200", "a100", "", "A100"})
        Added.Add(Code);
    Glasses.AddOrRemoveAll(Added, false);
    EXPECT_EQ(CodesOf(Glasses), (TCodes{"a100", "B200"}));
    EXPECT_EQ(test::XmlOf(Glasses),
              "<NLG><ED></ED><OID>0</OID><EDV>a100</EDV><EDV>B200</EDV></NLG>");

    Glasses.AddOrRemove("C300", true);
    Glasses.AddOrRemove("", true);
    EXPECT_EQ(CodesOf(Glasses), (TCodes{"a100", "B200"}));
    Glasses.AddOrRemove("A100", true);
    EXPECT_EQ(CodesOf(Glasses), (TCodes{"B200"}));
}

TEST(ProductGroups, ReplaceAndRename) {
    Tdex6Dataobject Root;
    Tdex6DataProduktgruppenliste& List = *Root.Produktgruppenliste();
    for (int I = 0; I < 2; ++I) {
        Tdex6DataProduktgruppe* Group = List.AddNumbered();
        Group->LieferbareGlaeser()->AddOrRemove("GL1", false);
        Group->LieferbareBeschichtungen()->AddOrRemove("AR1", false);
        Group->LieferbareBeschichtungen()->AddOrRemove("ZZ9", false);
    }
    List.RenameGlass("gl1", "GL2");
    List.RenameCoating("ar1", "");
    for (const auto& Group : List) {
        EXPECT_EQ(CodesOf(*Group->LieferbareGlaeser()), (TCodes{"GL2"}));
        EXPECT_EQ(CodesOf(*Group->LieferbareBeschichtungen()), (TCodes{"ZZ9"}));
    }

    Tdex6DataLieferbareBeschichtungen& Coatings = *List.Items(0)->LieferbareBeschichtungen();
    Coatings.Replace("XX1", "YY1");
    EXPECT_EQ(CodesOf(Coatings), (TCodes{"ZZ9"}));
    // A new code equal to the old one ignoring case takes its place instead of looping.
    Coatings.Replace("ZZ9", "zz9");
    EXPECT_EQ(CodesOf(Coatings), (TCodes{"zz9"}));
}

TEST(ProductGroups, ListRoundTrip) {
    Tdex6Dataobject Root;
    Tdex6DataProduktgruppenliste& Written = *Root.Produktgruppenliste();
    Tdex6DataProduktgruppe* Group = Written.AddNumbered();
    Group->Bez = "Premium";
    Group->BE = "alles <au&er> Basis";
    Group->LieferbareGlaeser()->AddOrRemove("GL1", false);
    Group->LieferbareBeschichtungen()->AddOrRemove("AR1", false);
    Tdex6DataProduktgruppe* Empty = Written.AddNumbered();
    const std::string EmptyXml = test::XmlOf(*Empty);
    EXPECT_NE(EmptyXml.find("<NLG><ED></ED><OID>"), std::string::npos);
    EXPECT_NE(EmptyXml.find("</OID></NLG><NLB><ED></ED><OID>"), std::string::npos);
    EXPECT_NE(EmptyXml.find("</OID></NLB></DPG>"), std::string::npos);

    Tdex6DataProduktgruppenliste Read(&Root, &Root);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Written), Read), test::XmlOf(Written));
    ASSERT_EQ(Read.Count(), 2);
    EXPECT_EQ(Read.Items(0)->BE, "alles <au&er> Basis");
    EXPECT_EQ(CodesOf(*Read.Items(0)->LieferbareBeschichtungen()), (TCodes{"AR1"}));

    Group->Clear(false);
    EXPECT_EQ(Group->ID, 0);
    EXPECT_TRUE(Group->LieferbareGlaeser()->Codes()->Lines().IsEmpty());
}

} // namespace
} // namespace kr6
