#include "model/Addresses.h"

#include "helpers/ElementTestSupport.h"
#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/DescriptionDefaults.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <vector>

namespace kr6 {
namespace {

template <class TList> std::vector<std::int32_t> PBIDsOf(const TList& Prices) {
    std::vector<std::int32_t> IDs;
    for (const auto& Price : Prices)
        IDs.push_back(Price->PBID);
    return IDs;
}

TEST(PriceDescriptions, DefaultsAndFreeIDs) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Tdex6DataPreisbezeichnungsliste& List = *Root.Preisbezeichnungsliste();
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List.Items(0)->ID, 1);
    EXPECT_EQ(List.Items(0)->BEZ, "Listen EK");
    EXPECT_EQ(List.Items(0)->WVK, "EUR");
    EXPECT_EQ(List.Items(0)->BE, "Listen-Einkaufspreise des Augenoptikers");
    EXPECT_EQ(List.Items(1)->ID, 2);
    EXPECT_EQ(List.Items(1)->PFT, Tdex6PriceField::EmpfVK);
    EXPECT_EQ(List.Items(1)->BEZ, "empf. VK");

    EXPECT_EQ(List.NewItem()->ID, 3);
    List.Remove(List.FindByID(1));
    EXPECT_EQ(List.NewItem()->ID, 1);
    EXPECT_EQ(List.NewItem()->ID, 4);

    List.Reset(false);
    EXPECT_EQ(List.Count(), 0);
}

TEST(PriceDescriptions, DeleteEmpty) {
    Tdex6DataPreisbezeichnungsliste List(nullptr, nullptr);
    List.Reset(true);
    List.NewItem()->PFT = Tdex6PriceField::NichtGefuellt;
    List.NewItem();
    List.Items(0)->PFT = Tdex6PriceField::NichtGefuellt;
    List.DeleteEmpty();
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List.Items(0)->ID, 2);
    EXPECT_EQ(List.Items(1)->ID, 4);
}

TEST(PriceDescriptions, RemoveDeletesItsPrices) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Tdex6DataGlas* Glas = Root.Glasliste()->AddNew();
    for (std::int32_t PBID : {2, 1, 2, 3, 2})
        Glas->GlasPreisListe()->AddNew()->PBID = PBID;
    Tdex6DataBeschichtung* Coating = Root.Beschichtungsliste()->AddNew();
    for (std::int32_t PBID : {1, 2, 2, 3})
        Coating->PreisListe()->AddNew()->PBID = PBID;

    Tdex6DataPreisbezeichnungsliste& List = *Root.Preisbezeichnungsliste();
    Tdex6DataPreisbezeichnung Stranger(&Root, &List, true);
    Stranger.ID = 1;
    EXPECT_FALSE(List.Remove(&Stranger));
    EXPECT_EQ(PBIDsOf(*Glas->GlasPreisListe()), (std::vector<std::int32_t>{2, 1, 2, 3, 2}));

    EXPECT_TRUE(List.Remove(List.FindByID(2)));
    EXPECT_EQ(List.Count(), 1);
    // The other prices stay, in their order.
    EXPECT_EQ(PBIDsOf(*Glas->GlasPreisListe()), (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(PBIDsOf(*Coating->PreisListe()), (std::vector<std::int32_t>{1, 3}));
}

TEST(PriceDescriptions, RoundTripAndReading) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Tdex6DataPreisbezeichnungsliste& Written = *Root.Preisbezeichnungsliste();
    Written.Items(1)->PFT = Tdex6PriceField::KalkVKLevel1CH;
    const std::string Xml = test::XmlOf(Written);
    EXPECT_NE(Xml.find("<ID>2</ID><PFT>55</PFT><BEZ>empf. VK</BEZ><WVK>EUR</WVK><WNK>ct</WNK>"),
              std::string::npos);

    Tdex6DataPreisbezeichnungsliste Read(&Root, &Root);
    EXPECT_EQ(test::XmlAfterReading(Xml, Read), Xml);
    EXPECT_EQ(Read.Items(1)->PFT, Tdex6PriceField::KalkVKLevel1CH);

    Tdex6DataPreisbezeichnungsliste Lower(nullptr, nullptr);
    test::ReadInto("<DPBL><DPB><Bez>Netto</Bez></DPB><DPB><ID>1</ID></DPB><DPB/></DPBL>", Lower);
    ASSERT_EQ(Lower.Count(), 3);
    EXPECT_EQ(Lower.Items(0)->BEZ, "Netto");
    EXPECT_EQ(Lower.Items(0)->ID, 1);
    EXPECT_EQ(Lower.Items(2)->ID, 2);
}

