#include "model/GlassParts.h"
#include "helpers/ElementTestSupport.h"
#include "model/Addresses.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kr6 {
namespace {

// A root with the default price descriptions (IDs 1 and 2) and delivery range (ID 0),
// and one glass whose prices use sphere group 3 and cylinder group 0.
struct TPriceSetup {
    Tdex6Dataobject Root;
    Tdex6DataGlas* Glas = nullptr;
    Tdex6DataGlasPreisListe* Prices = nullptr;

    TPriceSetup() {
        Root.ClearAll(true);
        Glas = Root.Glasliste()->NewGlas();
        Glas->SetEDV("AB12");
        Glas->SetB(1, "Single");
        Glas->Preisgruppen()->SetS(3, true);
        Glas->Preisgruppen()->SetC(0, true);
        Prices = Glas->GlasPreisListe();
    }
};

const TDiameter D70 = MakeDiameter(70, 0, false);

TEST(GlasWirkung, SettersOrderCylinderAndAdditionButNotSphere) {
    Tdex6DataGlasWirkung Power(nullptr, nullptr, true);
    Power.SetCyl(-0.5, -2);
    EXPECT_EQ(Power.cylV, -2);
    EXPECT_EQ(Power.CylB, -0.5);
    Power.SetCyl(-2, -0.5);
    EXPECT_EQ(Power.cylV, -2);
    EXPECT_EQ(Power.CylB, -0.5);
    Power.SetSph(4, -4);
    EXPECT_EQ(Power.SphV, 4);
    EXPECT_EQ(Power.SphB, -4);
    Power.SetAdd(2.5, 0.75);
    EXPECT_EQ(Power.AddV, 0.75);
    EXPECT_EQ(Power.AddB, 2.5);

    // Equal values: the first argument goes to the upper bound.
    Power.SetCyl(0.0, -0.0);
    EXPECT_FALSE(std::signbit(Power.CylB));
    EXPECT_TRUE(std::signbit(Power.cylV));
    Power.SetAdd(-0.0, 0.0);
    EXPECT_TRUE(std::signbit(Power.AddB));
    EXPECT_FALSE(std::signbit(Power.AddV));
}

TEST(GlasWirkung, ElementFormRoundTripAndDefaults) {
    Tdex6DataGlasWirkung Fresh(nullptr, nullptr, true);
    EXPECT_NE(test::XmlOf(Fresh).find("<AddS>4</AddS>"), std::string::npos);
    EXPECT_NE(test::XmlOf(Fresh).find("<GW><ED></ED><OID>0</OID><DM></DM><SphV>0</SphV>"),
              std::string::npos);

    Tdex6DataGlasWirkung Power(nullptr, nullptr, true);
    Power.DM = MakeDiameter(70, 65, true);
    Power.SetSph(4, -4);
    Power.SetCyl(-2, 0);
    Power.SetAdd(1, 3.5);
    Power.PV = 2;
    Power.cylWV = 10;
    Power.CylWB = 170;
    Power.AddS = Tdex6AdditionStep::Stufe0_125;
    Power.BEDV1 = "AR";
    Power.BEDV5 = "HC";
    Power.SIP = Power.Lag = Power.ELief = Power.BF = Power.DFUR = Power.OLB = true;
    Power.LA = EncodeDateTime(2011, 2, 3);
    Power.LB = EncodeDateTime(2012, 4, 5);
    Power.LBI = 2;
    Power.LZ = 14;
    const std::string Xml = test::XmlOf(Power);
    Tdex6DataGlasWirkung Read(nullptr, nullptr, true);
    EXPECT_EQ(test::XmlAfterReading(Xml, Read), Xml);
    EXPECT_EQ(Read.DM, MakeDiameter(70, 65, true));
    EXPECT_EQ(Read.BEDV5, "HC");

    // Reading keeps bounds as they come.
    test::ReadInto("<GW><cylV>1</cylV><CylB>-1</CylB></GW>", Read);
    EXPECT_EQ(Read.cylV, 1);
    EXPECT_EQ(Read.CylB, -1);
}

TEST(GlasGeometrie, RoundTripLeavesOutTheGeometryKind) {
    Tdex6DataGlasGeometrie Geometry(nullptr, nullptr, true);
    double Value = 1;
    for (double* Field :
         {&Geometry.BN, &Geometry.HAFB, &Geometry.WSV, &Geometry.WSB, &Geometry.ORN, &Geometry.VANB,
          &Geometry.URN, &Geometry.HN, &Geometry.VAFB, &Geometry.HZ, &Geometry.VAZK,
          &Geometry.MVANB, &Geometry.MHANP, &Geometry.DM1H, &Geometry.DM2H, &Geometry.VAMN,
          &Geometry.HAT, &Geometry.VAT, &Geometry.HANP})
        *Field = Value++ / 4;
    Geometry.NTT = Tdex6NTT::Executiv;
    Geometry.BLR = Tdex6ViewDirection::Hauptblickrichtung;
    Geometry.Dm = MakeDiameter(65, 0, false);
    Geometry.WK = true;
    Geometry.GeometryKind = Tdex6GeometryKind::AlleDezentriertenDurchmesser;
    const std::string Xml = test::XmlOf(Geometry);
    EXPECT_NE(Xml.find("<Dm>65</Dm><WK>1</WK><WSV>0.75</WSV>"), std::string::npos);
    EXPECT_NE(Xml.find("<VAZK>2.75</VAZK><BLR>1</BLR>"), std::string::npos);

    Tdex6DataGlasGeometrie Read(nullptr, nullptr, true);
    EXPECT_EQ(test::XmlAfterReading(Xml, Read), Xml);
    EXPECT_EQ(Read.HANP, Geometry.HANP);
    EXPECT_EQ(Read.GeometryKind, Tdex6GeometryKind::AngegebenerDurchmesser);
}

TEST(GlasPreis, SetPRMarksTheSourceAndReadingDoesNot) {
    Tdex6DataGlasPreis Price(nullptr, nullptr, true);
    EXPECT_EQ(Price.PQ, Tdex6PriceSource::Value0);
    EXPECT_EQ(Price.Formel()->QSph, -1);
    Price.SetPR(12.5);
    EXPECT_EQ(Price.PQ, Tdex6PriceSource::Value1);
    Price.PQ = Tdex6PriceSource::Value2;
    Price.GSph = 3;
    Price.GCyl = 1;
    Price.GDM = MakeDiameter(70, 0, true);
    Price.LBI = 2;
    Price.PBID = 5;
    Price.Formel()->QGEdv = "SRC";
    const std::string Xml = test::XmlOf(Price);
    EXPECT_NE(Xml.find("<GSph>3</GSph><GCyl>1</GCyl><GDM>70E</GDM><LBI>2</LBI><PBID>5</PBID>"
                       "<PR>12.5</PR><PQ>2</PQ><DFGL>"),
              std::string::npos);

    Tdex6DataGlasPreis Read(nullptr, nullptr, true);
    EXPECT_EQ(test::XmlAfterReading(Xml, Read), Xml);
    test::ReadInto("<GP><PR>7</PR></GP>", Read);
    EXPECT_EQ(Read.PR(), 7);
    EXPECT_EQ(Read.PQ, Tdex6PriceSource::Value2);
}

TEST(GlasPreis, FormulaMadeLaterHasTheIdentifiersOfOneMadeAtOnce) {
    Tdex6Dataobject Root;
    Tdex6DataGlasPreis Untouched(&Root, nullptr, true);
    Tdex6DataGlasPreis Asked(&Root, nullptr, true);
    const std::int32_t First = Untouched.OID();
    const std::string Before = test::XmlOf(Untouched);
    EXPECT_EQ(Asked.OID(), First + 3);
    EXPECT_EQ(Root.LastOID(), First + 5);

    EXPECT_EQ(Untouched.Formel()->OID(), First + 1);
    EXPECT_EQ(Untouched.Formel()->Calc()->OID(), First + 2);
    EXPECT_EQ(test::XmlOf(Untouched), Before) << "the same formula whether made or not";
    EXPECT_NE(Before.find("<DFGL><ED></ED><OID>" + std::to_string(First + 1) + "</OID>"),
              std::string::npos);
    EXPECT_EQ(Root.LastOID(), First + 5);
}

TEST(GlasPreisListe, FindPriceCreatesOnlyWhatTheModelKnows) {
    TPriceSetup Setup;
    auto& Prices = *Setup.Prices;
    EXPECT_EQ(Prices.FindPrice(3, 0, D70, 1, 0, false), nullptr);
    Tdex6DataGlasPreis* Price = Prices.FindPrice(3, 0, D70, 1, 0, true);
    ASSERT_NE(Price, nullptr);
    EXPECT_EQ(Price->GSph, 3);
    EXPECT_EQ(Price->GDM, D70);
    EXPECT_EQ(Price->PBID, 1);
    EXPECT_EQ(Price->PR(), 0);
    EXPECT_EQ(Price->PQ, Tdex6PriceSource::Value0);
    EXPECT_EQ(Prices.FindPrice(3, 0, D70, 1, 0, true), Price);
    EXPECT_EQ(Prices.FindPrice(3, 0, D70, 1, 0, false), Price);

    Setup.Glas->Preisgruppen()->SetS(60, true);
    EXPECT_EQ(Prices.FindPrice(60, 0, D70, 1, 0, true), nullptr); // group beyond 50
    EXPECT_EQ(Prices.FindPrice(4, 0, D70, 1, 0, true), nullptr);  // unused sphere group
    EXPECT_EQ(Prices.FindPrice(3, 1, D70, 1, 0, true), nullptr);  // unused cylinder group
    EXPECT_EQ(Prices.FindPrice(3, 0, D70, 1, 7, true), nullptr);  // no delivery range 7
    EXPECT_EQ(Prices.FindPrice(3, 0, D70, 9, 0, true), nullptr);  // no description 9
    EXPECT_EQ(Prices.Count(), 1);

    // The elliptical flag alone makes a different price.
    Tdex6DataGlasPreis* Elliptical = Prices.FindPrice(3, 0, MakeDiameter(70, 0, true), 1, 0, true);
    ASSERT_NE(Elliptical, nullptr);
    EXPECT_NE(Elliptical, Price);
    EXPECT_EQ(Prices.Count(), 2);

    // Two prices with the same keys: the later one is found.
    Tdex6DataGlasPreis* Twin = Prices.NewItem();
    Twin->GSph = 3;
    Twin->GDM = D70;
    Twin->PBID = 1;
    EXPECT_EQ(Prices.FindPrice(3, 0, D70, 1, 0, true), Twin);

    // A price list that no glass owns never creates.
    Tdex6DataGlasPreisListe Loose(&Setup.Root, &Setup.Root);
    EXPECT_EQ(Loose.FindPrice(3, 0, D70, 1, 0, true), nullptr);
}

TEST(GlassParts, OwnersAndProtocolTexts) {
    TPriceSetup Setup;
    Tdex6DataGlasWirkung* Power = Setup.Glas->GlasWirkungsListe()->NewItem();
    Tdex6DataGlasGeometrie* Geometry = Setup.Glas->GlasGeometrieListe()->NewItem();
    Tdex6DataGlasPreis* Price = Setup.Prices->FindPrice(3, 0, D70, 1, 0, true);
    ASSERT_NE(Price, nullptr);
    EXPECT_EQ(Power->Glas(), Setup.Glas);
    EXPECT_EQ(Geometry->Glas(), Setup.Glas);
    EXPECT_EQ(Price->Glas(), Setup.Glas);
    EXPECT_EQ(Power->ProtocolPrefix(1, ""), "Glaswirkung zugef\xFCgt: AB12 Single");
    EXPECT_EQ(Geometry->ProtocolPrefix(0, ""), "Glasgeometrie: AB12 Single");
    EXPECT_EQ(Price->ProtocolPrefix(3, ""), "Glaspreis 3/0 gel\xF6scht:   Single(AB12)");
    EXPECT_EQ(Setup.Glas->Preisgruppen()->ProtocolPrefix(0, ""), "Preisgruppen :   Single(AB12)");
    EXPECT_EQ(Price->Formel()->SourceName(), "AB12");

    Tdex6DataGlasWirkung Loose(nullptr, nullptr, true);
    EXPECT_EQ(Loose.Glas(), nullptr);
    EXPECT_EQ(Loose.ProtocolPrefix(0, ""), "Glaswirkung: ");
}

} // namespace
} // namespace kr6
