#include "helpers/HostileArchives.h"
#include "helpers/Kr6Lines.h"
#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"
#include "support/Version.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <tuple>

namespace kr6 {
namespace {

using test::Kr6csv;
using test::TRun;

using test::DemoArchive;

// Status 1, nothing written, one line that names what failed.
void ExpectOneErrorLine(const TRun& Run, const std::string& Named, const std::string& Context) {
    EXPECT_EQ(Run.Status, 1) << Context;
    EXPECT_EQ(Run.Out, "") << Context;
    EXPECT_TRUE(Run.Err.starts_with("kr6csv: ") && Run.Err.find('\n') == Run.Err.size() - 1 &&
                Run.Err.find(Named) != std::string::npos)
        << Context << ": " << Run.Err;
}

// Every command fails with status 1 and one line naming the file it could not use.
TEST(Kr6csvProgram, UnusableFilesEndWithOneLine) {
    const test::TTempArchive Empty({{"Head.dat", ""}});
    const test::TTempFile Text("just some text\n", ".zip");
    const std::string Directory = std::filesystem::temp_directory_path().string();
    const std::string Missing = "/nonexistent/x.zip";
    const std::pair<std::string, std::string> Cases[] = {
        {"evaluate " + Missing, Missing},
        {"check " + Missing + " GL1 AR1", Missing},
        {"diff " + Missing + " " + Empty.Path(), Missing},
        {"diff " + Empty.Path() + " " + Missing, Missing},
        {"evaluate " + Directory, Directory},
        {"evaluate " + Text.Path(), Text.Path()},
        {"evaluate - </dev/null", "standard input"},
        {"evaluate - </", "cannot read standard input: is a directory"},
        {"evaluate " + Empty.Path() + " -o /nonexistent/out.csv",
         "cannot create '/nonexistent/out.csv': no such file or directory"},
        {"evaluate " + DemoArchive + " -o /dev/full",
         "cannot write to '/dev/full': no space left on device"}};
    for (const auto& [Args, Named] : Cases)
        ExpectOneErrorLine(Kr6csv(Args), Named, Args);
    for (const auto& C : test::HostileArchives()) {
        const test::TTempFile File(C.Bytes);
        const TRun Run = Kr6csv("evaluate --quiet '" + File.Path() + "'");
        if (C.Cause.empty())
            EXPECT_TRUE(Run.Status == 0 && Run.Err.empty()) << C.Name << ": " << Run.Err;
        else
            ExpectOneErrorLine(Run, "'" + File.Path() + "'", C.Name);
        EXPECT_NE(Run.Err.find(C.Cause), std::string::npos) << C.Name << ": " << Run.Err;
    }

    const test::TTempArchive Foreign({{"readme.txt", "nothing here"}, {"kr6/Head.dat", ""}});
    for (const char* Command : {"evaluate", "info", "xml"}) {
        const TRun Run = Kr6csv(std::string(Command) + " " + Foreign.Path());
        ExpectOneErrorLine(Run, "'" + Foreign.Path() + "' holds no KR6 price list", Command);
        EXPECT_TRUE(Run.Err.ends_with("; found 'kr6/Head.dat' inside a folder\n")) << Run.Err;
    }
    // One KR6 member at the top level is a price list, if an empty one.
    const TRun Run = Kr6csv("evaluate " + Empty.Path());
    EXPECT_TRUE(Run.Status == 0 && Run.Out.empty() &&
                Run.Err.starts_with("kr6csv: 0 of 0 combinations deliverable, 0 lenses; import "))
        << Run.Err;
    EXPECT_EQ(Kr6csv("evaluate --quiet " + Empty.Path()).Err, "");
}

// Status 2, one line in the program's words and the help to look at.
TEST(Kr6csvProgram, UsageErrorsAreOneLineAndWhereToLook) {
    const std::tuple<std::string, std::string, std::string> Cases[] = {
        {"", "", "no command given"},
        {"-v", "", "unknown option '-v'"},
        {"frobnicate x.zip", "", "unknown command 'frobnicate'"},
        {"evalute x.zip", "", "unknown command 'evalute'; did you mean 'evaluate'?"},
        {"help inf", "", "unknown command 'inf'; did you mean 'info'?"},
        {"evaluate", "evaluate ", "no ARCHIVE given"},
        {"evaluate --bogus x.zip", "evaluate ", "unknown option '--bogus'"},
        {"evaluate x.zip y.zip", "evaluate ", "unexpected argument 'y.zip'"},
        {"evaluate --threads 0 x.zip", "evaluate ",
         "--threads: '0' is not a number from 1 to 1024"},
        {"evaluate --threads abc x.zip", "evaluate ",
         "--threads: 'abc' is not a number from 1 to 1024"},
        {"evaluate x.zip --threads", "evaluate ", "--threads needs a value (N)"},
        {"evaluate x.zip -o", "evaluate ", "--output needs a value (FILE)"},
        {"evaluate --engine quick x.zip", "evaluate ",
         "--engine: 'quick' is not one of fast, literal"},
        {"xml --threads 2 x.zip", "xml ", "unknown option '--threads'"},
        {"info", "info ", "no ARCHIVE given"},
        {"check x.zip", "check ", "no LENS given"},
        {"diff x.zip", "diff ", "no NEW given"},
        {"diff --rows-only --summary x.zip y.zip", "diff ",
         "--summary and --rows-only cannot be given together"},
        {"diff --format xml x.zip y.zip", "diff ",
         "--format: 'xml' is not one of tsv, csv, jsonl"}};
    for (const auto& [Args, Command, First] : Cases) {
        const TRun Run = Kr6csv(Args);
        EXPECT_EQ(Run.Status, 2) << Args;
        EXPECT_EQ(Run.Out, "") << Args;
        EXPECT_EQ(Run.Err, "kr6csv: " + First + "\nTry 'kr6csv " + Command + "--help'\n") << Args;
    }
}

TEST(Kr6csvProgram, VersionAndHelp) {
    const TRun Version = Kr6csv("--version");
    EXPECT_TRUE(Version.Status == 0 &&
                Version.Out == "kr6csv " + std::string(kr6::Kr6Version()) + "\n")
        << Version.Out;
    const TRun Help = Kr6csv("--help");
    EXPECT_EQ(Help.Status, 0);
    for (const char* Command : {"evaluate", "info", "xml", "diff", "check", "help", "Exit status"})
        EXPECT_NE(Help.Out.find(Command), std::string::npos) << Command;
    EXPECT_EQ(Kr6csv("help").Out, Help.Out);
    const TRun EvaluateHelp = Kr6csv("evaluate --help");
    EXPECT_TRUE(EvaluateHelp.Status == 0 && EvaluateHelp.Out.find("--utf8") != std::string::npos);
    EXPECT_EQ(Kr6csv("help evaluate").Out, EvaluateHelp.Out);
    // The help is in the program's words too.
    for (const char* Command : {"", "evaluate", "diff", "info", "xml", "check"}) {
        const std::string Text = Kr6csv(std::string(Command) + " --help").Out;
        for (const char* Foreign : {"REQUIRED", "TEXT", "SUBCOMMAND", "Positionals", "Print this"})
            EXPECT_EQ(Text.find(Foreign), std::string::npos) << Command << ": " << Foreign;
    }
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
                        "Coatings:           14 (and the 9 surcharge groups every list has)\n"
                        "Rules:              380\n"
                        "Colours:            9\n"
                        "Glass prices:       1500\n"
                        "Coating prices:     525\n"
                        "Product groups:     7\n"
                        "Findings:           none\n");
    // The README pins the example list's JSON form.
    const test::TTempArchive Archive(
        {{"Head.dat", test::HeadLine("manufacturer-code", "ABC") + "\r\n" +
                          test::HeadLine("manufacturer-name", "Optik M\xFCller")}});
    const std::string Maker = "Maker:              Optik M";
    EXPECT_TRUE(Kr6csv("info " + Archive.Path()).Out.starts_with(Maker + "\xFCller (ABC)\n"));
    EXPECT_TRUE(
        Kr6csv("info --utf8 " + Archive.Path()).Out.starts_with(Maker + "\xC3\xBCller (ABC)\n"));
    const std::string Json = Kr6csv("info --json " + Archive.Path()).Out;
    EXPECT_NE(Json.find("\"name\":\"Optik M\xC3\xBCller\""), std::string::npos);
    EXPECT_EQ(Json.find('\n'), Json.size() - 1) << "one object on one line";
}

// pipefail: the status of the pipe is that of kr6csv unless it is 0; a reader that stops
// early is no error.
TEST(Kr6csvProgram, ClosedPipeKeepsTheStatusFullDiskFails) {
    const test::TTempArchive Empty({{"Head.dat", ""}});
    const test::TTempFile Err("", ".err");
    const std::pair<std::string, int> Cases[] = {
        {"evaluate -q " + DemoArchive, 0},
        {"diff -q " + DemoArchive + " " + DemoArchive, 0},
        {"diff -q " + Empty.Path() + " " + DemoArchive, 3}};
    for (const char* Reader : {"head -c 1 >/dev/null", "true"}) {
        for (const auto& [Args, Status] : Cases) {
            const std::string Pipe = "bash -c 'set -o pipefail; " + std::string(KR6CSV_BINARY) +
                                     " " + Args + " 2>" + Err.Path() + " | " + Reader + "'";
            const int Raw = std::system(Pipe.c_str());
            EXPECT_TRUE(WIFEXITED(Raw) && WEXITSTATUS(Raw) == Status) << Reader << ": " << Args;
            EXPECT_EQ(Err.Read(), "") << Reader << ": " << Args;
        }
    }
    // Other write errors on standard output end the run with one line.
    const std::string Full =
        std::string(KR6CSV_BINARY) + " evaluate -q " + DemoArchive + " >/dev/full 2>" + Err.Path();
    const int Raw = std::system(Full.c_str());
    EXPECT_TRUE(WIFEXITED(Raw) && WEXITSTATUS(Raw) == 1) << Raw;
    EXPECT_EQ(Err.Read(), "kr6csv: cannot write to standard output: no space left on device\n");
}

} // namespace
} // namespace kr6
