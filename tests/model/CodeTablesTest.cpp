#include "model/CodeTables.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

// Every member's code reads back as that member, and a foreign code gives Default.
template <class E> void ExpectTable(std::size_t Members, E Default) {
    for (std::size_t I = 0; I < Members; ++I) {
        const auto M = static_cast<E>(I);
        EXPECT_EQ(FromCode<E>(Code(M)), M) << "member " << I;
    }
    EXPECT_EQ(FromCode<E>(999), Default);
    EXPECT_EQ(FromCode<E>(-1), Default);
}

TEST(CodeTables, EveryTableRoundTripsAndHasItsDefault) {
    ExpectTable(5, Tdex6LensKind::Einstaerken);
    ExpectTable(5, Tdex6Material::Silikat);
    ExpectTable(3, Tdex6BrandLine::Standard);
    ExpectTable(5, Tdex6AntiReflection::Keine);
    ExpectTable(6, Tdex6Tint::Keine);
    ExpectTable(3, Tdex6KDM::NichtInkl);
    ExpectTable(2, Tdex6ViewDirection::Nullblickrichtung);
    ExpectTable(6, Tdex6RoadTraffic::KeineAngabe);
    ExpectTable(3, Tdex6EGB::NichtMoeglich);
    ExpectTable(4, Tdex6AdditionStep::Stufe1_0);
    ExpectTable(5, Tdex6NTT::C);
    ExpectTable(3, Tdex6EdgeFinish::Nein);
    ExpectTable(4, Tdex6DiameterChange::Nein);
    ExpectTable(3, Tdex6ThicknessChange::Nein);
    ExpectTable(4, Tdex6FormChange::Nein);
    ExpectTable(3, Tdex6Bonus::Nein);
    ExpectTable(3, Tdex6SphTor::Egal);
    ExpectTable(3, Tdex6SingleMulti::Egal);
    ExpectTable(14, Tdex6PriceField::NichtGefuellt);
    ExpectTable(24, Tdex6OrderOption::NichtGefuellt);
    ExpectTable(13, Tdex6InfoKind::TechnischeProduktbeschreibung);
    ExpectTable(3, Tdex6Delivery::Lieferbar);
    ExpectTable(2, Tdex6SubstAction::CodeErsetzen);
    ExpectTable(3, Tdex6PriceSource::Value0);
    ExpectTable(7, Tdex6FormulaKind7::Value0);
    ExpectTable(11, Tdex6FormulaKind11::Value0);
}

TEST(CodeTables, CodesThatAreNotMemberIndexes) {
    EXPECT_EQ(FromCode<Tdex6AntiReflection>(5), Tdex6AntiReflection::MehrfachET);
    EXPECT_EQ(FromCode<Tdex6AntiReflection>(3), Tdex6AntiReflection::Keine);
    EXPECT_EQ(Code(Tdex6AntiReflection::RueckseitigeET), 9);
    EXPECT_EQ(FromCode<Tdex6Tint>(4), Tdex6Tint::EinfachVerlauf);
    EXPECT_EQ(FromCode<Tdex6Tint>(3), Tdex6Tint::Keine);
    EXPECT_EQ(FromCode<Tdex6PriceField>(52), Tdex6PriceField::Handwerksleistung);
    EXPECT_EQ(Code(Tdex6PriceField::Handwerksleistung), 52);
    EXPECT_EQ(Code(Tdex6PriceField::KalkVKLevel1CH), 55);
    EXPECT_EQ(FromCode<Tdex6AdditionStep>(0), Tdex6AdditionStep::Stufe1_0);
    EXPECT_EQ(Code(Tdex6AdditionStep::Stufe1_0), 1);
    EXPECT_EQ(FromCode<Tdex6AdditionStep>(8), Tdex6AdditionStep::Stufe0_125);
    EXPECT_EQ(Code(Tdex6InfoKind::UrlMPGHinweise), 49);
    EXPECT_EQ(FromCode<Tdex6Material>(7), Tdex6Material::Silikat);
    EXPECT_EQ(FromCode<Tdex6Delivery>(9), Tdex6Delivery::Lieferbar);
}

TEST(CodeTables, MembersOutsideTheTable) {
    EXPECT_EQ(Code(static_cast<Tdex6LensKind>(5)), 0);
    EXPECT_EQ(Code(static_cast<Tdex6AdditionStep>(4)), 1);
    EXPECT_EQ(Code(static_cast<Tdex6SubstAction>(200)), 1);
    EXPECT_EQ(PriceFieldText(static_cast<Tdex6PriceField>(14)), "nicht gef\xFCllt");
    EXPECT_EQ(InfoKindTag(static_cast<Tdex6InfoKind>(13)), "TEC");
    EXPECT_EQ(DeliveryText(static_cast<Tdex6Delivery>(3)), "nicht lieferbar");
}

