#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kr6 {

// A deliverable combination: lens code, anti-reflection coating, tint, first and second
// further coating, a free slot empty. Rows travel as their fields: a code may hold a tab
// (code fields lose blanks only), so the tab-separated text cannot be split again.
using TRow = std::array<std::string_view, 5>;

// The row as tab-separated text, the form `evaluate` writes and the clipboard gets.
std::size_t RowTextSize(const TRow& Row);
void AppendRowText(std::string& Text, const TRow& Row);
std::string RowText(const TRow& Row);

// Orders rows by the bytes of their tab-separated texts; rows of the same text but other
// fields (a tab in a code) by their fields.
bool RowLess(const TRow& A, const TRow& B);

} // namespace kr6
