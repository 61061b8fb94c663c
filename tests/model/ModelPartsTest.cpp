// What the lenses, coatings and their parts do beyond holding fields: derived texts and kinds,
// code lists, renames carried into rules and groups, price lookups and what reading changes.
#include "helpers/ElementTestSupport.h"
#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Formulas.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/ProductGroups.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kr6 {
namespace {

const TMaterialSet AllMaterials = {Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                   Tdex6Material::Polycarbonat, Tdex6Material::Trivex};

// The example list pins the texts, materials and order of the surcharge groups.
TEST(Coatings, SurchargeGroupsKeepTheirTextsAndNeedARoot) {
    Tdex6Dataobject Root;
    Root.PrismenCylinder()->PG5 = 12;
    Root.Beschichtungsliste()->Reset(true);
    Tdex6DataBeschichtung& P3 = *Root.Beschichtungsliste()->FindByEDV("P3");
    P3.SetB(1, "Eigener Text");
    EXPECT_EQ(P3.GetB(1), "Prisma bis 10 cm/m");
    EXPECT_EQ(P3.GetB(7), P3.GetB(1));
    Tdex6DataBeschichtung Rootless(nullptr, nullptr, true);
    Rootless.SetEDV("P1");
    EXPECT_EQ(Rootless.GetB(1), "");
}

TEST(Coatings, CodeListsDescriptionsAndAttachedObjects) {
    Tdex6Dataobject Root;
    Tdex6DataBeschichtungsliste& List = *Root.Beschichtungsliste();
    List.Reset(true);
    const auto Add = [&](std::string_view Code, TMaterialSet MAT = AllMaterials) {
        Tdex6DataBeschichtung* Coating = List.NewItem();
        Coating->SetEDV(Code);
        Coating->MAT = MAT;
        return Coating;
    };
    Add("AR")->ET = Tdex6AntiReflection::EinfachET;
    Add("TI")->FA = Tdex6Tint::Farbig;
    Add("HC", {Tdex6Material::Kunststoff})->SetB(1, "first");
    Add("ANY", {Tdex6Material::Egal});
    Tdex6DataBeschichtung* Later = Add("NEW");
    Later->LA = EncodeDateTime(2030, 1, 1);
    Add("hc")->SetB(1, "second");

    TStringList Strings;
    Strings.Add("stale");
    const TCoatingKindSet Other = {Tdex6CoatingKind::Other};
    List.GetCodes(Strings, true, AllMaterials, Other, 0);
    EXPECT_EQ(Strings.Text(), "\r\nHC\r\nNEW\r\nhc\r\n");
    List.GetCodes(Strings, false, {Tdex6Material::Kunststoff}, Other, EncodeDateTime(2020, 6, 1));
    EXPECT_EQ(Strings.Text(), "HC\r\nhc\r\n");
    List.GetCodes(Strings, false, {Tdex6Material::Silikat},
                  {Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint}, 0);
    EXPECT_EQ(Strings.Text(), "AR\r\nTI\r\n");

    // The cache's lists are sorted, each code once.
    const TCoatingCodeCache Cache(List);
    EXPECT_EQ(Cache.Codes(AllMaterials, Other).Text(), "HC\r\nNEW\r\n");

    EXPECT_EQ(List.GetDescription("HC"), "second") << "the last coating of the code";
    Strings.Clear();
    Strings.Add("XX");
    Strings.Add("new");
    List.AttachObjects(Strings);
    EXPECT_EQ(Strings.Objects(0), nullptr);
    EXPECT_EQ(Strings.Objects(1), Later);
}

// A coating read from an element form and cleared writes what a new coating writes.
TEST(Coatings, ClearGivesANewCoatingsElementForm) {
    const Tdex6DataBeschichtung New(nullptr, nullptr, true);
    Tdex6DataBeschichtung Used(nullptr, nullptr, true);
    test::ReadInto("<BESCH><EDV>AR</EDV><STEG>0</STEG><EMEG>0</EMEG><CSNR>4</CSNR></BESCH>", Used);
    ASSERT_NE(test::XmlOf(Used), test::XmlOf(New));
    Used.Clear(false);
    EXPECT_EQ(test::XmlOf(Used), test::XmlOf(New));
}

TEST(Glasses, CodeListsFilterByMaterialKindExclusionAndDate) {
    Tdex6Dataobject Root;
    const auto Add = [&](std::string_view Code) {
        Tdex6DataGlas* Glas = Root.Glasliste()->NewGlas();
        Glas->SetEDV(Code);
        return Glas;
    };
    Add("ANY")->MAT = Tdex6Material::Egal;
    Add("SIL");
    Add("BIFO")->EM = Tdex6LensKind::Bifo;
    Add("OLD")->LB = EncodeDateTime(2000, 1, 1);
    Add("sil");
    Add("SKIP");
    TStringList Codes;
    Codes.Add("stale");
    const TSmallSet<Tdex6LensKind> Single{Tdex6LensKind::Einstaerken};
    Root.Glasliste()->GetCodes(Codes, true, AllMaterials, Single, "skip\r\nnone", 0);
    EXPECT_EQ(Codes.Text(), "\r\nSIL\r\nOLD\r\nsil\r\n");
    Root.Glasliste()->GetCodes(Codes, false, AllMaterials, Single, "", EncodeDateTime(2020, 1, 1));
    EXPECT_EQ(Codes.Text(), "SIL\r\nsil\r\nSKIP\r\n");
}

TEST(CodeChanges, ReachRulesProductGroupsAndAreDroppedWithTheCoating) {
    Tdex6Dataobject Root;
    Tdex6DataGlas& Lens = *Root.Glasliste()->NewGlas();
    Lens.SetEDV("L1");
    Tdex6DataBeschichtung& AR = *Root.Beschichtungsliste()->NewItem();
    AR.SetEDV("AR");
    Tdex6DataBeschichtung& HC = *Root.Beschichtungsliste()->NewItem();
    HC.SetEDV("HC");
    Tdex6DataKombinationsListe& Rules = *Root.KombinationsListe();
    Rules.AddRule("L1", "HC", "AR", "******", Tdex6Delivery::NichtLieferbar);
    Tdex6DataProduktgruppe& Group = *Root.Produktgruppenliste()->AddNumbered();
    Group.LieferbareGlaeser()->AddOrRemove("L1", false);
    Group.LieferbareGlaeser()->AddOrRemove("KEEP", false);
    Group.LieferbareBeschichtungen()->AddOrRemove("AR", false);
    Group.LieferbareBeschichtungen()->AddOrRemove("HC", false);
    const TStringList& Glasses = Group.LieferbareGlaeser()->Codes()->Lines();
    const TStringList& Coatings = Group.LieferbareBeschichtungen()->Codes()->Lines();

    Lens.SetEDV("l1");
    EXPECT_EQ(Glasses.Text(), "KEEP\r\nL1\r\n") << "a change of letter case renames nothing";
    Lens.SetEDV("L9");
    AR.SetEDV("AR2");
    EXPECT_EQ(Rules.GetItem(0)->GE() + "|" + Rules.GetItem(0)->B2E(), "L9|AR2");
    EXPECT_EQ(Glasses.Text(), "KEEP\r\nL9\r\n");
    EXPECT_EQ(Coatings.Text(), "AR2\r\nHC\r\n");

    Tdex6DataGlas& Blank = *Root.Glasliste()->NewGlas();
    Blank.SetEDV("KEEP2");
    EXPECT_EQ(Glasses.Text(), "KEEP\r\nL9\r\n") << "a glass without a code renames nothing";

    EXPECT_TRUE(Root.Beschichtungsliste()->Remove(&HC));
    EXPECT_EQ(Rules.Count(), 0);
    EXPECT_EQ(Coatings.Text(), "AR2\r\n");
}

TEST(GlassParts, PowerSettersOrderCylinderAndAdditionButNotSphere) {
    Tdex6DataGlasWirkung Power(nullptr, nullptr, true);
    Power.SetCyl(-0.5, -2);
    EXPECT_EQ(std::pair(Power.cylV, Power.CylB), std::pair(-2.0, -0.5));
    Power.SetCyl(-2, -0.5);
    EXPECT_EQ(std::pair(Power.cylV, Power.CylB), std::pair(-2.0, -0.5));
    Power.SetSph(4, -4);
    EXPECT_EQ(std::pair(Power.SphV, Power.SphB), std::pair(4.0, -4.0));
    Power.SetAdd(2.5, 0.75);
    EXPECT_EQ(std::pair(Power.AddV, Power.AddB), std::pair(0.75, 2.5));
    // Equal values: the first argument goes to the upper bound.
    Power.SetCyl(0.0, -0.0);
    EXPECT_FALSE(std::signbit(Power.CylB));
    EXPECT_TRUE(std::signbit(Power.cylV));
    Power.SetAdd(-0.0, 0.0);
    EXPECT_TRUE(std::signbit(Power.AddB));
    EXPECT_FALSE(std::signbit(Power.AddV));
}

TEST(GlassParts, ClearResetsTheGeometryKindAndFormulaFlagsCoverTheirMatrix) {
    Tdex6DataGlasGeometrie Geometry(nullptr, nullptr, true);
    Geometry.GeometryKind = Tdex6GeometryKind::AlleDezentriertenDurchmesser;
    Geometry.Clear(false);
    EXPECT_EQ(Geometry.GeometryKind, Tdex6GeometryKind::AngegebenerDurchmesser);
    Tdex6DataFormelGruppe Group(nullptr, nullptr, false);
    constexpr int LastType = Tdex6DataFormelGruppe::GlassTypeCount - 1;
    Group.SetAZG(0, 1, true);
    Group.SetAZG(LastType, Tdex6DataFormelGruppe::MaterialCount, true);
    EXPECT_TRUE(Group.GetAZG(0, 1) && Group.GetAZG(LastType, Tdex6DataFormelGruppe::MaterialCount));
}

TEST(Prices, ListsWithoutAnOwnerNeverCreate) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Tdex6DataGlasPreisListe LooseGlass(&Root, &Root);
    EXPECT_EQ(LooseGlass.FindPrice(0, 0, MakeDiameter(70, 0, false), 1, 0, true), nullptr);
    Tdex6DataBeschichtungspreisListe LooseCoating(&Root, nullptr);
    EXPECT_EQ(LooseCoating.FindPrice(Tdex6SphTor::Egal, Tdex6SingleMulti::Egal, true, "G1", 1,
                                     Tdex6Material::Silikat),
              nullptr);
    EXPECT_EQ(LooseGlass.Count() + LooseCoating.Count(), 0);
}

