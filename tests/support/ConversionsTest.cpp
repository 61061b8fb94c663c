#include "support/Conversions.h"
#include "support/StringList.h"

#include <gtest/gtest.h>

#include <limits>

namespace kr6 {
namespace {

TEST(ConversionsTest, TextToBoolAndInt) {
    EXPECT_TRUE(TextToBool("1abc"));
    EXPECT_FALSE(TextToBool(" 1"));
    EXPECT_FALSE(TextToBool(""));
    EXPECT_EQ(TextToInt("  42  "), 42);
    EXPECT_EQ(TextToInt(" +7"), 7);
    EXPECT_EQ(TextToInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(TextToInt("2147483647"), std::numeric_limits<std::int32_t>::max());
    for (const char* Text : {"", "4 2", "-", "+-1", "1.5", "12a", "0x10", "\t5", "2147483648",
                             "-2147483649", "99999999999999999999"})
        EXPECT_EQ(TextToInt(Text), 0) << Text;
}

TEST(ConversionsTest, TextToFloatTakesEitherSeparator) {
    EXPECT_DOUBLE_EQ(TextToFloat("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(TextToFloat("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(TextToFloat(" 1 000,5 "), 1000.5);
    EXPECT_DOUBLE_EQ(TextToFloat("-,25"), -0.25);
    EXPECT_DOUBLE_EQ(TextToFloat("+1,5E3"), 1500);
    for (const char* Text :
         {"", "1.000,5", "1,2,3", "inf", "nan", "--1", "1e", ".", "0x1p3", "1e999", "1;5"})
        EXPECT_EQ(TextToFloat(Text), 0.0) << Text;
}

TEST(ConversionsTest, FloatToTextUsesTheGeneralFormat) {
    EXPECT_EQ(FloatToText(-0.0, false), "0");
    EXPECT_EQ(FloatToText(-2.25, false), "-2.25");
    EXPECT_EQ(FloatToText(100, false), "100");
    EXPECT_EQ(FloatToText(0.1 + 0.2, false), "0.3");
    EXPECT_EQ(FloatToText(1.0 / 3, false), "0.333333333333333");
    EXPECT_EQ(FloatToText(1e-5, false), "0.00001");
    EXPECT_EQ(FloatToText(123456789012345, false), "123456789012345");
    EXPECT_EQ(FloatToText(1.5e-6, false), "1.5E-6");
    EXPECT_EQ(FloatToText(-1.5e20, false), "-1.5E20");
    // Rounding to 15 digits reaches the next power of ten.
    EXPECT_EQ(FloatToText(999999999999999.9, false), "1E15");
    EXPECT_EQ(FloatToText(1e-12, false), "1E-12");
    EXPECT_EQ(FloatToText(1e-11, true), "");
    EXPECT_EQ(FloatToText(2e-11, true), "2E-11");
}

TEST(ConversionsTest, IntToZeroPaddedKeepsTheLastDigits) {
    EXPECT_EQ(IntToZeroPadded(42, 5), "00042");
    EXPECT_EQ(IntToZeroPadded(-42, 5), "-0042");
    EXPECT_EQ(IntToZeroPadded(123456, 3), "456");
    EXPECT_EQ(IntToZeroPadded(7, 0), "");
    EXPECT_EQ(IntToZeroPadded(7, 40), std::string(39, '0') + "7");
    EXPECT_EQ(IntToZeroPadded(7, 41), std::string(30, '0') + "7");
    EXPECT_EQ(IntToZeroPadded(std::numeric_limits<std::int64_t>::min(), 20),
              "-9223372036854775808");
}

TEST(ConversionsTest, TrimmingAndPaddingTouchOnlyBlanks) {
    EXPECT_EQ(PrefixIfNotEmpty("x", ""), "");
    EXPECT_EQ(PrefixIfNotEmpty("x", "a"), "xa");
    EXPECT_EQ(TrimRightChar("a00b000", '0'), "a00b");
    EXPECT_EQ(TrimBlanks("  \ta b\t  "), "\ta b\t");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(RemoveBlanks(" a b\tc "), "ab\tc");
    EXPECT_EQ(PadRight("ab", 4), "ab  ");
    EXPECT_EQ(PadRight("abcdef", 3), "abc");
}

TEST(ConversionsTest, GetFieldWalksFromTheLeft) {
    EXPECT_EQ(GetField("6.9.0", ".", 1), "6");
    EXPECT_EQ(GetField("6.9.0", ".", 3), "0");
    EXPECT_EQ(GetField("6.9.0", ".", 4), "");
    EXPECT_EQ(GetField("6.9.0", ".", 0), "");
    EXPECT_EQ(GetField("a..b", ".", 2), "");
    EXPECT_EQ(GetField("a..b", ".", 3), "b");
    EXPECT_EQ(GetField("a::b::", "::", 2), "b");
    EXPECT_EQ(GetField("a::b::", "::", 3), "");
    EXPECT_EQ(GetField("a.b", "", 1), "a.b");
}

TStringList Lines(std::string_view Text, bool Sorted = false) {
    TStringList List(Sorted);
    List.SetText(Text);
    return List;
}

TEST(ConversionsTest, KeepListedAndRemoveListed) {
    // KeepListed uses the allowed list's lookup and keeps the order.
    TStringList List = Lines("b\nA\nc\na");
    KeepListed(List, Lines("a\nB", true));
    EXPECT_EQ(List.Text(), "b\r\nA\r\na\r\n");

    // RemoveListed sorts and drops duplicates, unless there is nothing to remove.
    List = Lines("b\na\nb");
    RemoveListed(List, Lines("c"));
    EXPECT_EQ(List.Text(), "a\r\nb\r\n");
    List = Lines("c\nB\na\nb");
    RemoveListed(List, Lines("b\nx"));
    EXPECT_EQ(List.Text(), "a\r\nc\r\n");
    List = Lines("b\na\nb");
    RemoveListed(List, TStringList());
    EXPECT_EQ(List.Text(), "b\r\na\r\nb\r\n");
}

} // namespace
} // namespace kr6
