#include "import/Kr6Findings.h"
#include "import/Kr6FieldChecks.h"
#include "import/Kr6Import.h"
#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"

#include "helpers/Kr6Lines.h"
#include "helpers/TestArchive.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

using namespace test;

// A finding as "member:line:column code", which tells at a glance what is where.
std::string Where(const TKr6Finding& Finding) {
    return Finding.Member + ":" + std::to_string(Finding.Line) + ":" +
           std::to_string(Finding.Column) + " " + std::string(FindingCodeName(Finding.Code));
}

std::vector<std::string> Wheres(const TKr6Findings& Findings) {
    std::vector<std::string> Result;
    for (const TKr6Finding& Finding : Findings.Items())
        Result.push_back(Where(Finding));
    return Result;
}

std::vector<std::string> FindingsOf(const TKr6Files& Files) {
    Tdex6Dataobject Root;
    TKr6Findings Findings;
    BuildKr6Model(Root, Files, &Findings);
    return Wheres(Findings);
}

// One lens and one coating, each with a price in the one named price field: a list that
// gives no finding, to which each test adds its lines.
TKr6Files CleanList() {
    TKr6Files F;
    F.Head = HeadLines("version=6.9.0;pricefield-01=10");
    F.LensType.Add(LensTypeLine("G1"));
    F.LensPrice.Add(LensPriceLine("G1", "60", 0, 0, 0, {"1000"}));
    F.Options.Add(OptionsLine("C1"));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "", 0, 0, "0100", {"500"}));
    return F;
}

using TFindings = std::vector<std::string>;

// The lengths past which a line is too long, as the maintainers' documentation gives them.
namespace L = kr6_layouts;
static_assert(Kr6FullLength<L::LensType> == 138 && Kr6FullLength<L::LensRange> == 106 &&
              Kr6FullLength<L::LensGeo> == 96 && Kr6FullLength<L::LensPrice> == 53 &&
              Kr6FullLength<L::OldLensPrice> == 52 && Kr6FullLength<L::Options> == 136 &&
              Kr6FullLength<L::OptionsColor> == 93 && Kr6FullLength<L::OptionsPrice> == 53 &&
              Kr6FullLength<L::Combination> == 25 && Kr6FullLength<L::Information> == 262 &&
              Kr6FullLength<L::OrderOptions> == 12 && Kr6FullLength<L::Productgroup> == 37 &&
              Kr6FullLength<L::CodeSubst> == 26);

TEST(Kr6Findings, CleanListGivesNone) {
    TKr6Files F = CleanList();
    F.Combination.Add(CombinationLine("G1", 1, "C1"));
    F.Combination.Add(CombinationLine("******", 0, "******", "Z1"));
    F.LensRange.Add(TFixedLine().At(1, "G1").At(7, "60"));
    F.Information.Add(TFixedLine().At(1, "0").At(2, "g1").At(8, "02").At(13, "Text"));
    F.OrderOptions.Add(TFixedLine().At(1, "1").At(2, "C1").At(8, "0010").At(12, "5"));
    F.Productgroup.Add(TFixedLine().At(1, "1").At(2, "c1").At(8, "Gruppe"));
    F.CodeSubstitution.Add(TFixedLine().At(1, "0").At(2, "OLD").At(8, "1").At(9, "G1"));
    EXPECT_EQ(FindingsOf(F), TFindings{});
}

