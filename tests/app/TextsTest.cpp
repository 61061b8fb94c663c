#include "app/ElidedPath.h"
#include "app/QtText.h"
#include "app/TimeText.h"

#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kr6 {
namespace {

TEST(TimeOfDayText, HoursMinutesSecondsOfTheDay) {
    const std::pair<double, const char*> Cases[] = {
        {0, "00:00:00"},
        {135, "00:02:15"},
        {3599.99, "00:59:59"},
        {23 * 3600 + 59 * 60 + 59, "23:59:59"},
        {86400 + 61, "00:01:01"},
        {-5, "00:00:00"},
        {std::nan(""), "00:00:00"},
        {std::numeric_limits<double>::infinity(), "00:00:00"}};
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
    for (const QString& Elided :
         {ElidedPath(Metrics, Path, Narrow),
          ElidedPath(Metrics, QStringLiteral("Eine sehr lange Preisliste.zip"), Narrow)}) {
        EXPECT_TRUE(Elided.endsWith(".zip")) << Elided.toStdString();
        EXPECT_LE(Metrics.horizontalAdvance(Elided), Narrow);
    }
}

} // namespace
} // namespace kr6
