#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kr6 {
namespace {

// The walk and the count agree on every kind of line end; the line limit is checked by the
// count and the import walks.
TEST(TextLinesTest, WalkAndCountAgreeOnEveryLineEnd) {
    for (const auto& [Text, Lines] :
         {std::pair{std::string_view("a\r\nb\nc\rd"), "a|b|c|d|"},
          {"a\r\n", "a|"},
          {"a\rb\rc\nd\re", "a|b|c|d|e|"},
          {"a\n\r\r\nb", "a|||b|"},
          {"\r", "|"},
          {"\r\n\r\n", "||"},
          {"\n\n", "||"},
          {std::string_view("a\nb\0c\nd", 7), "a|b|"},
          {std::string_view("\0a", 2), ""},
          {"", ""}}) {
        std::string Walked;
        std::size_t Count = 0;
        for (const std::string_view Line : TTextLines(Text)) {
            Walked.append(Line).append("|");
            ++Count;
        }
        EXPECT_EQ(Walked, Lines) << Text;
        EXPECT_EQ(TTextLines(Text).Count(), Count) << Text;
    }
}

} // namespace
} // namespace kr6
