#include "app/StartArguments.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace kr6 {
namespace {

TEST(ParseStartArguments, AnArchiveOrAScreenshotElseNothing) {
    const std::pair<QStringList, QString> Cases[] = {
        {{}, "|"},
        {{"list.zip"}, "list.zip|"},
        {{"--screenshot", "w.png", "list.zip"}, "list.zip|w.png"},
        {{"a.zip", "b.zip"}, "none"},
        {{"--screenshot"}, "none"},
        {{"--screenshot", ""}, "none"},
        {{"--screenshot", "w.png", "a.zip", "b.zip"}, "none"},
        {{"--help"}, "none"}};
    for (const auto& [Arguments, Expected] : Cases) {
        const auto Parsed = ParseStartArguments(Arguments);
        EXPECT_EQ(Parsed ? Parsed->Archive + "|" + Parsed->Screenshot : "none", Expected)
            << Arguments.join(' ').toStdString();
    }
}

// The built kr6csv-gui in the test's environment without any display settings, plus
// Display: its exit code and standard error. No time limit beyond the test runner's, as it
// ends before any window exists.
QString RunWithoutDisplay(const QString& Display) {
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    for (const char* Name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        Env.remove(QString::fromLatin1(Name));
    if (!Display.isEmpty())
        Env.insert(Display.section('=', 0, 0), Display.section('=', 1));
    QProcess Gui;
    Gui.setProcessEnvironment(Env);
    Gui.start(QStringLiteral(KR6CSV_GUI_BINARY), {});
    Gui.waitForFinished(-1);
    if (Gui.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("crashed");
    return QString::number(Gui.exitCode()) + " " +
           QString::fromLocal8Bit(Gui.readAllStandardError());
}

TEST(WindowProgram, EndsWithOneLineWhenNoDisplayCanBeReached) {
    EXPECT_EQ(RunWithoutDisplay({}), "1 kr6csv-gui: no display to show the window on (neither "
                                     "DISPLAY nor WAYLAND_DISPLAY is set)\n");
    // A display that does not answer is found only by the platform plugin.
    EXPECT_EQ(
        RunWithoutDisplay("DISPLAY=:4321"),
        "1 kr6csv-gui: cannot show the window: the display ':4321' (DISPLAY) does not answer\n");
}

} // namespace
} // namespace kr6
