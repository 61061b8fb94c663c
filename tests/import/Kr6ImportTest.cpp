#include "import/Kr6Import.h"

#include "helpers/CombinationModel.h"
#include "helpers/Kr6Lines.h"
#include "model/Addresses.h"
#include "model/DescriptionDefaults.h"
#include "model/OrderOptions.h"
#include "model/ProductGroups.h"
#include "support/ZipArchive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>

namespace kr6 {
namespace {

using namespace test;
using M = Tdex6Material;

constexpr int Glass = 0;
constexpr int Coating = 1;

// A header of version 6.9.0 that fills the price fields 1 to Count.
TKr6Files WithPriceFields(int Count) {
    TKr6Files F;
    F.Head.Add(HeadLine("version", "6.9.0"));
    for (int K = 1; K <= Count; ++K)
        F.Head.Add(HeadLine("pricefield-0" + std::to_string(K), "20"));
    return F;
}

class Kr6Import : public ::testing::Test {
protected:
    Tdex6Dataobject Root;

    Tdex6DataGlas& GlassAt(int I) { return *Root.Glasliste()->Items(I); }
    Tdex6DataGlas& GlassOf(std::string_view Code) { return *Root.Glasliste()->FindByEDV(Code); }
    Tdex6DataBeschichtung& CoatingOf(std::string_view Code) {
        return *Root.Beschichtungsliste()->FindByEDV(Code);
    }
};

TEST_F(Kr6Import, HeaderGivesAddressLanguageAndGroups) {
    TKr6Files F;
    // key=value pairs separated by semicolons
    std::string_view Pairs =
        "comment=Kommentar;Valid-from=20240101;valid-until=20241231;country=DE;"
        "language=EN;uid-manufacturer=U1;manufacturer-code=ABC;manufacturer-subcode=7;"
        "manufacturer-name=Optik;street=Weg 1;zip-code=12345;city=Stadt;"
        "po-box-zip-code=54321;po-box-text=PF 9;phone=T1;fax=F1;phone-order=T2;"
        "fax-order=F2;mail=a@b;Url=u.de;pricedefinition-cylinder=-;cylindergroup-base=5;"
        "cylindergroup-1=7;cylindergroup-2=9;prismgroup-1=2;prismgroup-2=4;"
        "prismgroup-3=8;prismgroup-4=12;prismgroup-5=20;currencydescription=EUR;"
        "currencydescription-decimals=Cent;";
    while (!Pairs.empty()) {
        const std::string_view Pair = Pairs.substr(0, Pairs.find(';'));
        Pairs.remove_prefix(std::min(Pairs.size(), Pair.size() + 1));
        const std::size_t Eq = Pair.find('=');
        F.Head.Add(HeadLine(Pair.substr(0, Eq), Pair.substr(Eq + 1)));
    }
    BuildKr6Model(Root, F);

    ASSERT_EQ(Root.Adressliste()->Count(), 1);
    const Tdex6DataAdresse& A = *Root.Adressliste()->Items(0);
    EXPECT_EQ(A.Comment, "Kommentar");
    EXPECT_DOUBLE_EQ(A.GA, EncodeDateTime(2024, 1, 1));
    EXPECT_DOUBLE_EQ(A.GB, EncodeDateTime(2024, 12, 31));
    EXPECT_EQ((std::array{A.LAND, A.UIDM, A.EDV, A.EDV2, A.Name, A.Name1, A.Name2}),
              (std::array<std::string, 7>{"DE", "U1", "ABC", "7", "Optik", "", ""}));
    EXPECT_EQ((std::array{A.Str, A.Plz, A.Ort, A.PlzPf, A.PF}),
              (std::array<std::string, 5>{"Weg 1", "12345", "Stadt", "54321", "PF 9"}));
    EXPECT_EQ((std::array{A.TelZent, A.FaxZent, A.TelBest, A.FaxBest, A.MailTo, A.Url}),
              (std::array<std::string, 6>{"T1", "F1", "T2", "F2", "a@b", "u.de"}));
    EXPECT_FALSE(A.PrDefCyl);
    EXPECT_EQ(A.WVK, "EUR");
    EXPECT_EQ(A.WNK, "Cent");
    EXPECT_EQ((std::array{A.PrBezId1, A.PrBezId2, A.PrBezId3, A.PrBezId4, A.PrBezId5}),
              (std::array{1, 2, 3, 4, 5}));
    EXPECT_EQ(Root.Bezeichnungsvorgaben()->GetLang(1), "EN");

    const Tdex6DataPrismenCylinder& G = *Root.PrismenCylinder();
    EXPECT_EQ((std::array{G.ZB, G.ZG1, G.ZG2, G.PG1, G.PG2, G.PG3, G.PG4, G.PG5}),
              (std::array{5, 7, 9, 2, 4, 8, 12, 20}));
}

TEST_F(Kr6Import, PriceDescriptionsFromHeader) {
    TKr6Files F;
    F.Head.Add(HeadLine("currencydescription", "EUR"));
    F.Head.Add(HeadLine("pricefield-01", "10"));
    F.Head.Add(HeadLine("pricefield-02", "90"));
    F.Head.Add(HeadLine("pricefield-description-02", "Montage"));
    F.Head.Add(HeadLine("pricefield-03", "10"));
    F.Head.Add(HeadLine("pricefield-description-03", "Ignoriert"));
    F.Head.Add(HeadLine("pricefield-05", "91"));
    F.Head.Add(HeadLine("pricefield-description-05", "Extra"));
    BuildKr6Model(Root, F);

    const Tdex6DataPreisbezeichnungsliste& List = *Root.Preisbezeichnungsliste();
    ASSERT_EQ(List.Count(), 4); // field 4 stays unfilled and is removed
    EXPECT_EQ(List.FindByID(4), nullptr);
    EXPECT_EQ(List.FindByID(1)->BEZ, "Listen EK");
    EXPECT_EQ(List.FindByID(2)->BEZ, "Montage");
    EXPECT_EQ(List.FindByID(2)->PFT, Tdex6PriceField::SonstigesEK);
    EXPECT_EQ(List.FindByID(3)->BEZ, "Listen EK");
    EXPECT_EQ(List.FindByID(5)->BEZ, "Extra");
    EXPECT_EQ(List.FindByID(5)->WVK, "EUR");
}

TEST_F(Kr6Import, HeaderWithoutPriceFieldsGivesNoDescriptionsAndNoPrices) {
    TKr6Files F;
    F.Head.Add(HeadLine("version", "6.9.0"));
    F.LensType.Add(LensTypeLine("G1"));
    F.LensPrice.Add(LensPriceLine("G1", "65", 1, 1, 0, {"0001000", "0001000"}));
    F.Options.Add(OptionsLine("C1"));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "", 0, 0, "0100", {"0000500"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "G1", 0, 0, "0100", {"0000500"}));
    BuildKr6Model(Root, F);

