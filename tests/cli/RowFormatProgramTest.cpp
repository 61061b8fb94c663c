#include "helpers/FixedLine.h"
#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"
#include "support/Cp1252.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace kr6 {
namespace {

using test::Kr6csv;
using test::TRun;
using TRecords = std::vector<std::vector<std::string>>;

std::string Line(std::initializer_list<std::pair<int, std::string_view>> Fields) {
    test::TFixedLine Fixed;
    for (const auto& [Pos, Text] : Fields)
        Fixed.At(Pos, Text);
    return Fixed.Text() + "\r\n";
}

// Codes and names with a comma, a double quote and Windows-1252 letters.
const std::string Lens = "G,\"\xC4"
                         "1";
const std::string LensName = "Gl\xE4s \"Komfort\", rund";
const std::string AntiReflection = "A,R1";
const std::string Tint = "T\"I1";
const std::string Hard = "H\xE4"
                         "1";
const std::string Clean = "\xC9\"C,";

test::TTempArchive OddCodes(bool WithClean) {
    std::string Coatings =
        Line({{1, AntiReflection}, {7, "Entspiegelung, super"}, {64, "0100"}, {68, "2"}}) +
        Line({{1, Tint}, {7, "T\xF6nung \"grau\""}, {64, "0100"}, {69, "2"}}) +
        Line({{1, Hard}, {7, "H\xE4rtung"}, {64, "0100"}});
    if (WithClean)
        Coatings += Line({{1, Clean}, {7, "Clean"}, {64, "0100"}});
    return test::TTempArchive(
        {{"LensType.Dat", Line({{1, Lens}, {7, LensName}, {63, "0"}, {72, "2"}})},
         {"Options.Dat", Coatings}});
}

std::vector<std::string> Split(const std::string& Text, std::string_view Separator) {
    std::vector<std::string> Parts;
    std::size_t Start = 0;
    while (true) {
        const std::size_t Stop = Text.find(Separator, Start);
        Parts.push_back(Text.substr(Start, Stop - Start));
        if (Stop == std::string::npos)
            return Parts;
        Start = Stop + Separator.size();
    }
}

// The rows of evaluate's default output, each split into its fields.
TRecords TsvRecords(const std::string& Text) {
    TRecords Records;
    std::vector<std::string> Rows = Split(Text, "\r\n");
    EXPECT_EQ(Rows.back(), "");
    Rows.pop_back();
    for (const std::string& Row : Rows)
        Records.push_back(Split(Row, "\t"));
    return Records;
}

// RFC 4180: records end with CR LF, fields in double quotes may hold anything, a doubled
// double quote standing for one.
TRecords ParseCsv(const std::string& Text) {
    TRecords Records;
    std::vector<std::string> Record;
    std::string Field;
    std::size_t I = 0;
    while (I < Text.size()) {
        if (Text[I] == '"') {
            for (++I; I < Text.size(); ++I) {
                if (Text[I] == '"' && I + 1 < Text.size() && Text[I + 1] == '"')
                    Field += Text[++I];
                else if (Text[I] == '"')
                    break;
                else
                    Field += Text[I];
            }
            ++I;
        }
        if (I < Text.size() && Text[I] == ',') {
            Record.push_back(std::move(Field));
            Field.clear();
            ++I;
        } else if (Text.compare(I, 2, "\r\n") == 0) {
            Record.push_back(std::move(Field));
            Field.clear();
            Records.push_back(std::move(Record));
            Record.clear();
            I += 2;
        } else if (I < Text.size()) {
            EXPECT_NE(Text[I], '"') << "quote inside an unquoted field at " << I;
            Field += Text[I++];
        }
    }
    EXPECT_TRUE(Record.empty() && Field.empty()) << "last record without CR LF";
    return Records;
}

const std::vector<std::string> Columns = {"lens", "antireflection", "tint", "further1", "further2"};

std::string NameOf(const std::string& Code) {
    if (Code == Lens)
        return LensName;
    if (Code == AntiReflection)
        return "Entspiegelung, super";
    if (Code == Tint)
        return "T\xF6nung \"grau\"";
    if (Code == Hard)
        return "H\xE4rtung";
    if (Code == Clean)
        return "Clean";
    return "";
}

TEST(RowFormatProgram, OddCodesSurviveEveryFormat) {
    const test::TTempArchive Archive = OddCodes(true);
    const TRun Tsv = Kr6csv("evaluate -q " + Archive.Path());
    ASSERT_EQ(Tsv.Status, 0) << Tsv.Err;
    const TRecords Rows = TsvRecords(Tsv.Out);
    ASSERT_EQ(Rows.size(), 16U);
    ASSERT_EQ(Rows[0].size(), 5U);
    EXPECT_EQ(Rows[0][0], Lens);

    const TRun Csv = Kr6csv("evaluate -q --format csv --header " + Archive.Path());
    ASSERT_EQ(Csv.Status, 0) << Csv.Err;
    TRecords Expected = Rows;
    Expected.insert(Expected.begin(), Columns);
    EXPECT_EQ(ParseCsv(Csv.Out), Expected);

    // UTF-8 and names: each code followed by its name.
    const TRun Named = Kr6csv("evaluate -q --format csv --names --utf8 " + Archive.Path());
    ASSERT_EQ(Named.Status, 0) << Named.Err;
    TRecords ExpectedNamed;
    for (const auto& Row : Rows) {
        ExpectedNamed.emplace_back();
        for (const std::string& Code : Row) {
            ExpectedNamed.back().push_back(Cp1252ToUtf8(Code));
            ExpectedNamed.back().push_back(Cp1252ToUtf8(NameOf(Code)));
        }
    }
    EXPECT_EQ(ParseCsv(Named.Out), ExpectedNamed);

    const TRun TsvNamed = Kr6csv("evaluate -q --names --header --lf " + Archive.Path());
    const std::vector<std::string> TsvLines = Split(TsvNamed.Out, "\n");
    ASSERT_EQ(TsvLines.size(), Rows.size() + 2);
    EXPECT_EQ(TsvLines[0], "lens\tlens_name\tantireflection\tantireflection_name\ttint\t"
                           "tint_name\tfurther1\tfurther1_name\tfurther2\tfurther2_name");
    EXPECT_EQ(TsvLines[1], Lens + "\t" + LensName + "\t\t\t\t\t\t\t\t");

    // JSON is UTF-8 whatever --utf8 says, one object per line, no header.
    for (const char* Options : {"", "--utf8 --header "}) {
        const TRun Jsonl =
            Kr6csv(std::string("evaluate -q --format jsonl --names ") + Options + Archive.Path());
        ASSERT_EQ(Jsonl.Status, 0) << Jsonl.Err;
        std::vector<std::string> Objects = Split(Jsonl.Out, "\n");
        EXPECT_EQ(Objects.back(), "");
        Objects.pop_back();
        ASSERT_EQ(Objects.size(), Rows.size());
        for (std::size_t R = 0; R < Rows.size(); ++R) {
            const nlohmann::json Object = nlohmann::json::parse(Objects[R]);
            ASSERT_EQ(Object.size(), 10U);
            for (std::size_t F = 0; F < Columns.size(); ++F) {
                EXPECT_EQ(Object.at(Columns[F]), Cp1252ToUtf8(Rows[R][F]));
                EXPECT_EQ(Object.at(Columns[F] + "_name"), Cp1252ToUtf8(NameOf(Rows[R][F])));
            }
        }
    }
}

TEST(RowFormatProgram, DiffRowsInEveryFormat) {
    const test::TTempArchive Old = OddCodes(true);
    const test::TTempArchive New = OddCodes(false);
    const TRun Tsv = Kr6csv("diff -q --rows-only " + Old.Path() + " " + New.Path());
    EXPECT_EQ(Tsv.Status, 3) << Tsv.Err;
    const TRecords Rows = TsvRecords(Tsv.Out);
    ASSERT_EQ(Rows.size(), 8U); // every key holding the removed coating
    for (const auto& Row : Rows) {
        ASSERT_EQ(Row.size(), 6U);
        EXPECT_EQ(Row[0], "-");
        EXPECT_TRUE(Row[4] == Clean || Row[5] == Clean);
    }

    const TRun Csv =
        Kr6csv("diff -q --rows-only --format csv --header " + Old.Path() + " " + New.Path());
    EXPECT_EQ(Csv.Status, 3);
    TRecords Expected = Rows;
    std::vector<std::string> Header = Columns;
    Header.insert(Header.begin(), "change");
    Expected.insert(Expected.begin(), Header);
    EXPECT_EQ(ParseCsv(Csv.Out), Expected);

    // The summary is the first object; names come from the list that has the row.
    const TRun Jsonl = Kr6csv("diff -q --format jsonl --names " + Old.Path() + " " + New.Path());
    EXPECT_EQ(Jsonl.Status, 3);
    std::vector<std::string> Objects = Split(Jsonl.Out, "\n");
    ASSERT_EQ(Objects.size(), Rows.size() + 2);
    const nlohmann::json Summary = nlohmann::json::parse(Objects[0]).at("summary");
    EXPECT_EQ(Summary.at("coatings_removed"),
              nlohmann::json::parse(R"([{"code": ")" + Cp1252ToUtf8("\xC9\\\"C,") +
                                    R"(", "name": "Clean"}])"));
    EXPECT_EQ(Summary.at("deliverable_counts_changed"),
              nlohmann::json::parse(R"([{"lens": ")" +
                                    Cp1252ToUtf8("G,\\\"\xC4"
                                                 "1") +
                                    R"(", "old": 16, "new": 8}])"));
    for (std::size_t R = 0; R < Rows.size(); ++R) {
        const nlohmann::json Row = nlohmann::json::parse(Objects[R + 1]);
        EXPECT_EQ(Row.at("change"), "-");
        EXPECT_EQ(Row.at("lens_name"), Cp1252ToUtf8(LensName));
        EXPECT_EQ(Row.at("further2"), Cp1252ToUtf8(Rows[R][5]));
    }
}

