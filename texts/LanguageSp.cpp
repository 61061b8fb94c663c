#include "texts/Language.h"
#include "texts/TextTable.h"

namespace kr6 {

// No texts yet; every lookup falls back to German.
std::string_view TextSp(std::uint16_t Number) {
    static const TTextTable Table{std::span<const TTextEntry>{}};
    return Table.Text(Number);
}

} // namespace kr6
