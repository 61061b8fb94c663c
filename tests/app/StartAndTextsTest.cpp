#include "app/ElidedPath.h"
#include "app/QtText.h"
#include "app/StartArguments.h"
#include "app/TimeText.h"
#include "helpers/ProgramRun.h"
#include "support/Version.h"

#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
// The built kr6csv-gui through a POSIX shell, without the display variables but those in
// Settings. No time limit beyond the test runner's, as it ends before any window exists.
test::TRun RunWithoutDisplay(const std::string& Settings, const std::string& Arguments = {}) {
    return test::RunProgram("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + Settings +
                                " " KR6CSV_GUI_BINARY,
                            Arguments);
}

TEST(WindowProgram, EndsWithOneLineWhenNoDisplayCanBeReached) {
    const test::TRun None = RunWithoutDisplay({});
    EXPECT_EQ(None.Status, 1);
    EXPECT_EQ(None.Err, "kr6csv-gui: no display to show the window on (neither DISPLAY nor "
                        "WAYLAND_DISPLAY is set)\n");
    // A display that does not answer is found only by the platform plugin.
    const test::TRun Silent = RunWithoutDisplay("DISPLAY=:4321");
    EXPECT_EQ(Silent.Status, 1);
    EXPECT_EQ(
        Silent.Err,
        "kr6csv-gui: cannot show the window: the display ':4321' (DISPLAY) does not answer\n");
}

// The manual page is made from these while building, where no display may be; a usage
// error needs none either.
TEST(WindowProgram, AnswersHelpVersionAndUsageErrorsWithoutADisplay) {
    const test::TRun Version = RunWithoutDisplay({}, "--version");
    EXPECT_EQ(Version.Status, 0);
    EXPECT_EQ(Version.Out, "kr6csv-gui " + std::string(Kr6Version()) + "\n");
    const test::TRun Help = RunWithoutDisplay({}, "--help");
    EXPECT_EQ(Help.Status, 0);
    EXPECT_NE(Help.Out.find("\nUsage: kr6csv-gui [ARCHIVE.zip]\n"), std::string::npos) << Help.Out;
    EXPECT_EQ(RunWithoutDisplay({}, "-h").Out, Help.Out);
    EXPECT_NE(Help.Out.find("--screenshot FILE.png"), std::string::npos);
    // Anything beside them is no request for help, but no command line the window takes.
    const test::TRun Both = RunWithoutDisplay({}, "--help list.zip");
    EXPECT_TRUE(Both.Status == 2 && Both.Out.empty()) << Both.Out;
    const test::TRun Wrong = RunWithoutDisplay({}, "--bogus");
    EXPECT_EQ(Wrong.Status, 2);
    EXPECT_EQ(Wrong.Err, std::string(StartUsage) + "\n");
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
