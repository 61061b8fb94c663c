#pragma once

#include <cstdint>
#include <string_view>

namespace kr6 {

// How far the combination test is over some keys: how many there are, how many were
// tested and how many of those were deliverable.
struct TKombiTally {
    std::int64_t Total = 0;
    std::int64_t Tested = 0;
    std::int64_t Deliverable = 0;
};

// Where the combination test stands: the lens under test (none while the keys are counted),
// the tally of its keys and that of all lenses' keys.
struct TKombiCounts {
    std::string_view Lens;
    TKombiTally ThisLens;
    TKombiTally All;
};

} // namespace kr6
