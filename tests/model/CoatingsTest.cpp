#include "model/Coatings.h"

#include "helpers/ElementTestSupport.h"
#include "model/Combinations.h"
#include "model/DeliveryRanges.h"
#include "model/Formulas.h"
#include "model/Info.h"
#include "model/NamedStrings.h"
#include "model/OrderOptions.h"
#include "model/ProductGroups.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <vector>

namespace kr6 {
namespace {

const TMaterialSet AllMaterials = {Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                   Tdex6Material::Polycarbonat, Tdex6Material::Trivex};

Tdex6DataBeschichtung* AddCoating(Tdex6DataBeschichtungsliste& List, std::string_view Code,
                                  TMaterialSet MAT = AllMaterials) {
    Tdex6DataBeschichtung* Coating = List.NewItem();
    Coating->SetEDV(Code);
    Coating->MAT = MAT;
    return Coating;
}

std::vector<std::string> Codes(const TStringList& Strings) {
    std::vector<std::string> Result;
    for (const auto& Entry : Strings)
        Result.push_back(Entry.Text);
    return Result;
}

std::vector<std::int32_t> SortNumbers(const Tdex6DataBeschichtungsliste& List) {
    std::vector<std::int32_t> Result;
    for (const auto& Coating : List)
        Result.push_back(Coating->CSNR());
    return Result;
}

TEST(CoatingsTest, ResetWithDefaultsCreatesTheSurchargeGroups) {
    Tdex6Dataobject Root;
    Root.PrismenCylinder()->PG1 = 2;
    Root.PrismenCylinder()->PG5 = 12;
    Tdex6DataBeschichtungsliste& List = *Root.Beschichtungsliste();
    AddCoating(List, "AR");
    List.Reset(true);

    std::vector<std::string> Found;
    for (const auto& Coating : List) {
        Found.push_back(Coating->EDV());
        EXPECT_EQ(Coating->MAT, AllMaterials);
        EXPECT_EQ(Coating->Kinds(), TCoatingKindSet{Tdex6CoatingKind::Special});
    }
    EXPECT_EQ(Found,
              (std::vector<std::string>{"Z1", "Z2", "Z3", "P1", "P2", "P3", "P4", "P5", "P6"}));

    EXPECT_EQ(List.FindByEDV("P1")->GetB(1), "Prisma bis 2 cm/m");
    EXPECT_EQ(List.FindByEDV("P6")->GetB(1), "Prisma \xFC"
                                             "ber 12 cm/m");
    EXPECT_EQ(List.FindByEDV("Z2")->GetB(1), "Zylinder bis 8 dpt");
    EXPECT_EQ(List.FindByEDV("Z3")->GetB(1), "Zylinder \xFC"
                                             "ber 8 dpt");

    Tdex6DataBeschichtung& P3 = *List.FindByEDV("P3");
    P3.SetB(1, "Eigener Text");
    EXPECT_EQ(P3.GetB(1), "Prisma bis 10 cm/m");
    EXPECT_EQ(P3.GetB(7), P3.GetB(1));

    Tdex6DataBeschichtung Rootless(nullptr, nullptr, true);
    Rootless.SetEDV("P1");
    EXPECT_EQ(Rootless.GetB(1), "");
}

TEST(CoatingsTest, KindsFollowTypeAndCode) {
    Tdex6DataBeschichtung Coating(nullptr, nullptr, true);
    Coating.SetEDV("AR");
    EXPECT_EQ(Coating.Kinds(), TCoatingKindSet{Tdex6CoatingKind::Other});
    Coating.ET = FromCode<Tdex6AntiReflection>(2);
    Coating.FA = FromCode<Tdex6Tint>(1);
    EXPECT_EQ(Coating.Kinds(),
              (TCoatingKindSet{Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint}));
    Coating.FA = Tdex6Tint::Keine;
    Coating.SetEDV("z1");
    EXPECT_EQ(Coating.Kinds(),
              (TCoatingKindSet{Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Special}));
}

TEST(CoatingsTest, CompatibilityIsDecidedByExclusiveFeatures) {
    Tdex6DataBeschichtung A(nullptr, nullptr, true);
    Tdex6DataBeschichtung B(nullptr, nullptr, true);
    A.FA = Tdex6Tint::Farbig;
    B.ER = Tdex6EdgeFinish::MitGetracterForm;
    B.ADU = Tdex6DiameterChange::KleinererDurchmesser;
    EXPECT_TRUE(IsCompatible(A, B));
    A.ET = Tdex6AntiReflection::EinfachET;
    EXPECT_TRUE(IsCompatible(A, B));
    B.ET = Tdex6AntiReflection::SuperET;
    EXPECT_FALSE(IsCompatible(A, B));
    B.ET = Tdex6AntiReflection::Keine;
    A.HA = true;
    B.HA = true;
    EXPECT_FALSE(IsCompatible(A, B));
    B.HA = false;
    B.ATOR = true;
    EXPECT_TRUE(IsCompatible(A, B));
    A.ATOR = true;
    EXPECT_FALSE(IsCompatible(B, A));
}

TEST(CoatingsTest, FindByCodeAndDescriptions) {
    Tdex6Dataobject Root;
    Tdex6DataBeschichtungsliste& List = *Root.Beschichtungsliste();
    EXPECT_EQ(List.FindByEDV("P1"), nullptr);
    List.Reset(true);
    AddCoating(List, "AR")->SetB(1, "first");
    Tdex6DataBeschichtung* Later = AddCoating(List, "ar");
    Later->SetB(1, "second");

    EXPECT_EQ(List.FindByEDV(""), nullptr);
    EXPECT_EQ(List.FindByEDV("p1"), List.Items(3));
    EXPECT_EQ(List.FindByEDV("P1 "), nullptr);
    EXPECT_EQ(List.FindByEDV("Ar"), Later);
    EXPECT_EQ(List.GetDescription("AR"), "second");
    EXPECT_EQ(List.GetDescription("XX"), "");

    TStringList Strings;
    Strings.Add("XX");
    Strings.Add("ar");
    List.AttachObjects(Strings);
    EXPECT_EQ(Strings.Objects(0), nullptr);
    EXPECT_EQ(Strings.Objects(1), Later);
}

TEST(CoatingsTest, GetCodesFiltersByMaterialKindAndDate) {
    Tdex6Dataobject Root;
    Tdex6DataBeschichtungsliste& List = *Root.Beschichtungsliste();
    List.Reset(true);
    AddCoating(List, "AR")->ET = Tdex6AntiReflection::EinfachET;
    AddCoating(List, "TI")->FA = Tdex6Tint::Farbig;
    AddCoating(List, "HC", {Tdex6Material::Kunststoff});
    AddCoating(List, "ANY", {Tdex6Material::Egal});
    Tdex6DataBeschichtung* Later = AddCoating(List, "NEW");
    Later->LA = EncodeDateTime(2030, 1, 1);

    TStringList Strings;
    Strings.Add("stale");
    const TCoatingKindSet Other = {Tdex6CoatingKind::Other};
    List.GetCodes(Strings, true, AllMaterials, Other, 0);
    EXPECT_EQ(Codes(Strings), (std::vector<std::string>{"", "HC", "NEW"}));
    List.GetCodes(Strings, false, AllMaterials, Other, EncodeDateTime(2020, 6, 1));
    EXPECT_EQ(Codes(Strings), (std::vector<std::string>{"HC"}));
    List.GetCodes(Strings, false, {Tdex6Material::Silikat},
                  {Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint}, 0);
    EXPECT_EQ(Codes(Strings), (std::vector<std::string>{"AR", "TI"}));

    EXPECT_TRUE(Later->IsValidAt(0));
    EXPECT_TRUE(Later->IsValidAt(EncodeDateTime(2030, 1, 1)));
    EXPECT_FALSE(Later->IsValidAt(EncodeDateTime(2029, 12, 31)));
}

TEST(CoatingsTest, CodeChangesReachRulesAndProductGroups) {
    Tdex6Dataobject Root;
    Tdex6DataBeschichtungsliste& List = *Root.Beschichtungsliste();
    Tdex6DataBeschichtung* Coating = AddCoating(List, "AR1");
    Root.KombinationsListe()->AddRule("G1", "AR1", "", "", Tdex6Delivery::Lieferbar);
    Root.KombinationsListe()->AddRule("G2", "HC", "", "", Tdex6Delivery::Lieferbar);
    TStringList& Grouped =
        Root.Produktgruppenliste()->AddNumbered()->LieferbareBeschichtungen()->Codes()->Lines();
    Grouped.Add("AR1");

    Coating->SetEDV("AR2");
    EXPECT_NE(Root.KombinationsListe()->FindRule("G1", "AR2", "", ""), nullptr);
    EXPECT_EQ(Codes(Grouped), (std::vector<std::string>{"AR2"}));

    EXPECT_TRUE(List.Remove(Coating));
    EXPECT_EQ(List.Count(), 0);
    EXPECT_EQ(Root.KombinationsListe()->Count(), 1);
    EXPECT_TRUE(Grouped.IsEmpty());
}

TEST(CoatingsTest, RoundTripKeepsEveryField) {
    Tdex6Dataobject Root;
    Tdex6DataBeschichtung Source(&Root, nullptr, true);
    Source.SetEDV("AR&1");
    Source.SetB(1, "Entspiegelung");
    Source.SetB(10, "zehn");
    Source.SetKB(2, "kurz");
    Source.LA = EncodeDateTime(2010, 1, 2);
    Source.LB = EncodeDateTime(2030, 12, 31);
    Source.ME = Tdex6BrandLine::ECO;
    Source.MAT = {Tdex6Material::Egal, Tdex6Material::Kunststoff, Tdex6Material::Trivex};
    Source.ET = Tdex6AntiReflection::SuperET;
    Source.FA = Tdex6Tint::ZweifachVerlauf;
    Source.PH = Source.HA = Source.CL = Source.UV = Source.VS = true;
    Source.ADB = Source.AAD = Source.WAL = Source.DEZ = Source.PRH = true;
    Source.MATT = Source.BENT = Source.BTOR = Source.ATOR = Source.OLB = true;
    Source.ER = Tdex6EdgeFinish::InGegebeneFassung;
    Source.ADU = Tdex6DiameterChange::OptimierterDurchmesser;
    Source.AD = Tdex6ThicknessChange::Dickenreduktion;
    Source.AF = Tdex6FormChange::Abgeschnitten;
    Source.BF = Tdex6Bonus::AbhaengigVomGlas;
    Source.Stvo = Tdex6RoadTraffic::NichtKFZTauglich;
    Source.FK = 3;
    Source.FKB = -7;
    Source.UVK = 380.5;
    Source.UVA = 0.25;
    Source.UVB = 1.5;
    Source.SphVon = -8;
    Source.SphBis = 6.25;
    Source.DMVon = 55;
    Source.DMBis = 80;
    Source.SetCSNR(12);
    Source.SetKrEDV(Tdex6Material::Silikat, "S1");
    Source.SetKrBez(Tdex6Material::Polycarbonat, "Poly");
    Source.SpecialPriceCodes().Add("G1");
    Source.SpecialPriceCodes().Add("G2");
    Source.FarbListe()->NewItem()->EDV = "BRN";
    Source.PreisListe()->NewItem()->SetPR(12.5);
    Source.Info()->SetInfoText(1, Tdex6InfoKind::Lieferhinweise, "Hinweis");
    Source.FormelZuweisung()->Lines.Add("F1");
    Source.OrderOptions()->SetMUTE({Tdex6OrderOption::HSA});

    const std::string Xml = test::XmlOf(Source);
    EXPECT_NE(Xml.find("<ME>2</ME><MAT>0</MAT><MAT>2</MAT><MAT>4</MAT><ET>8</ET>"),
              std::string::npos);
    EXPECT_NE(Xml.find("<CSNR>12</CSNR><EMEG>1</EMEG><STEG>1</STEG><KR4EDVSil>S1</KR4EDVSil>"),
              std::string::npos);
    EXPECT_NE(Xml.find("<BF>2</BF><Vers>0</Vers><Stvo>4</Stvo>"), std::string::npos);

    Tdex6DataBeschichtung Target(&Root, nullptr, true);
    EXPECT_EQ(test::XmlAfterReading(Xml, Target), Xml);
    EXPECT_EQ(Target.EDV(), "AR&1");
    EXPECT_EQ(Target.MAT, Source.MAT);
    EXPECT_EQ(Target.GetKrBez(Tdex6Material::Polycarbonat), "Poly");
    EXPECT_EQ(Target.SpecialPriceCodes().Count(), 2);
    EXPECT_EQ(Target.PreisListe()->Items(0)->PR(), 12.5);
    EXPECT_EQ(Target.OID(), Source.OID());

    Target.Clear(false);
    EXPECT_EQ(Target.EDV(), "");
    EXPECT_TRUE(Target.MAT.Empty());
    EXPECT_EQ(Target.SphVon, -99.99);
    EXPECT_EQ(Target.DMBis, 99);
    EXPECT_TRUE(Target.STEG() && Target.EMEG());
    EXPECT_TRUE(Target.PreisListe()->IsEmpty());
    EXPECT_FALSE(Target.FarbListe()->HasItems());
    EXPECT_TRUE(Target.SpecialPriceCodes().IsEmpty());
}

TEST(CoatingsTest, ReadingTheListDefaultsMissingFlagsToFalseAndRenumbers) {
    Tdex6Dataobject Root;
    Tdex6DataBeschichtungsliste& List = *Root.Beschichtungsliste();
    test::ReadInto("<DBL><BESCH><EDV>A</EDV><CSNR>5</CSNR><STEG>2</STEG></BESCH>"
                   "<BESCH><EDV>B</EDV><CSNR>3</CSNR><Vers>1</Vers><MAT>7</MAT></BESCH></DBL>",
                   List);
    ASSERT_EQ(List.Count(), 2);
    EXPECT_TRUE(List.Items(0)->STEG());
    EXPECT_FALSE(List.Items(0)->EMEG());
    EXPECT_FALSE(List.Items(1)->STEG());
    EXPECT_FALSE(List.Items(1)->EMEG());
    EXPECT_TRUE(List.Items(1)->Vers);
    EXPECT_EQ(List.Items(1)->MAT, TMaterialSet{Tdex6Material::Silikat});
    EXPECT_EQ(SortNumbers(List), (std::vector<std::int32_t>{1, 0}));
    EXPECT_TRUE(List.AutoSort);

    Tdex6DataBeschichtung Fresh(&Root, nullptr, true);
    EXPECT_TRUE(Fresh.STEG() && Fresh.EMEG());
}

} // namespace
} // namespace kr6
