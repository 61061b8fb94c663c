#include "helpers/Kr6Lines.h"
#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <string>

namespace kr6 {
namespace {

using nlohmann::json;
using test::Kr6csv;
using test::TRun;

// Two plastic lenses; an anti-reflection coating, a tint, two hard coats (one with a
// Windows-1252 letter) and a glass-only coating. GL1 is not deliverable with AR1 and TI1
// together, GL2 only with AR1.
class CheckProgramTest : public ::testing::Test {
protected:
    CheckProgramTest() : Archive(Members()) {}

    static test::TMembers Members() {
        TKr6Files Files;
        Files.LensType.Add(test::LensTypeLine("GL1").Text());
        Files.LensType.Add(test::LensTypeLine("GL2").Text());
        Files.Options.Add(test::OptionsLine("AR1").At(68, "2").Text());
        Files.Options.Add(test::OptionsLine("TI1").At(69, "2").Text());
        Files.Options.Add(test::OptionsLine("HC1").At(71, "1").Text());
        Files.Options.Add(test::OptionsLine("\xC4X").At(71, "1").Text());
        Files.Options.Add(test::OptionsLine("SIL", {}, "1000").Text());
        Files.Combination.Add(test::CombinationLine("GL1", 0, "AR1", "TI1", "******"));
        Files.Combination.Add(test::CombinationLine("GL2", 2, "AR1", "******", "******"));
        return test::MembersOf(Files);
    }

    TRun Check(const std::string& Args) { return Kr6csv("check " + Args); }

    test::TTempArchive Archive;
};

TEST_F(CheckProgramTest, VerdictFirstAndTheExitStatusSaysIt) {
    const TRun Deliverable = Check(Archive.Path() + " gl1 ar1");
    EXPECT_EQ(Deliverable.Status, 0) << Deliverable.Err;
    EXPECT_TRUE(Deliverable.Out.starts_with("deliverable\n")) << Deliverable.Out;
    EXPECT_NE(Deliverable.Out.find("GL1 | AR1 | - | - | -"), std::string::npos) << Deliverable.Out;

    const TRun Forbidden = Check(Archive.Path() + " GL1 TI1 AR1");
    EXPECT_EQ(Forbidden.Status, 3);
    EXPECT_EQ(Forbidden.Err, "");
    EXPECT_TRUE(Forbidden.Out.starts_with("not deliverable\n")) << Forbidden.Out;
    EXPECT_NE(Forbidden.Out.find("GL1 nicht lieferbar [AR1] [TI1] [******]"), std::string::npos)
        << Forbidden.Out;
    EXPECT_NE(Forbidden.Out.find("AR1 + TI1: forbidden together"), std::string::npos)
        << Forbidden.Out;

    // Codes the price list does not know are part of the answer, not errors.
    const TRun Unknown = Check(Archive.Path() + " NOPE QQ");
    EXPECT_EQ(Unknown.Status, 3);
    EXPECT_NE(Unknown.Out.find("NOPE: not in the price list"), std::string::npos) << Unknown.Out;
    EXPECT_NE(Unknown.Out.find("QQ  not in the price list"), std::string::npos) << Unknown.Out;

    // A glass-only coating: the rules have nothing against it, but no row holds it.
    const TRun Glass = Check(Archive.Path() + " GL1 SIL");
    EXPECT_EQ(Glass.Status, 3);
    EXPECT_NE(Glass.Out.find("SIL is not among the coatings combined with this lens"),
              std::string::npos)
        << Glass.Out;
}

TEST_F(CheckProgramTest, JsonInUtf8WithTheCheckResult) {
    // "\xC3\xA4" is a typed lower-case a umlaut; the price list writes the code upper case.
    const TRun Run = Check("--json " + Archive.Path() + " GL1 hc1 '\xC3\xA4x'");
    EXPECT_EQ(Run.Status, 3) << Run.Err;
    const json Answer = json::parse(Run.Out);
    EXPECT_EQ(Answer["lens"], "GL1");
    EXPECT_EQ(Answer["coatings"], json({"hc1", "\xC3\xA4x"}));
    EXPECT_EQ(Answer["deliverable"], false);
    EXPECT_EQ(Answer["result"], 2);
    EXPECT_EQ(Answer["problems"], json({"HC1", "\xC3\x84X"}));
    EXPECT_EQ(Answer["required"], json::array());
    EXPECT_EQ(Answer["rules"], json::array());
    EXPECT_EQ(Answer["row"], "GL1\t\t\tHC1\t\xC3\x84X");
    EXPECT_EQ(Answer["shared_features"][0]["features"], json({"HA"}));

    const json Forbidden = json::parse(Check("--json " + Archive.Path() + " GL1 AR1 TI1").Out);
    ASSERT_EQ(Forbidden["rules"].size(), 1U);
    EXPECT_EQ(Forbidden["rules"][0]["slots"], json({"AR1", "TI1", "******"}));
    EXPECT_EQ(Forbidden["rules"][0]["delivery"], "nicht lieferbar");
    EXPECT_EQ(Forbidden["forbidden_sets"], json::array({json({"AR1", "TI1"})}));

    // The text answer is UTF-8 as well.
    const TRun Text = Check(Archive.Path() + " GL1 '\xC3\xA4x'");
    EXPECT_NE(Text.Out.find("\xC3\x84X  further, for Kunststoff"), std::string::npos) << Text.Out;
}

TEST_F(CheckProgramTest, OverviewCountsWhatTheEvaluationWrites) {
    const TRun Rows = Kr6csv("evaluate -q --lf " + Archive.Path());
    ASSERT_EQ(Rows.Status, 0);
    std::size_t Gl2Rows = 0;
    for (std::size_t At = 0; (At = Rows.Out.find("GL2\t", At)) != std::string::npos; ++At)
        ++Gl2Rows;

    const TRun Run = Check("--json " + Archive.Path() + " gl2");
    EXPECT_EQ(Run.Status, 0) << Run.Err;
    const json Overview = json::parse(Run.Out);
    EXPECT_EQ(Overview["keys"], 2 * 2 * 4);
    EXPECT_EQ(Overview["deliverable_keys"], Gl2Rows);
    EXPECT_EQ(Overview["allowed"]["further"], json({"HC1", "\xC3\x84X"}));
    EXPECT_EQ(Overview["alone"]["deliverable"], false);
    EXPECT_EQ(Overview["alone"]["required"], json({"AR1"}));

    const TRun Text = Check(Archive.Path() + " GL2");
    EXPECT_EQ(Text.Status, 0);
    EXPECT_NE(Text.Out.find(std::to_string(Gl2Rows) + " of 16 combinations deliverable"),
              std::string::npos)
        << Text.Out;
}

} // namespace
} // namespace kr6