    EXPECT_EQ(Root.Preisbezeichnungsliste()->Count(), 0);
    EXPECT_EQ(GlassOf("G1").GlasPreisListe()->Count(), 0);
    EXPECT_TRUE(GlassOf("G1").Preisgruppen()->GetS(1));
    EXPECT_EQ(CoatingOf("C1").PreisListe()->Count(), 0);
}

TEST_F(Kr6Import, GlassTakesEveryFieldOfItsLine) {
    TKr6Files F;
    F.LensType.Add(LensTypeLine("G1", "Glas Eins", "3")
                       .At(47, "2024010120251231")
                       .At(63, "3180 90 1")
                       .At(73, "159001203000")
                       .At(85, "1054101011201034")
                       .At(101, "38095501000")
                       .At(112, "120")
                       .At(115, "7  Kurz")
                       .At(133, "123405"));
    BuildKr6Model(Root, F);

    ASSERT_EQ(Root.Glasliste()->Count(), 1);
    const Tdex6DataGlas& G = GlassAt(0);
    EXPECT_EQ(G.EDV(), "G1");
    EXPECT_EQ(G.GetB(1), "Glas Eins");
    EXPECT_EQ(G.GetKB(1), "Kurz           ");
    EXPECT_DOUBLE_EQ(G.LA, EncodeDateTime(2024, 1, 1));
    EXPECT_DOUBLE_EQ(G.LB, EncodeDateTime(2025, 12, 31));
    EXPECT_EQ(G.EM, Tdex6LensKind::Gleitsicht);
    EXPECT_TRUE(G.AG);
    EXPECT_EQ(G.AGKG, 80);
    EXPECT_EQ(G.AGKB, 90);
    EXPECT_EQ(G.ME, Tdex6BrandLine::Marke);
    EXPECT_EQ(G.MAT, M::Polycarbonat);
    EXPECT_DOUBLE_EQ(G.BR, 1.59);
    EXPECT_DOUBLE_EQ(G.DI, 1.2);
    EXPECT_DOUBLE_EQ(G.AB, 30);
    EXPECT_EQ((std::array{G.AS, G.ST}), (std::array{true, false}));
    EXPECT_EQ(G.ET, Tdex6AntiReflection::MehrfachET);
    EXPECT_EQ(G.FA, Tdex6Tint::EinfachVerlauf);
    EXPECT_EQ((std::array{G.PH, G.HA, G.CL, G.UV, G.VS, G.MDM}),
              (std::array{true, false, true, false, true, true}));
    EXPECT_EQ(G.KDM, Tdex6KDM::ImPlusbereich);
    EXPECT_EQ((std::array{G.AD, G.Vers, G.Pri}), (std::array{false, true, false}));
    EXPECT_EQ(G.FK, 3);
    EXPECT_EQ(G.STV, Tdex6RoadTraffic::NichtKFZTauglich);
    EXPECT_DOUBLE_EQ(G.UVK, 380);
    EXPECT_DOUBLE_EQ(G.UVA, 95.5);
    EXPECT_DOUBLE_EQ(G.UVB, 10);
    EXPECT_EQ((std::array{G.EG, G.TS}), (std::array{true, false}));
    EXPECT_EQ(G.EGB, Tdex6EGB::MitFiktivemGegenglas);
    EXPECT_EQ((std::array{G.KMDM, G.KDMA, G.FKB}), (std::array{12, 34, 5}));
}

TEST_F(Kr6Import, EveryLensTypeLineMakesAGlassAndLaterLinesFindTheLastOfACode) {
    TKr6Files F;
    F.LensType.Add(LensTypeLine("G1", "erstes"));
    F.LensType.Add("");
    F.LensType.Add(LensTypeLine("G1", "zweites"));
    F.LensRange.Add(LensRangeLine("g1"));
    F.LensRange.Add(LensRangeLine("XX"));
    F.LensGeo.Add(LensGeoLine("G1", "65"));
    F.LensGeo.Add(LensGeoLine("XX", "65"));
    BuildKr6Model(Root, F);

    ASSERT_EQ(Root.Glasliste()->Count(), 3);
    EXPECT_EQ(GlassAt(1).EDV(), "");
    EXPECT_EQ(GlassAt(1).MAT, M::Egal);
    EXPECT_EQ(GlassAt(0).GlasWirkungsListe()->Count(), 0);
    EXPECT_EQ(GlassAt(0).GlasGeometrieListe()->Count(), 0);
    EXPECT_EQ(GlassAt(2).GlasWirkungsListe()->Count(), 1);
    EXPECT_EQ(GlassAt(2).GlasGeometrieListe()->Count(), 1);
}

TEST_F(Kr6Import, PowerRangeTakesEveryFieldOfItsLine) {
    TKr6Files F;
    F.LensType.Add(LensTypeLine("G1"));
    F.LensRange.Add(LensRangeLine("G1", "3")
                        .At(7, "6570E")
                        .At(12, "-040000600")
                        .At(22, "-2000000")
                        .At(30, "10 170")
                        .At(36, "0150030001002")
                        .At(49, " AR1  ")
                        .At(73, "E5")
                        .At(79, "12024010120241231114 0101"));
    BuildKr6Model(Root, F);

    ASSERT_EQ(GlassAt(0).GlasWirkungsListe()->Count(), 1);
    const Tdex6DataGlasWirkung& P = *GlassAt(0).GlasWirkungsListe()->Items(0);
    EXPECT_EQ(P.DM, MakeDiameter(65, 70, true));
    EXPECT_DOUBLE_EQ(P.SphV, -4);
    EXPECT_DOUBLE_EQ(P.SphB, 6);
    EXPECT_DOUBLE_EQ(P.cylV, -2);
    EXPECT_DOUBLE_EQ(P.CylB, 0);
    EXPECT_EQ((std::array{P.cylWV, P.CylWB}), (std::array{10, 170}));
    EXPECT_DOUBLE_EQ(P.PV, 1.5);
    EXPECT_DOUBLE_EQ(P.AddV, 1);
    EXPECT_DOUBLE_EQ(P.AddB, 3);
    EXPECT_EQ(P.AddS, Tdex6AdditionStep::Stufe0_5);
    EXPECT_EQ(P.BEDV1, "AR1");
    EXPECT_EQ(P.BEDV5, "E5");
    EXPECT_TRUE(P.SIP);
    EXPECT_DOUBLE_EQ(P.LA, EncodeDateTime(2024, 1, 1));
    EXPECT_DOUBLE_EQ(P.LB, EncodeDateTime(2024, 12, 31));
    EXPECT_TRUE(P.Lag);
    EXPECT_EQ(P.LZ, 14);
    EXPECT_EQ((std::array{P.ELief, P.BF, P.DFUR, P.OLB}), (std::array{false, true, false, true}));
    EXPECT_EQ(P.LBI, 3);
}

TEST_F(Kr6Import, GeometryTakesEveryFieldOfItsLine) {
    TKr6Files F;
    F.LensType.Add(LensTypeLine("G1"));
    F.LensGeo.Add(LensGeoLine("G1", "6570E")
                      .At(12, "-020000400600065002")
                      .At(31, "0100002000030000400005000")
                      .At(56, "010002000300040005000600")
                      .At(80, "10700080009001000"));
    F.LensGeo.Add(LensGeoLine("G1", "0000 "));
    BuildKr6Model(Root, F);

    ASSERT_EQ(GlassAt(0).GlasGeometrieListe()->Count(), 2);
    const Tdex6DataGlasGeometrie& G = *GlassAt(0).GlasGeometrieListe()->Items(0);
    EXPECT_EQ(G.GeometryKind, Tdex6GeometryKind::AngegebenerDurchmesser);
    EXPECT_EQ(G.Dm, MakeDiameter(65, 70, true));
    EXPECT_FALSE(G.WK);
    EXPECT_DOUBLE_EQ(G.WSV, -2);
    EXPECT_DOUBLE_EQ(G.WSB, 4);
    EXPECT_DOUBLE_EQ(G.DM1H, 60);
    EXPECT_DOUBLE_EQ(G.DM2H, 65);
    EXPECT_EQ(G.NTT, Tdex6NTT::Panto);
    EXPECT_EQ((std::array{G.VAFB, G.HAFB, G.VAT, G.HAT, G.VAMN}),
              (std::array{10.0, 20.0, 30.0, 40.0, 50.0}));
    EXPECT_EQ((std::array{G.URN, G.ORN, G.BN, G.HN, G.HZ, G.VAZK}),
              (std::array{1.0, 2.0, 3.0, 4.0, 5.0, 6.0}));
    EXPECT_EQ(G.BLR, Tdex6ViewDirection::Hauptblickrichtung);
    EXPECT_EQ((std::array{G.VANB, G.MVANB, G.HANP, G.MHANP}), (std::array{7.0, 8.0, 9.0, 10.0}));

    const Tdex6DataGlasGeometrie& All = *GlassAt(0).GlasGeometrieListe()->Items(1);
    EXPECT_EQ(All.GeometryKind, Tdex6GeometryKind::AlleDezentriertenDurchmesser);
    EXPECT_TRUE(All.WK);
}

TEST_F(Kr6Import, GlassPricesNeedAKnownDeliveryRangeAndAFilledPriceField) {
    TKr6Files F = WithPriceFields(2);
    F.LensType.Add(LensTypeLine("G1"));
    F.LensPrice.Add(LensPriceLine("G1", "65", 1, 2, 0, {"0001250", "0002000", "0000300"}));
    F.LensPrice.Add(LensPriceLine("G1", "65", 3, 4, 7, {"0001250", "0002000"}));
    F.LensPrice.Add(LensPriceLine("XX", "65", 5, 5, 0, {"0001250"}));
    F.LensPrice.Add(LensPriceLine("G1", "65", 1, 2, 0, {"0001300"}));
    BuildKr6Model(Root, F);

    const Tdex6DataGlas& G = GlassAt(0);
    const Tdex6DataGlasPreisListe& Prices = *G.GlasPreisListe();
    ASSERT_EQ(Prices.Count(), 2); // field 3 is not filled, delivery range 7 does not exist
    const Tdex6DataGlasPreis& First = *Prices.Items(0);
    EXPECT_EQ((std::array{First.GSph, First.GCyl, First.LBI, First.PBID}),
              (std::array{1, 2, 0, 1}));
    EXPECT_EQ(First.GDM, MakeDiameter(65, 0, false));
    EXPECT_DOUBLE_EQ(First.PR(), 13); // the later line with the same keys
    EXPECT_EQ(First.PQ, Tdex6PriceSource::Value1);
    EXPECT_EQ(Prices.Items(1)->PBID, 2);
    EXPECT_DOUBLE_EQ(Prices.Items(1)->PR(), 0); // the later line's blank field
    EXPECT_TRUE(G.Preisgruppen()->GetS(3));
    EXPECT_TRUE(G.Preisgruppen()->GetC(4));
    EXPECT_FALSE(G.Preisgruppen()->GetS(5));
}

TEST_F(Kr6Import, CoatingsTakeTheirFieldsAndSurchargeCodesAreSkipped) {
    TKr6Files F;
    const int Defaults = [] {
        Tdex6Dataobject Fresh;
        Fresh.ClearAll(true);
        return Fresh.Beschichtungsliste()->Count();
    }();
    F.Options.Add(OptionsLine("p4", "Prisma"));
    F.Options.Add(OptionsLine(" Z1", "Zylinder"));
    F.Options.Add(TFixedLine()
                      .At(1, " AB12 ")
                      .At(7, "  Super ET  ")
                      .At(47, "2024022920241231")
                      .At(63, "10101")
                      .At(68, "86")
                      .At(70, "10101")
                      .At(75, "23110310101012143")
                      .At(92, "38009551000")
                      .At(103, "-020000300")
                      .At(113, "657007")
                      .At(119, "Kurz")
                      .At(134, "941"));
    BuildKr6Model(Root, F);

    EXPECT_EQ(Root.Beschichtungsliste()->Count(), Defaults + 1);
    const Tdex6DataBeschichtung& C = CoatingOf("AB12");
    EXPECT_EQ(C.GetB(1), "Super ET");
    EXPECT_EQ(C.GetKB(1), "Kurz           ");
    EXPECT_DOUBLE_EQ(C.LA, EncodeDateTime(2024, 2, 29));
    EXPECT_DOUBLE_EQ(C.LB, EncodeDateTime(2024, 12, 31));
    EXPECT_EQ(C.ME, Tdex6BrandLine::Marke);
    EXPECT_EQ(C.MAT, (TMaterialSet{M::Kunststoff, M::Trivex}));
    EXPECT_EQ(C.ET, Tdex6AntiReflection::SuperET);
    EXPECT_EQ(C.FA, Tdex6Tint::DreifachVerlauf);
    EXPECT_EQ((std::array{C.PH, C.HA, C.CL, C.UV, C.VS}),
              (std::array{true, false, true, false, true}));
    EXPECT_EQ(C.ER, Tdex6EdgeFinish::InGegebeneFassung);
    EXPECT_EQ(C.ADU, Tdex6DiameterChange::OptimierterDurchmesser);
    EXPECT_EQ(C.AD, Tdex6ThicknessChange::AbweichendeDicke);
    EXPECT_EQ((std::array{C.ADB, C.AAD}), (std::array{true, false}));
    EXPECT_EQ(C.AF, Tdex6FormChange::Abgeschnitten);
    EXPECT_EQ((std::array{C.WAL, C.DEZ, C.PRH, C.MATT, C.BENT, C.BTOR, C.ATOR}),
              (std::array{true, false, true, false, true, false, true}));
    EXPECT_EQ(C.BF, Tdex6Bonus::AbhaengigVomGlas);
    EXPECT_TRUE(C.Vers);
    EXPECT_EQ(C.Stvo, Tdex6RoadTraffic::NichtKFZTauglich);
    EXPECT_EQ(C.FK, 3);
    EXPECT_DOUBLE_EQ(C.UVK, 380);
    EXPECT_DOUBLE_EQ(C.UVA, 95.5);
    EXPECT_DOUBLE_EQ(C.UVB, 100);
    EXPECT_DOUBLE_EQ(C.SphVon, -2);
    EXPECT_DOUBLE_EQ(C.SphBis, 3);
    EXPECT_EQ((std::array{C.DMVon, C.DMBis, C.FKB}), (std::array{65, 70, 4}));
    EXPECT_TRUE(C.OLB);
}

TEST_F(Kr6Import, GeneralCoatingPrices) {
    TKr6Files F = WithPriceFields(2);
    F.Options.Add(OptionsLine("C1"));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "", 1, 2, "1100", {"0001000", "0002000"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "", 0, 0, "0000", {"0000500"}));
    F.OptionsPrice.Add(OptionsPriceLine("XX", "", 1, 2, "1100", {"0001000"}));
    BuildKr6Model(Root, F);

