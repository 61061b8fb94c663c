#pragma once

#include "tools/DemoPriceList.h"

#include <cstdint>
#include <vector>

namespace kr6 {

// A later season of a made-up price list: about one lens and one coating in twelve
// removed and as many added (copies of others under new codes, the coatings with rules
// of their own), about one rule of a single lens in twenty removed and one in twenty
// with another delivery, and some lens and coating prices raised. Seed picks which; the
// same members and seed always give the same copy.
std::vector<TKr6Member> ChangedCopy(const std::vector<TKr6Member>& Members, std::uint64_t Seed);

} // namespace kr6
