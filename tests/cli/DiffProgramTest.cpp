#include "helpers/Kr6Lines.h"
#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"
#include "tools/ChangedCopy.h"
#include "tools/DemoPriceList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace kr6 {
namespace {

using test::Kr6csv;
using test::TRun;

test::TTempArchive ArchiveOf(const std::vector<TKr6Member>& Members) {
    return test::TTempArchive(test::MembersOf(Members));
}

std::vector<std::string> Lines(const std::string& Text) {
    EXPECT_TRUE(Text.empty() || Text.ends_with("\r\n")) << "last line without its end";
    std::vector<std::string> Result;
    for (std::size_t Start = 0, Stop; (Stop = Text.find("\r\n", Start)) != std::string::npos;
         Start = Stop + 2)
        Result.push_back(Text.substr(Start, Stop - Start));
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
    if (Head == Summary.end()) {
        ADD_FAILURE() << Title;
        return Items;
    }
    for (auto It = Head + 1; It != Summary.end() && It->starts_with("  "); ++It)
        Items.push_back(It->substr(2));
    EXPECT_EQ(*Head, std::string(Title) + ": " + std::to_string(Items.size()));
    return Items;
}

std::set<std::string> CodesOf(const std::vector<TKr6Member>& Members, std::string_view Name) {
    std::set<std::string> Codes;
    for (const TKr6Member& Member : Members) {
        for (const std::string& Line : Member.Lines) {
            if (Member.Name == Name)
                Codes.insert(Line.substr(0, Line.find_last_not_of(' ', 5) + 1));
        }
    }
    return Codes;
}

template <typename T> std::vector<T> Minus(const std::set<T>& A, const std::set<T>& B) {
    std::vector<T> Result;
    std::set_difference(A.begin(), A.end(), B.begin(), B.end(), std::back_inserter(Result));
    return Result;
}

TEST(DiffProgram, ListAgainstItselfHasNoRowsAndExitsWithZero) {
    const std::string& Demo = test::DemoArchive;
    const TRun Run = Kr6csv("diff -q " + Demo + " " + Demo);
    EXPECT_TRUE(Run.Status == 0 && Run.Err.empty()) << Run.Err;
    EXPECT_EQ(Run.Out, "Lenses added: 0\r\nLenses removed: 0\r\nCoatings added: 0\r\n"
                       "Coatings removed: 0\r\nRules added: 0\r\nRules removed: 0\r\n"
                       "Rules changed: 0\r\nLenses with other deliverable counts: 0\r\n"
                       "Glass prices: 0 changed, 0 added, 0 removed\r\n"
                       "Coating prices: 0 changed, 0 added, 0 removed\r\n\r\n");
}

// A generated list and a later season of it: the diff rows are exactly the rows only one
// evaluation gives, in lens, then row order, and the summary names the lenses and
// coatings that came and went and the lenses whose counts changed.
TEST(DiffProgram, RowsAreTheSetDifferencesOfBothEvaluations) {
    for (std::uint64_t Seed = 1; Seed <= 4; ++Seed) {
        SCOPED_TRACE("seed " + std::to_string(Seed));
        const int N = static_cast<int>(Seed);
        const std::vector<TKr6Member> OldMembers =
            MakeDemoPriceList({12 + 9 * N, 8 + 3 * N, 200 + 60 * N, 400, Seed});
        const std::vector<TKr6Member> NewMembers = ChangedCopy(OldMembers, Seed);
        const test::TTempArchive Old = ArchiveOf(OldMembers);
        const test::TTempArchive New = ArchiveOf(NewMembers);
        std::set<std::string> OldRows;
        std::set<std::string> NewRows;
        std::map<std::string, std::pair<int, int>> Counts;
        for (const std::string& Row : Lines(Kr6csv("evaluate -q " + Old.Path()).Out)) {
            OldRows.insert(Row);
            ++Counts[LensOf(Row)].first;
        }
        for (const std::string& Row : Lines(Kr6csv("evaluate -q " + New.Path()).Out)) {
            NewRows.insert(Row);
            ++Counts[LensOf(Row)].second;
        }
        std::map<std::pair<std::string, std::string>, std::string> Expected;
        for (const std::string& Row : Minus(NewRows, OldRows))
            Expected[{LensOf(Row), Row}] = "+\t" + Row;
        for (const std::string& Row : Minus(OldRows, NewRows))
            Expected[{LensOf(Row), Row}] = "-\t" + Row;
        std::vector<std::string> ExpectedLines;
        for (const auto& [Key, Line] : Expected)
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
        for (const char* Title : {"Rules added", "Rules removed", "Rules changed"})
            EXPECT_FALSE(Section(Text, Title).empty()) << Title;
        std::vector<std::string> Changed;
        for (const auto& [Lens, Count] : Counts) {
            if (OldLenses.contains(Lens) && NewLenses.contains(Lens) && Count.first != Count.second)
                Changed.push_back(Lens + "  " + std::to_string(Count.first) + " -> " +
                                  std::to_string(Count.second));
        }
        EXPECT_EQ(Section(Text, "Lenses with other deliverable counts"), Changed);
        const auto Glass = std::find_if(Text.begin(), Text.end(), [](const std::string& Line) {
            return Line.starts_with("Glass prices: ");
        });
        EXPECT_TRUE(Glass != Text.end() && !Glass->starts_with("Glass prices: 0 changed"));
    }
}

// A lens whose material becomes 0 ("egal") is no longer evaluated: all its rows go, and the
// summary counts it like any lens whose rows changed; back again it counts too.
TEST(DiffProgram, LensThatOnlyOneListEvaluatesCountsAmongTheChangedCounts) {
    const std::vector<TKr6Member> Members = MakeDemoPriceList({6, 8, 60, 50, 3});
    std::vector<TKr6Member> Egal = Members;
    std::string Lens;
    for (TKr6Member& Member : Egal) {
        if (Member.Name == "LensType.Dat") {
            Lens = Member.Lines[0].substr(0, Member.Lines[0].find_last_not_of(' ', 5) + 1);
            Member.Lines[0][71] = '0'; // the material
        }
    }
    const test::TTempArchive Evaluated = ArchiveOf(Members);
    const test::TTempArchive NotEvaluated = ArchiveOf(Egal);
    const std::vector<std::string> Rows = Lines(Kr6csv("evaluate -q " + Evaluated.Path()).Out);
    const auto Count = std::count_if(Rows.begin(), Rows.end(),
                                     [&](const std::string& Row) { return LensOf(Row) == Lens; });
    ASSERT_GT(Count, 0);
    const std::string Before = std::to_string(Count);

    const TRun Away = Kr6csv("diff -q --summary " + Evaluated.Path() + " " + NotEvaluated.Path());
    EXPECT_EQ(Away.Status, 3) << Away.Err;
    EXPECT_EQ(Section(Lines(Away.Out), "Lenses with other deliverable counts"),
              std::vector<std::string>{Lens + "  " + Before + " -> 0"});
    const TRun Back = Kr6csv("diff -q --summary " + NotEvaluated.Path() + " " + Evaluated.Path());
    EXPECT_EQ(Section(Lines(Back.Out), "Lenses with other deliverable counts"),
              std::vector<std::string>{Lens + "  0 -> " + Before});
}

TEST(DiffProgram, BothListsFromStandardInputIsAUsageError) {
    const TRun Run = Kr6csv("diff - - <" + test::DemoArchive);
    EXPECT_EQ(Run.Status, 2);
    EXPECT_EQ(Run.Err, "kr6csv: only one of the two lists can come from standard input\n"
                       "Try 'kr6csv diff --help'\n");
}

} // namespace
} // namespace kr6