TEST(RowFormatProgram, InfoAsJsonHoldsTheCountsOfTheText) {
    const std::string Example = std::string(KR6_SOURCE_DIR) + "/examples/demo-kr6.zip";
    const TRun Json = Kr6csv("info --json " + Example);
    ASSERT_EQ(Json.Status, 0) << Json.Err;
    EXPECT_TRUE(Json.Out.ends_with("}\n"));
    const nlohmann::json Object = nlohmann::json::parse(Json.Out);
    EXPECT_EQ(Object.at("maker"), nlohmann::json::parse(R"({"name": "Beispielhersteller",
                                                            "code": "BSP"})"));
    EXPECT_EQ(Object.at("valid_until"), "2025-12-31");
    EXPECT_EQ(Object.at("kr6_version"), "6.9.0");
    EXPECT_EQ(Object.at("price_descriptions").at(1), nlohmann::json::parse(R"({"id": 2,
                                                            "name": "empf. VK"})"));
    const std::pair<const char*, const char*> Counts[] = {{"Lenses:", "lenses"},
                                                          {"Coatings:", "coatings"},
                                                          {"Rules:", "rules"},
                                                          {"Colours:", "colours"},
                                                          {"Glass prices:", "glass_prices"},
                                                          {"Coating prices:", "coating_prices"},
                                                          {"Product groups:", "product_groups"}};
    const std::string Text = Kr6csv("info " + Example).Out;
    for (const auto& [Label, Member] : Counts) {
        const std::size_t At = Text.find(Label);
        ASSERT_NE(At, std::string::npos) << Label;
        EXPECT_EQ(Object.at(Member), std::stoll(Text.substr(At + 20))) << Member;
    }
}

} // namespace
} // namespace kr6
