#include "support/DateTimeText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace kr6 {
namespace {

constexpr double Second = 1.0 / 86400;

TEST(DateTimeTextTest, EncodesDaysSinceTheEpochOfTheFormat) {
    TDateTime D = -1;
    EXPECT_TRUE(TryEncodeDate(1899, 12, 30, D));
    EXPECT_EQ(D, 0);
    EXPECT_TRUE(TryEncodeDate(1900, 1, 1, D));
    EXPECT_EQ(D, 2);
    EXPECT_TRUE(TryEncodeDate(2000, 1, 1, D));
    EXPECT_EQ(D, 36526);
    EXPECT_TRUE(TryEncodeDate(1899, 12, 29, D));
    EXPECT_EQ(D, -1);
    EXPECT_TRUE(TryEncodeDate(2024, 2, 29, D));
    EXPECT_TRUE(TryEncodeTime(23, 59, 59, D));
    EXPECT_DOUBLE_EQ(D, 1 - Second);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2000, 1, 1, 12), 36526.5);
}

TEST(DateTimeTextTest, RejectsInvalidDatesAndTimes) {
    TDateTime D = 7;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, D));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, D));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, D));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1, D));
    EXPECT_FALSE(TryEncodeDate(2024, 1, 0, D));
    // A day that a byte would wrap to a valid one.
    EXPECT_FALSE(TryEncodeDate(2024, 1, 257, D));
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, D));
    EXPECT_FALSE(TryEncodeTime(0, 60, 0, D));
    EXPECT_FALSE(TryEncodeTime(0, 0, -1, D));
    EXPECT_EQ(D, 7);
    EXPECT_THROW(EncodeDateTime(2023, 2, 29), std::invalid_argument);
    EXPECT_THROW(EncodeDateTime(2024, 2, 29, 24), std::invalid_argument);
}

TEST(DateTimeTextTest, DecodeRoundsToTheMillisecond) {
    int Y, M, D, H, N, S;
    DecodeDateTime(EncodeDateTime(2024, 3, 1, 14, 5, 59), Y, M, D, H, N, S);
    EXPECT_EQ((std::vector{Y, M, D, H, N, S}), (std::vector{2024, 3, 1, 14, 5, 59}));
    DecodeDateTime(EncodeDateTime(2024, 3, 2) - 1e-10, Y, M, D, H, N, S);
    EXPECT_EQ((std::vector{Y, M, D, H, N, S}), (std::vector{2024, 3, 2, 0, 0, 0}));
    DecodeDateTime(EncodeDateTime(2024, 3, 2) - 0.4 * Second, Y, M, D, H, N, S);
    EXPECT_EQ((std::vector{Y, M, D, H, N, S}), (std::vector{2024, 3, 1, 23, 59, 59}));
}

TEST(DateTimeTextTest, NegativeValuesCountTheTimeFromMidnight) {
    const TDateTime D = EncodeDateTime(1899, 12, 29, 6);
    EXPECT_DOUBLE_EQ(D, -1.25);
    EXPECT_EQ(DateTimeToText14(false, D), "18991229060000");
    EXPECT_EQ(DateTimeToText14(false, -0.5), "18991230120000");
    EXPECT_EQ(DateTimeToText14(false, TextToDateTime("18500101123000")), "18500101123000");
    EXPECT_EQ(DateToText(false, EncodeDateTime(1, 1, 1, 23, 59, 59)), "00010101");
}

TEST(DateTimeTextTest, DecodeRejectsValuesOutsideTheCalendar) {
    int Y, M, D, H, N, S;
    EXPECT_NO_THROW(DecodeDateTime(EncodeDateTime(9999, 12, 31, 23, 59, 59), Y, M, D, H, N, S));
    EXPECT_THROW(DecodeDateTime(1e300, Y, M, D, H, N, S), std::invalid_argument);
    EXPECT_THROW(DecodeDateTime(EncodeDateTime(9999, 12, 31) + 1, Y, M, D, H, N, S),
                 std::invalid_argument);
    EXPECT_THROW(DecodeDateTime(std::nan(""), Y, M, D, H, N, S), std::invalid_argument);
    EXPECT_THROW(DateToText(false, -1e9), std::invalid_argument);
}