TEST(Kr6Findings, LinesForWhatTheListDoesNotHold) {
    TKr6Files F = CleanList();
    F.LensRange.Add(TFixedLine().At(1, "XX").At(7, "60"));
    F.LensGeo.Add(TFixedLine().At(1, "XX").At(7, "60"));
    F.LensPrice.Add(LensPriceLine("XX", "60", 0, 0, 0, {"1000"}));
    // A special price for an unknown lens is kept; for an unknown coating only the
    // coating is named.
    F.OptionsPrice.Add(OptionsPriceLine("C1", "XX", 0, 0, "0100", {"500"}));
    F.OptionsPrice.Add(OptionsPriceLine("CX", "XX", 0, 0, "0100", {"500"}));
    F.OptionsColor.Add(TFixedLine().At(1, "001").At(4, "CX"));
    F.Information.Add(TFixedLine().At(1, "1").At(2, "CX").At(8, "02"));
    F.Information.Add(TFixedLine().At(1, "2").At(2, "G1").At(8, "02"));
    F.OrderOptions.Add(TFixedLine().At(1, "0").At(2, "XX").At(8, "0010").At(12, "1"));
    // Product groups compare codes ignoring the case of every Windows-1252 letter.
    F.LensType.Add(LensTypeLine("\xC4"
                                "1"));
    F.LensPrice.Add(LensPriceLine("\xC4"
                                  "1",
                                  "60", 0, 0, 0, {"1000"}));
    F.Productgroup.Add(TFixedLine()
                           .At(1, "0")
                           .At(2, "\xE4"
                                  "1")
                           .At(8, "Gruppe"));
    F.Productgroup.Add(TFixedLine().At(1, "0").At(2, "XX").At(8, "Gruppe"));
    F.Productgroup.Add(TFixedLine().At(1, "7").At(2, "G1").At(8, "Neu"));
    F.CodeSubstitution.Add(TFixedLine().At(1, "3").At(2, "G1").At(8, "1"));
    EXPECT_EQ(FindingsOf(F), (TFindings{
                                 "LensGeo.Dat:1:0 unknown-lens",
                                 "LensPrice.Dat:2:0 unknown-lens",
                                 "OptionsColor.Dat:1:0 unknown-coating",
                                 "OptionsPrice.Dat:2:0 unknown-lens",
                                 "OptionsPrice.Dat:3:0 unknown-coating",
                                 "LensRange.Dat:1:0 unknown-lens",
                                 "Information.Dat:1:0 unknown-coating",
                                 "Information.Dat:2:0 unknown-target",
                                 "OrderOptions.Dat:1:0 unknown-lens",
                                 "Productgroup.Dat:2:0 unknown-lens",
                                 "Productgroup.Dat:3:0 unknown-target",
                                 "CodeSubstitution.Dat:1:0 unknown-target",
                             }));
}

