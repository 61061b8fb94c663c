#pragma once

#include "model/CodeTables.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"

#include <string_view>

namespace kr6 {

// How combination rules read the codes in their slots.

inline constexpr std::string_view AnyCode = "******";
inline constexpr char CodeWildcard = '*';

// "******": any lens or any coating.
inline bool IsAnyCode(std::string_view Code) {
    return SameText(Code, AnyCode);
}
// A code with "*" anywhere is a pattern.
inline bool HasWildcard(std::string_view Code) {
    return Code.find(CodeWildcard) != std::string_view::npos;
}
// A blank slot means no further coating.
inline bool IsBlankSlot(std::string_view Code) {
    return TrimRightBlanks(Code).empty();
}
// Codes and patterns agree in their first six characters, letter case ignored.
inline bool CodesMatch(std::string_view A, std::string_view B) {
    return MatchCodes(A, B, CodeWildcard) == 0;
}

} // namespace kr6
