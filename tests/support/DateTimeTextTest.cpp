#include "support/DateTimeText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace kr6 {
namespace {

TEST(DateTimeTextTest, EncodesDaysSinceTheEpochOfTheFormat) {
    TDateTime D = -7;
    EXPECT_TRUE(TryEncodeDate(1899, 12, 30, D));
    EXPECT_EQ(D, 0);
    EXPECT_TRUE(TryEncodeDate(2000, 1, 1, D));
    EXPECT_EQ(D, 36526);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2000, 1, 1, 12), 36526.5);
}

TEST(DateTimeTextTest, RejectsInvalidDatesAndTimes) {
    TDateTime D = 7;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, D) || TryEncodeDate(0, 1, 1, D) ||
                 TryEncodeDate(10000, 1, 1, D) || TryEncodeDate(2024, 13, 1, D));
    EXPECT_FALSE(TryEncodeDate(2024, 1, 257, D)); // would wrap to a valid day in a byte
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, D) || TryEncodeTime(0, 60, 0, D) ||
                 TryEncodeTime(0, 0, -1, D));
    EXPECT_EQ(D, 7);
    EXPECT_THROW(EncodeDateTime(2023, 2, 29), std::invalid_argument);
    EXPECT_THROW(EncodeDateTime(2024, 2, 29, 24), std::invalid_argument);
}

TEST(DateTimeTextTest, WritesTheThreeTextFormsRoundedToTheMillisecond) {
    const TDateTime D = EncodeDateTime(2024, 3, 1, 14, 5, 59);
    EXPECT_EQ(DateToText(true, D), "20240301");
    EXPECT_EQ(DateTimeToText12(true, D), "202403011405");
    EXPECT_EQ(DateTimeToText14(true, D), "20240301140559");
    for (const TDateTime Empty : {0.0, HalfSecond, -5.0})
        EXPECT_EQ(DateToText(true, Empty) + DateTimeToText12(true, Empty) +
                      DateTimeToText14(true, Empty),
                  "");
    const TDateTime Midnight = EncodeDateTime(2024, 3, 2);
    EXPECT_EQ(DateTimeToText14(false, Midnight - 1e-10), "20240302000000");
    EXPECT_EQ(DateTimeToText14(false, Midnight - 0.4 / 86400), "20240301235959");
    EXPECT_EQ(DateTimeToText14(true, 3 * HalfSecond), "18991230000001");
    // Negative values count the time from midnight.
    EXPECT_EQ(DateTimeToText14(false, -1.25), "18991229060000");
    EXPECT_EQ(DateTimeToText14(false, -0.5), "18991230120000");
    EXPECT_EQ(DateTimeToText14(false, TextToDateTime("18500101123000")), "18500101123000");
    EXPECT_EQ(DateToText(false, EncodeDateTime(1, 1, 1, 23, 59, 59)), "00010101");
}

TEST(DateTimeTextTest, DecodeRejectsValuesOutsideTheCalendar) {
    int Y, M, D, H, N, S;
    DecodeDateTime(EncodeDateTime(9999, 12, 31, 23, 59, 59), Y, M, D, H, N, S);
    EXPECT_EQ(Y * 10000 + M * 100 + D, 99991231);
    EXPECT_EQ(H * 10000 + N * 100 + S, 235959);
    EXPECT_THROW(DecodeDateTime(1e300, Y, M, D, H, N, S), std::invalid_argument);
    EXPECT_THROW(DecodeDateTime(std::nan(""), Y, M, D, H, N, S), std::invalid_argument);
    EXPECT_THROW(DateToText(false, EncodeDateTime(9999, 12, 31) + 1), std::invalid_argument);
}

TEST(DateTimeTextTest, ReadingAbsorbsInvalidPartsOrThrows) {
    EXPECT_EQ(TextToDateTime("20240229"), EncodeDateTime(2024, 2, 29));
    EXPECT_EQ(TextToDateTime("20230229") + TextToDateTime("") + TextToDateTime("2024030"), 0);
    EXPECT_EQ(TextToDateTime("2024030112"), EncodeDateTime(2024, 3, 1, 12));
    EXPECT_EQ(TextToDateTime("20240301250000"), EncodeDateTime(2024, 3, 1));
    EXPECT_DOUBLE_EQ(TextToDateTime("20230229063000"), 6.5 / 24);
    EXPECT_EQ(TextToDateTime("2024 3 1"), EncodeDateTime(2024, 3, 1));
    EXPECT_EQ(TextToDateTime12("202403011405"), EncodeDateTime(2024, 3, 1, 14, 5));
    EXPECT_EQ(TextToDateTime12("20240301"), EncodeDateTime(2024, 3, 1));
    EXPECT_THROW(TextToDateTime12(""), std::invalid_argument);
    EXPECT_THROW(TextToDateTime12("202403012400"), std::invalid_argument);
}

TEST(DateTimeTextTest, IsDateInRangeTreatsZeroAsOpen) {
    const TDateTime Jan1 = EncodeDateTime(2024, 1, 1);
    const TDateTime Dec31 = EncodeDateTime(2023, 12, 31);
    EXPECT_TRUE(IsDateInRange(Jan1, Jan1, 0) && IsDateInRange(Dec31, 0, Dec31) &&
                IsDateInRange(0, Jan1, Jan1));
    EXPECT_FALSE(IsDateInRange(Dec31, Jan1, 0) || IsDateInRange(Jan1, 0, Dec31));
}

} // namespace
} // namespace kr6
