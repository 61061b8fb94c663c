#pragma once

// Fields of the fixed-column KR6 record lines. Positions count from 1; a line shorter
// than a field gives the part that exists, and none of these conversions fails.

#include "model/CodeTables.h"
#include "support/Conversions.h"
#include "support/DateTimeText.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

// The characters from Pos to Pos + Width - 1 that the line holds.
inline std::string_view Kr6Field(std::string_view Line, int Pos, int Width) {
    if (Pos < 1 || Width <= 0)
        return {};
    const auto Start = static_cast<std::size_t>(Pos - 1);
    if (Start >= Line.size())
        return {};
    return Line.substr(Start, static_cast<std::size_t>(Width));
}

std::string Kr6Raw(std::string_view Line, int Pos, int Width);
std::string Kr6TrimRight(std::string_view Line, int Pos, int Width);
std::string Kr6Trim(std::string_view Line, int Pos, int Width);

// Trailing blanks removed; blank or not a number gives 0.
inline std::int32_t Kr6Integer(std::string_view Line, int Pos, int Width) {
    return TextToInt(Kr6Field(Line, Pos, Width));
}
// Set for a digit 1 to 9.
bool Kr6Flag(std::string_view Line, int Pos);
// Blanks removed, "," or "." as the decimal separator, divided by Divisor.
inline double Kr6Decimal(std::string_view Line, int Pos, int Width, double Divisor = 1.0) {
    const std::string_view Field = Kr6Field(Line, Pos, Width);
    if (const auto Digits = DigitsValue(Field))
        return static_cast<double>(*Digits) / Divisor;
    return TextToFloat(Field) / Divisor;
}
// "yyyymmdd"; a date that does not exist gives 0.
TDateTime Kr6Date(std::string_view Line, int Pos);
// Two digits first diameter, two digits second, "E" for elliptical.
TDiameter Kr6Diameter(std::string_view Line, int Pos, int Width = 5);
// Four characters, "1" for Silikat, Kunststoff, Polycarbonat, Trivex; none gives {Egal}.
TMaterialSet Kr6MaterialSet(std::string_view Line, int Pos);
// Nine characters: red, green and blue in three digits each, as red + 256 green + 65536 blue.
std::int32_t Kr6Colour(std::string_view Line, int Pos);

template <class E> E Kr6Code(std::string_view Line, int Pos, int Width = 1) {
    return FromCode<E>(Kr6Integer(Line, Pos, Width));
}

} // namespace kr6
