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
    EXPECT_EQ(TimeOfDayText(0), "00:00:00");
    EXPECT_EQ(TimeOfDayText(135), "00:02:15");
    EXPECT_EQ(TimeOfDayText(3599.99), "00:59:59");
    EXPECT_EQ(TimeOfDayText(23 * 3600 + 59 * 60 + 59), "23:59:59");
    EXPECT_EQ(TimeOfDayText(86400 + 61), "00:01:01");
    EXPECT_EQ(TimeOfDayText(1e18), TimeOfDayText(std::fmod(1e18, 86400.0)));
    EXPECT_EQ(TimeOfDayText(-5), "00:00:00");
    EXPECT_EQ(TimeOfDayText(std::numeric_limits<double>::quiet_NaN()), "00:00:00");
    EXPECT_EQ(TimeOfDayText(std::numeric_limits<double>::infinity()), "00:00:00");
}

TEST(FromLibraryText, Utf8WhenValidElseWindows1252) {
    EXPECT_EQ(FromLibraryText("cannot open '/tmp/M\xC3\xBCller.zip'"),
              QString::fromUtf8("cannot open '/tmp/Müller.zip'"));
    EXPECT_EQ(FromLibraryText("M\xFC"
                              "ller \x80"),
              QString::fromUtf8("Müller €"));
    EXPECT_EQ(FromCp1252("\xC4\x80"), QString::fromUtf8("Ä€"));
    EXPECT_EQ(FromLibraryText(""), QString());
}

TEST(ElidedPath, FoldersGiveWayBeforeTheFileName) {
    const QFontMetrics Metrics(QApplication::font());
    const QString Path = QStringLiteral("/home/optiker/Preislisten/Lieferant/2026/Frühjahr/aktuell/"
                                        "KR6-Liste.zip");
    const int Full = Metrics.horizontalAdvance(Path);
    EXPECT_EQ(ElidedPath(Metrics, Path, Full), Path);

    const int Half = Full / 2;
    const QString Short = ElidedPath(Metrics, Path, Half);
    EXPECT_TRUE(Short.startsWith("/ho")) << Short.toStdString();
    EXPECT_TRUE(Short.endsWith("/KR6-Liste.zip")) << Short.toStdString();
    EXPECT_TRUE(Short.contains(QChar(0x2026)));
    EXPECT_LE(Metrics.horizontalAdvance(Short), Half);

    // Too narrow for the whole name: its end, with the extension, stays.
    const int Narrow = Metrics.horizontalAdvance(QStringLiteral("Liste.zip"));
    const QString Tail = ElidedPath(Metrics, Path, Narrow);
    EXPECT_TRUE(Tail.endsWith(".zip")) << Tail.toStdString();
    EXPECT_LE(Metrics.horizontalAdvance(Tail), Narrow);
    const QString Bare =
        ElidedPath(Metrics, QStringLiteral("Eine sehr lange Preisliste.zip"), Narrow);
    EXPECT_TRUE(Bare.endsWith(".zip")) << Bare.toStdString();
}

} // namespace
} // namespace kr6
