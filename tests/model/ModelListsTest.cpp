// The root and its lists beyond holding fields: identifiers, defaults made on clearing, free
// numbers, lookups, deletes that reach other lists, protocol entries, and what
// reading changes.
#include "helpers/ElementTestSupport.h"
#include "model/Addresses.h"
#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/DeliveryRanges.h"
#include "model/DescriptionDefaults.h"
#include "model/Formulas.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Info.h"
#include "model/OrderOptions.h"
#include "model/ProductGroups.h"
#include "model/Protocol.h"
#include "model/Root.h"
#include "model/Variables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace kr6 {
namespace {

// One number of every item, each followed by a blank.
template <class TList, class TMember> std::string Join(const TList& List, TMember Member) {
    std::string Text;
    for (const auto& Item : List)
        Text += std::to_string(std::invoke(Member, *Item)) + " ";
    return Text;
}

TEST(Root, ClearAllEmptiesRestartsNumberingAndMakesTheDefaults) {
    Tdex6Dataobject Root;
    EXPECT_EQ(Root.Bezeichnungsvorgaben()->OID(), 1);
    EXPECT_EQ(Root.PrismenCylinder()->OID(), 2);
    EXPECT_EQ(Root.LastOID(), 2);
    Root.Glasliste()->NewGlas();
    Root.Notes().Add("note");
    Root.ClearAll(false);
    EXPECT_EQ(Root.LastOID(), 1);
    EXPECT_TRUE(Root.Glasliste()->IsEmpty() && Root.Notes().IsEmpty());
    EXPECT_EQ(Root.Glasliste()->NewGlas()->OID(), 2);
    EXPECT_EQ(Root.Adressliste()->NewItem()->PrBezId1, 0);

    Root.PrismenCylinder()->ZB = 9;
    Root.Variableliste()->AddNew();
    Root.FormelGruppeListe()->AddNew();
    Root.ClearAll(true);
    EXPECT_TRUE(Root.Glasliste()->IsEmpty() && Root.Variableliste()->IsEmpty() &&
                Root.FormelGruppeListe()->IsEmpty() && Root.Adressliste()->IsEmpty());
    EXPECT_EQ(Root.PrismenCylinder()->ZB, 4);
    EXPECT_EQ(Root.Beschichtungsliste()->Count(), 9);
    Tdex6DataLieferbereichsbezeichnungsliste& Ranges = *Root.Lieferbereichsbezeichnungsliste();
    EXPECT_EQ(Ranges.Items(0)->Bez, "Standardlieferbereich");
    EXPECT_NE(Ranges.AddNumbered()->ID, Ranges.Items(0)->ID) << "a new range takes a free number";
    const Tdex6DataPreisbezeichnungsliste& Prices = *Root.Preisbezeichnungsliste();
    ASSERT_EQ(Prices.Count(), 2);
    EXPECT_EQ(Prices.Items(1)->PFT, Tdex6PriceField::EmpfVK);
    Tdex6DataAdresse& Address = *Root.Adressliste()->NewItem();
    EXPECT_EQ(std::vector({Address.PrBezId1, Address.PrBezId2, Address.PrBezId3}),
              std::vector({1, 2, 0}));
}

TEST(Objects, IdentifiersRegisterAndChangeDates) {
    Tdex6Dataobject Root;
    Root.SetLastOID(41);
    Tdex6DataVariableliste List(&Root, &Root);
    const std::size_t Before = Root.AllObjects().Count();
    Tdex6DataVariable* First = List.NewItem();
    EXPECT_EQ(First->OID(), 42);
    Tdex6DataVariable* Second = List.NewItem();
    Tdex6DataVariable* Third = List.NewItem();
    EXPECT_EQ(Root.AllObjects().Last(), Third);
    EXPECT_TRUE(List.Remove(Second));
    EXPECT_FALSE(List.Remove(Second));
    EXPECT_EQ(TAllObjects::Next(First), Third);
    List.Delete(1);
    EXPECT_EQ(Root.AllObjects().Last(), First);
    EXPECT_EQ(Root.AllObjects().Count(), Before + 1);
    EXPECT_EQ(List.Items(1), nullptr);
    EXPECT_EQ(List.Items(-1), nullptr);
    List.Reset(false);
    EXPECT_EQ(Root.AllObjects().Count(), Before);

    Tdex6DataInfo Unnumbered(&Root, &Root, false);
    EXPECT_EQ(Unnumbered.OID(), 0);
    Unnumbered.SetOID(500);
    Unnumbered.SetOID(7);
    EXPECT_EQ(Root.LastOID(), 500) << "read identifiers only raise the last one";
    EXPECT_EQ(Tdex6DataVariable(nullptr, nullptr, true).OID(), 0);

    // Change dates are written to the minute; one that is no date reads as none.
    Tdex6DataVariable Variable(nullptr, nullptr, false);
    Variable.SetED(EncodeDateTime(2024, 3, 1, 14, 5, 59));
    EXPECT_EQ(test::XmlOf(Variable).find("<DV><ED>202403011405</ED><OID>0</OID>"), 0U);
    test::ReadInto("<DV><ED>2024xx</ED><OID>9</OID></DV>", Variable);
    EXPECT_EQ(Variable.ED(), 0);
    EXPECT_EQ(Variable.OID(), 9);
}

TEST(Protocol, EntriesFromTheListAndFromObjects) {
    Tdex6Dataobject Root;
    Tdex6DataProtokollliste& List = *Root.Protokollliste();
    const TDateTime Before = Now();
    Tdex6DataProtokoll* Entry = List.AddEntry(500, "Text", 0, "");
    EXPECT_TRUE(Root.Modified());
    EXPECT_EQ(Entry->OID(), 500);
    EXPECT_EQ(Root.LastOID(), 500);
    EXPECT_EQ(Entry->U, "Der Benutzer");
    EXPECT_LE(std::abs(Entry->D - Before), 1.0 / 1440);
    EXPECT_EQ(List.AddEntry(7, "", 45000.5, "Meier")->U, "Meier");

    Tdex6DataProduktgruppe Group(&Root, nullptr, true);
    Group.Bez = "Premium";
    Tdex6DataProtokoll* OfGroup = Group.AddProtocol(ProtocolAdded, "neu", "", 45000);
    ASSERT_NE(OfGroup, nullptr);
    EXPECT_EQ(OfGroup->OID(), Group.OID());
    EXPECT_EQ(OfGroup->B, "Produktgruppe zugef\xFCgt: Premium neu");
    EXPECT_EQ(List.Count(), 3);
    EXPECT_EQ(Tdex6DataProduktgruppe(nullptr, nullptr, true).AddProtocol(ProtocolAdded, "x"),
              nullptr);

    Tdex6Dataobject Read;
    Read.SetModified(false);
    test::ReadInto(test::XmlOf(List), *Read.Protokollliste());
    EXPECT_TRUE(Read.Modified());
    EXPECT_EQ(Read.LastOID(), 501) << "the group's identifier";
}

TEST(PriceDescriptions, FreeIDsDeleteEmptyAndRemoveWithTheirPrices) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Tdex6DataPreisbezeichnungsliste& List = *Root.Preisbezeichnungsliste();
    EXPECT_EQ(List.NewItem()->ID, 3);
    List.Remove(List.FindByID(1));
    EXPECT_EQ(List.NewItem()->ID, 1) << "the lowest free number";
    EXPECT_EQ(List.NewItem()->ID, 4);
    List.FindByID(3)->PFT = Tdex6PriceField::NichtGefuellt;
    List.DeleteEmpty();
    EXPECT_EQ(Join(List, &Tdex6DataPreisbezeichnung::ID), "2 1 4 ");

