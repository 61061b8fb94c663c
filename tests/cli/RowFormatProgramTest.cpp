#include "helpers/FixedLine.h"
#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kr6 {
namespace {

using test::Kr6csv;
using test::TRun;

using test::LineOf;

// Codes and names with commas, double quotes and Windows-1252 letters: a lens, an
// anti-reflection coating, a tint and, in the older list, a further coating.
class RowFormatProgram : public ::testing::Test {
protected:
    static test::TTempArchive OddCodes(bool WithClean) {
        return test::TTempArchive(
            {{"LensType.Dat",
              LineOf({{1, "G,\"\xC4X"}, {7, "Gl\xE4s \"Komfort\", rund"}, {63, "0"}, {72, "2"}})},
             {"Options.Dat",
              LineOf({{1, "A,R1"}, {7, "Entspiegelung, super"}, {64, "0100"}, {68, "2"}}) +
                  LineOf({{1, "T\"I1"}, {7, "T\xF6nung \"grau\""}, {64, "0100"}, {69, "2"}}) +
                  (WithClean ? LineOf({{1, "\xC9\"C,"}, {7, "Clean"}, {64, "0100"}}) : "")}});
    }
    std::string Run(const std::string& Options, int Status = 0) {
        const TRun Result = Kr6csv(Options + " " + Old.Path() +
                                   (Options.starts_with("diff") ? " " + New.Path() : ""));
        EXPECT_EQ(Result.Status, Status) << Options << ": " << Result.Err;
        return Result.Out;
    }
    test::TTempArchive Old = OddCodes(true);
    test::TTempArchive New = OddCodes(false);
};

TEST_F(RowFormatProgram, OddCodesSurviveEveryFormat) {
    EXPECT_EQ(Run("evaluate -q --format csv --header"),
              "lens,antireflection,tint,further1,further2\r\n"
              "\"G,\"\"\xC4X\",,,,\r\n"
              "\"G,\"\"\xC4X\",,,\"\xC9\"\"C,\",\r\n"
              "\"G,\"\"\xC4X\",,\"T\"\"I1\",,\r\n"
              "\"G,\"\"\xC4X\",,\"T\"\"I1\",\"\xC9\"\"C,\",\r\n"
              "\"G,\"\"\xC4X\",\"A,R1\",,,\r\n"
              "\"G,\"\"\xC4X\",\"A,R1\",,\"\xC9\"\"C,\",\r\n"
              "\"G,\"\"\xC4X\",\"A,R1\",\"T\"\"I1\",,\r\n"
              "\"G,\"\"\xC4X\",\"A,R1\",\"T\"\"I1\",\"\xC9\"\"C,\",\r\n");

    // UTF-8 and names: each code followed by its name.
    const std::string Named = Run("evaluate -q --format csv --names --utf8");
    EXPECT_TRUE(Named.starts_with("\"G,\"\"ÄX\",\"Gläs \"\"Komfort\"\", rund\",,,,,,,,\r\n"
                                  "\"G,\"\"ÄX\",\"Gläs \"\"Komfort\"\", rund\",,,,,\"É\"\"C,\","
                                  "Clean,,\r\n"))
        << Named;
    EXPECT_TRUE(Named.ends_with("\"A,R1\",\"Entspiegelung, super\",\"T\"\"I1\",\"Tönung "
                                "\"\"grau\"\"\",\"É\"\"C,\",Clean,,\r\n"))
        << Named;
    EXPECT_TRUE(Run("evaluate -q --names --header --lf")
                    .starts_with("lens\tlens_name\tantireflection\tantireflection_name\ttint\t"
                                 "tint_name\tfurther1\tfurther1_name\tfurther2\tfurther2_name\n"
                                 "G,\"\xC4X\tGl\xE4s \"Komfort\", rund\t\t\t\t\t\t\t\t\n"));

    // JSON is UTF-8 whatever --utf8 says, one object per line, no header.
    const std::string Jsonl = Run("evaluate -q --format jsonl --names");
    EXPECT_EQ(Run("evaluate -q --format jsonl --names --utf8 --header"), Jsonl);
    EXPECT_EQ(std::count(Jsonl.begin(), Jsonl.end(), '\n'), 8);
    EXPECT_TRUE(Jsonl.ends_with(
        R"({"lens":"G,\"ÄX","lens_name":"Gläs \"Komfort\", rund","antireflection":"A,R1",)"
        R"("antireflection_name":"Entspiegelung, super","tint":"T\"I1","tint_name":)"
        R"("Tönung \"grau\"","further1":"É\"C,","further1_name":"Clean","further2":"",)"
        R"("further2_name":""})"
        "\n"))
        << Jsonl;
}

