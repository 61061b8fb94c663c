#include "model/OrderOptions.h"

#include "helpers/ElementTestSupport.h"
#include "model/Root.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

using Option = Tdex6OrderOption;

TEST(OrderOptions, ReadingMovesOptionsBetweenSets) {
    Tdex6DataOrderOptions Options(nullptr, nullptr, false);
    test::ReadInto("<OROP><KADU>20</KADU><MUTE>20</MUTE></OROP>", Options);
    EXPECT_EQ(Options.MUTE(), TOrderOptionSet{Option::NormalPD});
    EXPECT_TRUE(Options.KADU().Empty());
    test::ReadInto("<OROP><mudu>20</mudu></OROP>", Options);
    EXPECT_TRUE(Options.MUTE().Empty());
    EXPECT_EQ(Options.MUDU(), TOrderOptionSet{Option::NormalPD});

    Options.SetKADU({Option::NormalPD, Option::HSA});
    EXPECT_TRUE(Options.MUDU().Empty());
    Options.SetMUTE({Option::HSA});
    EXPECT_EQ(Options.KADU(), TOrderOptionSet{Option::NormalPD});
}

TEST(OrderOptions, ZeroNegativeAndUnknownCodes) {
    Tdex6DataOrderOptions Options(nullptr, nullptr, false);
    test::ReadInto("<OROP><MUTE>0</MUTE><MUTE>-3</MUTE><MUTE>x</MUTE></OROP>", Options);
    EXPECT_TRUE(Options.MUTE().Empty());
    EXPECT_EQ(test::XmlOf(Options), "<OROP><ED></ED><OID>0</OID></OROP>");

    test::ReadInto("<OROP><MUTE>15</MUTE></OROP>", Options);
    EXPECT_EQ(Options.MUTE(), TOrderOptionSet{Option::NichtGefuellt});
    const std::string Xml = test::XmlOf(Options);
    EXPECT_EQ(Xml, "<OROP><ED></ED><OID>0</OID><MUTE>0</MUTE></OROP>");
    Tdex6DataOrderOptions Read(nullptr, nullptr, false);
    test::ReadInto(Xml, Read);
    EXPECT_TRUE(Read.MUTE().Empty());
}

TEST(OrderOptions, RoundTripInWritingOrder) {
    Tdex6Dataobject Root;
    Tdex6DataOrderOptions Written(&Root, nullptr, true);
    Written.SetMUDU({Option::Additionsmessverfahren});
    Written.SetKADU({Option::Boxbreite, Option::HSA});
    Written.SetMUTE({Option::Inset});
    const std::string Xml = test::XmlOf(Written);
    EXPECT_NE(Xml.find("</OID><MUTE>65</MUTE><KADU>10</KADU><KADU>50</KADU><MUDU>130</MUDU>"),
              std::string::npos);
    Tdex6DataOrderOptions Read(&Root, nullptr, true);
    EXPECT_EQ(test::XmlAfterReading(Xml, Read), Xml);
    Read.Clear(false);
    EXPECT_TRUE(Read.KADU().Empty());
}

TEST(CodeSubstitution, ElementFormActionCodesAndListsRoundTrip) {
    Tdex6DataCodeSubstGlas Row(nullptr, nullptr, false);
    Row.AKT = Tdex6SubstAction::Produktvorschlag;
    Row.CA = "OLD";
    Row.CN = "NEW";
    EXPECT_EQ(test::XmlOf(Row), "<COSUBG><ED></ED><OID>0</OID><AKT>2</AKT><CA>OLD</CA>"
                                "<CN>NEW</CN><BEM></BEM></COSUBG>");
    test::ReadInto("<COSUBG><AKT>7</AKT></COSUBG>", Row);
    EXPECT_EQ(Row.AKT, Tdex6SubstAction::CodeErsetzen);
    test::ReadInto("<COSUBG><akt>2</akt></COSUBG>", Row);
    EXPECT_EQ(Row.AKT, Tdex6SubstAction::Produktvorschlag);

    Tdex6DataCodeSubstBesch Coating(nullptr, nullptr, false);
    Coating.CN1 = "AR1";
    EXPECT_EQ(test::XmlOf(Coating), "<COSUBB><ED></ED><OID>0</OID><AKT>1</AKT><CA></CA>"
                                    "<CN1>AR1</CN1><CN2></CN2><CN3></CN3><BEM></BEM></COSUBB>");

    Tdex6Dataobject Root;
    Tdex6DataCodeSubstGlasList& Glasses = *Root.CodeSubstGlasList();
    Tdex6DataCodeSubstGlas& Listed = *Glasses.NewItem();
    Listed.CA = "G1";
    Listed.CN = "G2";
    Listed.BEM = "ersetzt <alt>";
    Glasses.NewItem()->AKT = Tdex6SubstAction::Produktvorschlag;
    Tdex6DataCodeSubstGlasList ReadGlasses(&Root, &Root);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Glasses), ReadGlasses), test::XmlOf(Glasses));
    EXPECT_EQ(ReadGlasses.Items(0)->BEM, "ersetzt <alt>");

    Tdex6DataCodeSubstBeschList& Coatings = *Root.CodeSubstBeschList();
    Tdex6DataCodeSubstBesch& ListedCoating = *Coatings.NewItem();
    ListedCoating.CA = "B1";
    ListedCoating.CN3 = "B4";
    Tdex6DataCodeSubstBeschList ReadCoatings(&Root, &Root);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Coatings), ReadCoatings), test::XmlOf(Coatings));
    EXPECT_EQ(ReadCoatings.Items(0)->CN3, "B4");
}

} // namespace
} // namespace kr6
