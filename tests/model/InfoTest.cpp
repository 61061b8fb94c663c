#include "model/Info.h"

#include "helpers/ElementTestSupport.h"
#include "model/DescriptionDefaults.h"
#include "model/NamedStrings.h"
#include "model/Root.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

using Kind = Tdex6InfoKind;

TEST(Info, RoundTripWithImages) {
    Tdex6Dataobject Root;
    Tdex6DataInfo Written(&Root, nullptr, true);
    Written.SetInfoText(1, Kind::TechnischeProduktbeschreibung, "Hart & klar");
    Written.SetInfoText(3, Kind::UrlImage, "http://x/y.png");
    Written.SetInfoText(9, Kind::UrlMPGHinweise, "z");
    Tdex6DataImage* Image = Written.Images()->AddNew();
    Image->FN = "bild.png";
    Image->BB = "Vorderseite";
    Image->Picture = "\x89PNG";
    Written.Images()->AddNew();

    Tdex6DataInfo Read(&Root, nullptr, true);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Written), Read), test::XmlOf(Written));
    EXPECT_EQ(Read.GetInfoText(3, Kind::UrlImage), "http://x/y.png");
    ASSERT_EQ(Read.Images()->Count(), 2);
    EXPECT_EQ(Read.Images()->Items(0)->BB, "Vorderseite");
    EXPECT_TRUE(Read.Images()->Items(0)->Picture.empty());
}

TEST(Info, ReadingBareTagsAndLanguageNumbers) {
    Tdex6DataInfo Info(nullptr, nullptr, false);
    test::ReadInto("<DINFO><mpg>m</mpg><TEC0>a</TEC0><TEC10>b</TEC10><UIMG>c</UIMG>"
                   "<utec2>d</utec2></DINFO>",
                   Info);
    EXPECT_EQ(Info.GetInfoText(1, Kind::MPGHinweise), "m");
    EXPECT_EQ(Info.GetInfoText(1, Kind::TechnischeProduktbeschreibung), "");
    EXPECT_EQ(Info.GetInfoText(1, Kind::UrlImage), "");
    EXPECT_EQ(Info.GetInfoText(2, Kind::UrlTechnischeProduktbeschreibung), "d");
    EXPECT_EQ(test::XmlOf(Info), "<DINFO><ED></ED><OID>0</OID><MPG1>m</MPG1>"
                                 "<UTEC2>d</UTEC2><DIL></DIL></DINFO>");
}

TEST(Info, WritesOnlyFilledTextsOfLanguagesOneToNine) {
    Tdex6DataInfo Info(nullptr, nullptr, false);
    Info.SetInfoText(10, Kind::Lieferhinweise, "x");
    Info.SetInfoText(0, Kind::Lieferhinweise, "x");
    Info.SetInfoText(1, Kind::Lieferhinweise, "ab Lager");
    EXPECT_EQ(Info.GetInfoText(0, Kind::Lieferhinweise), "");
    EXPECT_EQ(Info.GetInfoText(10, Kind::Lieferhinweise), "");
    EXPECT_EQ(test::XmlOf(Info), "<DINFO><ED></ED><OID>0</OID><LIH1>ab Lager</LIH1>"
                                 "<DIL></DIL></DINFO>");

    Info.SetInfoText(2, Kind::Lieferhinweise, "y");
    Info.Images()->AddNew();
    Info.Clear(false);
    EXPECT_EQ(Info.GetInfoText(2, Kind::Lieferhinweise), "");
    EXPECT_EQ(Info.Images()->Count(), 0);
}

TEST(DescriptionDefaults, ClearAndRoundTrip) {
    Tdex6Dataobject Root;
    Tdex6DataBezeichnungsvorgaben& Defaults = *Root.Bezeichnungsvorgaben();
    Defaults.Clear(false);
    const std::string Xml = test::XmlOf(Defaults);
    EXPECT_NE(Xml.find("<BEZ07>Bezeichnung 7</BEZ07><LANG07>DE</LANG07>"), std::string::npos);
    EXPECT_NE(Xml.find("<LANG10>DE</LANG10></BezVorg>"), std::string::npos);

    Defaults.SetBez(1, "Name");
    Defaults.SetLang(2, "EN");
    Defaults.SetBez(11, "ignored");
    Defaults.SetLang(0, "ignored");
    Tdex6DataBezeichnungsvorgaben Read(&Root, &Root, false);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Defaults), Read), test::XmlOf(Defaults));
    EXPECT_EQ(Read.GetBez(1), "Name");
    EXPECT_EQ(Read.GetLang(2), "EN");
    EXPECT_EQ(Read.GetBez(10), "Bezeichnung 10");
}

TEST(NamedStrings, WritesConfiguredNamesAndKeepsOrder) {
    Tdex6DataStrings Codes(nullptr, nullptr, false);
    Codes.SetElementName("SOPR");
    Codes.SetItemTag("EDV");
    Codes.Lines().Add("ZZ");
    Codes.Lines().Add("AA");
    Codes.Lines().Add("");
    EXPECT_EQ(test::XmlOf(Codes),
              "<SOPR><ED></ED><OID>0</OID><EDV>ZZ</EDV><EDV>AA</EDV><EDV></EDV></SOPR>");

    Tdex6DataStrings Read(nullptr, nullptr, false);
    Read.SetElementName("SOPR");
    Read.SetItemTag("EDV");
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Codes), Read), test::XmlOf(Codes));
    Read.Clear(false);
    EXPECT_TRUE(Read.Lines().IsEmpty());
}

} // namespace
} // namespace kr6
