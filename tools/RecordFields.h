#pragma once

// One field of an existing record line, read or replaced in place; for the tools that
// derive a price list from another.

#include "import/Kr6Columns.h"
#include "support/Conversions.h"

#include <string>
#include <string_view>

namespace kr6 {

// The field's text, trailing blanks removed.
inline std::string RecordField(std::string_view Line, TKr6Place Place) {
    return std::string(TrimRightBlanks(Kr6Field(Line, Place.First, Place.Width)));
}

// Text left-aligned in the field, padded with blanks or cut to its width; a short line is
// lengthened with blanks first.
inline void SetRecordField(std::string& Line, TKr6Place Place, std::string_view Text) {
    const auto Pos = static_cast<std::size_t>(Place.First);
    const auto Width = static_cast<std::size_t>(Place.Width);
    if (Line.size() < Pos - 1 + Width)
        Line.resize(Pos - 1 + Width, ' ');
    std::string Padded(Text.substr(0, Width));
    Padded.resize(Width, ' ');
    Line.replace(Pos - 1, Width, Padded);
}

// Element K of an array column (the five prices of a price line).
inline TKr6Place ElementPlace(TKr6Place First, int K) {
    return {First.First + K * First.Width, First.Width};
}

} // namespace kr6
