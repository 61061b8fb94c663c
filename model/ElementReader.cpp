#include "model/ElementReader.h"

#include "support/Cp1252.h"

#include <expat.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace kr6 {
namespace {

// Control bytes are not allowed in XML text, not even as character references, but the
// writer passes them through raw. They travel as references into this private-use block.
constexpr unsigned ControlEscapeBase = 0xE000;

bool IsForbiddenControl(unsigned char C) {
    return C < 0x20 && C != '\t' && C != '\n' && C != '\r';
}

std::string EscapeControlBytes(std::string_view Document) {
    std::string Result;
    Result.reserve(Document.size() + 16);
    for (const char C : Document) {
        const auto Byte = static_cast<unsigned char>(C);
        if (IsForbiddenControl(Byte)) {
            Result += "&#";
            Result += std::to_string(ControlEscapeBase + Byte);
            Result += ';';
        } else {
            Result += C;
        }
    }
    return Result;
}

void AppendCodePoint(std::string& Out, unsigned CodePoint) {
    if (CodePoint <= 0xFF) {
        Out += static_cast<char>(CodePoint);
    } else if (CodePoint >= ControlEscapeBase && CodePoint < ControlEscapeBase + 0x20) {
        Out += static_cast<char>(CodePoint - ControlEscapeBase);
    } else {
        std::string Utf8;
        if (CodePoint < 0x800) {
            Utf8 += static_cast<char>(0xC0 | CodePoint >> 6);
        } else if (CodePoint < 0x10000) {
            Utf8 += static_cast<char>(0xE0 | CodePoint >> 12);
            Utf8 += static_cast<char>(0x80 | (CodePoint >> 6 & 0x3F));
        } else {
            Utf8 += static_cast<char>(0xF0 | CodePoint >> 18);
            Utf8 += static_cast<char>(0x80 | (CodePoint >> 12 & 0x3F));
            Utf8 += static_cast<char>(0x80 | (CodePoint >> 6 & 0x3F));
        }
        Utf8 += static_cast<char>(0x80 | (CodePoint & 0x3F));
        Out += Utf8ToCp1252(Utf8);
    }
}

// Expat hands out UTF-8; the model keeps single bytes.
std::string DecodeUtf8(std::string_view Text) {
    std::string Result;
    Result.reserve(Text.size());
    std::size_t I = 0;
    while (I < Text.size()) {
        const auto Lead = static_cast<unsigned char>(Text[I]);
        int Length = 1;
        unsigned CodePoint = Lead;
        if (Lead >= 0xF0) {
            Length = 4;
            CodePoint = Lead & 0x07;
        } else if (Lead >= 0xE0) {
            Length = 3;
            CodePoint = Lead & 0x0F;
        } else if (Lead >= 0xC0) {
            Length = 2;
            CodePoint = Lead & 0x1F;
        }
        for (int K = 1; K < Length && I + K < Text.size(); ++K)
            CodePoint = CodePoint << 6 | (static_cast<unsigned char>(Text[I + K]) & 0x3F);
        AppendCodePoint(Result, CodePoint);
        I += Length;
    }
    return Result;
}

struct TFrame {
    std::string Name;
    std::string Text;
    bool HasChildren = false;
};

struct TParseState {
    TElementReader* Reader = nullptr;
    std::vector<TFrame> Open;
};

void XMLCALL OnStart(void* UserData, const XML_Char* Name, const XML_Char** /*Attributes*/) {
    auto& State = *static_cast<TParseState*>(UserData);
    if (!State.Open.empty())
        State.Open.back().HasChildren = true;
    State.Open.push_back({DecodeUtf8(Name), {}, false});
    State.Reader->Dispatch(TPartType::StartTag, State.Open.back().Name, {});
}

void XMLCALL OnEnd(void* UserData, const XML_Char* /*Name*/) {
    auto& State = *static_cast<TParseState*>(UserData);
    const TFrame Frame = std::move(State.Open.back());
    State.Open.pop_back();
    if (!Frame.HasChildren)
        State.Reader->Dispatch(TPartType::Text, Frame.Name, DecodeUtf8(Frame.Text));
    State.Reader->Dispatch(TPartType::EndTag, Frame.Name, {});
}

void XMLCALL OnText(void* UserData, const XML_Char* Text, int Length) {
    auto& State = *static_cast<TParseState*>(UserData);
    if (!State.Open.empty())
        State.Open.back().Text.append(Text, static_cast<std::size_t>(Length));
}

struct TParserDeleter {
    void operator()(XML_Parser Parser) const { XML_ParserFree(Parser); }
};

} // namespace

void TElementReader::Dispatch(TPartType PartType, std::string_view Name, std::string_view Content) {
    if (FHandler != nullptr)
        FHandler->ReadTag(*this, PartType, Name, Content);
}

void TElementReader::Read(std::string_view Document, Tdex6Node& FirstHandler,
                          std::string_view Source) {
    std::string Escaped;
    for (const char C : Document) {
        if (IsForbiddenControl(static_cast<unsigned char>(C))) {
            Escaped = EscapeControlBytes(Document);
            Document = Escaped;
            break;
        }
    }

    const std::unique_ptr<XML_ParserStruct, TParserDeleter> Parser(XML_ParserCreate("ISO-8859-1"));
    if (!Parser)
        throw EElementFormError("cannot read " + std::string(Source) + ": out of memory");
    TParseState State;
    State.Reader = this;
    XML_SetUserData(Parser.get(), &State);
    XML_SetElementHandler(Parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(Parser.get(), OnText);

    FHandler = &FirstHandler;
    constexpr std::size_t Chunk = 1 << 20;
    std::size_t Offset = 0;
    bool Final = false;
    while (!Final) {
        const std::size_t Length = std::min(Chunk, Document.size() - Offset);
        Final = Offset + Length == Document.size();
        if (XML_Parse(Parser.get(), Document.data() + Offset, static_cast<int>(Length),
                      Final ? 1 : 0) == XML_STATUS_ERROR) {
            throw EElementFormError("cannot read " + std::string(Source) + ": " +
                                    XML_ErrorString(XML_GetErrorCode(Parser.get())) + " at line " +
                                    std::to_string(XML_GetCurrentLineNumber(Parser.get())) +
                                    ", column " +
                                    std::to_string(XML_GetCurrentColumnNumber(Parser.get()) + 1));
        }
        Offset += Length;
    }
}

} // namespace kr6
