#include "export/EvaluateCombinations.h"
#include "import/Kr6Import.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/Conversions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace kr6 {
namespace {

const std::string DemoArchive = std::string(KR6_SOURCE_DIR) + "/examples/demo-kr6.zip";

TEST(DemoArchive, ImportsAndEvaluatesConsistently) {
    if (!std::filesystem::exists(DemoArchive))
        GTEST_SKIP() << DemoArchive << " is missing";
    Tdex6Dataobject Root;
    ASSERT_TRUE(LoadKr6File(Root, DemoArchive));
    EXPECT_GT(Root.Glasliste()->Count(), 0);
    EXPECT_GT(Root.Beschichtungsliste()->Count(), 9); // more than the surcharge groups
    EXPECT_GT(Root.KombinationsListe()->Count(), 0);

    TStringList LensCodes(true);
    for (const auto& Glass : *Root.Glasliste())
        LensCodes.Add(Glass->EDV());

    TStringList Rows;
    EvaluateCombinations(Root, Rows);
    EXPECT_GT(Rows.Count(), 0);
    for (const auto& Row : Rows) {
        EXPECT_EQ(std::count(Row.Text.begin(), Row.Text.end(), '\t'), 4) << Row.Text;
        EXPECT_TRUE(LensCodes.Contains(GetField(Row.Text, "\t", 1))) << Row.Text;
    }

    TStringList Again;
    EvaluateCombinations(Root, Again);
    EXPECT_EQ(Again.Text(), Rows.Text());
}

} // namespace
} // namespace kr6
