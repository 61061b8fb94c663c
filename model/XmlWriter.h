#pragma once

#include "support/DateTimeText.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

// The element form is written by appending to a byte string.
using TXmlStream = std::string;

void WriteRaw(TXmlStream& Stream, std::string_view Text);
void WriteTag(TXmlStream& Stream, std::string_view Name, bool Closing);
void WriteStrElement(TXmlStream& Stream, std::string_view Name, std::string_view Value,
                     bool SkipIfEmpty = false, bool Escape = true);
// Writes nothing for false.
void WriteBoolElement(TXmlStream& Stream, std::string_view Name, bool Value);
void WriteIntElement(TXmlStream& Stream, std::string_view Name, std::int64_t Value);
void WriteFloatElement(TXmlStream& Stream, std::string_view Name, double Value);
// "yyyymmdd", empty content for no date.
void WriteDateElement(TXmlStream& Stream, std::string_view Name, TDateTime Value);
// "yyyymmddhhnnss", empty content for no date.
void WriteDateTimeElement(TXmlStream& Stream, std::string_view Name, TDateTime Value);
// Markup characters, CR and LF become entities, and so does every byte above 123, so
// that the written text is plain ASCII whatever the code page.
std::string EscapeText(std::string_view Text);

} // namespace kr6
