#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kr6 {

// A set of small numbers as 64-bit words; every set of one family has the same number of
// words, so that sets combine word by word.
using TBitWords = std::vector<std::uint64_t>;

inline std::size_t WordsFor(std::size_t Bits) {
    return (Bits + 63) / 64;
}

inline void SetBit(TBitWords& Words, std::size_t Bit) {
    Words[Bit / 64] |= std::uint64_t{1} << (Bit % 64);
}

inline void ResetBit(TBitWords& Words, std::size_t Bit) {
    Words[Bit / 64] &= ~(std::uint64_t{1} << (Bit % 64));
}

inline bool TestBit(const TBitWords& Words, std::size_t Bit) {
    return (Words[Bit / 64] >> (Bit % 64) & 1U) != 0;
}

inline bool AnyBit(const TBitWords& Words) {
    for (const std::uint64_t Word : Words) {
        if (Word != 0)
            return true;
    }
    return false;
}

// Calls Visit with every number of the set, in ascending order.
template <class TVisit> void ForEachBit(const TBitWords& Words, TVisit&& Visit) {
    for (std::size_t W = 0; W < Words.size(); ++W) {
        for (std::uint64_t Word = Words[W]; Word != 0; Word &= Word - 1)
            Visit(W * 64 + static_cast<std::size_t>(std::countr_zero(Word)));
    }
}

// The same while Visit returns true.
template <class TVisit> void ForEachBitWhile(const TBitWords& Words, TVisit&& Visit) {
    for (std::size_t W = 0; W < Words.size(); ++W) {
        for (std::uint64_t Word = Words[W]; Word != 0; Word &= Word - 1) {
            if (!Visit(W * 64 + static_cast<std::size_t>(std::countr_zero(Word))))
                return;
        }
    }
}

} // namespace kr6
