#include "helpers/Kr6Lines.h"
#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <tuple>

namespace kr6 {
namespace {

// Keys in the order the program writes them.
using json = nlohmann::ordered_json;
using test::Kr6csv;
using test::TRun;

// Two plastic lenses; an anti-reflection coating, a tint, two hard coats (one with a
// Windows-1252 letter) and a glass-only coating. GL1 is not deliverable with AR1 and TI1
// together, GL2 only with AR1.
class CheckProgramTest : public ::testing::Test {
protected:
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
    json Json(const std::string& Args, int Status) {
        const TRun Run = Kr6csv("check --json " + Archive.Path() + " " + Args);
        EXPECT_EQ(Run.Status, Status) << Args << ": " << Run.Err;
        EXPECT_EQ(Run.Out.find('\n'), Run.Out.size() - 1) << "one object on one line";
        return json::parse(Run.Out);
    }

    test::TTempArchive Archive{Members()};
};

// The verdict comes first, the exit status says it; codes the price list does not know are
// part of the answer, not errors. Text is UTF-8.
TEST_F(CheckProgramTest, TextAnswers) {
    const std::tuple<std::string, int, std::string> Cases[] = {
        {"GL1 TI1 AR1", 3,
         "not deliverable\n"
         "Lens         GL1 (Kunststoff)\n"
         "Row          GL1 | AR1 | TI1 | - | -\n"
         "Coatings     AR1  anti-reflection, for Kunststoff\n"
         "               allowed\n"
         "             TI1  tint, for Kunststoff\n"
         "               allowed\n"
         "Rules        GL1 nicht lieferbar [AR1] [TI1] [******]\n"
         "               matches: problem AR1, problem TI1, forbids AR1 + TI1\n"
         "Forbidden    AR1 + TI1: forbidden together, and no rule lifts it\n"
         "Problems     AR1, TI1, AR1, TI1\n"
         "Required     none\n"
         "Result       4\n"},
        {"NOPE QQ", 3,
         "not deliverable: no lens has the code NOPE\n"
         "Lens         NOPE: not in the price list\n"
         "Row          none: no lens has the code NOPE\n"
         "Coatings     QQ  not in the price list\n"
         "Problems     none\n"
         "Required     none\n"
         "Result       0\n"},
        // The rules allow the set, but no row holds a coating the list does not have; a
        // mistyped code is answered with the nearest ones.
        {"GL1 QQ", 3,
         "not deliverable: QQ is not in the price list; the rules alone would allow this set\n"
         "Lens         GL1 (Kunststoff)\n"
         "Row          none: QQ is not in the price list\n"
         "Coatings     QQ  not in the price list\n"
         "Problems     none\n"
         "Required     none\n"
         "Result       0\n"},
        {"gl3", 3,
         "Lens         gl3: not in the price list; did you mean GL1 or GL2?\n"
         "Alone        not deliverable\n"
         "Allowed      anti-reflection: none\n"
         "             tint: none\n"
         "             further: none\n"
         "Rules        none\n"
         "Rows         none: no lens has the code gl3; did you mean GL1 or GL2?\n"},
        {"GL1 hc2", 3,
         "not deliverable: hc2 is not in the price list; the rules alone would allow this set\n"
         "Lens         GL1 (Kunststoff)\n"
         "Row          none: hc2 is not in the price list; did you mean HC1?\n"
         "Coatings     hc2  not in the price list; did you mean HC1?\n"
         "Problems     none\n"
         "Required     none\n"
         "Result       0\n"},
        // The rules have nothing against a glass-only coating, but no row holds it.
        {"GL1 SIL", 3,
         "not deliverable\n"
         "Lens         GL1 (Kunststoff)\n"
         "Row          none: SIL is not among the coatings combined with this lens\n"
         "Coatings     SIL  further, for Silikat\n"
         "               not made for Kunststoff\n"
         "Problems     SIL\n"
         "Required     none\n"
         "Result       1\n"},
        {"GL2", 0,
         "Lens         GL2 (Kunststoff)\n"
         "Alone        not deliverable, only with one of: AR1\n"
         "Allowed      anti-reflection: AR1\n"
         "             tint: TI1\n"
         "             further: HC1, ÄX\n"
         "Material     1 coatings not made for Kunststoff\n"
         "Rules        GL2 nur lieferbar [AR1] [******] [******]\n"
         "Rows         6 of 16 combinations deliverable\n"}};
    for (const auto& [Args, Status, Text] : Cases) {
        const TRun Run = Kr6csv("check " + Archive.Path() + " " + Args);
        EXPECT_TRUE(Run.Status == Status && Run.Err.empty()) << Args << ": " << Run.Err;
        EXPECT_EQ(Run.Out, Text) << Args;
    }
}

TEST_F(CheckProgramTest, JsonInUtf8) {
    EXPECT_EQ(Json("GL1 AR1 TI1", 3), json::parse(R"({"lens":"GL1","coatings":["AR1","TI1"],
        "typed":{"lens":"GL1","coatings":["AR1","TI1"]},"deliverable":false,"result":4,"problems":["AR1","TI1","AR1","TI1"],"required":[],
        "rules":[{"lens":"GL1","slots":["AR1","TI1","******"],"delivery":"nicht lieferbar",
          "effects":[{"action":"problem_added","code":"AR1"},{"action":"problem_added",
          "code":"TI1"},{"action":"set_forbidden","coatings":["AR1","TI1"]}]}],
        "unmatched_rules":[],"row":"GL1\tAR1\tTI1\t\t","no_row_because":[],
        "lens_found":{"code":"GL1","material":"Kunststoff"},
        "coating_findings":[{"code":"AR1","found":true,"kinds":["antireflection"],
          "materials":["Kunststoff"],"verdict":"allowed"},{"code":"TI1","found":true,
          "kinds":["tint"],"materials":["Kunststoff"],"verdict":"allowed"}],
        "forbidden_sets":[["AR1","TI1"]],"shared_features":[],"requirement_unmet":false,
        "suggestions":{}})"));
    EXPECT_EQ(Json("gl2", 0), json::parse(R"({"lens":"GL2","typed":{"lens":"gl2"},
        "lens_found":{"code":"GL2",
        "material":"Kunststoff"},"evaluated":true,"allowed":{"antireflection":["AR1"],
        "tint":["TI1"],"further":["HC1","ÄX"]},"disallowed":[],"wrong_material":["SIL"],
        "rules":[{"lens":"GL2","slots":["AR1","******","******"],"delivery":"nur lieferbar"}],
        "keys":16,"deliverable_keys":6,"alone":{"deliverable":false,"result":1,"problems":[],
        "required":["AR1"]},"suggestions":{}})"));
    EXPECT_EQ(Json("GL1 hc2", 3)["suggestions"], json::parse(R"({"hc2":["HC1"]})"));

    // A typed lower-case a umlaut; the price list writes the code upper case, and the
    // answer gives the codes as the list spells them.
    const json Typed = Json("gl1 hc1 'äx'", 3);
    EXPECT_EQ(Typed["lens"], "GL1");
    EXPECT_EQ(Typed["coatings"], json({"HC1", "ÄX"}));
    EXPECT_EQ(Typed["typed"], json::parse(R"({"lens":"gl1","coatings":["hc1","äx"]})"));
    EXPECT_EQ(Typed["problems"], json({"HC1", "ÄX"}));
    EXPECT_EQ(Typed["row"], "GL1\t\t\tHC1\tÄX");
    EXPECT_EQ(Typed["shared_features"],
              json::parse(R"([{"coatings":["HC1","ÄX"],"features":["HA"]}])"));
}

} // namespace
} // namespace kr6
