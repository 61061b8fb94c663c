#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kr6 {

inline constexpr std::uint16_t TextCount = 1362;

// One entry of a language's source table, written in UTF-8 for readability.
struct TTextEntry {
    std::uint16_t Number;
    std::string_view Utf8;
};

// A language's texts as Windows-1252 bytes, indexed by text number.
class TTextTable {
public:
    explicit TTextTable(std::span<const TTextEntry> Entries);
    // Empty for an empty entry or a number beyond the table.
    std::string_view Text(std::uint16_t Number) const;

private:
    std::array<std::string, TextCount> FTexts;
};

} // namespace kr6
