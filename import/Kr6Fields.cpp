#include "import/Kr6Fields.h"

#include "support/Conversions.h"

namespace kr6 {

std::string Kr6Raw(std::string_view Line, int Pos, int Width) {
    return std::string(Kr6Field(Line, Pos, Width));
}

std::string Kr6TrimRight(std::string_view Line, int Pos, int Width) {
    return std::string(TrimRightBlanks(Kr6Field(Line, Pos, Width)));
}

std::string Kr6Trim(std::string_view Line, int Pos, int Width) {
    return std::string(TrimBlanks(Kr6Field(Line, Pos, Width)));
}

bool Kr6Flag(std::string_view Line, int Pos) {
    return Kr6Integer(Line, Pos, 1) > 0;
}

TDateTime Kr6Date(std::string_view Line, int Pos) {
    return TextToDateTime(Kr6Field(Line, Pos, 8));
}

TMaterialSet Kr6MaterialSet(std::string_view Line, int Pos) {
    const std::string_view Field = Kr6Field(Line, Pos, 4);
    const auto Set = [&](std::size_t I) {
        return I < Field.size() && Field[I] == '1';
    };
    return MaterialSet(Set(0), Set(1), Set(2), Set(3));
}

std::int32_t Kr6Colour(std::string_view Line, int Pos) {
    return Kr6Integer(Line, Pos, 3) + 256 * Kr6Integer(Line, Pos + 3, 3) +
           65536 * Kr6Integer(Line, Pos + 6, 3);
}

} // namespace kr6
