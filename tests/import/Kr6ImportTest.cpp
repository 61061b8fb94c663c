#include "import/Kr6Import.h"

#include "helpers/CombinationModel.h"
#include "helpers/DistinctRecords.h"
#include "helpers/Kr6Lines.h"
#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"
#include "model/Addresses.h"
#include "model/DescriptionDefaults.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/OrderOptions.h"
#include "model/ProductGroups.h"
#include "model/XmlWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace kr6 {
namespace {

using namespace test;
using M = Tdex6Material;

// What the target field of an information, order-option, group or substitution line names.
constexpr int LensTarget = 0;
constexpr int CoatingTarget = 1;

// A record of Layout whose every field holds a value of its own; Line picks the flags.
template <class Layout, class Record> Record Distinct(TDistinctValues& Values, int Line = 0) {
    Record Rec;
    Values.Fill<Layout>(Rec, Line);
    return Rec;
}

template <class Layout, class Record> std::string LineOf(const Record& Rec) {
    return TKr6LineWriter<Layout>().SetAll(Rec).Line();
}

// As many lines of Layout as tell its flags apart, each changed by Link (the codes that tie
// it to a lens or coating) before it is written; returns the records in the order they were
// made. The lines go in last first: sort numbers count up, and the import orders lenses
// and coatings by them, not by their lines.
template <class Layout, class Record, class TLink>
std::vector<Record> AddDistinct(TDistinctValues& Values, TStringList& Member, TLink Link) {
    std::vector<Record> Records;
    for (int Line = 0; Line < FlagLines<Layout>; ++Line) {
        Records.push_back(Distinct<Layout, Record>(Values, Line));
        Link(Records.back(), Line);
    }
    for (auto Rec = Records.rbegin(); Rec != Records.rend(); ++Rec)
        Member.Add(LineOf<Layout>(*Rec));
    return Records;
}

// An archive in which every field of every record type holds a value no other field holds
// and that differs from its default, so that a field imported into the wrong member is
// seen in the element form. Only the fields that tie a line to a lens or coating, and
// those the import needs in a range to make anything, are set by hand. Information line
// numbers, the second and third new code of a lens substitution and OeCodes.Dat reach no
// model member; the element form gives a special coating price the lens's materials and
// kind rather than its own, and holds no geometry kind.
TKr6Files DistinctFields() {
    namespace L = kr6_layouts;
    TDistinctValues V;
    TKr6Files F;
    // Every price field filled, the two with names of their own among them, and a name
    // given to a field without one, which is not taken.
    F.Head =
        HeadLines("version=6.9.0;Software-id=h1;comment=h2;uid-manufacturer=h3;uid-postedit=h4;"
                  "Valid-from=20290102;Valid-until=20291130235958;country=h5;language=h6;"
                  "manufacturer-code=h7;manufacturer-subcode=h8;manufacturer-name=h9;street=h10;"
                  "zip-code=h11;city=h12;po-box-zip-code=h13;po-box-text=h14;phone=h15;fax=h16;"
                  "phone-order=h17;fax-order=h18;mail=h19;Url=h20;pricedefinition-cylinder=x;"
                  "cylindergroup-base=901;cylindergroup-1=902;cylindergroup-2=903;prismgroup-1=904;"
                  "prismgroup-2=905;prismgroup-3=906;prismgroup-4=907;prismgroup-5=908;"
                  "currencydescription=h21;currencydescription-decimals=h22;pricefield-01=10;"
                  "pricefield-02=90;pricefield-03=52;pricefield-04=91;pricefield-05=21;"
                  "pricefield-description-01=h23;pricefield-description-02=h24;"
                  "pricefield-description-03=h25;pricefield-description-04=h26;"
                  "pricefield-description-05=h27;characterset=1252");

    // Sort numbers place a lens or coating among those before it, so they are small.
    const auto SmallSortNumber = [](auto& Rec, int Line) {
        Rec.SortNumber = Line;
    };
    std::vector<std::string> Lenses;
    for (const auto& Lens :
         AddDistinct<L::LensType, TKr6DataLensType>(V, F.LensType, SmallSortNumber))
        Lenses.push_back(Lens.Code);
    AddDistinct<L::LensRange, TKr6DataLensRange>(
        V, F.LensRange, [&](TKr6DataLensRange& Rec, int Line) { Rec.Code = Lenses[Line]; });
    // One geometry for its diameter, one for all decentred diameters and every power.
    using G = TKr6DataLensGeo;
    G Geo = Distinct<L::LensGeo, G>(V);
    Geo.Code = Lenses[0];
    F.LensGeo.Add(LineOf<L::LensGeo>(Geo));
    Geo = Distinct<L::LensGeo, G>(V);
    Geo.Code = Lenses[1];
    F.LensGeo.Add(TKr6LineWriter<L::LensGeo>()
                      .SetAll(Geo)
                      .Put<&G::Diameter>("0000 ")
                      .Put<&G::SphereFrom>("     ")
                      .Put<&G::SphereTo>("     ")
                      .Line());
    // A price line needs groups up to 50 and a delivery range the list names; it names 0.
    // The element form holds cylinder groups up to 10.
    AddDistinct<L::LensPrice, TKr6DataLensPrice>(V, F.LensPrice, [&](TKr6DataLensPrice& Rec, int) {
        Rec.Code = Lenses[0];
        Rec.CylinderGroup = 7;
        Rec.DeliveryRangeId = 0;
    });

    std::vector<std::string> Coatings;
    for (const auto& Coating :
         AddDistinct<L::Options, TKr6Dataoptions>(V, F.Options, SmallSortNumber))
        Coatings.push_back(Coating.Code);
    AddDistinct<L::OptionsColor, TKr6DataoptionsColor>(
        V, F.OptionsColor, [&](TKr6DataoptionsColor& Rec, int) { Rec.OptionCode = Coatings[0]; });
    // A general price and one for a lens.
    for (const std::string& Lens : {std::string(), Lenses[0]})
        AddDistinct<L::OptionsPrice, TKr6DataoptionsPrice>(
            V, F.OptionsPrice, [&](TKr6DataoptionsPrice& Rec, int) {
                Rec.OptionCode = Coatings[Lens.empty() ? 0 : 1];
                Rec.LensCode = Lens;
            });
    AddDistinct<L::Combination, TKr6DataCombination>(V, F.Combination,
                                                     [](TKr6DataCombination&, int) {});

    // The lines for a lens, then for a coating.
    const auto ForTarget = [&](auto& Rec, int Target) {
        Rec.Target = Target;
        Rec.Code = Target == LensTarget ? Lenses[0] : Coatings[0];
    };
    for (const int Target : {LensTarget, CoatingTarget}) {
        AddDistinct<L::Information, TKr6DataInformation>(
            V, F.Information, [&](TKr6DataInformation& Rec, int) { ForTarget(Rec, Target); });
        AddDistinct<L::Productgroup, TKr6DataProductgroup>(
            V, F.Productgroup, [&](TKr6DataProductgroup& Rec, int) { ForTarget(Rec, Target); });
        AddDistinct<L::CodeSubst, TKr6DataCodeSubst>(
            V, F.CodeSubstitution, [&](TKr6DataCodeSubst& Rec, int) { Rec.Target = Target; });
    }
    // An order option for each of the three usages of the lens, one for the coating.
    for (const auto& [Target, Usage] :
         {std::pair{LensTarget, 1}, {LensTarget, 5}, {LensTarget, 6}, {CoatingTarget, 5}})
        AddDistinct<L::OrderOptions, TKr6DataOrderOptions>(V, F.OrderOptions,
                                                           [&](TKr6DataOrderOptions& Rec, int) {
                                                               ForTarget(Rec, Target);
                                                               Rec.Usage = Usage;
                                                           });
    return F;
}

// The element form an element a line, indented by depth. The form holds no line break of
// its own (CR and LF are written as entities), so this adds only the breaks, and a
// difference shows as the lines that differ.
std::string Indented(std::string_view Xml) {
    std::string Text;
    int Depth = 0;
    bool AfterEndTag = false;
    for (std::size_t I = 0; I < Xml.size(); ++I) {
        if (Xml[I] == '<') {
            const bool EndTag = I + 1 < Xml.size() && Xml[I + 1] == '/';
            Depth -= EndTag ? 1 : 0;
            // An element of one text, or empty, stays on its start tag's line.
            if (!Text.empty() && (!EndTag || AfterEndTag))
                Text += "\n" + std::string(static_cast<std::size_t>(2 * Depth), ' ');
            Depth += EndTag ? 0 : 1;
            AfterEndTag = EndTag;
        }
        Text += Xml[I];
    }
    return Text + "\n";
}

// The element form of the archive above, as pinned in tests/data/distinct-fields.xml and
// checked by hand, field by field, when it was written. After a deliberate change of the
// import or of the element form, run this test with KR6_REWRITE_PINNED=1 in the
// environment: it writes the file anew, whose difference is then to be read before it
// is committed.
TEST(Kr6ImportFields, EveryFieldLandsInItsOwnElement) {
    Tdex6Dataobject Root;
    const TKr6DataHead Head = BuildKr6Model(Root, DistinctFields());
    // The header keys that reach no model member.
    EXPECT_EQ(Head.Version + "|" + Head.SoftwareId + "|" + Head.UidPostedit + "|" +
                  Head.ManufacturerName[1] + "|" + std::to_string(Head.CharacterSet),
              "6.9.0|h1|h4||1252");
    // The element form holds neither the time of day validity ends nor a geometry's kind.
    EXPECT_EQ(Head.ValidUntil, EncodeDateTime(2029, 11, 30, 23, 59, 58));
    EXPECT_EQ(Root.Glasliste()->FindByEDV("t4")->GlasGeometrieListe()->Items(0)->GeometryKind,
              Tdex6GeometryKind::AlleDezentriertenDurchmesser);

    TXmlStream Xml;
    Root.WriteXml(Xml);
    ASSERT_EQ(Xml.find('\n'), std::string::npos);
    const std::string Text = Indented(Xml);
    const std::string Pinned = KR6_TEST_DATA_DIR "/distinct-fields.xml";
    if (std::getenv("KR6_REWRITE_PINNED") != nullptr)
        WriteFileBytes(Pinned, Text);
    EXPECT_EQ(Text, ReadFileBytes(Pinned));
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
    F.Head = HeadLines("pricefield-01=10;pricefield-02=90;pricefield-03=10;pricefield-05=91");
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