TEST(Addresses, ClearPointsAtDefaultDescriptions) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Tdex6DataAdresse* Address = Root.Adressliste()->NewItem();
    EXPECT_EQ(Address->PrBezId1, 1);
    EXPECT_EQ(Address->PrBezId2, 2);
    EXPECT_EQ(Address->PrBezId3, 0);
    EXPECT_TRUE(Address->PrDefCyl);
    EXPECT_EQ(Address->BEZNR(), 1);

    Root.ClearAll(false);
    Address = Root.Adressliste()->NewItem();
    EXPECT_EQ(Address->PrBezId1, 0);
    EXPECT_EQ(Address->PrBezId2, 0);
}

TEST(Addresses, BEZNRAndTexts) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Root.Bezeichnungsvorgaben()->SetLang(3, "FR");
    Tdex6DataAdresse Address(&Root, Root.Adressliste(), false);
    Address.SetBEZNR(0);
    EXPECT_EQ(Address.BEZNR(), 1);
    EXPECT_EQ(Address.Language(), "DE");
    Address.SetBEZNR(7);
    EXPECT_EQ(Address.BEZNR(), 3);
    EXPECT_EQ(Address.Language(), "FR");
    EXPECT_EQ(Tdex6DataAdresse(nullptr, nullptr, false).Language(), "");

    Address.EDV = "12";
    EXPECT_EQ(Address.EDVText("-", false), "12");
    EXPECT_EQ(Address.EDVText("-", true), "12    ");
    Address.EDV = "ABCD";
    Address.EDV2 = "X";
    EXPECT_EQ(Address.EDVText("-", false), "ABCD-X");
    EXPECT_EQ(Address.EDVText("-", true), "ABCX  ");
    Address.Name = "Optik";
    EXPECT_EQ(Address.ProtocolPrefix(ProtocolNone, {}), "Adresse: Optik (ABCD X)");
}

TEST(Addresses, RoundTripAndReading) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Tdex6DataAdresse* Address = Root.Adressliste()->NewItem();
    Address->EDV = "OPT";
    Address->Name = "Optik & Glas";
    Address->GA = 45000;
    Address->PrDefCyl = false;
    Address->SetBEZNR(2);
    Address->PrBezId5 = 9;
    Address->UIDM = "u1";
    Address->LieferbareGlaeser()->AddOrRemove("GL1", false);
    Address->LieferbareBeschichtungen()->AddOrRemove("AR1", false);
    const std::string Xml = test::XmlOf(*Root.Adressliste());
    EXPECT_NE(Xml.find("<GA>20230315</GA><GB></GB>"), std::string::npos);
    EXPECT_NE(Xml.find("<LAND></LAND><LANG>DE</LANG><Plz>"), std::string::npos);
    EXPECT_NE(Xml.find("<PrDefCyl>-</PrDefCyl><BEZNR>2</BEZNR>"), std::string::npos);

    Tdex6DataAdressliste Read(&Root, &Root);
    EXPECT_EQ(test::XmlAfterReading(Xml, Read), Xml);
    ASSERT_EQ(Read.Count(), 1);
    EXPECT_EQ(Read.Items(0)->GA, 45000);
    EXPECT_FALSE(Read.Items(0)->PrDefCyl);

    Tdex6DataAdresse Other(&Root, &Root, false);
    test::ReadInto("<DA><PrDefCyl>x</PrDefCyl><LANG>EN</LANG><BEZNR>5</BEZNR></DA>", Other);
    EXPECT_TRUE(Other.PrDefCyl);
    EXPECT_EQ(Other.BEZNR(), 3);
    EXPECT_EQ(Other.Language(), "DE");
}

} // namespace
} // namespace kr6