// A price's formula is made only when asked for, yet with the identifiers it would have
// had if made with the price: the ones right after the price's, none taken later.
TEST(Prices, ALateGlassPriceFormulaHasTheIdentifiersTakenWithThePrice) {
    Tdex6Dataobject Root;
    Tdex6DataGlasPreisListe Prices(&Root, &Root);
    Tdex6DataGlasPreis& Price = *Prices.AddNew();
    const std::int32_t Next = Root.NewOID();
    const Tdex6DataFormelLokalGlas& Formula = *Price.Formel();
    EXPECT_EQ(Formula.OID(), Price.OID() + 1);
    EXPECT_EQ(Formula.Calc()->OID(), Price.OID() + 2);
    EXPECT_EQ(Next, Price.OID() + 3);
    EXPECT_EQ(Root.NewOID(), Next + 1);
}

TEST(Prices, ACoatingPriceForOneLensTakesMaterialAndKindFromIt) {
    Tdex6Dataobject Root;
    Tdex6DataBeschichtung& Coating = *Root.Beschichtungsliste()->NewItem();
    Tdex6DataBeschichtungspreis& Special = *Coating.PreisListe()->NewItem();
    Special.Edv = "G1";
    Special.MAT = Tdex6Material::Silikat;
    Special.EM = Tdex6SingleMulti::Mehrst;
    EXPECT_EQ(Special.EffectiveMAT(), Tdex6Material::Silikat);
    EXPECT_EQ(Special.EffectiveEM(), Tdex6SingleMulti::Egal);
    Tdex6DataGlas& Glass = *Root.Glasliste()->NewGlas();
    Glass.SetEDV("g1");
    Glass.MAT = Tdex6Material::Polycarbonat;
    EXPECT_EQ(Special.EffectiveMAT(), Tdex6Material::Polycarbonat);
    EXPECT_NE(test::XmlOf(Special).find("<MAT>3</MAT><EM>0</EM>"), std::string::npos);
}

