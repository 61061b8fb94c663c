#include "helpers/TestArchive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kr6 {
namespace {

const std::string DemoArchive = KR6_SOURCE_DIR "/examples/demo-kr6.zip";

struct TTerminalRun {
    int Status = -1;
    std::string Screen;
};

// Runs kr6csv with its standard error on a terminal of the given width and TERM, standard
// output going to /dev/null, and returns what reached the terminal.
TTerminalRun RunOnTerminal(const std::vector<std::string>& Args, unsigned short Width,
                           const char* Term) {
    winsize Size{};
    Size.ws_row = 24;
    Size.ws_col = Width;
    int Master = -1;
    const pid_t Child = forkpty(&Master, nullptr, nullptr, &Size);
    if (Child == 0) {
        const int Null = open("/dev/null", O_WRONLY);
        dup2(Null, STDOUT_FILENO);
        setenv("TERM", Term, 1);
        std::vector<char*> Argv{const_cast<char*>(KR6CSV_BINARY)};
        for (const std::string& Arg : Args)
            Argv.push_back(const_cast<char*>(Arg.c_str()));
        Argv.push_back(nullptr);
        execv(KR6CSV_BINARY, Argv.data());
        _exit(127);
    }
    TTerminalRun Run;
    char Buffer[4096];
    for (;;) {
        const ssize_t Read = read(Master, Buffer, sizeof Buffer);
        if (Read > 0)
            Run.Screen.append(Buffer, static_cast<std::size_t>(Read));
        else if (Read < 0 && errno == EINTR)
            continue;
        else
            break; // EIO once the child has closed the terminal
    }
    close(Master);
    int Status = 0;
    waitpid(Child, &Status, 0);
    Run.Status = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    return Run;
}

std::size_t Columns(std::string_view Utf8) {
    return static_cast<std::size_t>(
        std::count_if(Utf8.begin(), Utf8.end(), [](char C) { return (C & 0xC0) != 0x80; }));
}

TEST(Terminal, ProgressLineFitsTheWidthAndLeavesOnlyTheSummary) {
    constexpr unsigned short Width = 32;
    const TTerminalRun Run = RunOnTerminal({"evaluate", DemoArchive}, Width, "xterm");
    ASSERT_EQ(Run.Status, 0) << Run.Screen;
    // Each drawing is "\r", the text, and the erase sequence; none may reach the last column.
    std::size_t Drawings = 0;
    std::size_t Start = 0;
    while ((Start = Run.Screen.find('\r', Start)) != std::string::npos) {
        const std::size_t End = Run.Screen.find("\x1b[K", Start);
        if (End == std::string::npos)
            break;
        const std::string_view Text(Run.Screen.data() + Start + 1, End - Start - 1);
        if (!Text.empty()) {
            ++Drawings;
            EXPECT_LT(Columns(Text), Width) << Text;
        }
        Start = End;
    }
    EXPECT_GT(Drawings, 0U) << Run.Screen;
    // The terminal turns the summary's line feed into CR LF.
    const std::size_t Summary = Run.Screen.rfind("kr6csv: ");
    ASSERT_NE(Summary, std::string::npos) << Run.Screen;
    EXPECT_NE(Run.Screen.find(" lenses; import ", Summary), std::string::npos) << Run.Screen;
}

TEST(Terminal, DumbTerminalAndQuietGetNoLine) {
    const TTerminalRun Dumb = RunOnTerminal({"evaluate", DemoArchive}, 80, "dumb");
    EXPECT_EQ(Dumb.Status, 0);
    EXPECT_EQ(Dumb.Screen.find('\x1b'), std::string::npos) << Dumb.Screen;
    EXPECT_TRUE(Dumb.Screen.starts_with("kr6csv: 1009 of 1770 combinations deliverable"))
        << Dumb.Screen;

    const TTerminalRun Quiet = RunOnTerminal({"evaluate", "-q", DemoArchive}, 80, "xterm");
    EXPECT_EQ(Quiet.Status, 0);
    EXPECT_EQ(Quiet.Screen, "");
}

} // namespace
} // namespace kr6
