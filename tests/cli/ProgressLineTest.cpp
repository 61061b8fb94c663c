#include "cli/ProgressLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kr6 {
namespace {

std::size_t Columns(std::string_view Utf8) {
    return static_cast<std::size_t>(
        std::count_if(Utf8.begin(), Utf8.end(), [](char C) { return (C & 0xC0) != 0x80; }));
}

TEST(ProgressLine, FormatsCountsAndTimesToFitTheWidth) {
    EXPECT_EQ(FormatDuration(3725.9), "1:02:05");
    EXPECT_EQ(FormatDuration(-1), "0:00:00");
    EXPECT_EQ(FormatProgress("", {120, 0, 0}, 1.5), "counting combinations: 120, elapsed 0:00:01");
    // The counts are those of all lenses; the expected time is the whole run, projected from
    // the share tested so far.
    EXPECT_EQ(FormatProgress("GL\xE4", {100, 25, 7}, 10),
              "GL\xC3\xA4 | all lenses: 25 of 100 tested, 7 deliverable | 0:00:10 of about 0:00:40 "
              "in all");
    EXPECT_EQ(FormatImportProgress("reading LensPrice.Dat", 0.456, 2),
              "import: reading LensPrice.Dat, 45%, elapsed 0:00:02");

    // A narrow line drops the least important parts first.
    const std::string_view Lens = "ES\xC4Q201LONGCODE";
    const TKombiTally All{1000, 250, 70};
    EXPECT_EQ(FormatProgress(Lens, All, 10, 90), "ES\xC3\x84Q201LONGCODE | all lenses: 250 of 1000 "
                                                 "tested, 70 deliverable | about 0:00:40 in all");
    EXPECT_EQ(FormatProgress(Lens, All, 10, 64),
              "ES\xC3\x84Q201\xE2\x80\xA6 | all lenses: 250 of 1000 tested | about 0:00:40 in all");
    EXPECT_EQ(FormatProgress(Lens, All, 10, 55),
              "all lenses: 250 of 1000 tested | about 0:00:40 in all");
    EXPECT_EQ(FormatProgress(Lens, All, 10, 40), "all lenses: 250 of 1000 tested");
    EXPECT_EQ(FormatProgress(Lens, All, 10, 5), "all l");
    EXPECT_EQ(FormatImportProgress("reading LensPrice.Dat", 0.5, 2, 20), "import 50%");

    // Whatever the width, the line never wraps and never cuts a character in two.
    for (std::size_t Width = 0; Width < 120; ++Width) {
        for (const std::string& Line :
             {FormatProgress(Lens, All, 10, Width), FormatProgress("", {5, 0, 0}, 1, Width),
              FormatImportProgress("building the lenses", 0.25, 1, Width)}) {
            EXPECT_LE(Columns(Line), Width) << Line;
            EXPECT_TRUE(Line.empty() || (Line.back() & 0xC0) != 0xC0) << Line;
        }
    }
}

// What kr6csv with Arguments writes to a terminal Width columns wide (0: of no size), with
// the environment variables Settings set (unset for a null value); its other output, Silenced,
// goes to /dev/null. "status N" when the run failed.
std::string OnTerminal(std::vector<const char*> Arguments, int Silenced, unsigned short Width,
                       const std::vector<std::pair<const char*, const char*>>& Settings) {
    Arguments.insert(Arguments.begin(), KR6CSV_BINARY);
    Arguments.push_back(nullptr);
    winsize Size{};
    Size.ws_row = 24;
    Size.ws_col = Width;
    int Master = -1;
    const pid_t Child = forkpty(&Master, nullptr, nullptr, Width == 0 ? nullptr : &Size);
    if (Child == 0) {
        dup2(open("/dev/null", O_WRONLY), Silenced);
        for (const auto& [Name, Value] : Settings)
            Value == nullptr ? unsetenv(Name) : setenv(Name, Value, 1);
        execv(KR6CSV_BINARY, const_cast<char* const*>(Arguments.data()));
        _exit(127);
    }
    std::string Screen;
    char Buffer[4096];
    for (ssize_t N; (N = read(Master, Buffer, sizeof Buffer)) != 0;) {
        if (N > 0)
            Screen.append(Buffer, static_cast<std::size_t>(N));
        else if (errno != EINTR)
            break; // EIO once the terminal's other side has closed
    }
    close(Master);
    int Status = 0;
    waitpid(Child, &Status, 0);
    return Status == 0 ? Screen : "status " + std::to_string(Status);
}

const char* const Demo = KR6_SOURCE_DIR "/examples/demo-kr6.zip";

// kr6csv evaluate on the example list with Option ("-q", or "--lf" to draw), its standard
// error on a terminal of the given width and TERM.
std::string ProgressOnTerminal(const char* Option, unsigned short Width, const char* Term) {
    return OnTerminal({"evaluate", Option, Demo}, STDOUT_FILENO, Width, {{"TERM", Term}});
}

TEST(ProgressLine, OnATerminalFitsTheWidthAndLeavesOnlyTheSummary) {
    constexpr unsigned short Width = 32;
    const std::string Screen = ProgressOnTerminal("--lf", Width, "xterm");
    // Each drawing is "\r", the text, and the erase sequence; none may reach the last column.
    std::size_t Drawings = 0;
    for (std::size_t Start = 0, End; (Start = Screen.find('\r', Start)) != std::string::npos &&
                                     (End = Screen.find("\x1b[K", Start)) != std::string::npos;
         Start = End) {
        const std::string_view Text(Screen.data() + Start + 1, End - Start - 1);
        Drawings += Text.empty() ? 0 : 1;
        EXPECT_LT(Columns(Text), Width) << Text;
    }
    EXPECT_GT(Drawings, 0U) << Screen;
    // The terminal turns the summary's line feed into CR LF.
    EXPECT_NE(Screen.find(" lenses; import ", Screen.rfind("kr6csv: ")), std::string::npos)
        << Screen;

    // No line on a dumb terminal or when asked to be quiet.
    const std::string Dumb = ProgressOnTerminal("--lf", 80, "dumb");
    EXPECT_EQ(Dumb.find('\x1b'), std::string::npos) << Dumb;
    EXPECT_TRUE(Dumb.starts_with("kr6csv: 1009 of 1770 combinations deliverable")) << Dumb;
    EXPECT_EQ(ProgressOnTerminal("-q", 80, "xterm"), "");
}

// Standard output on a terminal of the locale Locale.
std::string RowsOnTerminal(const char* Locale, const std::vector<const char*>& Arguments) {
    return OnTerminal(Arguments, STDERR_FILENO, 0,
                      {{"LC_CTYPE", nullptr}, {"LANG", nullptr}, {"LC_ALL", Locale}});
}

// A terminal shows the names in its locale's encoding; the rows keep their bytes elsewhere,
// as the other tests see.
TEST(TerminalOutput, NamesComeInTheTerminalsEncoding) {
    const std::string Rows = RowsOnTerminal("C.UTF-8", {"evaluate", "-q", "--names", Demo});
    EXPECT_NE(Rows.find("Einst\xC3\xA4rken sph\xC3\xA4risch 1.525 Silikat"), std::string::npos)
        << Rows.substr(0, 200);
    EXPECT_EQ(Rows.find("Einst\xE4rken"), std::string::npos);
    // Asked for UTF-8, the text is converted once, not twice.
    EXPECT_EQ(RowsOnTerminal("C.UTF-8", {"evaluate", "-q", "--names", "--utf8", Demo}), Rows);
    const std::string Json =
        RowsOnTerminal("C.UTF-8", {"evaluate", "-q", "--names", "--format", "jsonl", Demo});
    EXPECT_NE(Json.find("\"Einst\xC3\xA4rken"), std::string::npos) << Json.substr(0, 200);
    EXPECT_NE(RowsOnTerminal("C.UTF-8", {"info", Demo}).find("Beispielhersteller"),
              std::string::npos);

    // A terminal of a locale that is not UTF-8 gets the bytes as they are.
    const std::string Plain = RowsOnTerminal("C", {"evaluate", "-q", "--names", Demo});
    EXPECT_NE(Plain.find("Einst\xE4rken"), std::string::npos) << Plain.substr(0, 200);
}

} // namespace
} // namespace kr6