TEST(Reading, PartsWithMoreThanPlainFields) {
    Tdex6DataFarbe Colour(nullptr, nullptr, false);
    Colour.RGBOben = 0x0000FF;
    Colour.RGBMitte = 0x123456;
    test::ReadInto("<DFA><rgbgo>255</rgbgo><rgbbm>1</rgbbm></DFA>", Colour);
    EXPECT_EQ(Colour.RGBOben, 0x00FFFFU) << "colours are read one component at a time";
    EXPECT_EQ(Colour.RGBMitte, 0x013456U);

    Tdex6DataPreisgruppen Groups(nullptr, nullptr, false);
    Groups.SetS(51, true);
    Groups.SetC(-1, true);
    Groups.SetC(20, true);
    EXPECT_EQ(test::XmlOf(Groups), "<PG><ED></ED><OID>0</OID></PG>") << "C above 10 is not written";
    test::ReadInto("<PG><C20>1</C20><C10>1</C10><S03>1</S03><S7>0</S7><S8>1</S8></PG>", Groups);
    EXPECT_EQ(test::XmlOf(Groups), "<PG><ED></ED><OID>0</OID><S8>1</S8><C10>1</C10></PG>");
    EXPECT_TRUE(Groups.GetC(20));

    Tdex6DataFormelCalc Calc(nullptr, nullptr, false);
    test::ReadInto("<DFOC><FI3>11</FI3><FI1>10</FI1><FRT>7</FRT><VAR2>65541</VAR2>"
                   "<VAL4>1,5</VAL4></DFOC>",
                   Calc);
    EXPECT_EQ(Calc.FI3, Tdex6FormulaKind11::Value0);
    EXPECT_EQ(Calc.FI1, Tdex6FormulaKind11::Value10);
    EXPECT_EQ(Calc.FRT, Tdex6FormulaKind7::Value0);
    EXPECT_EQ(Calc.VAR2, 5);
    EXPECT_EQ(Calc.VAL4, 1.5);
    Tdex6DataFormelLokalGlas Cut(nullptr, nullptr, false);
    test::ReadInto("<DFGL><QSph>200</QSph><QCyl>-129</QCyl></DFGL>", Cut);
    EXPECT_EQ(Cut.QSph, -56);
    EXPECT_EQ(Cut.QCyl, 127);
}

} // namespace
} // namespace kr6
