#include "model/XmlWriter.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

TEST(XmlWriter, EscapesMarkupLineBreaksAndEveryByteAbove123) {
    EXPECT_EQ(EscapeText("A&B"), "A&amp;B");
    EXPECT_EQ(EscapeText("<'\">\r\n"), "&lt;&apos;&quot;&gt;&#13;&#10;");
    EXPECT_EQ(EscapeText("\xC4\xE4"), "&#196;&#228;");
    EXPECT_EQ(EscapeText("{|}~\x7F\x80"), "{&#124;&#125;&#126;&#127;&#128;");
    EXPECT_EQ(EscapeText(""), "");
}

TEST(XmlWriter, ElementKinds) {
    TXmlStream S;
    WriteStrElement(S, "EDV", "A&B");
    WriteStrElement(S, "E", "", true);
    WriteStrElement(S, "F", "");
    WriteStrElement(S, "R", "<raw>", false, false);
    WriteBoolElement(S, "NO", false);
    WriteBoolElement(S, "YES", true);
    WriteIntElement(S, "I", -42);
    WriteFloatElement(S, "X", 1.5);
    WriteDateElement(S, "D", 0);
    WriteDateElement(S, "D", EncodeDateTime(2024, 2, 29, 13, 0));
    WriteDateTimeElement(S, "T", EncodeDateTime(2024, 2, 29, 13, 4, 5));
    EXPECT_EQ(S, "<EDV>A&amp;B</EDV><F></F><R><raw></R><YES>1</YES><I>-42</I><X>1.5</X>"
                 "<D></D><D>20240229</D><T>20240229130405</T>");
}

TEST(XmlWriter, KeepsLongTextsWhole) {
    const std::string Long(9000, '\xE4');
    TXmlStream S;
    WriteStrElement(S, "B", Long);
    EXPECT_EQ(S.size(), 3 + 9000 * 6 + 4);
    EXPECT_EQ(S.substr(S.size() - 10), "&#228;</B>");
}

} // namespace
} // namespace kr6
