#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kr6 {

// How large a made-up price list is; the defaults give the committed example archive.
// Standard: every kind of coating in fixed shares, every lens kind and material in turn.
// OneLens: the first lens is a plastic single-vision lens, and the coatings are ten
// anti-reflection coatings, ten tints and the rest further coatings: one lens with
// hundreds of further coatings has tens of millions of keys.
enum class TDemoMix { Standard, OneLens };

struct TDemoSize {
    int Lenses = 36;
    int Coatings = 14;
    int Rules = 380;
    int PriceLines = 300;
    std::uint64_t Seed = 1;
    TDemoMix Mix = TDemoMix::Standard;
};

struct TKr6Member {
    std::string Name;
    std::vector<std::string> Lines;
};

// The members of a KR6 archive (version 6.9 layout) of an invented maker, in archive
// order. The same size and seed always give the same lines. Throws std::invalid_argument
// when the size cannot be met (for example more price lines than a lens has price cells).
std::vector<TKr6Member> MakeDemoPriceList(const TDemoSize& Size);

} // namespace kr6