TEST(CodeTables, MemberTexts) {
    EXPECT_EQ(MemberText(Tdex6LensKind::Office), "Office-Glas");
    EXPECT_EQ(MemberText(Tdex6DiameterChange::GroessererDurchmesser), "gr\xF6\xDF"
                                                                      "erer Durchmesser");
    EXPECT_EQ(MemberText(Tdex6OrderOption::Boxbreite), "050: Boxbreite");
    EXPECT_EQ(MemberText(Tdex6OrderOption::Additionsmessverfahren), "130: Additionsmessverfahren");
    EXPECT_EQ(MemberText(Tdex6InfoKind::UrlMPGHinweise), "Url MPG Hinweise");
    EXPECT_EQ(MemberText(Tdex6SubstAction::Produktvorschlag), "Produktvorschlag");
    EXPECT_EQ(MaterialShortText(Tdex6Material::Polycarbonat), "P");
    EXPECT_EQ(MaterialShortText(Tdex6Material::Egal), "");
    EXPECT_EQ(PriceFieldText(Tdex6PriceField::KalkVKLevel1CH), "kalk. VK Level1 (CH)");
    EXPECT_EQ(PriceFieldText(Tdex6PriceField::Handwerksleistung), "Handwerksleistung");
    EXPECT_EQ(InfoKindTag(Tdex6InfoKind::UrlImage), "UIMG");
    EXPECT_EQ(DeliveryText(Tdex6Delivery::NurLieferbar), "nur lieferbar");
}

TEST(CodeTables, MaterialSetHoldsTheFlaggedMaterials) {
    EXPECT_EQ(MaterialSet(false, false, false, false), TMaterialSet{Tdex6Material::Egal});
    EXPECT_EQ(MaterialSet(true, false, true, false).Bits(), 10U);
    EXPECT_EQ(MaterialSet(true, true, true, true).Bits(), 30U);
}

TEST(CodeTables, MatchCodesReportsTheFirstMismatch) {
    EXPECT_EQ(MatchCodes("ab1", "AB*X2", '*'), 4);
    EXPECT_EQ(MatchCodes("AB", "AB    ", '*'), 0);
    EXPECT_EQ(MatchCodes("ABCDEF1", "abcdef2", '*'), 0); // only six characters count
    EXPECT_EQ(MatchCodes("******", "XYZ", '*'), 0);
    EXPECT_EQ(MatchCodes("XAB", "YAB", '*'), 1);
    EXPECT_EQ(MatchCodes("ABCDE", "ABCDEF", '*'), 6);
    EXPECT_EQ(MatchCodes("\xE4"
                         "b",
                         "\xC4"
                         "B",
                         '*'),
              0); // Windows-1252 letters fold as well
    EXPECT_EQ(MatchCodes("", "", '*'), 0);
}

TEST(CodeTables, DiameterTextForms) {
    EXPECT_EQ(DiameterToText(MakeDiameter(70, 65, true)), "70/65E");
    EXPECT_EQ(DiameterToText(MakeDiameter(70, 0, false)), "70");
    EXPECT_EQ(DiameterToText(MakeDiameter(0, 65, true)), "");

    EXPECT_EQ(DiameterFromText("70/65E"), MakeDiameter(70, 65, true));
    EXPECT_EQ(DiameterFromText("7/65"), MakeDiameter(7, 65, false));
    EXPECT_EQ(DiameterFromText("70"), MakeDiameter(70, 0, false));
    EXPECT_EQ(DiameterFromText("70E"), MakeDiameter(70, 0, true));
    EXPECT_EQ(DiameterFromText("70/65e"), MakeDiameter(70, 0, false)); // only "E" counts
    EXPECT_EQ(DiameterFromText(""), TDiameter{});

    EXPECT_EQ(DiameterFromKr6("7065E"), MakeDiameter(70, 65, true));
    EXPECT_EQ(DiameterFromKr6("6560e"), MakeDiameter(65, 60, true));
    EXPECT_EQ(DiameterFromKr6("70"), MakeDiameter(70, 0, false));
    EXPECT_EQ(DiameterFromKr6("70  X"), MakeDiameter(70, 0, false));

    EXPECT_TRUE(DiametersDiffer(MakeDiameter(70, 65, true), MakeDiameter(70, 65, false)));
    EXPECT_FALSE(DiametersDiffer(MakeDiameter(70, 65, true), MakeDiameter(70, 65, true)));
}

TEST(CodeTables, CoatingCodeTextLabelsWildcards) {
    EXPECT_EQ(CoatingCodeText("   ", "x", true), "[keine Beschichtung]");
    EXPECT_EQ(CoatingCodeText("****** ", "x", true), "[alle Beschichtungen]");
    EXPECT_EQ(CoatingCodeText("AB* ", "x", true), "[Wildcard] (AB*)");
    EXPECT_EQ(CoatingCodeText("AB*", "x", false), "[Wildcard]");
    EXPECT_EQ(CoatingCodeText("AR1", "Super AR", true), "Super AR");
}

TEST(CodeTables, GroupCodes) {
    EXPECT_TRUE(IsGroupCode("z1"));
    EXPECT_TRUE(IsGroupCode("P6"));
    EXPECT_FALSE(IsGroupCode("Z7"));
    EXPECT_FALSE(IsGroupCode("P10"));
    EXPECT_FALSE(IsGroupCode("P0"));
}

} // namespace
} // namespace kr6
