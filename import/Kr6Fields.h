#pragma once

// Fields of the fixed-column KR6 record lines. Positions count from 1; a line shorter
// than a field gives the part that exists, and none of these conversions fails.

#include "model/CodeTables.h"
#include "support/Conversions.h"
#include "support/DateTimeText.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
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
// The value of the Width digits from Start on (counting from 0), eight at a time; none
// when one of them is no digit. The eight bytes end where the field ends, so the line holds
// Start + Width >= 8 bytes at least; those before the field are taken as zeros.
inline std::optional<std::uint64_t> Kr6DigitsAt(std::string_view Line, std::size_t Start,
                                                std::size_t Width) {
    constexpr std::uint64_t Zeros = 0x3030303030303030;
    std::uint64_t Word = 0;
    std::memcpy(&Word, Line.data() + Start + Width - 8, 8);
    const std::uint64_t Before = Width == 8 ? 0 : (std::uint64_t{1} << (8 * (8 - Width))) - 1;
    Word = (Word & ~Before) | (Zeros & Before);
    // A byte below '0' sets its top bit when '0' is taken away, one above '9' when 0x46 is
    // added.
    constexpr std::uint64_t TopBits = 0x8080808080808080;
    if (((Word - Zeros) | (Word + 0x4646464646464646)) & TopBits)
        return std::nullopt;
    // Digits as byte values, the first in the lowest byte: pairs, fours, then all eight.
    Word -= Zeros;
    Word = (Word * 10 + (Word >> 8)) & 0x00FF00FF00FF00FF;
    Word = (Word * 100 + (Word >> 16)) & 0x0000FFFF0000FFFF;
    return (Word * 10000 + (Word >> 32)) & 0xFFFFFFFF;
}

// Blanks removed, "," or "." as the decimal separator, divided by Divisor.
inline double Kr6Decimal(std::string_view Line, int Pos, int Width, double Divisor = 1.0) {
    if constexpr (std::endian::native == std::endian::little) {
        const auto Start = static_cast<std::size_t>(Pos - 1);
        const auto Count = static_cast<std::size_t>(Width);
        if (Pos >= 1 && Width >= 1 && Width <= 8 && Start + Count >= 8 &&
            Start + Count <= Line.size())
            if (const auto Digits = Kr6DigitsAt(Line, Start, Count))
                return static_cast<double>(*Digits) / Divisor;
    }
    const std::string_view Field = Kr6Field(Line, Pos, Width);
    if (const auto Digits = DigitsValue(Field))
        return static_cast<double>(*Digits) / Divisor;
    return TextToFloat(Field) / Divisor;
}
// "yyyymmdd"; a date that does not exist gives 0.
TDateTime Kr6Date(std::string_view Line, int Pos);
// Two digits first diameter, two digits second, "E" for elliptical.
inline TDiameter Kr6Diameter(std::string_view Line, int Pos, int Width = 5) {
    return DiameterFromKr6(Kr6Field(Line, Pos, Width));
}
// Four characters, "1" for Silikat, Kunststoff, Polycarbonat, Trivex; none gives {Egal}.
TMaterialSet Kr6MaterialSet(std::string_view Line, int Pos);
// Nine characters: red, green and blue in three digits each, as red + 256 green + 65536 blue.
std::int32_t Kr6Colour(std::string_view Line, int Pos);

template <class E> E Kr6Code(std::string_view Line, int Pos, int Width = 1) {
    return FromCode<E>(Kr6Integer(Line, Pos, Width));
}

} // namespace kr6
