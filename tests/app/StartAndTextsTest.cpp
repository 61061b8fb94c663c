#include "app/ElidedPath.h"
#include "app/QtText.h"
#include "app/StartArguments.h"
#include "app/TimeText.h"
#include "helpers/TestArchive.h"
#include "support/Version.h"

#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace kr6 {
namespace {

TEST(ParseStartArguments, AnArchiveOrAScreenshotElseNothing) {
    const std::pair<QStringList, QString> Cases[] = {
        {{}, "|"},
        {{"list.zip"}, "list.zip|"},
        {{"--screenshot", "w.png", "list.zip"}, "list.zip|w.png"},
        {{"--screenshot", "w.png", "--table", "list.zip"}, "list.zip|w.png 1"},
        {{"--screenshot", "w.png", "--findings", "list.zip"}, "list.zip|w.png 2"},
        {{"--screenshot", "w.png", "--table"}, "none"},
        {{"a.zip", "b.zip"}, "none"},
        {{"--screenshot"}, "none"},
        {{"--screenshot", ""}, "none"},
        {{"--help"}, "none"}};
    for (const auto& [Arguments, Expected] : Cases) {
        const auto Parsed = ParseStartArguments(Arguments);
        const QString View = !Parsed || Parsed->View == TScreenshotView::Main
                                 ? QString()
                                 : " " + QString::number(int(Parsed->View));
        EXPECT_EQ(Parsed ? Parsed->Archive + "|" + Parsed->Screenshot + View : "none", Expected)
            << Arguments.join(' ').toStdString();
    }
}

#ifndef _WIN32
// These start the program through a POSIX shell without the display variables.
// The exit status and standard error of the built kr6csv-gui without any display settings
// but Display. No time limit beyond the test runner's, as it ends before any window exists.
std::string RunWithoutDisplay(const std::string& Display) {
    const test::TTempFile Err("", ".err");
    const std::string Command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + Display +
                                " " KR6CSV_GUI_BINARY " 2>" + Err.Path();
    const int Raw = std::system(Command.c_str());
    return std::to_string(WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1) + " " + Err.Read();
}

TEST(WindowProgram, EndsWithOneLineWhenNoDisplayCanBeReached) {
    EXPECT_EQ(RunWithoutDisplay({}), "1 kr6csv-gui: no display to show the window on (neither "
                                     "DISPLAY nor WAYLAND_DISPLAY is set)\n");
    // A display that does not answer is found only by the platform plugin.
    EXPECT_EQ(
        RunWithoutDisplay("DISPLAY=:4321"),
        "1 kr6csv-gui: cannot show the window: the display ':4321' (DISPLAY) does not answer\n");
}

// The manual page is made from these while building, where no display may be.
TEST(WindowProgram, AnswersHelpAndVersionWithoutADisplay) {
    const auto Run = [](const std::string& Arguments) {
        const test::TTempFile Out("", ".out");
        const std::string Command =
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " KR6CSV_GUI_BINARY " " +
            Arguments + " >" + Out.Path() + " 2>/dev/null";
        const int Raw = std::system(Command.c_str());
        return std::make_pair(WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, Out.Read());
    };
    EXPECT_EQ(Run("--version"),
              std::make_pair(0, "kr6csv-gui " + std::string(Kr6Version()) + "\n"));
    const auto [Status, Help] = Run("--help");
    EXPECT_EQ(Status, 0);
    EXPECT_NE(Help.find("\nUsage: kr6csv-gui [ARCHIVE.zip]\n"), std::string::npos) << Help;
    EXPECT_EQ(Run("-h").second, Help);
    EXPECT_NE(Help.find("--screenshot FILE.png"), std::string::npos);
    // Anything beside them is no request for help, but no command line the window takes.
    EXPECT_EQ(Run("--help list.zip"), std::make_pair(2, std::string()));
}

// A usage error needs no display either.
TEST(WindowProgram, UsageErrorsWithoutADisplay) {
    const test::TTempFile Err("", ".err");
    const std::string Wrong =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " KR6CSV_GUI_BINARY " --bogus 2>" +
        Err.Path();
    const int Status = std::system(Wrong.c_str());
    EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 2) << Status;
    EXPECT_EQ(Err.Read(), std::string(StartUsage) + "\n");
}
#endif

TEST(TimeOfDayText, HoursMinutesSecondsOfTheDay) {
    const std::pair<double, const char*> Cases[] = {
        {3599.99, "00:59:59"},      {23 * 3600 + 59 * 60 + 59, "23:59:59"},
        {86400 + 61, "00:01:01"},   {-5, "00:00:00"},
        {std::nan(""), "00:00:00"}, {std::numeric_limits<double>::infinity(), "00:00:00"}};
    for (const auto& [Seconds, Text] : Cases)
        EXPECT_EQ(TimeOfDayText(Seconds), Text) << Seconds;
    EXPECT_EQ(TimeOfDayText(1e18), TimeOfDayText(std::fmod(1e18, 86400.0)));
}

TEST(FromLibraryText, Utf8WhenValidElseWindows1252) {
    EXPECT_EQ(FromLibraryText("cannot open '/tmp/M\xC3\xBCller.zip'"),
              QString::fromUtf8("cannot open '/tmp/Müller.zip'"));
    EXPECT_EQ(FromLibraryText("M\xFCller \x80"), QString::fromUtf8("Müller €"));
    EXPECT_EQ(FromCp1252("\xC4\x80"), QString::fromUtf8("Ä€"));
    EXPECT_EQ(FromLibraryText(""), QString());
}

// The window's file label shows where folders give way before the file name.
TEST(ElidedPath, TooNarrowForTheFileNameKeepsItsEnd) {
    const QFontMetrics Metrics(QApplication::font());
    const QString Path =
        QStringLiteral("/home/optiker/Preislisten/Lieferant/2026/Frühjahr/aktuell/KR6-Liste.zip");
    EXPECT_EQ(ElidedPath(Metrics, Path, Metrics.horizontalAdvance(Path)), Path);
    const int Narrow = Metrics.horizontalAdvance(QStringLiteral("Liste.zip"));
    const QString Elided =
        ElidedPath(Metrics, QStringLiteral("Eine sehr lange Preisliste.zip"), Narrow);
    EXPECT_TRUE(Elided.endsWith(".zip")) << Elided.toStdString();
    EXPECT_LE(Metrics.horizontalAdvance(Elided), Narrow);
}

} // namespace
} // namespace kr6
