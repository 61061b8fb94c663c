#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"
#include "tools/ChangedCopy.h"
#include "tools/DemoPriceList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <sys/wait.h>

namespace kr6 {
namespace {

using test::Kr6csv;
using test::TRun;

test::TTempArchive ArchiveOf(const std::vector<TKr6Member>& Members) {
    test::TMembers Files;
    for (const TKr6Member& Member : Members) {
        std::string Bytes;
        for (const std::string& Line : Member.Lines)
            Bytes += Line + "\r\n";
        Files.emplace_back(Member.Name, Bytes);
    }
    return test::TTempArchive(Files);
}

std::vector<std::string> Lines(const std::string& Text, std::string_view End = "\r\n") {
    std::vector<std::string> Result;
    std::size_t Start = 0;
    while (Start < Text.size()) {
        const std::size_t Stop = Text.find(End, Start);
        EXPECT_NE(Stop, std::string::npos) << "last line without its end";
        if (Stop == std::string::npos)
            break;
        Result.push_back(Text.substr(Start, Stop - Start));
        Start = Stop + End.size();
    }
    return Result;
}

std::string LensOf(const std::string& Row) {
    return Row.substr(0, Row.find('\t'));
}

// The items listed under "Title: N" in a summary.
std::vector<std::string> Section(const std::vector<std::string>& Summary, std::string_view Title) {
    std::vector<std::string> Items;
    const auto Head = std::find_if(Summary.begin(), Summary.end(), [&](const std::string& Line) {
        return Line.starts_with(std::string(Title) + ": ");
    });
    EXPECT_NE(Head, Summary.end()) << Title;
    if (Head == Summary.end())
        return Items;
    for (auto It = Head + 1; It != Summary.end() && It->starts_with("  "); ++It)
        Items.push_back(It->substr(2));
    EXPECT_EQ(*Head, std::string(Title) + ": " + std::to_string(Items.size()));
    return Items;
}

std::set<std::string> CodesOf(const std::vector<TKr6Member>& Members, std::string_view Name) {
    std::set<std::string> Codes;
    for (const TKr6Member& Member : Members)
        if (Member.Name == Name)
            for (const std::string& Line : Member.Lines) {
                std::string Code = Line.substr(0, 6);
                Code.erase(Code.find_last_not_of(' ') + 1);
                Codes.insert(Code);
            }
    return Codes;
}

std::vector<std::string> Minus(const std::set<std::string>& A, const std::set<std::string>& B) {
    std::vector<std::string> Result;
    std::set_difference(A.begin(), A.end(), B.begin(), B.end(), std::back_inserter(Result));
    return Result;
}

std::map<std::string, int> RowsPerLens(const std::set<std::string>& Rows) {
    std::map<std::string, int> Counts;
    for (const std::string& Row : Rows)
        ++Counts[LensOf(Row)];
    return Counts;
}

TEST(DiffProgram, ListAgainstItselfHasNoRowsAndExitsWithZero) {
    const test::TTempArchive Archive = ArchiveOf(MakeDemoPriceList({}));
    const TRun Run = Kr6csv("diff -q " + Archive.Path() + " " + Archive.Path());
    EXPECT_EQ(Run.Status, 0) << Run.Err;
    EXPECT_EQ(Run.Err, "");
    const std::vector<std::string> Summary = Lines(Run.Out);
    ASSERT_FALSE(Summary.empty());
    EXPECT_EQ(Summary.back(), "");
    for (const char* Title :
         {"Lenses added", "Lenses removed", "Coatings added", "Coatings removed", "Rules added",
          "Rules removed", "Rules changed", "Lenses with other deliverable counts"})
        EXPECT_TRUE(Section(Summary, Title).empty()) << Title;
    EXPECT_NE(
        std::find(Summary.begin(), Summary.end(), "Glass prices: 0 changed, 0 added, 0 removed"),
        Summary.end());

    const TRun Rows = Kr6csv("diff -q --rows-only " + Archive.Path() + " " + Archive.Path());
    EXPECT_EQ(Rows.Status, 0);
    EXPECT_EQ(Rows.Out, "");
}

// A generated list and a later season of it: the diff rows are exactly the rows only one
// evaluation gives, in lens, then row order, and the summary names the lenses and
// coatings that came and went and the lenses whose counts changed.
TEST(DiffProgram, RowsAreTheSetDifferencesOfBothEvaluations) {
    for (std::uint64_t Seed = 1; Seed <= 4; ++Seed) {
        SCOPED_TRACE("seed " + std::to_string(Seed));
        TDemoSize Size;
        Size.Lenses = 12 + 9 * static_cast<int>(Seed);
        Size.Coatings = 8 + 3 * static_cast<int>(Seed);
        Size.Rules = 200 + 60 * static_cast<int>(Seed);
        Size.PriceLines = 400;
        Size.Seed = Seed;
        const std::vector<TKr6Member> OldMembers = MakeDemoPriceList(Size);
        const std::vector<TKr6Member> NewMembers = ChangedCopy(OldMembers, Seed);
        const test::TTempArchive Old = ArchiveOf(OldMembers);
        const test::TTempArchive New = ArchiveOf(NewMembers);

        const std::vector<std::string> OldList = Lines(Kr6csv("evaluate -q " + Old.Path()).Out);
        const std::vector<std::string> NewList = Lines(Kr6csv("evaluate -q " + New.Path()).Out);
        const std::set<std::string> OldRows(OldList.begin(), OldList.end());
        const std::set<std::string> NewRows(NewList.begin(), NewList.end());
        std::vector<std::pair<std::string, std::string>> Expected;
        for (const std::string& Row : Minus(NewRows, OldRows))
            Expected.emplace_back(Row, "+\t" + Row);
        for (const std::string& Row : Minus(OldRows, NewRows))
            Expected.emplace_back(Row, "-\t" + Row);
        std::sort(Expected.begin(), Expected.end(), [](const auto& A, const auto& B) {
            return std::pair(LensOf(A.first), A.first) < std::pair(LensOf(B.first), B.first);
        });
        std::vector<std::string> ExpectedLines;
        ExpectedLines.reserve(Expected.size());
        for (const auto& [Row, Line] : Expected)
            ExpectedLines.push_back(Line);
        ASSERT_FALSE(ExpectedLines.empty());

        const TRun Rows =
            Kr6csv("diff -q --rows-only --threads 3 " + Old.Path() + " " + New.Path());
        EXPECT_EQ(Rows.Status, 3) << Rows.Err;
        EXPECT_EQ(Lines(Rows.Out), ExpectedLines);

        const TRun Summary = Kr6csv("diff -q --summary " + Old.Path() + " " + New.Path());
        EXPECT_EQ(Summary.Status, 3) << Summary.Err;
        const std::vector<std::string> Text = Lines(Summary.Out);
        const std::set<std::string> OldLenses = CodesOf(OldMembers, "LensType.Dat");
        const std::set<std::string> NewLenses = CodesOf(NewMembers, "LensType.Dat");
        const std::set<std::string> OldCoatings = CodesOf(OldMembers, "Options.Dat");
        const std::set<std::string> NewCoatings = CodesOf(NewMembers, "Options.Dat");
        EXPECT_EQ(Section(Text, "Lenses added"), Minus(NewLenses, OldLenses));
        EXPECT_EQ(Section(Text, "Lenses removed"), Minus(OldLenses, NewLenses));
        EXPECT_EQ(Section(Text, "Coatings added"), Minus(NewCoatings, OldCoatings));
        EXPECT_EQ(Section(Text, "Coatings removed"), Minus(OldCoatings, NewCoatings));
        EXPECT_FALSE(Section(Text, "Rules added").empty());
        EXPECT_FALSE(Section(Text, "Rules removed").empty());
        EXPECT_FALSE(Section(Text, "Rules changed").empty());

        std::vector<std::string> Counts;
        const std::map<std::string, int> OldCounts = RowsPerLens(OldRows);
        const std::map<std::string, int> NewCounts = RowsPerLens(NewRows);
        for (const std::string& Lens : OldLenses) {
            const auto Count = [&Lens](const std::map<std::string, int>& Map) {
                const auto Found = Map.find(Lens);
                return Found == Map.end() ? 0 : Found->second;
            };
            if (NewLenses.contains(Lens) && Count(OldCounts) != Count(NewCounts))
                Counts.push_back(Lens + "  " + std::to_string(Count(OldCounts)) + " -> " +
                                 std::to_string(Count(NewCounts)));
        }
        EXPECT_EQ(Section(Text, "Lenses with other deliverable counts"), Counts);
        EXPECT_EQ(std::count_if(Text.begin(), Text.end(),
                                [](const std::string& Line) {
                                    return Line.starts_with("Glass prices: ") &&
                                           !Line.starts_with("Glass prices: 0 changed");
                                }),
                  1);
    }
}

} // namespace
} // namespace kr6