    Tdex6DataGlas* Glas = Root.Glasliste()->AddNew();
    for (std::int32_t ID : {2, 1, 2, 3, 2})
        Glas->GlasPreisListe()->AddNew()->PBID = ID;
    Tdex6DataBeschichtung* Coating = Root.Beschichtungsliste()->AddNew();
    for (std::int32_t ID : {1, 2, 2, 3})
        Coating->PreisListe()->AddNew()->PBID = ID;
    Tdex6DataPreisbezeichnung Stranger(&Root, &List, true);
    Stranger.ID = 2;
    EXPECT_FALSE(List.Remove(&Stranger));
    EXPECT_EQ(Join(*Glas->GlasPreisListe(), &Tdex6DataGlasPreis::PBID), "2 1 2 3 2 ");
    EXPECT_TRUE(List.Remove(List.FindByID(2)));
    EXPECT_EQ(Join(*Glas->GlasPreisListe(), &Tdex6DataGlasPreis::PBID), "1 3 ");
    EXPECT_EQ(Join(*Coating->PreisListe(), &Tdex6DataBeschichtungspreis::PBID), "1 3 ");
}

TEST(Addresses, LanguageNumberAndCodeTexts) {
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
    EXPECT_EQ(Address.EDVText("-", false) + "|" + Address.EDVText("-", true), "12|12    ");
    Address.EDV = "ABCD";
    Address.EDV2 = "X";
    EXPECT_EQ(Address.EDVText("-", false) + "|" + Address.EDVText("-", true), "ABCD-X|ABCX  ");

    // The language is written for other readers but follows the number.
    EXPECT_NE(test::XmlOf(Address).find("<LANG>FR</LANG>"), std::string::npos);
    test::ReadInto("<DA><LANG>EN</LANG><BEZNR>5</BEZNR></DA>", Address);
    EXPECT_EQ(Address.Language(), "FR");
}

