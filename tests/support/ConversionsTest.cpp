#include "support/Conversions.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace kr6 {
namespace {

TEST(ConversionsTest, TextToBoolAndInt) {
    EXPECT_TRUE(TextToBool("1abc"));
    EXPECT_FALSE(TextToBool(" 1") || TextToBool(""));
    EXPECT_EQ(TextToInt("  42  ") + TextToInt(" +7"), 49);
    EXPECT_EQ(TextToInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(TextToInt("2147483647"), std::numeric_limits<std::int32_t>::max());
    for (const char* Text : {"", "4 2", "-", "+-1", "1.5", "12a", "0x10", "\t5", "2147483648",
                             "-2147483649", "99999999999999999999"})
        EXPECT_EQ(TextToInt(Text), 0) << Text;
}

TEST(ConversionsTest, TextToFloatTakesEitherSeparator) {
    // clang-format off
    for (const auto& [Text, Value] : {std::pair{"1,5", 1.5}, {"1.5", 1.5}, {" 1 000,5 ", 1000.5},
                                      {"-,25", -0.25}, {"+1,5E3", 1500.0}, {"0000145", 145.0},
                                      {"123456789012345", 123456789012345.0},
                                      {"98765432109876543210", 98765432109876543210.0}})
        EXPECT_DOUBLE_EQ(TextToFloat(Text), Value) << Text;
    // clang-format on
    for (const char* Text :
         {"", "1.000,5", "1,2,3", "inf", "nan", "--1", "1e", ".", "0x1p3", "1e999", "1;5"})
        EXPECT_EQ(TextToFloat(Text), 0.0) << Text;
}

TEST(ConversionsTest, FloatToTextUsesTheGeneralFormat) {
    // Rounding to 15 digits may reach the next power of ten.
    // clang-format off
    for (const auto& [Value, Text] :
         {std::pair{-0.0, "0"}, {-2.25, "-2.25"}, {100.0, "100"}, {0.1 + 0.2, "0.3"},
          {1.0 / 3, "0.333333333333333"}, {1e-5, "0.00001"}, {123456789012345.0, "123456789012345"},
          {1.5e-6, "1.5E-6"}, {-1.5e20, "-1.5E20"}, {999999999999999.9, "1E15"}, {1e-12, "1E-12"}})
        EXPECT_EQ(FloatToText(Value, false), Text) << Text;
    // clang-format on
    EXPECT_EQ(FloatToText(1e-11, true), "");
    EXPECT_EQ(FloatToText(2e-11, true), "2E-11");
}

TEST(ConversionsTest, IntToZeroPaddedKeepsTheLastDigits) {
    EXPECT_EQ(IntToZeroPadded(42, 5), "00042");
    EXPECT_EQ(IntToZeroPadded(-42, 5), "-0042");
    EXPECT_EQ(IntToZeroPadded(123456, 3), "456");
    EXPECT_EQ(IntToZeroPadded(7, 40), std::string(39, '0') + "7");
    EXPECT_EQ(IntToZeroPadded(7, 41), std::string(30, '0') + "7");
    EXPECT_EQ(IntToZeroPadded(std::numeric_limits<std::int64_t>::min(), 20),
              "-9223372036854775808");
}

TEST(ConversionsTest, TextPiecesTouchOnlyBlanks) {
    EXPECT_EQ(TrimBlanks("  \ta b\t  "), "\ta b\t");
    EXPECT_EQ(RemoveBlanks(" a b\tc "), "ab\tc");
    EXPECT_EQ(PadRight("ab", 4) + PadRight("abcdef", 3), "ab  abc");
    // clang-format off
    for (const auto& [Text, Separator, Index, Field] :
         {std::tuple{"6.9.0", ".", 1, "6"}, {"6.9.0", ".", 3, "0"}, {"6.9.0", ".", 4, ""},
          {"6.9.0", ".", 0, ""}, {"a..b", ".", 2, ""}, {"a..b", ".", 3, "b"},
          {"a::b::", "::", 2, "b"}, {"a::b::", "::", 3, ""}, {"a.b", "", 1, "a.b"}})
        EXPECT_EQ(GetField(Text, Separator, Index), Field) << Text << " " << Index;
    // clang-format on
}

} // namespace
} // namespace kr6
