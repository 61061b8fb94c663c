#include "import/Kr6Fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>

namespace kr6 {
namespace {

bool AllDigits(std::string_view Text) {
    return !Text.empty() &&
           std::all_of(Text.begin(), Text.end(), [](char C) { return C >= '0' && C <= '9'; });
}

// Digits as from_chars reads them, anything else as the general conversions do.
double DecimalOf(std::string_view Field) {
    if (AllDigits(Field) && Field.size() <= 15) {
        double Value = 0;
        std::from_chars(Field.data(), Field.data() + Field.size(), Value);
        return Value;
    }
    return TextToFloat(Field);
}

std::int32_t IntegerOf(std::string_view Field) {
    if (AllDigits(Field) && Field.size() <= 9) {
        std::int32_t Value = 0;
        std::from_chars(Field.data(), Field.data() + Field.size(), Value);
        return Value;
    }
    return TryTextToInt(Field).value_or(0);
}

// The number fields read digits several at a time where the line allows it: whatever the
// bytes around and in the field, its width and place, and a line that ends inside it,
// they read what the general conversions read.
TEST(Kr6Fields, NumberFieldsReadAsTheGeneralConversions) {
    const std::string Odd = std::string(" ,.+-/:\x80\xBA\xC6\xE4\xFF") + '\0';
    std::mt19937 Random(7);
    for (int Round = 0; Round < 40000; ++Round) {
        std::string Line(Random() % 24, ' ');
        for (char& C : Line)
            C = Random() % 4 == 0 ? Odd[Random() % Odd.size()]
                                  : static_cast<char>('0' + Random() % 10);
        const int Pos = 1 + static_cast<int>(Random() % 20);
        const int Width = 1 + static_cast<int>(Random() % 9);
        const std::string_view Field = Kr6Field(Line, Pos, Width);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(Kr6Decimal(Line, Pos, Width, 100)),
                  std::bit_cast<std::uint64_t>(DecimalOf(Field) / 100))
            << Line << " at " << Pos << " of " << Width;
        EXPECT_EQ(Kr6Integer(Line, Pos, Width), IntegerOf(Field))
            << Line << " at " << Pos << " of " << Width;
    }
}

} // namespace
} // namespace kr6
