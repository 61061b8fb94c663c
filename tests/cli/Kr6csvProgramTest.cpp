#include "helpers/FixedLine.h"
#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace kr6 {
namespace {

using test::Kr6csv;
using test::TRun;

const std::string DemoArchive = KR6_SOURCE_DIR "/examples/demo-kr6.zip";

std::string Line(std::initializer_list<std::pair<int, std::string_view>> Fields) {
    test::TFixedLine Fixed;
    for (const auto& [Pos, Text] : Fields)
        Fixed.At(Pos, Text);
    return Fixed.Text() + "\r\n";
}

// One plastic lens and four coatings of its material: anti-reflection, tint, two others.
test::TTempArchive SmallPriceList() {
    return test::TTempArchive(
        {{"LensType.Dat", Line({{1, "GL1"}, {63, "0"}, {72, "2"}})},
         {"Options.Dat", Line({{1, "AR1"}, {64, "0100"}, {68, "2"}}) +
                             Line({{1, "TI1"}, {64, "0100"}, {69, "2"}}) +
                             Line({{1, "HC1"}, {64, "0100"}}) + Line({{1, "HC2"}, {64, "0100"}})}});
}

bool IsOneErrorLine(const std::string& Text) {
    return Text.starts_with("kr6csv: ") && Text.find('\n') == Text.size() - 1;
}

// Every command fails with status 1 and one line naming the file it could not use.
TEST(Kr6csvProgram, UnusableFilesEndWithOneLine) {
    const test::TTempArchive Archive = SmallPriceList();
    const test::TTempFile Text("just some text\n", ".zip");
    const std::string Directory = std::filesystem::temp_directory_path().string();
    const std::string Missing = "/nonexistent/x.zip";
    const std::pair<std::string, std::string> Cases[] = {
        {"evaluate " + Missing, Missing},
        {"info " + Missing, Missing},
        {"xml " + Missing, Missing},
        {"check " + Missing + " GL1 AR1", Missing},
        {"diff " + Missing + " " + Archive.Path(), Missing},
        {"diff " + Archive.Path() + " " + Missing, Missing},
        {"evaluate " + Directory, Directory},
        {"evaluate " + Text.Path(), Text.Path()},
        {"evaluate - </dev/null", "standard input"},
        {"evaluate " + Archive.Path() + " -o /nonexistent/out.csv",
         "cannot create '/nonexistent/out.csv': No such file or directory"},
        {"evaluate " + Archive.Path() + " -o /dev/full",
         "cannot write to '/dev/full': No space left on device"}};
    for (const auto& [Args, Named] : Cases) {
        const TRun Run = Kr6csv(Args);
        EXPECT_EQ(Run.Status, 1) << Args;
        EXPECT_TRUE(IsOneErrorLine(Run.Err)) << Run.Err;
        EXPECT_NE(Run.Err.find(Named), std::string::npos) << Run.Err;
        EXPECT_EQ(Run.Out, "") << Args;
    }

    const test::TTempArchive Foreign({{"readme.txt", "nothing here"}, {"kr6/Head.dat", ""}});
    for (const char* Command : {"evaluate", "info", "xml"}) {
        const TRun Run = Kr6csv(std::string(Command) + " " + Foreign.Path());
        EXPECT_EQ(Run.Status, 1) << Command;
        EXPECT_TRUE(
            IsOneErrorLine(Run.Err) &&
            Run.Err.starts_with("kr6csv: '" + Foreign.Path() + "' holds no KR6 price list") &&
            Run.Err.ends_with("; found 'kr6/Head.dat' inside a folder\n"))
            << Run.Err;
    }
    // One KR6 member at the top level is a price list, if an empty one.
    const test::TTempArchive HeadOnly({{"Head.dat", ""}});
    const TRun Empty = Kr6csv("evaluate " + HeadOnly.Path());
    EXPECT_EQ(Empty.Status, 0) << Empty.Err;
    EXPECT_EQ(Empty.Out, "");
    EXPECT_TRUE(Empty.Err.starts_with("kr6csv: 0 of 0 combinations deliverable, 0 lenses; import "))
        << Empty.Err;
    EXPECT_EQ(Kr6csv("evaluate --quiet " + HeadOnly.Path()).Err, "");
}

TEST(Kr6csvProgram, UsageErrorsAreOneLineAndWhereToLook) {
    const std::pair<std::string, std::string> Cases[] = {
        {"", ""},
        {"--bogus", ""},
        {"frobnicate x.zip", ""},
        {"evaluate", "evaluate "},
        {"evaluate --bogus x.zip", "evaluate "},
        {"evaluate a.zip b.zip", "evaluate "},
        {"evaluate -o", "evaluate "},
        {"evaluate --threads 0 x.zip", "evaluate "},
        {"xml --threads 2 x.zip", "xml "},
        {"info", "info "},
        {"check x.zip", "check "},
        {"check --bogus x.zip GL1", "check "},
        {"diff x.zip", "diff "},
        {"diff --rows-only --summary x.zip y.zip", "diff "},
        {"diff --format xml x.zip y.zip", "diff "}};
    for (const auto& [Args, Command] : Cases) {
        const TRun Run = Kr6csv(Args);
        EXPECT_EQ(Run.Status, 2) << Args;
        EXPECT_EQ(Run.Out, "") << Args;
        const std::size_t FirstLine = Run.Err.find('\n');
        EXPECT_TRUE(Run.Err.starts_with("kr6csv: ")) << Run.Err;
        EXPECT_EQ(Run.Err.substr(FirstLine + 1), "Try 'kr6csv " + Command + "--help'\n") << Args;
    }

    EXPECT_EQ(Kr6csv("evalute x.zip").Err,
              "kr6csv: unknown command 'evalute'; did you mean 'evaluate'?\nTry 'kr6csv --help'\n");
    EXPECT_EQ(Kr6csv("help inf").Err,
              "kr6csv: unknown command 'inf'; did you mean 'info'?\nTry 'kr6csv --help'\n");
    EXPECT_EQ(Kr6csv("frobnicate").Err,
              "kr6csv: unknown command 'frobnicate'\nTry 'kr6csv --help'\n");
    EXPECT_TRUE(Kr6csv("evaluate --engine quick x.zip")
                    .Err.starts_with("kr6csv: --engine: quick not in {fast,literal}\n"));
    EXPECT_TRUE(Kr6csv("diff --format xml x.zip y.zip")
                    .Err.starts_with("kr6csv: --format: xml not in {tsv,csv,jsonl}\n"));
}

TEST(Kr6csvProgram, VersionAndHelp) {
    const TRun Version = Kr6csv("--version");
    EXPECT_EQ(Version.Status, 0);
    EXPECT_EQ(Version.Out, "kr6csv " KR6CSV_VERSION "\n");

    const TRun Help = Kr6csv("--help");
    EXPECT_EQ(Help.Status, 0);
    for (const char* Command : {"evaluate", "info", "xml", "diff", "check", "help", "Exit status"})
        EXPECT_NE(Help.Out.find(Command), std::string::npos) << Command;
    EXPECT_EQ(Kr6csv("help").Out, Help.Out);

    const TRun EvaluateHelp = Kr6csv("evaluate --help");
    EXPECT_EQ(EvaluateHelp.Status, 0);
    EXPECT_NE(EvaluateHelp.Out.find("Usage: kr6csv evaluate"), std::string::npos);
    EXPECT_NE(EvaluateHelp.Out.find("--utf8"), std::string::npos);
    const TRun HelpEvaluate = Kr6csv("help evaluate");
    EXPECT_EQ(HelpEvaluate.Status, 0);
    EXPECT_EQ(HelpEvaluate.Out, EvaluateHelp.Out);
}

TEST(Kr6csvProgram, EvaluateToAFileWithLineFeeds) {
    const test::TTempArchive Archive = SmallPriceList();
    const TRun Rows = Kr6csv("evaluate -q " + Archive.Path());
    EXPECT_EQ(Rows.Status, 0) << Rows.Err;
    EXPECT_TRUE(Rows.Out.starts_with("GL1\t\t\t\t\r\n")) << Rows.Out;
    EXPECT_NE(Rows.Out.find("GL1\tAR1\tTI1\tHC1\tHC2\r\n"), std::string::npos) << Rows.Out;

    const test::TTempFile Output("", ".csv");
    const TRun ToFile = Kr6csv("evaluate --lf -o " + Output.Path() + " " + Archive.Path());
    EXPECT_EQ(ToFile.Status, 0) << ToFile.Err;
    EXPECT_EQ(ToFile.Out, "");
    std::string Lf = Rows.Out;
    std::erase(Lf, '\r');
    EXPECT_EQ(Output.Read(), Lf);
}

TEST(Kr6csvProgram, InfoAsTextAndAsJson) {
    const TRun Text = Kr6csv("info " + DemoArchive);
    EXPECT_EQ(Text.Status, 0) << Text.Err;
    EXPECT_EQ(Text.Out, "Maker:              Beispielhersteller (BSP)\n"
                        "Valid:              2025-01-01 to 2025-12-31\n"
                        "KR6 version:        6.9.0\n"
                        "Price descriptions:\n"
                        "  1  Listen EK\n"
                        "  2  empf. VK\n"
                        "  3  empf. VK inkl. Vers\n"
                        "  4  Bonus EK\n"
                        "  5  Randbearbeitung\n"
                        "Lenses:             36\n"
                        "Coatings:           23\n"
                        "Rules:              380\n"
                        "Colours:            9\n"
                        "Glass prices:       1500\n"
                        "Coating prices:     525\n"
                        "Product groups:     7\n");
    EXPECT_EQ(Kr6csv("info --json " + DemoArchive).Out,
              R"({"maker":{"name":"Beispielhersteller","code":"BSP"},"valid_from":"2025-01-01",)"
              R"("valid_until":"2025-12-31","kr6_version":"6.9.0","price_descriptions":[)"
              R"({"id":1,"name":"Listen EK"},{"id":2,"name":"empf. VK"},)"
              R"({"id":3,"name":"empf. VK inkl. Vers"},{"id":4,"name":"Bonus EK"},)"
              R"({"id":5,"name":"Randbearbeitung"}],"lenses":36,"coatings":23,"rules":380,)"
              R"("colours":9,"glass_prices":1500,"coating_prices":525,"product_groups":7})"
              "\n");

    const auto Key = [](std::string_view Name, std::string_view Value) {
        return Line({{1, Name}, {31, Value}});
    };
    const test::TTempArchive Archive(
        {{"Head.dat",
          Key("manufacturer-code", "ABC") + Key("manufacturer-name", "Optik M\xFCller")}});
    EXPECT_TRUE(Kr6csv("info " + Archive.Path())
                    .Out.starts_with("Maker:              Optik M\xFCller (ABC)\n"));
    EXPECT_TRUE(Kr6csv("info --utf8 " + Archive.Path())
                    .Out.starts_with("Maker:              Optik M\xC3\xBCller (ABC)\n"));
    EXPECT_NE(Kr6csv("info --json " + Archive.Path()).Out.find("\"name\":\"Optik M\xC3\xBCller\""),
              std::string::npos);
}

// pipefail: the status of the pipe is that of kr6csv unless it is 0; a reader that stops
// early is no error.
TEST(Kr6csvProgram, ClosedPipeKeepsTheStatus) {
    const test::TTempArchive Archive = SmallPriceList();
    const test::TTempFile Err("", ".err");
    const std::pair<std::string, int> Cases[] = {
        {"evaluate -q " + Archive.Path(), 0},
        {"diff -q " + Archive.Path() + " " + Archive.Path(), 0},
        {"diff -q " + Archive.Path() + " " + DemoArchive, 3}};
    for (const char* Reader : {"head -c 1 >/dev/null", "true"}) {
        for (const auto& [Args, Status] : Cases) {
            const std::string Pipe = "bash -c 'set -o pipefail; " + std::string(KR6CSV_BINARY) +
                                     " " + Args + " 2>" + Err.Path() + " | " + Reader + "'";
            const int Raw = std::system(Pipe.c_str());
            EXPECT_TRUE(WIFEXITED(Raw) && WEXITSTATUS(Raw) == Status) << Reader << ": " << Args;
            EXPECT_EQ(Err.Read(), "") << Reader << ": " << Args;
        }
    }
}

} // namespace
} // namespace kr6
