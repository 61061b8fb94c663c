#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kr6 {
namespace {

namespace fs = std::filesystem;
using test::Kr6csv;
using test::TRun;
using test::TTempDir;

using test::DemoArchive;

TEST(OutputSafety, RefusesToWriteOverTheInputArchive) {
    const TTempDir Dir;
    const std::string Archive = Dir / "list.zip";
    fs::copy_file(DemoArchive, Archive);
    fs::create_hard_link(Archive, Dir / "hard.zip");
    fs::create_symlink(Archive, Dir / "soft.zip");
    const std::string Original = test::ReadFileBytes(Archive);
    for (const std::string& Output :
         {Archive, Dir / "hard.zip", Dir / "soft.zip", Dir / "./list.zip"}) {
        for (const char* Command : {"evaluate", "xml"}) {
            const TRun Run = Kr6csv(std::string(Command) + " " + Archive + " -o " + Output);
            EXPECT_EQ(Run.Status, 1) << Command << " " << Output;
            EXPECT_TRUE(Run.Err.starts_with("kr6csv: the output '" + Output + "' is the archive"))
                << Run.Err;
            EXPECT_EQ(Run.Out, "");
        }
    }
    // Standard input read from a file is that file.
    for (const std::string& Command :
         {"evaluate - -o " + Archive, "xml - -o " + Dir / "hard.zip",
          "diff - " + DemoArchive + " -o " + Archive, "diff " + DemoArchive + " - -o " + Archive}) {
        const TRun Run = Kr6csv(Command + " <" + Archive);
        EXPECT_EQ(Run.Status, 1) << Command;
        EXPECT_TRUE(Run.Err.find("is the archive on standard input itself") != std::string::npos)
            << Run.Err;
    }
    EXPECT_EQ(test::ReadFileBytes(Archive), Original);
    EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"hard.zip", "list.zip", "soft.zip"}));
}

// A failed run leaves the old file and no trace; a successful one replaces the file
// through a link and keeps its permissions. "-" is standard input and output.
TEST(OutputSafety, FailedRunLeavesTheOldFileAndNoTrace) {
    const TTempDir Dir;
    const std::string Output = Dir / "rows.txt";
    test::WriteFileBytes(Output, "yesterday's rows\n");
    fs::permissions(Output, fs::perms(0640));
    const test::TTempFile NotAnArchive("not a zip", ".zip");
    EXPECT_EQ(Kr6csv("evaluate " + NotAnArchive.Path() + " -o " + Output).Status, 1);
    EXPECT_EQ(test::ReadFileBytes(Output), "yesterday's rows\n");
    EXPECT_EQ(Dir.Names(), std::vector<std::string>{"rows.txt"});

    fs::create_symlink(Output, Dir / "link.txt");
    const TRun Done = Kr6csv("evaluate -q --lf - -o " + (Dir / "link.txt") + " <" + DemoArchive);
    EXPECT_EQ(Done.Status, 0) << Done.Err;
    std::string Rows = Kr6csv("evaluate -q " + DemoArchive + " -o -").Out;
    std::erase(Rows, '\r');
    EXPECT_EQ(test::ReadFileBytes(Output), Rows);
    EXPECT_TRUE(fs::is_symlink(Dir / "link.txt"));
    EXPECT_EQ(fs::status(Output).permissions(), fs::perms(0640));
    EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"link.txt", "rows.txt"}));
    EXPECT_EQ(Kr6csv("xml - <" + DemoArchive).Out, Kr6csv("xml " + DemoArchive).Out);
}

// A run stopped by a signal while it works leaves the old file as it was and no temporary
// file. The archive comes through a pipe that stays open, so the run is surely still
// reading when the signal arrives.
TEST(OutputSafety, StopSignalsLeaveTheOldFile) {
    for (const int Signal : {SIGINT, SIGTERM}) {
        const TTempDir Dir;
        const std::string Output = Dir / "rows.txt";
        test::WriteFileBytes(Output, "old\n");
        int Input[2];
        ASSERT_EQ(pipe(Input), 0);
        const pid_t Child = fork();
        if (Child == 0) {
            dup2(Input[0], STDIN_FILENO);
            close(Input[1]);
            dup2(open("/dev/null", O_WRONLY), STDERR_FILENO);
            execl(KR6CSV_BINARY, KR6CSV_BINARY, "evaluate", "-", "-o", Output.c_str(), nullptr);
            _exit(127);
        }
        close(Input[0]);
        // The temporary file shows that the output is open; give the run all the time it needs.
        const auto Deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
        while (Dir.Names().size() < 2 && std::chrono::steady_clock::now() < Deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(Dir.Names().size(), 2U);

        kill(Child, Signal);
        int Status = 0;
        waitpid(Child, &Status, 0);
        close(Input[1]);
        EXPECT_TRUE(WIFSIGNALED(Status) && WTERMSIG(Status) == Signal) << Status;
        EXPECT_EQ(test::ReadFileBytes(Output), "old\n");
        EXPECT_EQ(Dir.Names(), std::vector<std::string>{"rows.txt"});
    }
}

} // namespace
} // namespace kr6
