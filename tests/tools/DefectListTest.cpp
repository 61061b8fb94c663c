#include "export/DeliveryGaps.h"
#include "export/EvaluateCombinations.h"
#include "import/Kr6Findings.h"
#include "import/Kr6Import.h"
#include "model/Root.h"
#include "tools/ChangedCopy.h"
#include "tools/DefectCopy.h"
#include "tools/DemoPriceList.h"

#include "helpers/ElementTestSupport.h"
#include "helpers/Kr6Lines.h"
#include "helpers/ProgramRun.h"
#include "helpers/RandomModel.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace kr6 {
namespace {

using F = TKr6FindingCode;

// Every finding of the import and of the evaluation after it.
std::vector<TKr6Finding> FindingsOf(const std::string& Archive) {
    Tdex6Dataobject Root;
    TKr6Findings Findings;
    LoadKr6File(Root, Archive, {}, &Findings);
    const TDeliveryGaps Gaps = FindDeliveryGaps(Root);
    Findings.AddDeliveryNotes(Gaps.Lenses, Gaps.Coatings);
    return Findings.Items();
}

bool IsNote(F Code) {
    return SeverityOf(Code) == TKr6Severity::Note;
}

using TPlace = std::tuple<std::string, int, int, std::string>;

TPlace PlaceOf(const std::string& Member, int Line, int Column, F Code) {
    return {Member, Line, Column, std::string(FindingCodeName(Code))};
}

std::string Listed(const std::vector<TPlace>& Places) {
    std::string Text;
    for (const auto& [Member, Line, Column, Code] : Places)
        Text.append("  ")
            .append(Member)
            .append(":" + std::to_string(Line))
            .append(":" + std::to_string(Column))
            .append(" " + Code + "\n");
    return Text;
}

// The shapes make-demo-kr6 writes, small: every kind and material, few lenses with many
// coatings, one lens with hundreds of further coatings.
std::vector<std::pair<std::string, TDemoSize>> SmallShapes() {
    TDemoSize Standard{12, 14, 120, 60};
    TDemoSize Deep{8, 30, 600, 80};
    TDemoSize OneLens{1, 40, 120, 10};
    OneLens.Mix = TDemoMix::OneLens;
    return {{"standard", Standard}, {"deep", Deep}, {"one-lens", OneLens}};
}

// A list the generator writes is one a maintainer could publish: at most notes.
TEST(DefectList, GeneratedListsHaveNoErrorsOrWarnings) {
    std::vector<std::pair<std::string, std::string>> Archives = {{"example", test::DemoArchive}};
    std::vector<std::unique_ptr<test::TTempArchive>> Written;
    for (auto [Name, Size] : SmallShapes()) {
        for (std::uint64_t Seed : {1, 2}) {
            Size.Seed = Seed;
            const std::vector<TKr6Member> List = MakeDemoPriceList(Size);
            for (const auto& [Kind, Members] :
                 {std::pair{"", List}, std::pair{" later season", ChangedCopy(List, Seed)}}) {
                Written.push_back(std::make_unique<test::TTempArchive>(test::MembersOf(Members)));
                Archives.emplace_back(Name + " seed " + std::to_string(Seed) + Kind,
                                      Written.back()->Path());
            }
        }
    }
    for (const auto& [Name, Path] : Archives) {
        for (const TKr6Finding& Finding : FindingsOf(Path))
            EXPECT_TRUE(IsNote(Finding.Code)) << Name << ": " << FindingLine(Finding);
    }
}

// The errors and warnings are exactly those the defects make, each on its line and column
// with the line's text; the notes they make are among those reported. Every code comes up
// in every shape, bar the one of a list without lenses.
TEST(DefectList, DefectsGiveTheirFindingsAndNoOthers) {
    for (auto [Name, Size] : SmallShapes()) {
        for (std::uint64_t Seed = 1; Seed <= 4; ++Seed) {
            Size.Seed = Seed;
            const TDefectList List = DefectCopy(MakeDemoPriceList(Size), Seed);
            const test::TTempArchive Archive(test::MembersOf(List.Members));
            const std::string Context = Name + " seed " + std::to_string(Seed);
            std::vector<TPlace> Reported, ReportedNotes, Planted, PlantedNotes;
            std::set<F> Codes;
            for (const TKr6Finding& Finding : FindingsOf(Archive.Path())) {
                const auto Member =
                    std::find_if(List.Members.begin(), List.Members.end(),
                                 [&](const TKr6Member& M) { return M.Name == Finding.Member; });
                if (Finding.Line == 0)
                    EXPECT_EQ(Finding.Text, "") << Context << ": " << FindingLine(Finding);
                else if (Member == List.Members.end() ||
                         Finding.Line > static_cast<int>(Member->Lines.size()))
                    ADD_FAILURE() << Context << ", no such line: " << FindingLine(Finding);
                else
                    EXPECT_EQ(Finding.Text, Member->Lines[Finding.Line - 1])
                        << Context << ": " << FindingLine(Finding);
                (IsNote(Finding.Code) ? ReportedNotes : Reported)
                    .push_back(PlaceOf(Finding.Member, Finding.Line, Finding.Column, Finding.Code));
                Codes.insert(Finding.Code);
            }
            for (const TPlantedFinding& Finding : List.Planted)
                (IsNote(Finding.Code) ? PlantedNotes : Planted)
                    .push_back(PlaceOf(Finding.Member, Finding.Line, Finding.Column, Finding.Code));
            for (auto* Places : {&Reported, &ReportedNotes, &Planted, &PlantedNotes})
                std::sort(Places->begin(), Places->end());
            std::vector<TPlace> Missing, Unexpected, MissingNotes;
            std::set_difference(Planted.begin(), Planted.end(), Reported.begin(), Reported.end(),
                                std::back_inserter(Missing));
            std::set_difference(Reported.begin(), Reported.end(), Planted.begin(), Planted.end(),
                                std::back_inserter(Unexpected));
            std::set_difference(PlantedNotes.begin(), PlantedNotes.end(), ReportedNotes.begin(),
                                ReportedNotes.end(), std::back_inserter(MissingNotes));
            EXPECT_TRUE(Missing.empty()) << Context << ", not reported:\n" << Listed(Missing);
            EXPECT_TRUE(Unexpected.empty()) << Context << ", not made:\n" << Listed(Unexpected);
            EXPECT_TRUE(MissingNotes.empty()) << Context << ", notes not reported:\n"
                                              << Listed(MissingNotes);
            for (std::size_t C = 0; C < Kr6FindingCodeCount; ++C) {
                const auto Code = static_cast<F>(C);
                EXPECT_EQ(Codes.contains(Code), Code != F::NoLenses)
                    << Context << ": " << FindingCodeName(Code);
            }
        }
    }
}

// The model with the observer attached and without it, as the element form and the rows
// show it.
void ExpectObserverChangesNothing(const std::string& Archive, const std::string& Context) {
    Tdex6Dataobject Plain;
    Tdex6Dataobject Observed;
    LoadKr6File(Plain, Archive);
    TKr6Findings Findings;
    LoadKr6File(Observed, Archive, {}, &Findings);
    ASSERT_TRUE(test::XmlOf(Plain) == test::XmlOf(Observed)) << Context << ": element forms differ";
    TStringList PlainRows;
    TStringList ObservedRows;
    EvaluateCombinations(Plain, PlainRows);
    EvaluateCombinations(Observed, ObservedRows);
    EXPECT_TRUE(PlainRows.Text() == ObservedRows.Text()) << Context << ": rows differ";
}

TEST(DefectList, TheObserverChangesNothing) {
    ExpectObserverChangesNothing(test::DemoArchive, "example list");
    for (std::uint64_t Seed : {1, 2, 3}) {
        const test::TTempArchive Defects(
            test::MembersOf(DefectCopy(MakeDemoPriceList({}), Seed).Members));
        ExpectObserverChangesNothing(Defects.Path(), "defects seed " + std::to_string(Seed));
    }
    // The random models of the evaluation's differential tests, written out as members.
    for (std::uint32_t Seed = 1; Seed <= 40; ++Seed) {
        Tdex6Dataobject Root;
        test::BuildRandomModel(Seed, Root, {6, 12, 24});
        const test::TTempArchive Archive(test::MembersOf(test::FilesOf(Root)));
        ExpectObserverChangesNothing(Archive.Path(), "random model " + std::to_string(Seed));
    }
}

} // namespace
} // namespace kr6
