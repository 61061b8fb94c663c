#include "model/Glasses.h"
#include "helpers/ElementTestSupport.h"
#include "model/ProductGroups.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace kr6 {
namespace {

Tdex6DataGlas* AddGlas(Tdex6Dataobject& Root, std::string_view Code) {
    Tdex6DataGlas* Glas = Root.Glasliste()->NewGlas();
    Glas->SetEDV(Code);
    return Glas;
}

// Sets sort numbers without renumbering.
void SetNumbers(Tdex6DataGlasliste& List, const std::vector<std::int32_t>& Numbers) {
    List.AutoSort = false;
    for (std::size_t I = 0; I < Numbers.size(); ++I)
        List.Items(static_cast<int>(I))->SetCSNR(Numbers[I]);
    List.AutoSort = true;
}

std::vector<std::int32_t> Numbers(const Tdex6DataGlasliste& List) {
    std::vector<std::int32_t> Result;
    for (const auto& Glas : List)
        Result.push_back(Glas->CSNR());
    return Result;
}

void FillEveryField(Tdex6DataGlas& Glas) {
    Glas.SetEDV("GL&1");
    for (int I = 1; I <= 10; ++I) {
        Glas.SetB(I, "Desc " + std::to_string(I));
        Glas.SetKB(I, "Short " + std::to_string(I));
    }
    Glas.AB = 42.5;
    Glas.BR = 1.6;
    Glas.DI = 1.3;
    Glas.AS = Glas.ST = Glas.AG = Glas.UV = Glas.MDM = Glas.HA = Glas.VS = true;
    Glas.AD = Glas.CL = Glas.PH = Glas.Vers = Glas.Pri = Glas.EG = Glas.TS = true;
    Glas.EM = Tdex6LensKind::Gleitsicht;
    Glas.ME = Tdex6BrandLine::ECO;
    Glas.MAT = Tdex6Material::Trivex;
    Glas.LA = EncodeDateTime(2010, 1, 1);
    Glas.LB = EncodeDateTime(2030, 12, 31);
    Glas.UVK = 380;
    Glas.UVB = 0.5;
    Glas.UVA = 1.25;
    Glas.EGB = Tdex6EGB::MitFiktivemGegenglas;
    Glas.FK = 3;
    Glas.FKB = -4;
    Glas.STV = Tdex6RoadTraffic::NichtKFZTauglich;
    Glas.ET = Tdex6AntiReflection::SuperET;
    Glas.FA = Tdex6Tint::ZweifachVerlauf;
    Glas.KDM = Tdex6KDM::ImPlusbereich;
    Glas.AGKB = 80;
    Glas.AGKG = 90;
    Glas.EdDmA = 7;
    Glas.KDMA = 8;
    Glas.KMDM = 9;
    Glas.GlasWirkungsListe()->NewItem()->SetSph(-4, 4);
    Glas.GlasGeometrieListe()->NewItem()->BN = 14;
    Tdex6DataGlasPreis* Price = Glas.GlasPreisListe()->NewItem();
    Price->GSph = 2;
    Price->SetPR(99.5);
    Glas.Info()->SetInfoText(1, Tdex6InfoKind::MarketingBeschreibung, "Info");
    Glas.Preisgruppen()->SetS(2, true);
    Glas.Preisgruppen()->SetC(1, true);
    Glas.FormelZuweisung()->Lines.Add("F1");
    Glas.OrderOptions()->SetMUTE({Tdex6OrderOption::HSA});
}

TEST(Glas, RoundTripOfAFullySetGlassWithWhatItOwns) {
    Tdex6Dataobject Root;
    Tdex6DataGlas Written(&Root, &Root, true);
    FillEveryField(Written);
    Written.SetCSNR(12);
    const std::string Xml = test::XmlOf(Written);

    Tdex6DataGlas Read(&Root, &Root, true);
    EXPECT_EQ(test::XmlAfterReading(Xml, Read), Xml);
    EXPECT_EQ(Read.EDV(), "GL&1");
    EXPECT_EQ(Read.GetKB(10), "Short 10");
    EXPECT_EQ(Read.LA, EncodeDateTime(2010, 1, 1));
    EXPECT_EQ(Read.CSNR(), 12);
    EXPECT_EQ(Read.GlasPreisListe()->Items(0)->Glas(), &Read);
    EXPECT_EQ(Read.GlasPreisListe()->Items(0)->PR(), 99.5);
    EXPECT_TRUE(Read.Preisgruppen()->GetC(1));
}

TEST(Glas, DefaultsAndTheElementFormOfFlags) {
    Tdex6DataGlas Glas(nullptr, nullptr, true);
    // Description indexes outside 1 to 10 are neither kept nor written.
    Glas.SetB(11, "Eleven");
    Glas.SetKB(0, "Zero");
    EXPECT_EQ(Glas.GetB(11), "");
    EXPECT_EQ(Glas.GetKB(0), "");
    EXPECT_EQ(Glas.MAT, Tdex6Material::Silikat);
    EXPECT_EQ(Glas.AGKB, 100);
    EXPECT_EQ(Glas.AGKG, 100);
    const std::string Xml = test::XmlOf(Glas);
    EXPECT_NE(Xml.find("<EDV></EDV><B1></B1>"), std::string::npos);
    EXPECT_NE(Xml.find("<KB10></KB10><LA></LA><LB></LB><EM>0</EM><AGKG>100</AGKG>"),
              std::string::npos);
    EXPECT_NE(Xml.find("<KDMA>0</KDMA><AD>0</AD><Vers>0</Vers><Pri>0</Pri><FK>0</FK>"),
              std::string::npos);
    EXPECT_NE(Xml.find("<EdDmA>0</EdDmA><CSNR>0</CSNR><GWL></GWL><GGL></GGL><DEX></DEX><DINFO>"),
              std::string::npos);
    EXPECT_EQ(Xml.find("<AS>"), std::string::npos);
    EXPECT_EQ(Xml.find("Eleven"), std::string::npos);
    EXPECT_EQ(Xml.find("<EG>"), std::string::npos);

    // Booleans read through the text-to-flag conversion; unknown codes give the default.
    Tdex6DataGlas Read(nullptr, nullptr, true);
    test::ReadInto("<GL><Vers>1</Vers><AS>true</AS><ET>3</ET><MAT>7</MAT><LA>20100101123000</LA>"
                   "</GL>",
                   Read);
    EXPECT_TRUE(Read.Vers);
    EXPECT_FALSE(Read.AS);
    EXPECT_EQ(Read.ET, Tdex6AntiReflection::Keine);
    EXPECT_EQ(Read.MAT, Tdex6Material::Silikat);
    EXPECT_EQ(Read.LA, EncodeDateTime(2010, 1, 1, 12, 30));
}

TEST(Glas, ProgressLinesAndProtocolNameTheGlass) {
    Tdex6Dataobject Root;
    std::vector<std::string> Lines;
    Root.OnLog = [&](Tdex6Dataobject&, std::string_view Text) {
        Lines.emplace_back(Text);
    };
    Tdex6DataGlas Glas(&Root, &Root, true);
    Glas.SetEDV("AB12");
    Glas.SetB(1, "Single");
    EXPECT_EQ(Glas.ProtocolPrefix(1, "ignored"), "Glas Single(AB12) zugef\xFCgt: ");
    const std::string Xml = test::XmlOf(Glas);
    ASSERT_EQ(Lines.size(), 1U);
    EXPECT_EQ(Lines[0], "Schreiben von AB12 Single");

    Lines.clear();
    Tdex6DataGlas Read(&Root, &Root, true);
    test::ReadInto(Xml, Read);
    ASSERT_EQ(Lines.size(), 10U);
    EXPECT_EQ(Lines[0], "Laden von AB12  Single");
    EXPECT_EQ(Lines[9], "Laden von AB12  ");
}

TEST(Glas, ValidityBoundsAreInclusiveAndZeroIsOpen) {
    Tdex6DataGlas Glas(nullptr, nullptr, true);
    Glas.LA = EncodeDateTime(2010, 1, 1);
    EXPECT_TRUE(Glas.IsValidAt(EncodeDateTime(2010, 1, 1)));
    EXPECT_TRUE(Glas.IsValidAt(EncodeDateTime(2099, 1, 1)));
    EXPECT_FALSE(Glas.IsValidAt(EncodeDateTime(2009, 12, 31)));
    EXPECT_TRUE(Glas.IsValidAt(0));
    Glas.LB = EncodeDateTime(2012, 6, 30);
    EXPECT_TRUE(Glas.IsValidAt(EncodeDateTime(2012, 6, 30)));
    EXPECT_FALSE(Glas.IsValidAt(EncodeDateTime(2012, 7, 1)));
}

TEST(Glas, ChangedCodeIsRenamedInProductGroups) {
    Tdex6Dataobject Root;
    Tdex6DataProduktgruppe* Group = Root.Produktgruppenliste()->AddNumbered();
    Group->LieferbareGlaeser()->AddOrRemove("OLD", false);
    Group->LieferbareGlaeser()->AddOrRemove("KEEP", false);
    const TStringList& Codes = Group->LieferbareGlaeser()->Codes()->Lines();

    Tdex6DataGlas* Glas = AddGlas(Root, "OLD");
    Glas->SetEDV("old");
    EXPECT_TRUE(Codes.Contains("OLD"));
    Glas->SetEDV("NEW");
    EXPECT_EQ(Glas->EDV(), "NEW");
    EXPECT_EQ(Codes.Text(), "KEEP\r\nNEW\r\n");

    // A glass without a code renames nothing.
    Tdex6DataGlas* Blank = AddGlas(Root, "");
    Blank->SetEDV("KEEP2");
    EXPECT_EQ(Codes.Text(), "KEEP\r\nNEW\r\n");
}

TEST(Glasliste, FindByEDVTrimsTheArgumentAndTakesTheLastMatch) {
    Tdex6Dataobject Root;
    Tdex6DataGlasliste& List = *Root.Glasliste();
    EXPECT_EQ(List.FindByEDV("AB12"), nullptr);
    Tdex6DataGlas* Lower = AddGlas(Root, "ab12");
    AddGlas(Root, "XY ");
    EXPECT_EQ(List.FindByEDV("AB12  "), Lower);
    EXPECT_EQ(List.FindByEDV("XY"), nullptr);
    EXPECT_EQ(List.FindByEDV(" ab12"), nullptr);
    Tdex6DataGlas* Later = AddGlas(Root, "AB12");
    EXPECT_EQ(List.FindByEDV("ab12"), Later);
}

TEST(Glasliste, RenumberingExamples) {
    Tdex6Dataobject Root;
    Tdex6DataGlasliste& List = *Root.Glasliste();
    for (const char* Code : {"A", "B", "C"})
        AddGlas(Root, Code);
    EXPECT_EQ(Numbers(List), (std::vector<std::int32_t>{0, 1, 2}));
    List.Items(2)->SetCSNR(0);
    EXPECT_EQ(Numbers(List), (std::vector<std::int32_t>{1, 2, 0}));
    SetNumbers(List, {0, 1, 2});
    List.Items(0)->SetCSNR(5);
    EXPECT_EQ(Numbers(List), (std::vector<std::int32_t>{2, 0, 1}));

    // Among other glasses sharing a number, the later one in the list comes first.
    SetNumbers(List, {3, 3, 7});
    List.Items(2)->SetCSNR(0);
    EXPECT_EQ(Numbers(List), (std::vector<std::int32_t>{2, 1, 0}));

    // The changed glass goes before the others that share its number.
    SetNumbers(List, {4, 4, 4});
    List.Items(1)->SetCSNR(4);
    EXPECT_EQ(Numbers(List), (std::vector<std::int32_t>{2, 0, 1}));

    // Keys compare as texts: negative ones lead, and among them the digits decide.
    SetNumbers(List, {-1, -2, 0});
    List.Items(2)->SetCSNR(0);
    EXPECT_EQ(Numbers(List), (std::vector<std::int32_t>{0, 1, 2}));

    // A new glass ends last; the list order itself never changes.
    Tdex6DataGlas* New = List.NewGlas();
    EXPECT_EQ(New->CSNR(), 3);
    EXPECT_EQ(List.Items(3), New);
}

// The renumbering written out plainly: keys as 9-digit texts, each inserted before
// the first key not below it.
std::vector<std::int32_t> ReferenceNumbers(const std::vector<std::int32_t>& Before,
                                           std::size_t Changed) {
    std::vector<std::pair<std::string, std::size_t>> Sorted;
    for (std::size_t I = 0; I < Before.size(); ++I) {
        const std::int64_t Key = std::int64_t{Before[I]} * 10 + (I == Changed ? 0 : 1);
        const std::string Text = IntToZeroPadded(Key, 9);
        auto Place = Sorted.begin();
        while (Place != Sorted.end() && CompareText(Place->first, Text) < 0)
            ++Place;
        Sorted.insert(Place, {Text, I});
    }
    std::vector<std::int32_t> Result(Before.size());
    for (std::size_t Rank = 0; Rank < Sorted.size(); ++Rank)
        Result[Sorted[Rank].second] = static_cast<std::int32_t>(Rank);
    return Result;
}

TEST(Glasliste, RenumberingMatchesThePlainReference) {
    std::mt19937 Random(20240611);
    const std::vector<std::int32_t> Extremes{INT32_MIN, INT32_MAX, 100000000, -100000000};
    for (int Round = 0; Round < 300; ++Round) {
        Tdex6Dataobject Root;
        Tdex6DataGlasliste& List = *Root.Glasliste();
        const int Count = std::uniform_int_distribution<int>(1, 12)(Random);
        std::vector<std::int32_t> Before;
        for (int I = 0; I < Count; ++I) {
            List.NewGlas();
            Before.push_back(Random() % 8 == 0
                                 ? Extremes[Random() % Extremes.size()]
                                 : std::uniform_int_distribution<std::int32_t>(-5, 12)(Random));
        }
        const std::size_t Changed = Random() % Before.size();
        const std::int32_t Value = std::uniform_int_distribution<std::int32_t>(-3, 15)(Random);
        SetNumbers(List, Before);
        Before[Changed] = Value;
        List.Items(static_cast<int>(Changed))->SetCSNR(Value);
        ASSERT_EQ(Numbers(List), ReferenceNumbers(Before, Changed)) << "round " << Round;
        EXPECT_TRUE(List.AutoSort);
    }
}

TEST(Glasliste, GetCodesFiltersByMaterialKindExclusionAndDate) {
    Tdex6Dataobject Root;
    AddGlas(Root, "ANY")->MAT = Tdex6Material::Egal;
    AddGlas(Root, "SIL");
    AddGlas(Root, "BIFO")->EM = Tdex6LensKind::Bifo;
    AddGlas(Root, "OLD")->LB = EncodeDateTime(2000, 1, 1);
    AddGlas(Root, "sil");
    AddGlas(Root, "SKIP");

    TStringList Codes;
    Codes.Add("stale");
    const TSmallSet<Tdex6Material> Materials{Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                             Tdex6Material::Polycarbonat, Tdex6Material::Trivex};
    const TSmallSet<Tdex6LensKind> Single{Tdex6LensKind::Einstaerken};
    Root.Glasliste()->GetCodes(Codes, true, Materials, Single, "skip\r\nnone", 0);
    EXPECT_EQ(Codes.Text(), "\r\nSIL\r\nOLD\r\nsil\r\n");
    Root.Glasliste()->GetCodes(Codes, false, Materials, Single, "", EncodeDateTime(2020, 1, 1));
    EXPECT_EQ(Codes.Text(), "SIL\r\nsil\r\nSKIP\r\n");
}

TEST(Glasliste, ReadingRenumbersAtTheEnd) {
    Tdex6Dataobject Root;
    Tdex6DataGlasliste& List = *Root.Glasliste();
    test::ReadInto("<GLL><GL><EDV>A</EDV><CSNR>5</CSNR></GL><GL><EDV>B</EDV><CSNR>2</CSNR></GL>"
                   "<GL><EDV>C</EDV><CSNR>5</CSNR></GL></GLL>",
                   List);
    ASSERT_EQ(List.Count(), 3);
    EXPECT_EQ(Numbers(List), (std::vector<std::int32_t>{1, 0, 2}));
    EXPECT_TRUE(List.AutoSort);
    EXPECT_EQ(List.Items(2)->GlasListe(), &List);
}

} // namespace
} // namespace kr6
