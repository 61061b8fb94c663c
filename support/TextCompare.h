#pragma once

#include <string>
#include <string_view>

namespace kr6 {

// Code comparison: equal bytes after folding a-z to A-Z, nothing else folded.
bool SameText(std::string_view A, std::string_view B);

// The case-insensitive ordering of every sorted list. Bytes weigh, lowest first:
// control bytes, the blank, other symbols, digits, A-Z, then the other Windows-1252
// letters by their upper-case byte. A proper prefix sorts first.
// Returns <0, 0 or >0.
int CompareText(std::string_view A, std::string_view B);

inline bool EqualText(std::string_view A, std::string_view B) { return CompareText(A, B) == 0; }

// Upper case by ANSI rules: a-z and the Windows-1252 lower-case letters.
char AnsiUpperChar(char C);
std::string AnsiUpperCase(std::string_view S);

} // namespace kr6
