#include "texts/TextTable.h"

#include "support/Cp1252.h"

namespace kr6 {

TTextTable::TTextTable(std::span<const TTextEntry> Entries) {
    for (const TTextEntry& E : Entries)
        if (E.Number < TextCount)
            FTexts[E.Number] = Utf8ToCp1252(E.Utf8);
}

std::string_view TTextTable::Text(std::uint16_t Number) const {
    return Number < TextCount ? std::string_view(FTexts[Number]) : std::string_view();
}

} // namespace kr6
