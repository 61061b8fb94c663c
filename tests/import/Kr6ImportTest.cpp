#include "import/Kr6Import.h"

#include "helpers/CombinationModel.h"
#include "helpers/Kr6Lines.h"
#include "helpers/RecordColumns.h"
#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"
#include "model/Addresses.h"
#include "model/DescriptionDefaults.h"
#include "model/OrderOptions.h"
#include "model/ProductGroups.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace kr6 {
namespace {

using namespace test;
using M = Tdex6Material;

// A value of a record or of the model as text, so that one table holds fields of any type.
template <class T> std::string Text(const T& Value) {
    if constexpr (std::is_enum_v<T>)
        return std::to_string(static_cast<int>(Value));
    else if constexpr (std::is_arithmetic_v<T>)
        return ::testing::PrintToString(static_cast<double>(Value));
    else if constexpr (std::is_same_v<T, TDiameter>)
        return DiameterToText(Value);
    else if constexpr (std::is_same_v<T, TMaterialSet>)
        return std::to_string(Value.Bits());
    else
        return std::string(Value);
}

template <class Rec, class Obj> struct TField {
    const char* Name;
    std::function<std::string(const Rec&)> Record;
    std::function<std::string(const Obj&)> Model;
};
// clang-format off
#define FIELD(R, M) {#M, [](const auto& X) { return Text(X.R); }, [](const auto& X) { return Text(X.M); }}
// clang-format on

// Each record field reaches its model member, and a member that kept its fresh value would
// be seen: the record's value differs from it.
template <class Rec, class Obj>
void ExpectFields(const Rec& Record, const Obj& Imported, const Obj& Fresh,
                  const std::vector<TField<Rec, Obj>>& Fields) {
    for (const auto& F : Fields) {
        EXPECT_EQ(F.Model(Imported), F.Record(Record)) << F.Name;
        EXPECT_NE(F.Model(Fresh), F.Record(Record)) << F.Name << " is not told apart";
    }
}

template <class Rec> Rec Parsed(void (*Parse)(Rec&, std::string_view), std::string_view Line) {
    Rec Record;
    Parse(Record, Line);
    return Record;
}

void Add(TStringList& Member, std::initializer_list<std::string_view> Lines) {
    for (std::string_view Line : Lines)
        Member.Add(Line);
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

// Every header key is read into its field, and the fields reach the address and the groups.
TEST_F(Kr6Import, HeaderKeysReachTheAddressAndTheGroups) {
    TKr6Files F;
    F.Head = HeadLines(
        "version=6.9.0;Software-id=SW 1;comment=Kommentar;uid-manufacturer=UM;uid-postedit=UP;"
        "Valid-from=20240131;Valid-until=20241231235959;country=DE;language=de;"
        "manufacturer-code=MC;manufacturer-subcode=MS;manufacturer-name=Muster GmbH;"
        "street=Weg 1;zip-code=12345;city=Stadt;po-box-zip-code=12300;po-box-text=Fach 9;"
        "phone=01;fax=02;phone-order=03;fax-order=04;mail=a@b.de;Url=www.b.de;"
        "pricedefinition-cylinder=-;cylindergroup-base=200;cylindergroup-1=400;"
        "cylindergroup-2=600;prismgroup-1=1;prismgroup-2=2;prismgroup-3=3;prismgroup-5=5;"
        "currencydescription=EUR;currencydescription-decimals=Cent;pricefield-01=10;"
        "pricefield-05=91;pricefield-description-02=Netto;characterset=1252;prismgroup-4=4");
    const TKr6DataHead H = BuildKr6Model(Root, F);
    // What reaches no model member; the rest is followed below.
    EXPECT_EQ(H.Version + "|" + H.SoftwareId + "|" + H.UidPostedit + "|" + H.ManufacturerName[1] +
                  "|" + std::to_string(H.CharacterSet),
              "6.9.0|SW 1|UP||1252");
    EXPECT_DOUBLE_EQ(H.ValidUntil, EncodeDateTime(2024, 12, 31, 23, 59, 59));
    Tdex6Dataobject Fresh;
    Fresh.ClearAll(true);

    ASSERT_EQ(Root.Adressliste()->Count(), 1);
    const Tdex6DataAdresse& A = *Root.Adressliste()->Items(0);
    // clang-format off
    ExpectFields<TKr6DataHead, Tdex6DataAdresse>(
        H, A, *Fresh.Adressliste()->AddNew(),
        {FIELD(Comment, Comment), FIELD(ValidFrom, GA), FIELD(ValidUntil, GB), FIELD(Country, LAND),
         FIELD(UidManufacturer, UIDM), FIELD(ManufacturerCode, EDV),
         FIELD(ManufacturerSubcode, EDV2), FIELD(ManufacturerName[0], Name), FIELD(Street, Str),
         FIELD(ZipCode, Plz), FIELD(City, Ort), FIELD(PoBoxZipCode, PlzPf), FIELD(PoBoxText, PF),
         FIELD(Phone, TelZent), FIELD(Fax, FaxZent), FIELD(PhoneOrder, TelBest),
         FIELD(FaxOrder, FaxBest), FIELD(Mail, MailTo), FIELD(Url, Url),
         FIELD(PriceDefinitionCylinder, PrDefCyl), FIELD(CurrencyDescription, WVK),
         FIELD(CurrencyDescriptionDecimals, WNK)});
    EXPECT_EQ((std::array{A.PrBezId1, A.PrBezId2, A.PrBezId3, A.PrBezId4, A.PrBezId5}),
              (std::array{1, 2, 3, 4, 5}));
    EXPECT_EQ(Root.Bezeichnungsvorgaben()->GetLang(1), "de");
    ExpectFields<TKr6DataHead, Tdex6DataPrismenCylinder>(
        H, *Root.PrismenCylinder(), *Fresh.PrismenCylinder(),
        {FIELD(CylinderGroupBase, ZB), FIELD(CylinderGroup[0], ZG1), FIELD(CylinderGroup[1], ZG2),
         FIELD(PrismGroup[0], PG1), FIELD(PrismGroup[1], PG2), FIELD(PrismGroup[2], PG3),
         FIELD(PrismGroup[3], PG4), FIELD(PrismGroup[4], PG5)});
    // clang-format on
}

// One line of each glass and coating member, every field set: each field is followed into
// its model member.
TEST_F(Kr6Import, EveryRecordFieldReachesItsModelMember) {
    TKr6Files F;
    F.LensType.Add(LensTypeSample);
    F.LensRange.Add(LensRangeSample);
    Add(F.LensGeo, {LensGeoSample, "ABC1230000 "});
    // Surcharge codes make no coatings.
    Add(F.Options, {OptionsLine("p4", "Prisma"), OptionsLine(" Z1", "Zylinder"), OptionsSample});
    Add(F.OptionsColor, {OptionsColorSample, "B01XX    Blau"});
    BuildKr6Model(Root, F);
    Tdex6Dataobject Fresh;
    Fresh.ClearAll(true);
    Tdex6DataGlas& NewGlass = *Fresh.Glasliste()->NewGlas();
    NewGlass.Clear(true);
    Tdex6DataBeschichtung& NewCoating = *Fresh.Beschichtungsliste()->NewItem();

    ASSERT_EQ(Root.Glasliste()->Count(), 1);
    const Tdex6DataGlas& G = GlassAt(0);
    // clang-format off
    ExpectFields<TKr6DataLensType, Tdex6DataGlas>(
        Parsed(ParseKr6LensType, LensTypeSample), G, NewGlass,
        {FIELD(Code, EDV()), FIELD(Name, GetB(1)), FIELD(ValidFrom, LA), FIELD(ValidUntil, LB),
         FIELD(LensKind, EM), FIELD(AG, AG), FIELD(AGKG, AGKG), FIELD(AGKB, AGKB),
         FIELD(BrandLine, ME), FIELD(Material, MAT), FIELD(RefractiveIndex, BR), FIELD(Density, DI),
         FIELD(AbbeNumber, AB), FIELD(AS, AS), FIELD(ST, ST), FIELD(AntiReflection, ET),
         FIELD(Tint, FA), FIELD(Photochromic, PH), FIELD(HardCoat, HA), FIELD(CleanCoat, CL),
         FIELD(UVCoat, UV), FIELD(Mirror, VS), FIELD(MDM, MDM), FIELD(KDM, KDM), FIELD(AD, AD),
         FIELD(Insurance, Vers), FIELD(Pri, Pri), FIELD(FilterCategory, FK),
         FIELD(RoadTraffic, STV), FIELD(UVEdge, UVK), FIELD(UVA, UVA), FIELD(UVB, UVB),
         FIELD(EG, EG), FIELD(EGB, EGB), FIELD(TS, TS), FIELD(ShortName, GetKB(1)),
         FIELD(KMDM, KMDM), FIELD(KDMA, KDMA), FIELD(FKB, FKB)});

    ASSERT_EQ(G.GlasWirkungsListe()->Count(), 1);
    ExpectFields<TKr6DataLensRange, Tdex6DataGlasWirkung>(
        Parsed(ParseKr6LensRange, LensRangeSample), *G.GlasWirkungsListe()->Items(0),
        *NewGlass.GlasWirkungsListe()->AddNew(),
        {FIELD(Diameter, DM), FIELD(SphereFrom, SphV), FIELD(SphereTo, SphB),
         FIELD(Cylinder1, cylV), FIELD(Cylinder2, CylB), FIELD(FromAxis, cylWV),
         FIELD(ToAxis, CylWB), FIELD(Prism, PV), FIELD(Addition2, AddV), FIELD(Addition1, AddB),
         FIELD(AdditionStep, AddS), FIELD(BEDV1, BEDV1), FIELD(BEDV2, BEDV2), FIELD(BEDV3, BEDV3),
         FIELD(BEDV4, BEDV4), FIELD(BEDV5, BEDV5), FIELD(SIP, SIP), FIELD(ValidFrom, LA),
         FIELD(ValidUntil, LB), FIELD(Stock, Lag), FIELD(DeliveryTime, LZ), FIELD(ELief, ELief),
         FIELD(BF, BF), FIELD(DFUR, DFUR), FIELD(OLB, OLB), FIELD(DeliveryRangeId, LBI)});

    ASSERT_EQ(G.GlasGeometrieListe()->Count(), 2);
    ExpectFields<TKr6DataLensGeo, Tdex6DataGlasGeometrie>(
        Parsed(ParseKr6LensGeo, LensGeoSample), *G.GlasGeometrieListe()->Items(0),
        *NewGlass.GlasGeometrieListe()->AddNew(),
        {FIELD(Diameter, Dm), FIELD(SphereFrom, WSV), FIELD(SphereTo, WSB), FIELD(DM1H, DM1H),
         FIELD(DM2H, DM2H), FIELD(NTT, NTT), FIELD(VAFB, VAFB), FIELD(HAFB, HAFB), FIELD(VAT, VAT),
         FIELD(HAT, HAT), FIELD(VAMN, VAMN), FIELD(URN, URN), FIELD(ORN, ORN), FIELD(BN, BN),
         FIELD(HN, HN), FIELD(HZ, HZ), FIELD(VAZK, VAZK), FIELD(ViewDirection, BLR),
         FIELD(MVANB, MVANB), FIELD(VANB, VANB), FIELD(MHANP, MHANP), FIELD(HANP, HANP)});
    const Tdex6DataGlasGeometrie& All = *G.GlasGeometrieListe()->Items(1);
    EXPECT_EQ(All.GeometryKind, Tdex6GeometryKind::AlleDezentriertenDurchmesser);
    EXPECT_TRUE(All.WK);

    // Both hold the default coatings and one more.
    EXPECT_EQ(Root.Beschichtungsliste()->Count(), Fresh.Beschichtungsliste()->Count());
    const Tdex6DataBeschichtung& C = CoatingOf("AB12");
    ExpectFields<TKr6Dataoptions, Tdex6DataBeschichtung>(
        Parsed(ParseKr6Options, OptionsSample), C, NewCoating,
        {FIELD(Code, EDV()), FIELD(Name, GetB(1)), FIELD(ValidFrom, LA), FIELD(ValidUntil, LB),
         FIELD(BrandLine, ME), FIELD(Materials, MAT), FIELD(AntiReflection, ET), FIELD(Tint, FA),
         FIELD(Photochromic, PH), FIELD(HardCoat, HA), FIELD(CleanCoat, CL), FIELD(UVCoat, UV),
         FIELD(Mirror, VS), FIELD(EdgeFinish, ER), FIELD(DiameterChange, ADU),
         FIELD(ThicknessChange, AD), FIELD(ADB, ADB), FIELD(AAD, AAD), FIELD(FormChange, AF),
         FIELD(WAL, WAL), FIELD(Decentration, DEZ), FIELD(PRH, PRH), FIELD(Matting, MATT),
         FIELD(RemoveCoating, BENT), FIELD(BTOR, BTOR), FIELD(ATOR, ATOR), FIELD(Bonus, BF),
         FIELD(Insurance, Vers), FIELD(RoadTraffic, Stvo), FIELD(FilterCategory, FK),
         FIELD(UVEdge, UVK), FIELD(UVA, UVA), FIELD(UVB, UVB), FIELD(SphereFrom, SphVon),
         FIELD(SphereTo, SphBis), FIELD(DiameterFrom, DMVon), FIELD(DiameterTo, DMBis),
         FIELD(ShortName, GetKB(1)), FIELD(FKB, FKB), FIELD(OLB, OLB)});

    ASSERT_EQ(C.FarbListe()->Count(), 1);
    ExpectFields<TKr6DataoptionsColor, Tdex6DataFarbe>(
        Parsed(ParseKr6OptionsColor, OptionsColorSample), *C.FarbListe()->Items(0),
        *NewCoating.FarbListe()->AddNew(),
        {FIELD(ColorCode, EDV), FIELD(Name, GetB(1)), FIELD(AbO, AbO), FIELD(AbV, AbV),
         FIELD(RgbTop, RGBOben), FIELD(RgbMiddle, RGBMitte), FIELD(RgbBottom, RGBUnten),
         FIELD(RoadTraffic, Stvo), FIELD(FilterCategory, FK), FIELD(UVEdge, UVK), FIELD(UVA, UVA),
         FIELD(UVB, UVB)});
    // clang-format on
}

TEST_F(Kr6Import, PricesNeedAKnownDeliveryRangeAndAFilledPriceField) {
    TKr6Files F;
    F.Head = HeadLines("version=6.9.0;pricefield-01=20;pricefield-02=20");
    F.LensType.Add(LensTypeLine("G1"));
    Add(F.LensPrice, {LensPriceLine("G1", "65", 1, 2, 0, {"0001250", "0002000", "0000300"}),
                      LensPriceLine("G1", "65", 3, 4, 7, {"0001250", "0002000"}),
                      LensPriceLine("XX", "65", 5, 5, 0, {"0001250"}),
                      LensPriceLine("G1", "65", 1, 2, 0, {"0001300"})});
    Add(F.Options, {OptionsLine("C1"), OptionsLine("C2")});
    Add(F.OptionsPrice, {OptionsPriceLine("C1", "", 1, 2, "1100", {"0001000", "0002000"}),
                         OptionsPriceLine("C1", "", 0, 0, "0000", {"0000500"}),
                         OptionsPriceLine("XX", "", 1, 2, "1100", {"0001000"}),
                         OptionsPriceLine("C2", "", 1, 1, "0100", {"0001000"}),
                         OptionsPriceLine("C2", "G1", 0, 0, "1100", {"0000100"}),
                         OptionsPriceLine("C2", "G1", 0, 0, "0010", {"0000200"}),
                         OptionsPriceLine("C2", "G2", 0, 0, "0100", {"0000300"})});
    BuildKr6Model(Root, F);

    const Tdex6DataGlas& G = GlassAt(0);
    const Tdex6DataGlasPreisListe& Prices = *G.GlasPreisListe();
    ASSERT_EQ(Prices.Count(), 2); // field 3 is not filled, delivery range 7 does not exist
    const Tdex6DataGlasPreis& First = *Prices.Items(0);
    EXPECT_EQ((std::array{First.GSph, First.GCyl, First.LBI, First.PBID, Prices.Items(1)->PBID}),
              (std::array{1, 2, 0, 1, 2}));
    EXPECT_EQ(First.GDM, MakeDiameter(65, 0, false));
    EXPECT_EQ(First.PQ, Tdex6PriceSource::Value1);
    // The later line with the same keys wins, its blank field too.
    EXPECT_DOUBLE_EQ(First.PR(), 13);
    EXPECT_DOUBLE_EQ(Prices.Items(1)->PR(), 0);
    EXPECT_TRUE(G.Preisgruppen()->GetS(3) && G.Preisgruppen()->GetC(4));
    EXPECT_FALSE(G.Preisgruppen()->GetS(5));

    // The last general line decides both flags; materials 0000 give no price.
    Tdex6DataBeschichtung& C1 = CoatingOf("C1");
    EXPECT_TRUE(C1.STEG() && C1.EMEG());
    ASSERT_EQ(C1.PreisListe()->Count(), 4);
    for (const auto& [Material, Field] :
         {std::pair{M::Silikat, 1}, {M::Kunststoff, 1}, {M::Silikat, 2}, {M::Kunststoff, 2}}) {
        const Tdex6DataBeschichtungspreis* Price = C1.PreisListe()->FindPrice(
            Tdex6SphTor::Sphaerisch, Tdex6SingleMulti::Mehrst, false, "", Field, Material);
        ASSERT_NE(Price, nullptr);
        EXPECT_DOUBLE_EQ(Price->PR(), 10.0 * Field);
    }
    // Lines for one glass leave the flags of the general price alone; one price per glass and
    // field.
    Tdex6DataBeschichtung& C2 = CoatingOf("C2");
    EXPECT_EQ(Lines(C2.SpecialPriceCodes()), "G1,G1,G2");
    EXPECT_FALSE(C2.STEG() || C2.EMEG());
    EXPECT_EQ(C2.PreisListe()->Count(), 6);
    const Tdex6DataBeschichtungspreis* G1 = C2.PreisListe()->FindPrice(
        Tdex6SphTor::Egal, Tdex6SingleMulti::Egal, false, "G1", 1, M::Egal);
    ASSERT_NE(G1, nullptr);
    EXPECT_DOUBLE_EQ(G1->PR(), 2);
}

// A line with the keys of an earlier line of its glass, whether right after it, after a
// line with greater keys or after another glass's lines, gives its amounts to the prices
// of the earlier one.
TEST_F(Kr6Import, RepeatedPriceKeysShareOnePrice) {
    TKr6Files F;
    F.Head = HeadLines("version=6.9.0;pricefield-01=20;pricefield-02=20");
    Add(F.LensType, {LensTypeLine("G1"), LensTypeLine("G2"), LensTypeLine("G3")});
    Add(F.LensPrice, {LensPriceLine("G1", "65", 0, 1, 0, {"0000100", "0000200"}),
                      LensPriceLine("G1", "65", 0, 1, 0, {"0000300", "0000400"}),
                      LensPriceLine("G2", "65", 0, 1, 0, {"0000500", "0000600"}),
                      LensPriceLine("G2", "70", 0, 1, 0, {"0000700", "0000800"}),
                      LensPriceLine("G2", "65", 0, 1, 0, {"0000900", "0001000"}),
                      LensPriceLine("G3", "65", 0, 1, 0, {"0001100", "0001200"}),
                      LensPriceLine("G1", "80", 0, 1, 0, {"0001300", "0001400"}),
                      LensPriceLine("G3", "65", 0, 1, 0, {"0001500", "0001600"})});
    BuildKr6Model(Root, F);

    const auto Prices = [&](std::string_view Code) {
        std::string Text;
        for (const auto& Price : *GlassOf(Code).GlasPreisListe())
            Text += DiameterToText(Price->GDM) + "/" + std::to_string(Price->PBID) + "=" +
                    ::testing::PrintToString(Price->PR()) + " ";
        return Text;
    };
    EXPECT_EQ(Prices("G1"), "65/1=3 65/2=4 80/1=13 80/2=14 ");
    EXPECT_EQ(Prices("G2"), "65/1=9 65/2=10 70/1=7 70/2=8 ");
    EXPECT_EQ(Prices("G3"), "65/1=15 65/2=16 ");
}

TEST_F(Kr6Import, PriceListFromItsArchive) {
    TKr6Files F;
    F.Head = HeadLines("pricefield-01=10;pricefield-02=90;"
                       "pricefield-description-02=Montage;pricefield-03=10;"
                       "pricefield-description-03=Ignoriert;pricefield-05=91;"
                       "pricefield-description-05=Extra");
    for (const char* Code : {"G1", "G2", "G3", "G5"})
        F.LensType.Add(LensTypeLine(Code));
    Add(F.LensType,
        {"", LensTypeLine("G4", "egal", "0").At(115, "1"), LensTypeLine("G1", "zweites")});
    Add(F.LensRange, {"g1", "XX"});
    Add(F.LensGeo, {"G1    65", "XX    65"});
    Add(F.Options, {OptionsLine("C1"), OptionsLine("C2")});
    // The third rule has the lens and coatings of the first.
    Add(F.Combination, {CombinationLine("G1", 1, "B", "A"), CombinationLine("G1", 0, "AR1"),
                        CombinationLine("G1", 2, "a", "b"), CombinationLine("******", 1, "X"),
                        CombinationLine("A0", 0, "Y")});
    // Target (0 glass, 1 coating), code and the fields, in the columns the records test pins.
    Add(F.Information, {"0G1    02   A", "1C1    03   M", "0G1    02   B", "0XX    02   verloren",
                        "2G1    02   anderes Ziel"});
    // The fourth line moves HSA out of MUTE.
    Add(F.OrderOptions, {"0G1    00101", "0G1    00206", "0G1    00211", "0G1    00105",
                         "0G1    00223", "1C1    00216", "0XX    00221"});
    // A line of another target only creates its group.
    Add(F.Productgroup, {"0G1    A", "0G2    B", "0G3", "1C1    a", "1C2    B", "2G5    C"});
    Add(F.CodeSubstitution, {"0OLD1  1NEW1  N2", "1OLDC  2N1    N2    N3", "2OLDX  1NX"});
    Root.Glasliste()->AutoSort = false;
    BuildKr6Model(Root, F);

    const Tdex6DataPreisbezeichnungsliste& List = *Root.Preisbezeichnungsliste();
    ASSERT_EQ(List.Count(), 4); // field 4 stays unfilled and is removed
    EXPECT_EQ(List.FindByID(4), nullptr);
    EXPECT_EQ(List.FindByID(1)->BEZ + "|" + List.FindByID(2)->BEZ + "|" + List.FindByID(3)->BEZ +
                  "|" + List.FindByID(5)->BEZ,
              "Listen EK|Montage|Listen EK|Extra");
    EXPECT_EQ((std::array{List.FindByID(2)->PFT, List.FindByID(5)->PFT}),
              (std::array{Tdex6PriceField::SonstigesEK, Tdex6PriceField::SonstigesVK}));

    // Every line makes a glass; the later lines find the last glass of a code.
    ASSERT_EQ(Root.Glasliste()->Count(), 7);
    int Ranges = 0;
    for (const auto& Glass : *Root.Glasliste())
        Ranges += Glass->GlasWirkungsListe()->Count() + Glass->GlasGeometrieListe()->Count();
    const Tdex6DataGlas& G1 = GlassOf("G1");
    EXPECT_EQ(G1.GetB(1), "zweites");
    EXPECT_EQ(G1.GlasWirkungsListe()->Count() + G1.GlasGeometrieListe()->Count(), Ranges);
    EXPECT_EQ(Ranges, 2);
    // Sorted again and renumbered at the end: the one sort number 1 becomes the last number.
    EXPECT_TRUE(Root.Glasliste()->AutoSort);
    EXPECT_EQ(GlassOf("G4").CSNR(), 6);

    const Tdex6DataKombinationsListe& Rules = *Root.KombinationsListe();
    EXPECT_TRUE(Rules.SortEnabled());
    ASSERT_EQ(Rules.Count(), 4);
    EXPECT_EQ(Rules.Items(0)->GE() + "|" + Rules.Items(1)->GE() + "|" + Rules.Items(2)->B1E() +
                  "|" + Rules.Items(3)->B1E() + Rules.Items(3)->B2E(),
              "******|A0|AR1|BA");
    EXPECT_EQ(Rules.Items(3)->LB(), Tdex6Delivery::Lieferbar);

    using K = Tdex6InfoKind;
    EXPECT_EQ(G1.Info()->GetInfoText(1, K::TechnischeProduktbeschreibung), "A\r\nB");

    using O = Tdex6OrderOption;
    EXPECT_EQ(G1.OrderOptions()->MUTE(), TOrderOptionSet{O::EinschleifPD});
    EXPECT_EQ(G1.OrderOptions()->KADU(), TOrderOptionSet{O::HSA});
    EXPECT_EQ(G1.OrderOptions()->MUDU(), TOrderOptionSet{O::NormalPD});
    EXPECT_EQ(CoatingOf("C1").OrderOptions()->MUDU(), TOrderOptionSet{O::EinschleifPD});

    // Each group lists the members of the other groups.
    const Tdex6DataProduktgruppenliste& Groups = *Root.Produktgruppenliste();
    ASSERT_EQ(Groups.Count(), 3);
    const auto Members = [&](std::string_view Name) {
        const Tdex6DataProduktgruppe& Group = *Groups.FindByName(Name);
        return std::to_string(Group.ID) + ":" + Lines(Group.LieferbareGlaeser()->Codes()->Lines()) +
               ":" + Lines(Group.LieferbareBeschichtungen()->Codes()->Lines());
    };
    EXPECT_EQ(Members("A"), "1:G2:C2");
    EXPECT_EQ(Members("B"), "2:G1:C1");
    EXPECT_EQ(Members("C"), "3:G1,G2:C1,C2");

    // The line of another target is dropped; the example list pins the fields.
    EXPECT_EQ(Root.CodeSubstGlasList()->Count() * 10 + Root.CodeSubstBeschList()->Count(), 11);
}

} // namespace
} // namespace kr6
