#include "app/StartArguments.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace kr6 {
namespace {

TEST(ParseStartArguments, AnArchiveOrAScreenshotElseNothing) {
    const auto Plain = ParseStartArguments({});
    ASSERT_TRUE(Plain);
    EXPECT_TRUE(Plain->Archive.isEmpty());
    EXPECT_TRUE(Plain->Screenshot.isEmpty());

    const auto Archive = ParseStartArguments({"list.zip"});
    ASSERT_TRUE(Archive);
    EXPECT_EQ(Archive->Archive, "list.zip");
    EXPECT_TRUE(Archive->Screenshot.isEmpty());

    const auto Screenshot = ParseStartArguments({"--screenshot", "w.png", "list.zip"});
    ASSERT_TRUE(Screenshot);
    EXPECT_EQ(Screenshot->Screenshot, "w.png");
    EXPECT_EQ(Screenshot->Archive, "list.zip");

    EXPECT_FALSE(ParseStartArguments({"a.zip", "b.zip"}));
    EXPECT_FALSE(ParseStartArguments({"--screenshot"}));
    EXPECT_FALSE(ParseStartArguments({"--screenshot", ""}));
    EXPECT_FALSE(ParseStartArguments({"--screenshot", "w.png", "a.zip", "b.zip"}));
    EXPECT_FALSE(ParseStartArguments({"--help"}));
}

struct TGuiRun {
    QProcess::ExitStatus Ending = QProcess::CrashExit;
    int Status = -1;
    QString Err;
};

// Runs the built kr6csv-gui in the test's environment without any display settings plus
// Display; no time limit beyond the test runner's, as it ends before any window exists.
TGuiRun RunWithoutDisplay(const QStringList& Display) {
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    for (const char* Name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        Env.remove(QString::fromLatin1(Name));
    for (const QString& Setting : Display)
        Env.insert(Setting.section('=', 0, 0), Setting.section('=', 1));
    QProcess Gui;
    Gui.setProcessEnvironment(Env);
    Gui.start(QStringLiteral(KR6CSV_GUI_BINARY), {});
    Gui.waitForFinished(-1);
    return {Gui.exitStatus(), Gui.exitCode(), QString::fromLocal8Bit(Gui.readAllStandardError())};
}

TEST(WindowProgram, EndsWithOneLineWhenNoDisplayCanBeReached) {
    const TGuiRun None = RunWithoutDisplay({});
    EXPECT_EQ(None.Ending, QProcess::NormalExit);
    EXPECT_EQ(None.Status, 1);
    EXPECT_EQ(None.Err, "kr6csv-gui: no display to show the window on (neither DISPLAY nor "
                        "WAYLAND_DISPLAY is set)\n");

    // A display that does not answer is found only by the platform plugin.
    const TGuiRun Silent = RunWithoutDisplay({"DISPLAY=:4321"});
    EXPECT_EQ(Silent.Ending, QProcess::NormalExit);
    EXPECT_EQ(Silent.Status, 1);
    EXPECT_EQ(
        Silent.Err,
        "kr6csv-gui: cannot show the window: the display ':4321' (DISPLAY) does not answer\n");
}

} // namespace
} // namespace kr6
