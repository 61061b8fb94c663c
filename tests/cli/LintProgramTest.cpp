#include "import/Kr6Finding.h"
#include "import/Kr6Members.h"
#include "tools/DefectCopy.h"
#include "tools/DemoPriceList.h"

#include "helpers/Kr6Lines.h"
#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace kr6 {
namespace {

using test::Kr6csv;
using test::LinesOf;
using test::TRun;

// The example list with the defects of seed 1, as the README shows it.
std::vector<TKr6Member> DefectMembers() {
    return DefectCopy(MakeDemoPriceList({}), 1).Members;
}

class LintProgramTest : public ::testing::Test {
protected:
    test::TTempArchive Defects{test::MembersOf(DefectMembers())};
};

struct TTextLine {
    std::string Member;
    int Line = 0;
    int Column = 0;
    std::string Severity, Message, Code;
};

// MEMBER:LINE[:COLUMN]: SEVERITY: MESSAGE [CODE]
bool ParseLine(const std::string& Text, TTextLine& Parsed) {
    static const std::regex Form(
        R"(^([^:]+):([0-9]+)(:([0-9]+))?: (error|warning|note): (.+) \[([a-z-]+)\]$)");
    std::smatch Match;
    if (!std::regex_match(Text, Match, Form))
        return false;
    Parsed = {Match[1],
              std::stoi(Match[2]),
              Match[4].matched ? std::stoi(Match[4]) : 0,
              Match[5],
              Match[6],
              Match[7]};
    return true;
}

// Every code but that of a list without lenses, in the form editors read, members in the
// order the import reads them and lines ascending within each; the summary counts them.
TEST_F(LintProgramTest, TextListsEveryFindingInImportOrder) {
    const TRun Run = Kr6csv("lint " + Defects.Path());
    EXPECT_EQ(Run.Status, 3) << Run.Err;
    std::set<std::string> Codes;
    std::size_t LastRank = 0;
    int LastLine = 0;
    int Counts[3] = {};
    for (const std::string& Text : LinesOf(Run.Out)) {
        TTextLine Line;
        ASSERT_TRUE(ParseLine(Text, Line)) << Text;
        Codes.insert(Line.Code);
        ++Counts[Line.Severity == "error" ? 0 : Line.Severity == "warning" ? 1 : 2];
        const std::size_t Rank = Kr6MemberRank(Line.Member);
        EXPECT_GE(Rank, LastRank) << Text;
        if (Rank < Kr6MemberNames.size()) {
            EXPECT_EQ(Line.Member, Kr6MemberNames[Rank]) << Text;
            EXPECT_TRUE(Rank > LastRank || Line.Line >= LastLine) << Text;
        } else {
            EXPECT_EQ(Line.Line, 0) << Text;
        }
        LastRank = Rank;
        LastLine = Line.Line;
    }
    for (std::size_t C = 0; C < Kr6FindingCodeCount; ++C) {
        const auto Code = static_cast<TKr6FindingCode>(C);
        EXPECT_EQ(Codes.contains(std::string(FindingCodeName(Code))),
                  Code != TKr6FindingCode::NoLenses)
            << FindingCodeName(Code);
    }
    EXPECT_EQ(Run.Err, "kr6csv: " + std::to_string(Counts[0]) + " errors, " +
                           std::to_string(Counts[1]) + " warnings, " + std::to_string(Counts[2]) +
                           " notes in '" + Defects.Path() + "'\n");
    // The same from standard input.
    const TRun Piped = Kr6csv("lint -q - <" + Defects.Path());
    EXPECT_EQ(Piped.Status, 3);
    EXPECT_EQ(Piped.Out, Run.Out);
    EXPECT_EQ(Piped.Err, "");
}

// A list without lenses has nothing to evaluate: the one code the defects cannot give
// beside the others.
TEST_F(LintProgramTest, AListWithoutLensesSaysSo) {
    test::TMembers Members = test::MembersOf(DefectMembers());
    std::erase_if(Members, [](const auto& Member) { return Member.first == "LensType.Dat"; });
    const test::TTempArchive Archive(Members);
    const TRun Run = Kr6csv("lint " + Archive.Path());
    EXPECT_EQ(Run.Status, 3);
    const std::vector<std::string> Text = LinesOf(Run.Out);
    EXPECT_NE(std::find(Text.begin(), Text.end(),
                        "LensType.Dat:0: note: the archive holds no LensType.Dat: read as an "
                        "empty file [missing-member]"),
              Text.end());
    EXPECT_NE(std::find(Text.begin(), Text.end(),
                        "LensType.Dat:0: warning: the list holds no lens: there is nothing to "
                        "evaluate [no-lenses]"),
              Text.end());
}

// One JSON object per finding, saying what the text line says, with the line itself.
TEST_F(LintProgramTest, JsonAgreesWithTheText) {
    const TRun Text = Kr6csv("lint -q " + Defects.Path());
    const TRun Json = Kr6csv("lint -q --json " + Defects.Path());
    EXPECT_EQ(Json.Status, 3);
    EXPECT_EQ(Json.Err, "");
    const std::vector<std::string> TextLines = LinesOf(Text.Out);
    const std::vector<std::string> JsonLines = LinesOf(Json.Out);
    ASSERT_EQ(JsonLines.size(), TextLines.size());
    const std::vector<TKr6Member> Members = DefectMembers();
    for (std::size_t I = 0; I < JsonLines.size(); ++I) {
        const nlohmann::json Object = nlohmann::json::parse(JsonLines[I]);
        const std::vector<std::string> Keys = {"member", "line",    "column", "severity",
                                               "code",   "message", "text"};
        ASSERT_EQ(Object.size(), Keys.size()) << JsonLines[I];
        for (const std::string& Key : Keys)
            ASSERT_TRUE(Object.contains(Key)) << Key << ": " << JsonLines[I];
        const nlohmann::json& Column = Object["column"];
        ASSERT_TRUE(Column.is_null() || (Column.is_number_integer() && Column.get<int>() > 0))
            << JsonLines[I];
        const std::string Member = Object["member"];
        const int Line = Object["line"];
        std::string Again = Member + ":" + std::to_string(Line);
        if (!Column.is_null())
            Again += ":" + std::to_string(Column.get<int>());
        Again += ": " + Object["severity"].get<std::string>() + ": " +
                 Object["message"].get<std::string>() + " [" + Object["code"].get<std::string>() +
                 "]";
        EXPECT_EQ(Again, TextLines[I]);
        // The generated lines are ASCII but for the names, which no finding quotes.
        const auto Source = std::find_if(Members.begin(), Members.end(),
                                         [&](const TKr6Member& M) { return M.Name == Member; });
        const std::string Expected =
            Line == 0 || Source == Members.end() ? "" : Source->Lines.at(Line - 1);
        if (std::all_of(Expected.begin(), Expected.end(),
                        [](char C) { return static_cast<unsigned char>(C) < 0x80; }))
            EXPECT_EQ(Object["text"], Expected) << JsonLines[I];
        else
            EXPECT_FALSE(Object["text"].get<std::string>().empty()) << JsonLines[I];
    }
}

// 0 for a clean list or notes only, 3 for errors or warnings even when the reader stops
// early, 1 when the archive cannot be read, 2 for a usage error.
TEST_F(LintProgramTest, ExitStatuses) {
    const TRun Clean = Kr6csv("lint " + test::DemoArchive);
    EXPECT_EQ(Clean.Status, 0) << Clean.Err;
    EXPECT_EQ(Clean.Out, "");
    EXPECT_EQ(Clean.Err, "kr6csv: no findings in '" + test::DemoArchive + "'\n");

    test::TMembers Members = test::MembersOf(MakeDemoPriceList({}));
    Members.emplace_back("OeCodes.Dat", "BSP\r\n");
    const test::TTempArchive NotesOnly(Members);
    const TRun Notes = Kr6csv("lint " + NotesOnly.Path());
    EXPECT_EQ(Notes.Status, 0) << Notes.Err;
    EXPECT_EQ(Notes.Out, "OeCodes.Dat:0: note: read, but nothing in it is used [unused-member]\n");
    EXPECT_EQ(Notes.Err, "kr6csv: 1 note in '" + NotesOnly.Path() + "'\n");

    const test::TTempFile NotZip("no archive\n", ".zip");
    const TRun Unreadable = Kr6csv("lint " + NotZip.Path());
    EXPECT_EQ(Unreadable.Status, 1);
    EXPECT_EQ(Unreadable.Out, "");
    EXPECT_NE(Unreadable.Err.find(NotZip.Path()), std::string::npos) << Unreadable.Err;

    for (const std::string& Args : {std::string("lint"), "lint --bogus " + Defects.Path(),
                                    "lint " + Defects.Path() + " " + Defects.Path()})
        EXPECT_EQ(Kr6csv(Args).Status, 2) << Args;

    for (const char* Reader : {"head -1 >/dev/null", "head -c 1 >/dev/null", "true"}) {
        const std::string Pipe = "bash -c 'set -o pipefail; " + std::string(KR6CSV_BINARY) +
                                 " lint -q " + Defects.Path() + " | " + Reader + "'";
        const int Raw = std::system(Pipe.c_str());
        EXPECT_TRUE(WIFEXITED(Raw) && WEXITSTATUS(Raw) == 3) << Reader;
    }
}

} // namespace
} // namespace kr6
