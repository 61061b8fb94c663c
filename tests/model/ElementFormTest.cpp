// The element form's writer and reader on their own: escaping, the events a
// handler sees and how a handler passes the reader on.
#include "model/ElementReader.h"
#include "model/XmlWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

TEST(XmlWriter, EscapesMarkupLineBreaksAndEveryByteAbove123) {
    EXPECT_EQ(EscapeText("A&B<'\">\r\n"), "A&amp;B&lt;&apos;&quot;&gt;&#13;&#10;");
    EXPECT_EQ(EscapeText("{|}~\x7F\x80\xC4\xFF"), "{&#124;&#125;&#126;&#127;&#128;&#196;&#255;");
    const std::string Long(9000, '\xE4');
    TXmlStream S;
    WriteStrElement(S, "B", Long);
    EXPECT_EQ(S.size(), 3 + 9000 * 6 + 4) << "long texts stay whole";
}

// Records the texts it reads as "name=content" and hands the reader on at the element IN.
class TRecorder : public Tdex6Node {
public:
    std::vector<std::string> Texts;
    TRecorder* HandOverAt = nullptr;

    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override {
        if (PartType == TPartType::Text)
            Texts.push_back(std::string(Name) + "=" + std::string(Content));
        if (HandOverAt != nullptr && PartType == TPartType::StartTag && Name == "IN")
            HandOverAt->BeginRead(Reader, this);
    }
    void BeginRead(TElementReader& Reader, Tdex6Node* /*ReadParent*/) override {
        Reader.SetHandler(this);
    }
};

TEST(ElementReader, LeavesHandOverAndEveryByteAsWritten) {
    std::string All;
    for (int C = 1; C < 256; ++C)
        All += static_cast<char>(C);
    TXmlStream Stream;
    WriteStrElement(Stream, "T", All);
    TRecorder Outer;
    TRecorder Inner;
    Outer.HandOverAt = &Inner;
    TElementReader Reader;
    Reader.Read("<A><B>x</B><C></C><D/>" + Stream + "<IN><E>&#8364;&#x20AC;&#228;</E></IN></A>",
                Outer);
    EXPECT_EQ(Outer.Texts, (std::vector<std::string>{"B=x", "C=", "D=", "T=" + All}));
    // References to Unicode code points map to Windows-1252.
    EXPECT_EQ(Inner.Texts, std::vector<std::string>{"E=\x80\x80\xE4"});
    EXPECT_EQ(Reader.Handler(), &Inner);
}

} // namespace
} // namespace kr6