    const Tdex6DataBeschichtung& C = CoatingOf("C1");
    // The last general line decides both flags; materials 0000 give no price.
    EXPECT_TRUE(C.STEG());
    EXPECT_TRUE(C.EMEG());
    Tdex6DataBeschichtungspreisListe& P = *C.PreisListe();
    ASSERT_EQ(P.Count(), 4);
    for (const auto& [Material, Field, Amount] :
         {std::tuple{M::Silikat, 1, 10.0}, std::tuple{M::Kunststoff, 1, 10.0},
          std::tuple{M::Silikat, 2, 20.0}, std::tuple{M::Kunststoff, 2, 20.0}}) {
        const Tdex6DataBeschichtungspreis* Price = P.FindPrice(
            Tdex6SphTor::Sphaerisch, Tdex6SingleMulti::Mehrst, false, "", Field, Material);
        ASSERT_NE(Price, nullptr);
        EXPECT_DOUBLE_EQ(Price->PR(), Amount);
    }
}

TEST_F(Kr6Import, SpecialCoatingPricesOnePerGlassAndField) {
    TKr6Files F = WithPriceFields(1);
    F.Options.Add(OptionsLine("C1"));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "", 1, 1, "0100", {"0001000"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "G1", 0, 0, "1100", {"0000100"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "G1", 0, 0, "0010", {"0000200"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "G2", 0, 0, "0100", {"0000300"}));
    BuildKr6Model(Root, F);

    Tdex6DataBeschichtung& C = CoatingOf("C1");
    EXPECT_EQ(Lines(C.SpecialPriceCodes()), "G1,G1,G2");
    // Special lines leave the flags of the general price alone.
    EXPECT_FALSE(C.STEG());
    EXPECT_FALSE(C.EMEG());
    EXPECT_EQ(C.PreisListe()->Count(), 3);
    Tdex6DataBeschichtungspreis* G1 = C.PreisListe()->FindPrice(
        Tdex6SphTor::Egal, Tdex6SingleMulti::Egal, false, "G1", 1, M::Egal);
    ASSERT_NE(G1, nullptr);
    EXPECT_DOUBLE_EQ(G1->PR(), 2);
}

TEST_F(Kr6Import, CombinationRulesWithoutDuplicatesSortedAtTheEnd) {
    TKr6Files F;
    F.Combination.Add(CombinationLine("G1", 1, "B", "A"));
    F.Combination.Add(CombinationLine("G1", 0, "AR1"));
    F.Combination.Add(CombinationLine("G1", 2, "a", "b")); // the same lens and coatings
    F.Combination.Add(CombinationLine("******", 1, "X"));
    F.Combination.Add(CombinationLine("A0", 0, "Y"));
    BuildKr6Model(Root, F);

    const Tdex6DataKombinationsListe& Rules = *Root.KombinationsListe();
    EXPECT_TRUE(Rules.SortEnabled());
    ASSERT_EQ(Rules.Count(), 4);
    EXPECT_EQ(Rules.Items(0)->GE(), "******");
    EXPECT_EQ(Rules.Items(1)->GE(), "A0");
    EXPECT_EQ(Rules.Items(2)->B1E(), "AR1");
    EXPECT_EQ(Rules.Items(3)->LB(), Tdex6Delivery::Lieferbar);
    EXPECT_EQ(Rules.Items(3)->B1E(), "B");
    EXPECT_EQ(Rules.Items(3)->B2E(), "A");
}

TEST_F(Kr6Import, ColoursOfKnownCoatings) {
    TKr6Files F;
    F.Options.Add(OptionsLine("C1"));
    F.OptionsColor.Add(OptionsColorLine("R01", "C1", "Rot")
                           .At(50, "1234255000000000255000000000255")
                           .At(81, "2338009551000"));
    F.OptionsColor.Add(OptionsColorLine("B01", "XX", "Blau"));
    BuildKr6Model(Root, F);

    const Tdex6DataFarbListe& Colours = *CoatingOf("C1").FarbListe();
    ASSERT_EQ(Colours.Count(), 1);
    const Tdex6DataFarbe& C = *Colours.Items(0);
    EXPECT_EQ(C.EDV, "R01");
    EXPECT_EQ(C.GetB(1), "Rot");
    EXPECT_EQ((std::array{C.AbO, C.AbV}), (std::array<std::uint8_t, 2>{12, 34}));
    EXPECT_EQ((std::array{C.RGBOben, C.RGBMitte, C.RGBUnten}),
              (std::array<TColorValue, 3>{255, 255 * 256, 255 * 65536}));
    EXPECT_EQ(C.Stvo, Tdex6RoadTraffic::NichtVerkehrstauglich);
    EXPECT_EQ(C.FK, 3);
    EXPECT_DOUBLE_EQ(C.UVK, 380);
    EXPECT_DOUBLE_EQ(C.UVA, 95.5);
    EXPECT_DOUBLE_EQ(C.UVB, 100);
}

TEST_F(Kr6Import, InformationLinesJoinedInFileOrder) {
    TKr6Files F;
    F.LensType.Add(LensTypeLine("ABC123"));
    F.Options.Add(OptionsLine("C1"));
    F.Information.Add(InformationLine(Glass, "ABC123", 2, "A"));
    F.Information.Add(InformationLine(Coating, "C1", 3, "M"));
    F.Information.Add(InformationLine(Glass, "ABC123", 2, "B"));
    F.Information.Add(InformationLine(Glass, "XX", 2, "verloren"));
    F.Information.Add(InformationLine(2, "ABC123", 2, "anderes Ziel"));
    BuildKr6Model(Root, F);

    using K = Tdex6InfoKind;
    EXPECT_EQ(GlassOf("ABC123").Info()->GetInfoText(1, K::TechnischeProduktbeschreibung), "A\r\nB");
    EXPECT_EQ(CoatingOf("C1").Info()->GetInfoText(1, K::MarketingBeschreibung), "M");
}

TEST_F(Kr6Import, OrderOptionsByUsage) {
    TKr6Files F;
    F.LensType.Add(LensTypeLine("G1"));
    F.Options.Add(OptionsLine("C1"));
    F.OrderOptions.Add(OrderOptionsLine(Glass, "G1", 10, 1));
    F.OrderOptions.Add(OrderOptionsLine(Glass, "G1", 20, 6));
    F.OrderOptions.Add(OrderOptionsLine(Glass, "G1", 21, 1));
    F.OrderOptions.Add(OrderOptionsLine(Glass, "G1", 10, 5)); // moves HSA out of MUTE
    F.OrderOptions.Add(OrderOptionsLine(Glass, "G1", 22, 3));
    F.OrderOptions.Add(OrderOptionsLine(Coating, "C1", 21, 6));
    F.OrderOptions.Add(OrderOptionsLine(Glass, "XX", 22, 1));
    BuildKr6Model(Root, F);

    using O = Tdex6OrderOption;
    const Tdex6DataOrderOptions& G = *GlassOf("G1").OrderOptions();
    EXPECT_EQ(G.MUTE(), TOrderOptionSet{O::EinschleifPD});
    EXPECT_EQ(G.KADU(), TOrderOptionSet{O::HSA});
    EXPECT_EQ(G.MUDU(), TOrderOptionSet{O::NormalPD});
    EXPECT_EQ(CoatingOf("C1").OrderOptions()->MUDU(), TOrderOptionSet{O::EinschleifPD});
}

TEST_F(Kr6Import, ProductGroupsListTheMembersOfOtherGroups) {
    TKr6Files F;
    for (const char* Code : {"G1", "G2", "G3", "G5"})
        F.LensType.Add(LensTypeLine(Code));
    F.LensType.Add(LensTypeLine("G4", "egal", "0"));
    F.Options.Add(OptionsLine("C1"));
    F.Options.Add(OptionsLine("C2"));
    F.Productgroup.Add(ProductgroupLine(Glass, "G1", "A"));
    F.Productgroup.Add(ProductgroupLine(Glass, "G2", "B"));
    F.Productgroup.Add(ProductgroupLine(Glass, "G3", ""));
    F.Productgroup.Add(ProductgroupLine(Coating, "C1", "a"));
    F.Productgroup.Add(ProductgroupLine(Coating, "C2", "B"));
    F.Productgroup.Add(ProductgroupLine(2, "G5", "C")); // only creates the group
    BuildKr6Model(Root, F);

    const Tdex6DataProduktgruppenliste& Groups = *Root.Produktgruppenliste();
    ASSERT_EQ(Groups.Count(), 3);
    const auto GlassesOf = [&](std::string_view Name) {
        return Lines(Groups.FindByName(Name)->LieferbareGlaeser()->Codes()->Lines());
    };
    const auto CoatingsOf = [&](std::string_view Name) {
        return Lines(Groups.FindByName(Name)->LieferbareBeschichtungen()->Codes()->Lines());
    };
    EXPECT_EQ(GlassesOf("A"), "G2");
    EXPECT_EQ(GlassesOf("B"), "G1");
    EXPECT_EQ(GlassesOf("C"), "G1,G2");
    EXPECT_EQ(CoatingsOf("A"), "C2");
    EXPECT_EQ(CoatingsOf("B"), "C1");
    EXPECT_EQ(CoatingsOf("C"), "C1,C2");
    EXPECT_EQ(Groups.FindByName("A")->ID, 1);
    EXPECT_EQ(Groups.FindByName("C")->ID, 3);
}

TEST_F(Kr6Import, CodeSubstitutionsByTarget) {
    TKr6Files F;
    F.CodeSubstitution.Add(CodeSubstLine(Glass, "OLD1", 1, "NEW1", "N2"));
    F.CodeSubstitution.Add(CodeSubstLine(Coating, "OLDC", 2, "N1", "N2", "N3"));
    F.CodeSubstitution.Add(CodeSubstLine(2, "OLDX", 1, "NX"));
    BuildKr6Model(Root, F);

    ASSERT_EQ(Root.CodeSubstGlasList()->Count(), 1);
    const Tdex6DataCodeSubstGlas& G = *Root.CodeSubstGlasList()->Items(0);
    EXPECT_EQ(G.CA, "OLD1");
    EXPECT_EQ(G.AKT, Tdex6SubstAction::CodeErsetzen);
    EXPECT_EQ(G.CN, "NEW1");
    ASSERT_EQ(Root.CodeSubstBeschList()->Count(), 1);
    const Tdex6DataCodeSubstBesch& C = *Root.CodeSubstBeschList()->Items(0);
    EXPECT_EQ(C.CA, "OLDC");
    EXPECT_EQ(C.AKT, Tdex6SubstAction::Produktvorschlag);
    EXPECT_EQ((std::array{C.CN1, C.CN2, C.CN3}), (std::array<std::string, 3>{"N1", "N2", "N3"}));
}

TEST_F(Kr6Import, GlassesRenumberedAtTheEnd) {
    TKr6Files F;
    F.LensType.Add(LensTypeLine("G1").At(115, "1"));
    F.LensType.Add(LensTypeLine("G2").At(115, "0"));
    Root.Glasliste()->AutoSort = false;
    BuildKr6Model(Root, F);

    EXPECT_TRUE(Root.Glasliste()->AutoSort);
    EXPECT_EQ(GlassOf("G1").CSNR(), 1);
    EXPECT_EQ(GlassOf("G2").CSNR(), 0);
}

TEST_F(Kr6Import, ArchiveMembersReachTheirSteps) {
    TKr6Files F = WithPriceFields(1);
    F.LensType.Add(LensTypeLine("G1"));
    F.LensRange.Add(LensRangeLine("G1"));
    F.LensRange.Add(LensRangeLine("G1"));
    F.LensGeo.Add(LensGeoLine("G1", "65"));
    F.LensPrice.Add(LensPriceLine("G1", "65", 1, 1, 0, {"0001000"}));
    F.Options.Add(OptionsLine("C1"));
    F.OptionsColor.Add(OptionsColorLine("R01", "C1", "Rot"));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "G1", 0, 0, "0100", {"0000500"}));
    F.Combination.Add(CombinationLine("G1", 0, "C1"));
    F.Information.Add(InformationLine(Glass, "G1", 2, "Info"));
    F.OrderOptions.Add(OrderOptionsLine(Glass, "G1", 10, 1));
    F.Productgroup.Add(ProductgroupLine(Glass, "G1", "A"));
    F.CodeSubstitution.Add(CodeSubstLine(Glass, "G0", 1, "G1"));
    F.OeCodes.Add("irgendwas");

    {
        const TTempArchive Archive(MembersOf(F));
        EXPECT_NO_THROW(LoadKr6File(Root, Archive.Path()));
    }
    const Tdex6DataGlas& G = GlassOf("G1");
    EXPECT_EQ(G.GlasWirkungsListe()->Count(), 2);
    EXPECT_EQ(G.GlasGeometrieListe()->Count(), 1);
    EXPECT_EQ(G.GlasPreisListe()->Count(), 1);
    EXPECT_EQ(CoatingOf("C1").FarbListe()->Count(), 1);
    EXPECT_EQ(CoatingOf("C1").PreisListe()->Count(), 1);
    EXPECT_EQ(Root.KombinationsListe()->Count(), 1);
    EXPECT_EQ(G.Info()->GetInfoText(1, Tdex6InfoKind::TechnischeProduktbeschreibung), "Info");
    EXPECT_FALSE(G.OrderOptions()->MUTE().Empty());
    EXPECT_EQ(Root.Produktgruppenliste()->Count(), 1);
    EXPECT_EQ(Root.CodeSubstGlasList()->Count(), 1);

    // Without "LensType.Dat" there are no glasses, and the lines that name one are skipped.
    F.LensType.Clear();
    {
        const TTempArchive Archive(MembersOf(F));
        EXPECT_NO_THROW(LoadKr6File(Root, Archive.Path()));
    }
    EXPECT_EQ(Root.Glasliste()->Count(), 0);
    EXPECT_EQ(Root.KombinationsListe()->Count(), 1);
    EXPECT_EQ(CoatingOf("C1").PreisListe()->Count(), 1);
}

