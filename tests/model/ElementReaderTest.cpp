#include "model/ElementReader.h"
#include "model/XmlWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

struct TEvent {
    TPartType PartType;
    std::string Name;
    std::string Content;
    bool operator==(const TEvent&) const = default;
};

class TRecorder : public Tdex6Node {
public:
    std::vector<TEvent> Events;
    TRecorder* HandOverAt = nullptr;
    std::string HandOverTag;

    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override {
        Events.push_back({PartType, std::string(Name), std::string(Content)});
        if (HandOverAt != nullptr && PartType == TPartType::StartTag && Name == HandOverTag)
            HandOverAt->BeginRead(Reader, this);
    }
    void BeginRead(TElementReader& Reader, Tdex6Node* /*ReadParent*/) override {
        Reader.SetHandler(this);
    }
};

TEST(ElementReader, DeliversStartTextAndEndEventsForLeaves) {
    TRecorder Recorder;
    TElementReader Reader;
    Reader.Read("<A><B>x</B><C></C><D/></A>", Recorder);
    const std::vector<TEvent> Expected = {
        {TPartType::StartTag, "A", ""}, {TPartType::StartTag, "B", ""}, {TPartType::Text, "B", "x"},
        {TPartType::EndTag, "B", ""},   {TPartType::StartTag, "C", ""}, {TPartType::Text, "C", ""},
        {TPartType::EndTag, "C", ""},   {TPartType::StartTag, "D", ""}, {TPartType::Text, "D", ""},
        {TPartType::EndTag, "D", ""},   {TPartType::EndTag, "A", ""}};
    EXPECT_EQ(Recorder.Events, Expected);
}

TEST(ElementReader, AHandlerCanInstallAnotherWhileHandlingAnEvent) {
    TRecorder Outer;
    TRecorder Inner;
    Outer.HandOverAt = &Inner;
    Outer.HandOverTag = "IN";
    TElementReader Reader;
    Reader.Read("<R><IN><V>1</V></IN></R>", Outer);
    ASSERT_EQ(Outer.Events.size(), 2U);
    EXPECT_EQ(Outer.Events[1].Name, "IN");
    EXPECT_EQ(Inner.Events.front(), (TEvent{TPartType::StartTag, "V", ""}));
    EXPECT_EQ(Reader.Handler(), &Inner);
}

TEST(ElementReader, ReadsEveryByteAsWrittenAndForeignReferencesAsWindows1252) {
    std::string All;
    for (int C = 1; C < 256; ++C)
        All += static_cast<char>(C);
    TXmlStream Stream;
    WriteStrElement(Stream, "T", All);
    TRecorder Recorder;
    TElementReader Reader;
    Reader.Read(Stream, Recorder);
    ASSERT_EQ(Recorder.Events.size(), 3U);
    EXPECT_EQ(Recorder.Events[1].Content, All);

    // References written elsewhere to Unicode code points map to Windows-1252.
    TRecorder Foreign;
    Reader.Read("<T>&#8364;&#x20AC;&#228;</T>", Foreign);
    EXPECT_EQ(Foreign.Events[1].Content, "\x80\x80\xE4");
}

TEST(ElementReader, MalformedTextNamesTheSourceAndPosition) {
    TRecorder Recorder;
    TElementReader Reader;
    try {
        Reader.Read("<A><B></A>", Recorder, "model.xml");
        FAIL() << "no error";
    } catch (const EElementFormError& Error) {
        EXPECT_NE(std::string(Error.what()).find("model.xml"), std::string::npos);
        EXPECT_NE(std::string(Error.what()).find("line 1"), std::string::npos);
    }
}

} // namespace
} // namespace kr6
