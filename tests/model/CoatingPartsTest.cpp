#include "model/CoatingParts.h"

#include "helpers/ElementTestSupport.h"
#include "model/Addresses.h"
#include "model/Coatings.h"
#include "model/Formulas.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <vector>

namespace kr6 {
namespace {

// A root with the default price descriptions 1 and 2 and one coating "AR".
class CoatingPartsTest : public ::testing::Test {
protected:
    CoatingPartsTest() {
        Root.ClearAll(true);
        Coating = Root.Beschichtungsliste()->NewItem();
        Coating->SetEDV("AR");
        Coating->SetB(1, "Entspiegelung");
        Prices = Coating->PreisListe();
    }

    Tdex6DataBeschichtungspreis* General(Tdex6Material MAT, std::int32_t PBID, bool Create) {
        return Prices->FindPrice(Tdex6SphTor::Sphaerisch, Tdex6SingleMulti::Einst, Create, "", PBID,
                                 MAT);
    }

    Tdex6Dataobject Root;
    Tdex6DataBeschichtung* Coating = nullptr;
    Tdex6DataBeschichtungspreisListe* Prices = nullptr;
};

TEST_F(CoatingPartsTest, FindPriceMatchesGeneralPricesByAllKeys) {
    EXPECT_EQ(General(Tdex6Material::Egal, 1, true), nullptr);
    EXPECT_EQ(General(Tdex6Material::Kunststoff, 9, true), nullptr);
    EXPECT_EQ(Prices->Count(), 0);

    Tdex6DataBeschichtungspreis* Price = General(Tdex6Material::Kunststoff, 1, true);
    ASSERT_NE(Price, nullptr);
    EXPECT_EQ(Price->ST, Tdex6SphTor::Sphaerisch);
    EXPECT_EQ(Price->EM, Tdex6SingleMulti::Einst);
    EXPECT_EQ(Price->MAT, Tdex6Material::Kunststoff);
    EXPECT_EQ(Price->PBID, 1);
    EXPECT_EQ(Price->Edv, "");
    EXPECT_EQ(Price->PQ, Tdex6PriceSource::Value0);

    EXPECT_EQ(General(Tdex6Material::Kunststoff, 1, true), Price);
    EXPECT_EQ(General(Tdex6Material::Kunststoff, 2, false), nullptr);
    EXPECT_EQ(General(Tdex6Material::Silikat, 1, false), nullptr);
    EXPECT_EQ(Prices->FindPrice(Tdex6SphTor::Torisch, Tdex6SingleMulti::Einst, false, "", 1,
                                Tdex6Material::Kunststoff),
              nullptr);
    EXPECT_EQ(Prices->Count(), 1);

    Price->SetPR(42.5);
    EXPECT_EQ(Price->PR(), 42.5);
    EXPECT_EQ(Price->PQ, Tdex6PriceSource::Value1);

    Tdex6DataBeschichtungspreisListe Orphan(&Root, nullptr);
    EXPECT_EQ(Orphan.FindPrice(Tdex6SphTor::Egal, Tdex6SingleMulti::Egal, true, "G1", 1,
                               Tdex6Material::Silikat),
              nullptr);
    EXPECT_EQ(Orphan.Count(), 0);
}

TEST_F(CoatingPartsTest, SpecialPricesAreKeyedByGlassAndDescription) {
    Tdex6DataBeschichtungspreis* GeneralPrice = General(Tdex6Material::Silikat, 1, true);
    Tdex6DataBeschichtungspreis* Special = Prices->FindPrice(
        Tdex6SphTor::Egal, Tdex6SingleMulti::Egal, true, "G1", 1, Tdex6Material::Egal);
    ASSERT_NE(Special, nullptr);
    EXPECT_NE(Special, GeneralPrice);
    EXPECT_EQ(Special->Edv, "G1");

    EXPECT_EQ(Prices->FindPrice(Tdex6SphTor::Sphaerisch, Tdex6SingleMulti::Einst, false, "g1", 1,
                                Tdex6Material::Silikat),
              Special);
    EXPECT_EQ(Prices->FindPrice(Tdex6SphTor::Torisch, Tdex6SingleMulti::Mehrst, false, "G1", 1,
                                Tdex6Material::Trivex),
              Special);
    EXPECT_EQ(Prices->FindPrice(Tdex6SphTor::Egal, Tdex6SingleMulti::Egal, false, "G1", 2,
                                Tdex6Material::Egal),
              nullptr);
    EXPECT_EQ(Prices->Count(), 2);
}

TEST_F(CoatingPartsTest, SpecialPricesTakeMaterialFromTheirGlass) {
    Tdex6DataBeschichtungspreis* Special = Prices->NewItem();
    Special->Edv = "G1";
    Special->MAT = Tdex6Material::Silikat;
    Special->EM = Tdex6SingleMulti::Mehrst;
    EXPECT_EQ(Special->EffectiveMAT(), Tdex6Material::Silikat);

    Tdex6DataGlas* Glass = Root.Glasliste()->NewGlas();
    Glass->SetEDV("g1");
    Glass->MAT = Tdex6Material::Polycarbonat;
    EXPECT_EQ(Special->EffectiveMAT(), Tdex6Material::Polycarbonat);
    EXPECT_EQ(Special->EffectiveEM(), Tdex6SingleMulti::Egal);
    EXPECT_NE(test::XmlOf(*Special).find("<MAT>3</MAT><EM>0</EM>"), std::string::npos);

    // A general price for material 3 does not see the special one.
    EXPECT_EQ(Prices->FindPrice(Tdex6SphTor::Egal, Tdex6SingleMulti::Egal, false, "", 0,
                                Tdex6Material::Polycarbonat),
              nullptr);

    Tdex6DataBeschichtungspreis* GeneralPrice = General(Tdex6Material::Trivex, 2, true);
    GeneralPrice->EM = Tdex6SingleMulti::Mehrst;
    EXPECT_NE(test::XmlOf(*GeneralPrice).find("<MAT>4</MAT><EM>2</EM>"), std::string::npos);
}

TEST_F(CoatingPartsTest, PriceRoundTripKeepsPQAndFormula) {
    Tdex6DataBeschichtungspreis* Price = General(Tdex6Material::Kunststoff, 2, true);
    Price->SetPR(19.9);
    Price->FormelLokal()->QPBID = 1;
    const std::string Xml = test::XmlOf(*Price);

    Tdex6DataBeschichtungspreis* Copy = Prices->NewItem();
    EXPECT_EQ(test::XmlAfterReading(Xml, *Copy), Xml);
    EXPECT_EQ(Copy->FormelLokal()->SourceName(), "AR");

    Tdex6DataBeschichtungspreis* Unentered = Prices->NewItem();
    test::ReadInto("<BP><PR>7</PR></BP>", *Unentered);
    EXPECT_EQ(Unentered->PR(), 7);
    EXPECT_EQ(Unentered->PQ, Tdex6PriceSource::Value0);
}

TEST_F(CoatingPartsTest, ColourComponentsAreReadOneByOne) {
    Tdex6DataFarbe* Colour = Coating->FarbListe()->NewItem();
    EXPECT_TRUE(Coating->FarbListe()->HasItems());
    EXPECT_EQ(Colour->Beschichtung(), Coating);
    Colour->RGBOben = 0x0000FF;
    Colour->RGBMitte = 0x123456;
    test::ReadInto("<DFA><rgbgo>255</rgbgo><rgbbm>1</rgbbm><B2>braun</B2></DFA>", *Colour);
    EXPECT_EQ(Colour->RGBOben, 0x00FFFFU);
    EXPECT_EQ(Colour->RGBMitte, 0x013456U);
    EXPECT_EQ(Colour->GetB(2), "braun");

    Colour->EDV = "BRN";
    Colour->RGBUnten = 0xA0B0C0;
    Colour->Stvo = Tdex6RoadTraffic::NichtNachtfahrtauglich;
    Colour->UVA = 0.5;
    const std::string Xml = test::XmlOf(*Colour);
    EXPECT_NE(Xml.find("<rgbro>255</rgbro><rgbgo>255</rgbgo><rgbbo>0</rgbbo>"), std::string::npos);
    Tdex6DataFarbe Copy(&Root, nullptr, false);
    EXPECT_EQ(test::XmlAfterReading(Xml, Copy), Xml);
    EXPECT_EQ(Copy.Beschichtung(), nullptr);
}

} // namespace
} // namespace kr6
