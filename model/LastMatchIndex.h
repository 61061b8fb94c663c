#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <optional>
#include <vector>

namespace kr6 {

// Finds the last element of a list that has a given key, as a walk over the whole list
// would. Elements appended since the last lookup are taken in on the next one; the list
// calls Invalidate when an element leaves or an element's keys change through the model.
// A price list holds millions of elements, so the index is one array of element pointers
// (open addressing) rather than a node per element, and keys are read from the elements
// themselves.
//
// KeyOf(Element) gives std::optional<TKey>: no key for elements this index leaves out.
template <class TKey, class T, class THash> class TLastMatchIndex {
public:
    using TItems = std::pmr::vector<std::unique_ptr<T>>;

    void Invalidate() { FStale = true; }

    template <class TKeyOf> T* Find(const TItems& Items, const TKey& Key, TKeyOf KeyOf) {
        CatchUp(Items, KeyOf);
        if (FSlots.empty())
            return nullptr;
        for (std::size_t Slot = SlotOf(Key);; Slot = (Slot + 1) & (FSlots.size() - 1)) {
            T* Item = FSlots[Slot];
            if (Item == nullptr || KeyOf(*Item) == Key)
                return Item;
        }
    }

private:
    std::size_t SlotOf(const TKey& Key) const {
        // Fibonacci hashing spreads keys whose hashes differ in few bits.
        const std::uint64_t Mixed = std::uint64_t{THash{}(Key)} * 0x9E3779B97F4A7C15U;
        return static_cast<std::size_t>(Mixed >> FShift);
    }

    template <class TKeyOf> void CatchUp(const TItems& Items, TKeyOf KeyOf) {
        if (FStale || FIndexed > Items.size()) {
            FSlots.clear();
            FCount = 0;
            FIndexed = 0;
            FStale = false;
        }
        for (; FIndexed < Items.size(); ++FIndexed) {
            T* Item = Items[FIndexed].get();
            if (const std::optional<TKey> Key = KeyOf(*Item))
                Insert(Item, *Key, KeyOf);
        }
    }

    // Item replaces an element with the same key: the later one wins.
    template <class TKeyOf> void Insert(T* Item, const TKey& Key, TKeyOf KeyOf) {
        if ((FCount + 1) * 4 > FSlots.size() * 3)
            Grow(KeyOf);
        for (std::size_t Slot = SlotOf(Key);; Slot = (Slot + 1) & (FSlots.size() - 1)) {
            T*& Present = FSlots[Slot];
            if (Present == nullptr) {
                Present = Item;
                ++FCount;
                return;
            }
            if (KeyOf(*Present) == Key) {
                Present = Item;
                return;
            }
        }
    }

    template <class TKeyOf> void Grow(TKeyOf KeyOf) {
        std::vector<T*> Old(std::max<std::size_t>(16, FSlots.size() * 2), nullptr);
        Old.swap(FSlots);
        FShift = 64 - std::countr_zero(FSlots.size());
        FCount = 0;
        for (T* Item : Old) {
            if (Item == nullptr)
                continue;
            if (const std::optional<TKey> Key = KeyOf(*Item))
                Insert(Item, *Key, KeyOf);
        }
    }

    // A power of two of slots, at most three quarters used.
    std::vector<T*> FSlots;
    std::size_t FCount = 0;
    int FShift = 64;
    // How many leading elements of the list FSlots covers.
    std::size_t FIndexed = 0;
    bool FStale = false;
};

} // namespace kr6
