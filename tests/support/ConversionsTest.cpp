#include "support/Conversions.h"
#include "support/StringList.h"

#include <gtest/gtest.h>

#include <limits>

namespace kr6 {
namespace {

TEST(ConversionsTest, TextToBoolLooksOnlyAtTheFirstCharacter) {
    EXPECT_TRUE(TextToBool("1abc"));
    EXPECT_FALSE(TextToBool(" 1"));
    EXPECT_FALSE(TextToBool("true"));
    EXPECT_FALSE(TextToBool(""));
    EXPECT_EQ(BoolToChar(true), '1');
    EXPECT_EQ(BoolToChar(false), '0');
}

TEST(ConversionsTest, TextToIntAcceptsBlanksAroundAndASign) {
    EXPECT_EQ(TextToInt("  42  "), 42);
    EXPECT_EQ(TextToInt("-17"), -17);
    EXPECT_EQ(TextToInt(" +7"), 7);
    EXPECT_EQ(TextToInt("007"), 7);
    EXPECT_EQ(TextToInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(TextToInt("2147483647"), std::numeric_limits<std::int32_t>::max());
}

TEST(ConversionsTest, TextToIntGivesZeroForInvalidText) {
    for (const char* Text : {"", "   ", "4 2", "-", "+-1", "1.5", "12a", "0x10", "\t5",
                             "2147483648", "-2147483649", "99999999999999999999"})
        EXPECT_EQ(TextToInt(Text), 0) << Text;
}

TEST(ConversionsTest, TextToFloatTakesEitherSeparator) {
    EXPECT_DOUBLE_EQ(TextToFloat("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(TextToFloat("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(TextToFloat(" 1 000,5 "), 1000.5);
    EXPECT_DOUBLE_EQ(TextToFloat("-0,25"), -0.25);
    EXPECT_DOUBLE_EQ(TextToFloat("+3"), 3);
    EXPECT_DOUBLE_EQ(TextToFloat(".5"), 0.5);
    EXPECT_DOUBLE_EQ(TextToFloat("1,5E3"), 1500);
    EXPECT_DOUBLE_EQ(TextToFloat("2e-2"), 0.02);
}

TEST(ConversionsTest, TextToFloatGivesZeroForInvalidText) {
    for (const char* Text :
         {"", "1.000,5", "1,2,3", "abc", "inf", "nan", "--1", "1e", ".", "0x1p3", "1e999", "1;5"})
        EXPECT_EQ(TextToFloat(Text), 0.0) << Text;
}

TEST(ConversionsTest, IsZeroUsesATolerance) {
    EXPECT_TRUE(IsZero(1e-11));
    EXPECT_TRUE(IsZero(-1e-12));
    EXPECT_FALSE(IsZero(2e-11));
}

TEST(ConversionsTest, FloatToTextUsesTheGeneralFormat) {
    EXPECT_EQ(FloatToText(0, false), "0");
    EXPECT_EQ(FloatToText(-0.0, false), "0");
    EXPECT_EQ(FloatToText(1.5, false), "1.5");
    EXPECT_EQ(FloatToText(-2.25, false), "-2.25");
    EXPECT_EQ(FloatToText(100, false), "100");
    EXPECT_EQ(FloatToText(0.1 + 0.2, false), "0.3");
    EXPECT_EQ(FloatToText(1.0 / 3, false), "0.333333333333333");
    EXPECT_EQ(FloatToText(1e-5, false), "0.00001");
    EXPECT_EQ(FloatToText(123456789012345, false), "123456789012345");
}

TEST(ConversionsTest, FloatToTextUsesAnExponentOutsideTheFixedRange) {
    EXPECT_EQ(FloatToText(1e-12, false), "1E-12");
    EXPECT_EQ(FloatToText(1e-12, true), "");
    EXPECT_EQ(FloatToText(0, true), "");
    EXPECT_EQ(FloatToText(1.5e-6, false), "1.5E-6");
    EXPECT_EQ(FloatToText(1e20, false), "1E20");
    EXPECT_EQ(FloatToText(-1.5e20, false), "-1.5E20");
    EXPECT_EQ(FloatToText(1e15, false), "1E15");
    // Rounding to 15 digits reaches the next power of ten.
    EXPECT_EQ(FloatToText(999999999999999.9, false), "1E15");
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

TEST(ConversionsTest, TrimmingAndPadding) {
    EXPECT_EQ(PrefixIfNotEmpty("x", ""), "");
    EXPECT_EQ(PrefixIfNotEmpty("x", "a"), "xa");
    EXPECT_EQ(TrimRightChar("a00b000", '0'), "a00b");
    EXPECT_EQ(TrimRightBlanks(" a b \t  "), " a b \t");
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(RemoveBlanks(" a b\tc "), "ab\tc");
    EXPECT_EQ(PadRight("ab", 4), "ab  ");
    EXPECT_EQ(PadRight("abcdef", 3), "abc");
    EXPECT_EQ(PadRight("ab", 0), "");
    std::string A = "a", B = "b";
    SwapTexts(A, B);
    EXPECT_EQ(A + B, "ba");
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
    EXPECT_EQ(GetField("a.b", "", 2), "");
}

TStringList Lines(std::initializer_list<const char*> Texts, bool Sorted = false) {
    TStringList List(Sorted);
    for (const char* T : Texts)
        List.Add(T);
    return List;
}

TEST(ConversionsTest, KeepListedUsesTheAllowedListsLookup) {
    TStringList List = Lines({"b", "A", "c", "a"});
    KeepListed(List, Lines({"a", "B"}, true));
    EXPECT_EQ(List.Text(), "b\r\nA\r\na\r\n");
}

TEST(ConversionsTest, RemoveListedSortsAndDropsDuplicates) {
    TStringList List = Lines({"b", "a", "b"});
    RemoveListed(List, Lines({"c"}));
    EXPECT_EQ(List.Text(), "a\r\nb\r\n");

    List = Lines({"c", "B", "a", "b"});
    RemoveListed(List, Lines({"b", "x"}));
    EXPECT_EQ(List.Text(), "a\r\nc\r\n");

    List = Lines({"b", "a", "b"});
    RemoveListed(List, TStringList());
    EXPECT_EQ(List.Text(), "b\r\na\r\nb\r\n");
}

} // namespace
} // namespace kr6