TEST_F(Kr6Import, ArchiveWithOnlyTheHeader) {
    Tdex6Dataobject Fresh;
    Fresh.ClearAll(true);
    TKr6Files F;
    for (const char* Key :
         {"pricefield-01", "pricefield-02", "pricefield-03", "pricefield-04", "pricefield-05"})
        F.Head.Add(HeadLine(Key, "20"));
    const TTempArchive Archive(MembersOf(F));
    EXPECT_NO_THROW(LoadKr6File(Root, Archive.Path()));

    EXPECT_EQ(Root.Adressliste()->Count(), 1);
    EXPECT_EQ(Root.Preisbezeichnungsliste()->Count(), 5);
    EXPECT_EQ(Root.Glasliste()->Count(), 0);
    EXPECT_EQ(Root.Beschichtungsliste()->Count(), Fresh.Beschichtungsliste()->Count());
    EXPECT_EQ(Root.KombinationsListe()->Count(), 0);
}

TEST_F(Kr6Import, FileThatIsNoZipArchiveLeavesTheModelAlone) {
    TKr6Files F;
    F.LensType.Add(LensTypeLine("G1"));
    BuildKr6Model(Root, F);
    const TTempFile NotZip("Head.dat version 6.9.0\r\n");
    try {
        LoadKr6File(Root, NotZip.Path());
        FAIL() << "no error";
    } catch (const EArchiveError& E) {
        EXPECT_NE(std::string(E.what()).find(NotZip.Path()), std::string::npos) << E.what();
    }
    EXPECT_EQ(Root.Glasliste()->Count(), 1);
    EXPECT_EQ(GlassAt(0).EDV(), "G1");
}

} // namespace
} // namespace kr6
