#include "cli/ProgressLine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace kr6 {
namespace {

std::size_t Columns(const std::string& Utf8) {
    return static_cast<std::size_t>(
        std::count_if(Utf8.begin(), Utf8.end(), [](char C) { return (C & 0xC0) != 0x80; }));
}

TEST(ProgressLine, FormatsCountsAndTimes) {
    EXPECT_EQ(FormatDuration(0), "0:00:00");
    EXPECT_EQ(FormatDuration(3725.9), "1:02:05");
    EXPECT_EQ(FormatDuration(-1), "0:00:00");
    EXPECT_EQ(FormatProgress({"", 120, 0, 0}, 1.5), "counting combinations: 120, elapsed 0:00:01");
    // The expected time is the whole run, projected from the share tested so far.
    EXPECT_EQ(FormatProgress({"GL\xE4", 100, 25, 7}, 10),
              "lens GL\xC3\xA4: 25 of 100 tested, 7 deliverable, elapsed 0:00:10, expected "
              "0:00:40");
    EXPECT_EQ(FormatImportProgress("reading LensPrice.Dat", 0.456, 2),
              "import: reading LensPrice.Dat, 45%, elapsed 0:00:02");
}

TEST(ProgressLine, NarrowLinesDropTheLeastImportantPartsFirst) {
    const TProgressState State{"ES\xC4"
                               "5201LONGCODE",
                               1000, 250, 70};
    EXPECT_EQ(FormatProgress(State, 10, 80),
              "lens ES\xC3\x84"
              "5201LONGCODE: 250 of 1000 tested, 70 deliverable, expected "
              "0:00:40");
    EXPECT_EQ(FormatProgress(State, 10, 60), "lens ES\xC3\x84"
                                             "5201LONGCODE: 250 of 1000 tested, expected 0:00:40");
    EXPECT_EQ(FormatProgress(State, 10, 50),
              "lens ES\xC3\x84"
              "520\xE2\x80\xA6: 250 of 1000 tested, expected 0:00:40");
    EXPECT_EQ(FormatProgress(State, 10, 40), "250 of 1000 tested, expected 0:00:40");
    EXPECT_EQ(FormatProgress(State, 10, 20), "250 of 1000 tested");
    EXPECT_EQ(FormatProgress(State, 10, 5), "250 o");
    EXPECT_EQ(FormatImportProgress("reading LensPrice.Dat", 0.5, 2, 20), "import 50%");

    // Whatever the width, the line never wraps and never cuts a character in two.
    for (std::size_t Width = 0; Width < 120; ++Width) {
        for (const std::string& Line :
             {FormatProgress(State, 10, Width), FormatProgress({"", 5, 0, 0}, 1, Width),
              FormatImportProgress("building the lenses", 0.25, 1, Width)}) {
            EXPECT_LE(Columns(Line), Width) << Line;
            EXPECT_TRUE(Line.empty() || (Line.back() & 0xC0) != 0xC0) << Line;
        }
    }
}

std::string Drain(int Fd) {
    std::string Text;
    char Buffer[256];
    ssize_t N;
    while ((N = read(Fd, Buffer, sizeof Buffer)) > 0)
        Text.append(Buffer, static_cast<std::size_t>(N));
    return Text;
}

TEST(ProgressLine, DrawsThrottledAndClearsOnlyWhenEnabled) {
    int Pipe[2];
    ASSERT_EQ(pipe2(Pipe, O_NONBLOCK), 0);
    {
        TProgressLine Disabled(Pipe[1], false);
        Disabled.Update({"GL1", 10, 1, 1});
    }
    EXPECT_EQ(Drain(Pipe[0]), "");

    {
        TProgressLine Line(Pipe[1], true);
        Line.Update({"GL1", 10, 1, 1});
        Line.Update({"GL2", 10, 2, 2});
    }
    const std::string Text = Drain(Pipe[0]);
    EXPECT_EQ(Text.rfind("\rlens GL1: 1 of 10 tested", 0), 0u) << Text;
    EXPECT_EQ(Text.find("GL2"), std::string::npos);
    EXPECT_TRUE(Text.ends_with("\x1b[K\r\x1b[K"));
    close(Pipe[0]);
    close(Pipe[1]);
}

} // namespace
} // namespace kr6
