#include "support/TextCompare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

TEST(TextCompareTest, SameTextFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(SameText("ab12", "AB12"));
    EXPECT_FALSE(SameText("ab", "abc") || SameText("a ", "a"));
    EXPECT_FALSE(SameText("\xE4", "\xC4")); // ä, Ä
    EXPECT_FALSE(SameText("@", "`"));       // one case bit apart, but no letters
}

TEST(TextCompareTest, WeightClassesOrderBytesAndPrefixesSortFirst) {
    // Each text weighs less than the next one; þ weighs as Þ (0xDE), just below ß.
    const std::vector<std::string> Ascending = {
        "",  "\x01", "\t",   "\x1F", "\x7F", " ",        "!",    "-",   "_",
        "~", "\x80", "\xD7", "\xF7", "0",    "9",        "A",    "ab",  "ABC",
        "b", "Z",    "Zeta", "\x8A", "\x9F", "\xC4rger", "\xFE", "\xDF"};
    for (std::size_t I = 0; I + 1 < Ascending.size(); ++I) {
        EXPECT_LT(CompareText(Ascending[I], Ascending[I + 1]), 0) << I;
        EXPECT_GT(CompareText(Ascending[I + 1], Ascending[I]), 0) << I;
    }
    EXPECT_LT(CompareText("A\tZ", "A B"), 0);
}

TEST(TextCompareTest, CaseFoldsWindows1252Letters) {
    EXPECT_EQ(CompareText("ab12", "AB12"), 0);
    EXPECT_EQ(CompareText("\xE4", "\xC4"), 0); // ä, Ä
    EXPECT_EQ(CompareText("\x9A", "\x8A"), 0); // š, Š
    EXPECT_EQ(CompareText("\xFF", "\x9F"), 0); // ÿ, Ÿ
    EXPECT_NE(CompareText("\xDF", "SS"), 0);   // ß has no upper-case form
    EXPECT_NE(CompareText("\xF7", "\xD7"), 0);
    EXPECT_EQ(AnsiUpperCase("abz09-"), "ABZ09-");
    EXPECT_EQ(AnsiUpperCase("\xE4\xF6\xFC\xE0\xFE"), "\xC4\xD6\xDC\xC0\xDE");
    EXPECT_EQ(AnsiUpperCase("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");
    // No upper-case form, or not a letter at all.
    EXPECT_EQ(AnsiUpperCase("\xDF\x83\xAA\xB5\xBA\xF7"), "\xDF\x83\xAA\xB5\xBA\xF7");
}

} // namespace
} // namespace kr6