TEST(Kr6Findings, PricesThatAreNotImported) {
    TKr6Files F = CleanList();
    F.LensPrice.Add(LensPriceLine("G1", "60", 77, 0, 0, {"1000"}));
    F.LensPrice.Add(LensPriceLine("G1", "60", 0, 51, 0, {"1000"}));
    F.LensPrice.Add(LensPriceLine("G1", "60", 0, 1, 7, {"1000"}));
    // Price 2 has no field in the header.
    F.LensPrice.Add(LensPriceLine("G1", "65", 0, 0, 0, {"1000", "20"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "", 1, 0, "0000", {"500"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "", 2, 0, "0010", {"500", "0", "3"}));
    EXPECT_EQ(FindingsOf(F), (TFindings{
                                 "LensPrice.Dat:2:0 price-not-imported",
                                 "LensPrice.Dat:3:0 price-not-imported",
                                 "LensPrice.Dat:4:0 price-not-imported",
                                 "LensPrice.Dat:5:26 price-column-unnamed",
                                 "OptionsPrice.Dat:2:0 price-not-imported",
                                 "OptionsPrice.Dat:3:33 price-column-unnamed",
                             }));

    // Without any named price field nothing is imported anyway: only the amounts count.
    F.Head = HeadLines("version=6.9.0");
    EXPECT_EQ(FindingsOf(F), (TFindings{
                                 "LensType.Dat:1:0 lens-without-price",
                                 "LensPrice.Dat:1:19 price-column-unnamed",
                                 "LensPrice.Dat:2:19 price-column-unnamed",
                                 "LensPrice.Dat:3:19 price-column-unnamed",
                                 "LensPrice.Dat:4:19 price-column-unnamed",
                                 "LensPrice.Dat:5:19 price-column-unnamed",
                                 "LensPrice.Dat:5:26 price-column-unnamed",
                                 "Options.Dat:1:0 coating-without-price",
                                 "OptionsPrice.Dat:1:19 price-column-unnamed",
                                 "OptionsPrice.Dat:2:19 price-column-unnamed",
                                 "OptionsPrice.Dat:3:19 price-column-unnamed",
                                 "OptionsPrice.Dat:3:33 price-column-unnamed",
                             }));
}

TEST(Kr6Findings, PricesSetTwice) {
    TKr6Files F = CleanList();
    // Ascending keys, then the first keys again out of order; a lens code in another case
    // is the same lens.
    F.LensPrice.Add(LensPriceLine("G1", "65", 0, 0, 0, {"1100"}));
    F.LensPrice.Add(LensPriceLine("g1", "60", 0, 0, 0, {"1200"}));
    F.LensPrice.Add(LensPriceLine("G1", "6055E", 0, 0, 0, {"1200"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "G1", 0, 0, "0100", {"10"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "g1", 1, 2, "1000", {"20"}));
    // General prices of one kind repeat when a material is in common.
    F.OptionsPrice.Add(OptionsPriceLine("C1", "", 0, 0, "1000", {"30"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "", 0, 0, "1100", {"40"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "", 1, 0, "1100", {"50"}));
    EXPECT_EQ(FindingsOf(F), (TFindings{
                                 "LensPrice.Dat:3:0 duplicate-price",
                                 "OptionsPrice.Dat:3:0 duplicate-price",
                                 "OptionsPrice.Dat:5:0 duplicate-price",
                             }));
}

TEST(Kr6Findings, RulesThatRepeatOrNameNothing) {
    TKr6Files F = CleanList();
    F.LensType.Add(LensTypeLine(""));
    F.LensPrice.Add(LensPriceLine("", "60", 0, 0, 0, {"1000"}));
    F.Combination.Add(CombinationLine("G1", 1, "C1", "Z1"));
    F.Combination.Add(CombinationLine("g1", 1, "z1", "c1"));
    F.Combination.Add(CombinationLine("G1", 0, "Z1", "C1"));
    // Delivery 7 reads as "lieferbar": a repetition, besides the unknown code.
    F.Combination.Add(CombinationLine("G1", 7, "C1", "Z1"));
    F.Combination.Add(CombinationLine("G*", 0, "C*", "X1", "Y*"));
    F.Combination.Add(CombinationLine("H*****", 0, "******"));
    F.Combination.Add(CombinationLine("", 0, "C1"));
    F.Combination.Add(CombinationLine("G1", 0, "XY"));
    F.Combination.Add(CombinationLine("G1", 0, "XY"));
    EXPECT_EQ(FindingsOf(F), (TFindings{
                                 "LensType.Dat:2:0 empty-code",
                                 "Combination.Dat:2:0 duplicate-rule",
                                 "Combination.Dat:3:0 conflicting-rule",
                                 "Combination.Dat:4:7 unknown-code",
                                 "Combination.Dat:4:0 duplicate-rule",
                                 "Combination.Dat:5:0 rule-matches-no-coating",
                                 "Combination.Dat:6:0 rule-matches-no-lens",
                                 "Combination.Dat:8:0 rule-matches-no-coating",
                                 "Combination.Dat:9:0 duplicate-rule",
                                 "Combination.Dat:9:0 rule-matches-no-coating",
                             }));
}

TEST(Kr6Findings, FieldsReadDifferently) {
    TKr6Files F = CleanList();
    // On a line that is skipped afterwards too.
    F.LensRange.Add(TFixedLine().At(1, "XX").At(7, "6X").At(12, "1,00A"));
    F.LensRange.Add(TFixedLine().At(1, "G1").At(7, "60 X").At(79, "J").At(104, "99999999999"));
    // Dates: blank, zeros, blanks inside the numbers and real days are fine.
    F.LensType.Add(LensTypeLine("G2").At(47, "20251399").At(55, "0000"));
    F.LensType.Add(LensTypeLine("G3").At(47, "2024 1 5").At(55, "20240229").At(72, "9"));
    F.LensType.Add(LensTypeLine("G4").At(55, "20230229").At(87, "A").At(88, "-"));
    F.LensPrice.Add(LensPriceLine("G2", "60", 0, 0, 0, {"10"}));
    F.LensPrice.Add(LensPriceLine("G3", "60", 0, 0, 0, {"10"}));
    F.LensPrice.Add(LensPriceLine("G4", "60", 0, 0, 0, {"10", "", "", "", "1.5.1"}));
    // Text beyond the full length: blanks are fine, a tab is not.
    F.Options.Add(OptionsLine("C2").At(137, "   "));
    F.Options.Add(OptionsLine("C3").At(140, "\t"));
    F.OptionsPrice.Add(OptionsPriceLine("C2", "", 0, 0, "0100", {"1"}));
    F.OptionsPrice.Add(OptionsPriceLine("C3", "", 0, 0, "0100", {"1"}));
    EXPECT_EQ(FindingsOf(F), (TFindings{
                                 "LensType.Dat:2:47 invalid-date",
                                 "LensType.Dat:3:72 unknown-code",
                                 "LensType.Dat:4:55 invalid-date",
                                 "LensType.Dat:4:87 invalid-number",
                                 "LensType.Dat:4:88 invalid-number",
                                 "LensPrice.Dat:4:47 invalid-number",
                                 "Options.Dat:3:137 long-line",
                                 "LensRange.Dat:1:7 invalid-number",
                                 "LensRange.Dat:1:12 invalid-number",
                                 "LensRange.Dat:1:0 unknown-lens",
                                 "LensRange.Dat:2:9 invalid-number",
                                 "LensRange.Dat:2:79 invalid-number",
                                 "LensRange.Dat:2:107 long-line",
                             }));
}

// Price lines written for 6.9.0 under a header of 6.8.0 are read one column off: the
// last price runs one column past the end of each line.
TEST(Kr6Findings, PriceLinesOfAnotherVersion) {
    TKr6Files F = CleanList();
    F.Head = HeadLines("version=6.8.0;pricefield-01=10");
    F.LensPrice.Clear();
    F.LensPrice.Add(LensPriceLine("G1", "60", 0, 0, 0, {"0001000", "", "", "", "0000001"}));
    EXPECT_EQ(FindingsOf(F), TFindings{"LensPrice.Dat:1:53 long-line"});
}

TEST(Kr6Findings, LensesAndCoatingsOfTheList) {
    TKr6Files F = CleanList();
    F.LensType.Add("");
    F.LensType.Add(LensTypeLine("g1"));
    F.LensType.Add(LensTypeLine("G5"));
    F.Options.Add("   ");
    F.Options.Add(OptionsLine("c1"));
    F.Options.Add(OptionsLine("Z1"));
    F.Options.Add(OptionsLine("Z1"));
    F.Options.Add(OptionsLine("C5"));
    // Every later line of a code attaches to its last lens or coating.
    F.LensPrice.Add(LensPriceLine("G1", "70", 0, 0, 0, {"1000"}));
    F.OptionsPrice.Add(OptionsPriceLine("C1", "", 1, 0, "0100", {"500"}));
    // Empty lines of other members are only that.
    F.LensPrice.Add(" ");
    F.Combination.Add("");
    EXPECT_EQ(FindingsOf(F), (TFindings{
                                 "LensType.Dat:1:0 lens-without-price",
                                 "LensType.Dat:2:0 empty-code",
                                 "LensType.Dat:3:0 duplicate-lens",
                                 "LensType.Dat:4:0 lens-without-price",
                                 "LensPrice.Dat:3:0 empty-line",
                                 "Options.Dat:1:0 coating-without-price",
                                 "Options.Dat:2:0 empty-code",
                                 "Options.Dat:3:0 duplicate-coating",
                                 "Options.Dat:6:0 coating-without-price",
                                 "Combination.Dat:1:0 empty-line",
                             }));

    F = CleanList();
    F.LensType.Clear();
    EXPECT_EQ(FindingsOf(F),
              (TFindings{"LensType.Dat:0:0 no-lenses", "LensPrice.Dat:1:0 unknown-lens"}));
}

TEST(Kr6Findings, HeaderKeysAndValues) {
    TKr6Files F = CleanList();
    F.Head.Add(HeadLine("Version", "6.9.0"));
    F.Head.Add(HeadLine("colour", "blau"));
    F.Head.Add(HeadLine("", ""));
    F.Head.Add(HeadLine("prismgroup-1", "2 5"));
    F.Head.Add(HeadLine("pricefield-02", "11"));
    F.Head.Add(HeadLine("pricefield-03", "zehn"));
    // The time after the date is no concern of the maintainer.
    F.Head.Add(HeadLine("valid-from", "20250101xx"));
    F.Head.Add(HeadLine("Valid-until", "2025-01-01"));
    F.Head.Add(HeadLine("prismgroup-2", "99999999999"));
    EXPECT_EQ(FindingsOf(F), (TFindings{
                                 "Head.dat:3:0 repeated-header-key",
                                 "Head.dat:4:0 unknown-header-key",
                                 "Head.dat:6:31 invalid-number",
                                 "Head.dat:7:31 unknown-code",
                                 "Head.dat:8:31 invalid-number",
                                 "Head.dat:10:31 invalid-date",
                                 "Head.dat:11:31 invalid-number",
                             }));
}

TEST(Kr6Findings, MembersOfTheArchive) {
    TMembers Members = MembersOf(CleanList());
    Members.emplace_back("OECODES.DAT", "");
    Members.emplace_back("Liste/", "");
    Members.emplace_back("Liste/Combination.Dat", "");
    Members.emplace_back("readme.txt", "");
    const TTempArchive Archive(Members);
    Tdex6Dataobject Root;
    TKr6Findings Findings;
    LoadKr6File(Root, Archive.Path(), {}, &Findings);
    EXPECT_EQ(Wheres(Findings), (TFindings{
                                    "LensGeo.Dat:0:0 missing-member",
                                    "OptionsColor.Dat:0:0 missing-member",
                                    "Combination.Dat:0:0 missing-member",
                                    "LensRange.Dat:0:0 missing-member",
                                    "Information.Dat:0:0 missing-member",
                                    "OrderOptions.Dat:0:0 missing-member",
                                    "Productgroup.Dat:0:0 missing-member",
                                    "CodeSubstitution.Dat:0:0 missing-member",
                                    "OeCodes.Dat:0:0 unused-member",
                                    "Liste/Combination.Dat:0:0 foreign-member",
                                    "readme.txt:0:0 foreign-member",
                                }));
    const TKr6FindingCounts& Counts = Findings.Counts();
    EXPECT_EQ(Counts.Of(TKr6Severity::Note), 11);
    EXPECT_EQ(Counts.Of(TKr6FindingCode::MissingMember), 8);
    EXPECT_EQ(CountsText(Counts), "11 notes");
}

// What a maintainer reads: the line in the form editors jump to, the message naming the
// value found, the line itself.
TEST(Kr6Findings, FindingsReadAsLines) {
    TKr6Files F = CleanList();
    F.LensPrice.Add(LensPriceLine("XX9999", "60", 0, 0, 0, {"1000"}));
    F.LensPrice.Add(LensPriceLine("G1", "6X", 0, 0, 0, {"1000"}));
    Tdex6Dataobject Root;
    TKr6Findings Findings;
    BuildKr6Model(Root, F, &Findings);
    const std::vector<TKr6Finding> Items = Findings.Items();
    ASSERT_EQ(Items.size(), 2U);
    EXPECT_EQ(FindingLine(Items[0]), "LensPrice.Dat:2: error: price line for lens 'XX9999', which "
                                     "the list does not hold: not imported [unknown-lens]");
    EXPECT_EQ(Items[0].Text, F.LensPrice[1]);
    EXPECT_EQ(FindingLine(Items[1]),
              "LensPrice.Dat:3:7: warning: '6X' is not a whole number (of at most 32 bits): "
              "read as 0 [invalid-number]");
    EXPECT_EQ(CountsText(Findings.Counts()), "1 error, 1 warning");
}

} // namespace
} // namespace kr6
