#pragma once

#include "model/CodeTables.h"

#include <cstddef>
#include <cstdint>
#include <tuple>

namespace kr6 {

// What tells the prices of a glass apart: what FindPrice compares.
struct TGlassPriceKey {
    std::int32_t GSph = 0;
    std::int32_t GCyl = 0;
    TDiameter GDM;
    std::int32_t PBID = 0;
    std::int32_t LBI = 0;

    friend bool operator==(const TGlassPriceKey&, const TGlassPriceKey&) = default;
};

struct TGlassPriceKeyHash {
    std::size_t operator()(const TGlassPriceKey& Key) const noexcept;
};

// The fields of Key in the order in which price files list the prices of a glass: by
// diameter, sphere group, cylinder group and delivery range, the prices of one line by
// their price description. Compared with <, they put prices into that order.
inline auto PriceFileOrder(const TGlassPriceKey& Key) {
    return std::tie(Key.GDM.First, Key.GDM.Second, Key.GDM.Elliptical, Key.GSph, Key.GCyl, Key.LBI,
                    Key.PBID);
}

} // namespace kr6