TEST(DateTimeTextTest, WritesTheThreeTextForms) {
    const TDateTime D = EncodeDateTime(2024, 3, 1, 14, 5, 59);
    EXPECT_EQ(DateToText(true, D), "20240301");
    EXPECT_EQ(DateTimeToText12(true, D), "202403011405");
    EXPECT_EQ(DateTimeToText14(true, D), "20240301140559");
    EXPECT_EQ(DateToText(false, 0), "18991230");
    EXPECT_EQ(DateTimeToText12(false, 0), "189912300000");
    for (const TDateTime Empty : {0.0, HalfSecond, -5.0}) {
        EXPECT_EQ(DateToText(true, Empty), "");
        EXPECT_EQ(DateTimeToText12(true, Empty), "");
        EXPECT_EQ(DateTimeToText14(true, Empty), "");
    }
    EXPECT_EQ(DateTimeToText14(true, 3 * HalfSecond), "18991230000001");
}

TEST(DateTimeTextTest, TextToDateTimeAbsorbsInvalidParts) {
    EXPECT_EQ(TextToDateTime("20240229"), EncodeDateTime(2024, 2, 29));
    EXPECT_EQ(TextToDateTime("20230229"), 0);
    EXPECT_EQ(TextToDateTime(""), 0);
    EXPECT_EQ(TextToDateTime("2024030112"), EncodeDateTime(2024, 3, 1, 12));
    EXPECT_EQ(TextToDateTime("20240301250000"), EncodeDateTime(2024, 3, 1));
    EXPECT_DOUBLE_EQ(TextToDateTime("20230229063000"), 0.2708333333333333);
    EXPECT_EQ(TextToDateTime("2024030"), 0);
    EXPECT_EQ(TextToDateTime("2024 3 1"), EncodeDateTime(2024, 3, 1));
    EXPECT_EQ(DateTimeToText14(false, TextToDateTime("20240301235959")), "20240301235959");
}

TEST(DateTimeTextTest, TextToDateTime12ThrowsOnInvalidText) {
    EXPECT_EQ(TextToDateTime12("202403011405"), EncodeDateTime(2024, 3, 1, 14, 5));
    EXPECT_EQ(TextToDateTime12("20240301"), EncodeDateTime(2024, 3, 1));
    EXPECT_THROW(TextToDateTime12(""), std::invalid_argument);
    EXPECT_THROW(TextToDateTime12("20230229"), std::invalid_argument);
    EXPECT_THROW(TextToDateTime12("202403012400"), std::invalid_argument);
}

TEST(DateTimeTextTest, IsDateInRangeTreatsZeroAsOpen) {
    const TDateTime Jan1 = EncodeDateTime(2024, 1, 1);
    const TDateTime Dec31 = EncodeDateTime(2023, 12, 31);
    EXPECT_TRUE(IsDateInRange(Jan1, Jan1, 0));
    EXPECT_FALSE(IsDateInRange(Dec31, Jan1, 0));
    EXPECT_TRUE(IsDateInRange(Dec31, 0, Dec31));
    EXPECT_FALSE(IsDateInRange(Jan1, 0, Dec31));
    EXPECT_TRUE(IsDateInRange(0, Jan1, Jan1));
    EXPECT_TRUE(IsDateInRange(Jan1, 0, 0));
}

TEST(DateTimeTextTest, NowIsARecentLocalTime) {
    const TDateTime Current = Now();
    EXPECT_GT(Current, EncodeDateTime(2024, 1, 1));
    EXPECT_LT(Current, EncodeDateTime(2200, 1, 1));
}

} // namespace
} // namespace kr6
