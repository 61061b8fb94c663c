#include "model/XmlWriter.h"

#include "support/Conversions.h"

namespace kr6 {

void WriteRaw(TXmlStream& Stream, std::string_view Text) {
    Stream += Text;
}

void WriteTag(TXmlStream& Stream, std::string_view Name, bool Closing) {
    Stream += Closing ? "</" : "<";
    Stream += Name;
    Stream += '>';
}

namespace {

void WriteElement(TXmlStream& Stream, std::string_view Name, std::string_view Content) {
    WriteTag(Stream, Name, false);
    Stream += Content;
    WriteTag(Stream, Name, true);
}

void AppendEscaped(TXmlStream& Stream, std::string_view Text) {
    for (const char C : Text) {
        const auto Byte = static_cast<unsigned char>(C);
        switch (C) {
        case '&':
            Stream += "&amp;";
            break;
        case '\r':
            Stream += "&#13;";
            break;
        case '\n':
            Stream += "&#10;";
            break;
        case '<':
            Stream += "&lt;";
            break;
        case '>':
            Stream += "&gt;";
            break;
        case '\'':
            Stream += "&apos;";
            break;
        case '"':
            Stream += "&quot;";
            break;
        default:
            if (Byte > 123) {
                Stream += "&#";
                Stream += std::to_string(Byte);
                Stream += ';';
            } else {
                Stream += C;
            }
        }
    }
}

} // namespace

void WriteStrElement(TXmlStream& Stream, std::string_view Name, std::string_view Value,
                     bool SkipIfEmpty, bool Escape) {
    if (SkipIfEmpty && Value.empty())
        return;
    WriteTag(Stream, Name, false);
    if (Escape)
        AppendEscaped(Stream, Value);
    else
        Stream += Value;
    WriteTag(Stream, Name, true);
}

void WriteBoolElement(TXmlStream& Stream, std::string_view Name, bool Value) {
    if (Value)
        WriteElement(Stream, Name, "1");
}

void WriteIntElement(TXmlStream& Stream, std::string_view Name, std::int64_t Value) {
    WriteElement(Stream, Name, std::to_string(Value));
}

void WriteFloatElement(TXmlStream& Stream, std::string_view Name, double Value) {
    WriteElement(Stream, Name, FloatToText(Value, false));
}

void WriteDateElement(TXmlStream& Stream, std::string_view Name, TDateTime Value) {
    WriteElement(Stream, Name, DateToText(true, Value));
}

void WriteDateTimeElement(TXmlStream& Stream, std::string_view Name, TDateTime Value) {
    WriteElement(Stream, Name, DateTimeToText14(true, Value));
}

std::string EscapeText(std::string_view Text) {
    std::string Result;
    Result.reserve(Text.size());
    AppendEscaped(Result, Text);
    return Result;
}

} // namespace kr6
