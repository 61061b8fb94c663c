#include "helpers/FixedLine.h"
#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace kr6 {
namespace {

using test::Kr6csv;
using test::TRun;

std::string Line(std::initializer_list<std::pair<int, std::string_view>> Fields) {
    test::TFixedLine Fixed;
    for (const auto& [Pos, Text] : Fields)
        Fixed.At(Pos, Text);
    return Fixed.Text();
}

// One plastic lens and four coatings of its material: anti-reflection, tint, two others.
test::TTempArchive SmallPriceList() {
    const std::string Coatings = Line({{1, "AR1"}, {64, "0100"}, {68, "2"}}) + "\r\n" +
                                 Line({{1, "TI1"}, {64, "0100"}, {69, "2"}}) + "\r\n" +
                                 Line({{1, "HC1"}, {64, "0100"}}) + "\r\n" +
                                 Line({{1, "HC2"}, {64, "0100"}}) + "\r\n";
    return test::TTempArchive(
        {{"LensType.Dat", Line({{1, "GL1"}, {63, "0"}, {72, "2"}})}, {"Options.Dat", Coatings}});
}

bool IsOneErrorLine(const std::string& Text) {
    return Text.starts_with("kr6csv: ") && Text.ends_with("\n") &&
           Text.find('\n') == Text.size() - 1;
}

TEST(Kr6csvProgram, FailsWithOneLineForUnreadableArchives) {
    const test::TTempFile Text("just some text\n", ".zip");
    const std::string Directory = std::filesystem::temp_directory_path().string();
    const std::pair<std::string, std::string> Cases[] = {{"evaluate", "/nonexistent/x.zip"},
                                                         {"info", "/nonexistent/x.zip"},
                                                         {"xml", "/nonexistent/x.zip"},
                                                         {"evaluate", Directory},
                                                         {"evaluate", Text.Path()}};
    for (const auto& [Command, Archive] : Cases) {
        const TRun Run = Kr6csv(Command + " " + Archive);
        EXPECT_EQ(Run.Status, 1) << Command << " " << Archive;
        EXPECT_TRUE(IsOneErrorLine(Run.Err)) << Run.Err;
        EXPECT_NE(Run.Err.find(Archive), std::string::npos) << Run.Err;
        EXPECT_EQ(Run.Out, "");
    }
}

TEST(Kr6csvProgram, ArchiveWithoutKr6MembersIsAnError) {
    const test::TTempArchive Foreign({{"readme.txt", "nothing here"}, {"kr6/Head.dat", ""}});
    for (const char* Command : {"evaluate", "info", "xml"}) {
        const TRun Run = Kr6csv(std::string(Command) + " " + Foreign.Path());
        EXPECT_EQ(Run.Status, 1) << Command;
        EXPECT_EQ(Run.Out, "") << Command;
        EXPECT_TRUE(IsOneErrorLine(Run.Err)) << Run.Err;
        EXPECT_TRUE(Run.Err.starts_with("kr6csv: '" + Foreign.Path() + "' holds no KR6 price list"))
            << Run.Err;
        EXPECT_TRUE(Run.Err.ends_with("; found 'kr6/Head.dat' inside a folder\n")) << Run.Err;
    }

    // One KR6 member at the top level is a price list, if an empty one.
    const test::TTempArchive HeadOnly({{"Head.dat", ""}});
    const TRun Run = Kr6csv("evaluate " + HeadOnly.Path());
    EXPECT_EQ(Run.Status, 0) << Run.Err;
    EXPECT_EQ(Run.Out, "");
    EXPECT_TRUE(Run.Err.starts_with("kr6csv: 0 of 0 combinations deliverable, 0 lenses; import "))
        << Run.Err;
    EXPECT_EQ(Kr6csv("evaluate --quiet " + HeadOnly.Path()).Err, "");
}

TEST(Kr6csvProgram, UsageErrorsAreOneLineAndWhereToLook) {
    const std::pair<std::string, std::string> Cases[] = {
        {"", "kr6csv --help"},
        {"--bogus", "kr6csv --help"},
        {"evaluate", "kr6csv evaluate --help"},
        {"evaluate --bogus x.zip", "kr6csv evaluate --help"},
        {"evaluate a.zip b.zip", "kr6csv evaluate --help"},
        {"evaluate -o", "kr6csv evaluate --help"},
        {"xml --threads 2 x.zip", "kr6csv xml --help"},
        {"frobnicate x.zip", "kr6csv --help"}};
    for (const auto& [Args, Help] : Cases) {
        const TRun Run = Kr6csv(Args);
        EXPECT_EQ(Run.Status, 2) << Args;
        EXPECT_EQ(Run.Out, "") << Args;
        const std::size_t FirstLine = Run.Err.find('\n');
        EXPECT_TRUE(Run.Err.starts_with("kr6csv: ")) << Run.Err;
        EXPECT_EQ(Run.Err.substr(FirstLine + 1), "Try '" + Help + "'\n") << Args;
    }

    EXPECT_EQ(Kr6csv("evalute x.zip").Err,
              "kr6csv: unknown command 'evalute'; did you mean 'evaluate'?\nTry 'kr6csv --help'\n");
    EXPECT_EQ(Kr6csv("help inf").Err,
              "kr6csv: unknown command 'inf'; did you mean 'info'?\nTry 'kr6csv --help'\n");
    EXPECT_EQ(Kr6csv("frobnicate").Err,
              "kr6csv: unknown command 'frobnicate'\nTry 'kr6csv --help'\n");
    const TRun Engine = Kr6csv("evaluate --engine quick x.zip");
    EXPECT_EQ(Engine.Status, 2);
    EXPECT_TRUE(Engine.Err.starts_with("kr6csv: --engine: quick not in {fast,literal}\n"))
        << Engine.Err;
    EXPECT_EQ(Kr6csv("evaluate --threads 0 x.zip").Status, 2);
}

TEST(Kr6csvProgram, VersionAndHelp) {
    const TRun Version = Kr6csv("--version");
    EXPECT_EQ(Version.Status, 0);
    EXPECT_EQ(Version.Out, "kr6csv " KR6CSV_VERSION "\n");

    const TRun Help = Kr6csv("--help");
    EXPECT_EQ(Help.Status, 0);
    for (const char* Command : {"evaluate", "info", "xml", "help", "Exit status"})
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

TEST(Kr6csvProgram, EvaluatesToTheSameBytesEveryTime) {
    const test::TTempArchive Archive = SmallPriceList();
    const TRun First = Kr6csv("evaluate -q " + Archive.Path());
    const TRun Second = Kr6csv("evaluate -q " + Archive.Path());
    EXPECT_EQ(First.Status, 0) << First.Err;
    EXPECT_TRUE(First.Out.starts_with("GL1\t\t\t\t\r\n")) << First.Out;
    EXPECT_NE(First.Out.find("GL1\tAR1\tTI1\tHC1\tHC2\r\n"), std::string::npos) << First.Out;
    EXPECT_EQ(First.Out, Second.Out);

    const test::TTempFile Output("", ".csv");
    const TRun ToFile = Kr6csv("evaluate --lf -o " + Output.Path() + " " + Archive.Path());
    EXPECT_EQ(ToFile.Status, 0) << ToFile.Err;
    EXPECT_EQ(ToFile.Out, "");
    std::string Lf = First.Out;
    std::erase(Lf, '\r');
    EXPECT_EQ(Output.Read(), Lf);
}

TEST(Kr6csvProgram, InfoAndXmlDescribeTheLoadedModel) {
    const auto Key = [](std::string_view Name, std::string_view Value) {
        return Line({{1, Name}, {31, Value}}) + "\r\n";
    };
    const test::TTempArchive Archive(
        {{"Head.dat", Key("version", "6.9.0") + Key("manufacturer-code", "ABC") +
                          Key("manufacturer-name", "Optik M\xFCller") +
                          Key("Valid-from", "20240101") + Key("Valid-until", "20241231")},
         {"LensType.Dat", Line({{1, "GL1"}, {63, "0"}, {72, "2"}})}});
    const TRun Info = Kr6csv("info --utf8 " + Archive.Path());
    EXPECT_EQ(Info.Status, 0) << Info.Err;
    for (const char* Part : {"Optik M\xC3\xBCller (ABC)\n", "2024-01-01 to 2024-12-31\n",
                             "KR6 version:        6.9.0\n", "Lenses:             1\n"})
        EXPECT_NE(Info.Out.find(Part), std::string::npos) << Part << "\n" << Info.Out;

    const TRun Xml = Kr6csv("xml " + Archive.Path());
    EXPECT_EQ(Xml.Status, 0) << Xml.Err;
    EXPECT_NE(Xml.Out.find("<EDV>GL1</EDV>"), std::string::npos);
}

TEST(Kr6csvProgram, ClosedPipeAndFailedWrites) {
    const test::TTempArchive Archive = SmallPriceList();
    const test::TTempFile Err("", ".err");
    // pipefail: the status of the pipe is that of kr6csv unless it is 0.
    for (const char* Reader : {"head -c 1 >/dev/null", "true"}) {
        const std::string Pipe = "bash -c 'set -o pipefail; " + std::string(KR6CSV_BINARY) +
                                 " evaluate -q " + Archive.Path() + " 2>" + Err.Path() + " | " +
                                 Reader + "'";
        EXPECT_EQ(std::system(Pipe.c_str()), 0) << Reader;
        EXPECT_EQ(Err.Read(), "") << Reader;
    }

    const TRun Full = Kr6csv("evaluate " + Archive.Path() + " -o /dev/full");
    EXPECT_EQ(Full.Status, 1);
    EXPECT_EQ(Full.Err, "kr6csv: cannot write to '/dev/full': No space left on device\n");
    const TRun Missing = Kr6csv("evaluate " + Archive.Path() + " -o /nonexistent/out.csv");
    EXPECT_EQ(Missing.Status, 1);
    EXPECT_TRUE(IsOneErrorLine(Missing.Err)) << Missing.Err;
}

} // namespace
} // namespace kr6
