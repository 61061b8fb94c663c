#include "support/Cp1252.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

TEST(Cp1252, ToUtf8MapsTheHighControlRangeToWindowsCharacters) {
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");         // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\xC5\xB8");             // Y with diaeresis
    EXPECT_EQ(Cp1252ToUtf8("\x81\x9D"), "\xC2\x81\xC2\x9D"); // undefined bytes
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string All;
    for (int B = 0; B < 256; ++B)
        All += static_cast<char>(B);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(All)), All);
}

TEST(Cp1252, FromUtf8ReplacesWhatHasNoWindowsForm) {
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC 5"), "\x80 5");
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");       // CJK character
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80x"), "?x"); // outside the BMP
    EXPECT_EQ(Utf8ToCp1252("\xC2\x80"), "?");           // C1 control without a byte
    EXPECT_EQ(Utf8ToCp1252("\xFF"
                           "a\xC3"),
              "?a?");                               // invalid and truncated
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");      // overlong
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???"); // surrogate
}

} // namespace
} // namespace kr6
