#pragma once

#include <cstddef>
#include <cstdint>

namespace kr6 {

// SplitMix64: fixed output for a seed on every platform, unlike the standard
// distributions.
class TRandom {
public:
    explicit TRandom(std::uint64_t Seed) : FState(Seed) {}
    std::uint64_t Next() {
        std::uint64_t Z = (FState += 0x9E3779B97F4A7C15ull);
        Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ull;
        Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBull;
        return Z ^ (Z >> 31);
    }
    int Below(std::size_t N) { return static_cast<int>(Next() % N); }

private:
    std::uint64_t FState;
};

} // namespace kr6
