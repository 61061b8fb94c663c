#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace kr6 {

// A set over an enumeration whose members are numbered 0 to 31, one bit per member.
template <class E> class TSmallSet {
    static_assert(std::is_enum_v<E>);

public:
    constexpr TSmallSet() = default;
    constexpr TSmallSet(std::initializer_list<E> Members) {
        for (E M : Members)
            Include(M);
    }
    static constexpr TSmallSet FromBits(std::uint32_t Bits) {
        TSmallSet S;
        S.FBits = Bits;
        return S;
    }

    constexpr std::uint32_t Bits() const { return FBits; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr bool Contains(E M) const {
        const auto I = static_cast<unsigned>(M);
        return I < 32 && (FBits >> I & 1U) != 0;
    }
    constexpr void Include(E M) {
        if (const auto I = static_cast<unsigned>(M); I < 32)
            FBits |= 1U << I;
    }
    constexpr void Exclude(E M) {
        if (const auto I = static_cast<unsigned>(M); I < 32)
            FBits &= ~(1U << I);
    }
    constexpr bool Intersects(TSmallSet Other) const { return (FBits & Other.FBits) != 0; }

    friend constexpr TSmallSet operator|(TSmallSet A, TSmallSet B) {
        return FromBits(A.FBits | B.FBits);
    }
    friend constexpr TSmallSet operator&(TSmallSet A, TSmallSet B) {
        return FromBits(A.FBits & B.FBits);
    }
    // Members of A that B does not hold.
    friend constexpr TSmallSet operator-(TSmallSet A, TSmallSet B) {
        return FromBits(A.FBits & ~B.FBits);
    }
    friend constexpr TSmallSet operator+(TSmallSet A, E M) {
        A.Include(M);
        return A;
    }
    friend constexpr bool operator==(TSmallSet A, TSmallSet B) = default;

private:
    std::uint32_t FBits = 0;
};

} // namespace kr6