TEST(ProductGroups, DeliverableCodesAreSortedUniqueAndFollowRenames) {
    Tdex6Dataobject Root;
    Tdex6DataProduktgruppenliste& List = *Root.Produktgruppenliste();
    for (int I = 0; I < 2; ++I) {
        Tdex6DataProduktgruppe* Group = List.AddNumbered();
        Group->Bez = I == 0 ? "Premium" : "PREMIUM";
        TStringList Added;
        for (const char* Code : {"B200", "gl1", "", "GL1"})
            Added.Add(Code);
        Group->LieferbareGlaeser()->AddOrRemoveAll(Added, false);
        Group->LieferbareBeschichtungen()->AddOrRemove("AR1", false);
        Group->LieferbareBeschichtungen()->AddOrRemove("ZZ9", false);
    }
    EXPECT_EQ(List.FindByName("premium"), List.Items(1));
    EXPECT_EQ(List.FindByName("Prem"), nullptr);
    Tdex6DataLieferbareGlaeser& Glasses = *List.Items(0)->LieferbareGlaeser();
    EXPECT_EQ(Glasses.Codes()->Lines().Text(), "B200\r\ngl1\r\n");
    Glasses.AddOrRemove("C300", true);
    Glasses.AddOrRemove("", true);
    EXPECT_EQ(Glasses.Codes()->Lines().Text(), "B200\r\ngl1\r\n");

    List.RenameGlass("GL1", "A1");
    List.RenameCoating("ar1", "");
    for (const auto& Group : List) {
        EXPECT_EQ(Group->LieferbareGlaeser()->Codes()->Lines().Text(), "A1\r\nB200\r\n");
        EXPECT_EQ(Group->LieferbareBeschichtungen()->Codes()->Lines().Text(), "ZZ9\r\n");
    }
    Tdex6DataLieferbareBeschichtungen& Coatings = *List.Items(0)->LieferbareBeschichtungen();
    Coatings.Replace("XX1", "YY1");
    // A new code equal to the old one ignoring case takes its place instead of looping.
    Coatings.Replace("ZZ9", "zz9");
    EXPECT_EQ(Coatings.Codes()->Lines().Text(), "zz9\r\n");
}

TEST(OrderOptions, AnOptionIsInOneSetOnly) {
    Tdex6DataOrderOptions Options(nullptr, nullptr, false);
    test::ReadInto("<OROP><KADU>20</KADU><MUTE>20</MUTE></OROP>", Options);
    EXPECT_EQ(Options.MUTE(), TOrderOptionSet{Tdex6OrderOption::NormalPD});
    EXPECT_TRUE(Options.KADU().Empty());
    test::ReadInto("<OROP><mudu>20</mudu></OROP>", Options);
    EXPECT_TRUE(Options.MUTE().Empty());
    EXPECT_EQ(Options.MUDU(), TOrderOptionSet{Tdex6OrderOption::NormalPD});
    Options.SetKADU({Tdex6OrderOption::NormalPD, Tdex6OrderOption::HSA});
    EXPECT_TRUE(Options.MUDU().Empty());
    Options.SetMUTE({Tdex6OrderOption::HSA});
    EXPECT_EQ(Options.KADU(), TOrderOptionSet{Tdex6OrderOption::NormalPD});
}

} // namespace
} // namespace kr6