TEST_F(RowFormatProgram, DiffRowsInEveryFormat) {
    const std::string Tsv = Run("diff -q --rows-only", 3);
    EXPECT_TRUE(Tsv.starts_with("-\tG,\"\xC4X\t\t\t\xC9\"C,\t\r\n")) << Tsv;
    EXPECT_EQ(std::count(Tsv.begin(), Tsv.end(), '\n'), 4);
    EXPECT_EQ(Run("diff -q --rows-only --format csv --header", 3),
              "change,lens,antireflection,tint,further1,further2\r\n"
              "-,\"G,\"\"\xC4X\",,,\"\xC9\"\"C,\",\r\n"
              "-,\"G,\"\"\xC4X\",,\"T\"\"I1\",\"\xC9\"\"C,\",\r\n"
              "-,\"G,\"\"\xC4X\",\"A,R1\",,\"\xC9\"\"C,\",\r\n"
              "-,\"G,\"\"\xC4X\",\"A,R1\",\"T\"\"I1\",\"\xC9\"\"C,\",\r\n");

    // The summary is the first object; names come from the list that has the row.
    const std::string Jsonl = Run("diff -q --format jsonl --names", 3);
    EXPECT_EQ(std::count(Jsonl.begin(), Jsonl.end(), '\n'), 5);
    EXPECT_TRUE(Jsonl.starts_with(
        R"({"summary":{"lenses_added":[],"lenses_removed":[],"coatings_added":[],)"
        R"("coatings_removed":[{"code":"É\"C,","name":"Clean"}],"rules_added":[],)"
        R"("rules_removed":[],"rules_changed":[],"deliverable_counts_changed":[{"lens":)"
        R"("G,\"ÄX","old":8,"new":4}],"glass_prices":{"changed":0,"added":0,"removed":0},)"
        R"("coating_prices":{"changed":0,"added":0,"removed":0}}})"
        "\n"
        R"({"change":"-","lens":"G,\"ÄX","lens_name":"Gläs \"Komfort\", rund",)"
        R"("antireflection":"","antireflection_name":"","tint":"","tint_name":"",)"
        R"("further1":"É\"C,","further1_name":"Clean","further2":"","further2_name":""})"
        "\n"))
        << Jsonl;
}

// A code may hold a tab inside: every format but plain tsv keeps it within its field,
// in the rows of an evaluation and of a comparison.
TEST(RowFormatTabs, CodesHoldingATabKeepTheirFields) {
    const auto List = [](bool WithCoating) {
        return test::TTempArchive(
            {{"LensType.Dat", LineOf({{1, "G\tH"}, {7, "Tabbed"}, {63, "0"}, {72, "2"}})},
             {"Options.Dat",
              LineOf({{1, "T1"}, {7, "Tint"}, {64, "0100"}, {69, "2"}}) +
                  (WithCoating ? LineOf({{1, "A\tR"}, {7, "Anti"}, {64, "0100"}, {68, "2"}})
                               : "")}});
    };
    const test::TTempArchive Old = List(true);
    const test::TTempArchive New = List(false);

    const TRun Jsonl = Kr6csv("evaluate -q --format jsonl " + Old.Path());
    ASSERT_EQ(Jsonl.Status, 0) << Jsonl.Err;
    ASSERT_FALSE(Jsonl.Out.empty());
    bool SawCoating = false;
    for (const std::string& Line : test::LinesOf(Jsonl.Out)) {
        EXPECT_TRUE(Line.starts_with(R"({"lens":"G\tH","antireflection":")")) << Line;
        SawCoating = SawCoating || Line.find(R"("antireflection":"A\tR")") != std::string::npos;
    }
    EXPECT_TRUE(SawCoating) << Jsonl.Out;

    const TRun Csv = Kr6csv("evaluate -q --format csv --lf " + Old.Path());
    for (const std::string& Line : test::LinesOf(Csv.Out)) {
        EXPECT_TRUE(Line.starts_with("G\tH,")) << Line;
        EXPECT_EQ(std::count(Line.begin(), Line.end(), ','), 4) << Line;
    }
    const TRun Named = Kr6csv("evaluate -q --names --lf " + Old.Path());
    EXPECT_TRUE(Named.Out.starts_with("G\tH\tTabbed\t")) << Named.Out;

    const TRun Diff = Kr6csv("diff -q --rows-only --format jsonl " + Old.Path() + " " + New.Path());
    EXPECT_EQ(Diff.Status, 3) << Diff.Err;
    ASSERT_FALSE(Diff.Out.empty());
    for (const std::string& Line : test::LinesOf(Diff.Out))
        EXPECT_TRUE(Line.starts_with(R"({"change":"-","lens":"G\tH","antireflection":"A\tR")"))
            << Line;
}

} // namespace
} // namespace kr6
