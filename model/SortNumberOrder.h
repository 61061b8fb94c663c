#pragma once

#include "support/Conversions.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kr6 {

// Renumbering of the sort numbers (CSNR) of a list's elements. The literal rule sorts
// the 9-digit key texts CSNR * 10 (+ 1 for every element but the changed one), equal
// keys later list element first, and numbers the elements 0 to Count - 1 in that order.
// The import renumbers once per new lens, so this keeps the elements in their current
// sort order: right after a renumbering every element's number is its position, and
// when one element has changed its number since, its new place is a binary search
// among keys that rise with the position. Anything else takes the literal rule.
//
// T keeps its number in a member FCSNR and befriends this class.
template <class T> class TSortNumberOrder {
public:
    using TItems = std::vector<std::unique_ptr<T>>;

    // Item's number is about to be overwritten without a renumbering.
    void Detach(const T& Item) {
        if (!FKnown || FLoose == &Item || PositionOf(Item) == NotOrdered)
            return;
        if (FLoose == nullptr)
            FLoose = &Item;
        else
            Forget();
    }

    // Item was appended to the list with its own number.
    void Appended(const TItems& Items, const T& Item) {
        if (FKnown && FLoose == nullptr && FOrder.size() + 1 == Items.size() &&
            Items.back().get() == &Item) {
            FOrder.push_back(const_cast<T*>(&Item));
            FLoose = &Item;
        } else {
            Forget();
        }
    }

    // An element left the list, or the list changed in a way not reported here.
    void Forget() {
        FKnown = false;
        FLoose = nullptr;
        FOrder.clear();
    }

    // The list is empty again.
    void Restart() {
        Forget();
        FKnown = true;
    }

    // Numbers the elements of Items 0 to Count - 1 by their keys, Changed taking the
    // key without the + 1.
    void Renumber(const TItems& Items, const T& Changed) {
        if (!MoveChanged(Items, Changed))
            RenumberAll(Items, Changed);
    }

private:
    static constexpr std::size_t NotOrdered = static_cast<std::size_t>(-1);

    // Item's position in FOrder; new elements sit at the end.
    std::size_t PositionOf(const T& Item) const {
        if (!FOrder.empty() && FOrder.back() == &Item)
            return FOrder.size() - 1;
        const auto Found = std::find(FOrder.begin(), FOrder.end(), &Item);
        return Found != FOrder.end() ? static_cast<std::size_t>(Found - FOrder.begin())
                                     : NotOrdered;
    }

    static std::string Key(std::int64_t Number, bool Changed) {
        return IntToZeroPadded(Number * 10 + (Changed ? 0 : 1), 9);
    }

    // Every element but Changed holds its position as its number: Changed moves to the
    // place of its key, the others keep their order. False when that does not hold.
    bool MoveChanged(const TItems& Items, const T& Changed) {
        // Positions up to this many have keys of nine digits, which sort as numbers.
        constexpr std::size_t MaxCount = 100'000'000;
        if (!FKnown || FOrder.size() != Items.size() || FOrder.size() > MaxCount ||
            (FLoose != nullptr && FLoose != &Changed))
            return false;
        const std::size_t Old = PositionOf(Changed);
        if (Old == NotOrdered)
            return false;
        const std::string ChangedKey = Key(Changed.FCSNR, true);
        // The count of positions whose key sorts before the changed element's key; no key
        // of another element equals it, their last digit being 1.
        std::size_t Low = 0;
        std::size_t High = FOrder.size();
        while (Low < High) {
            const std::size_t Mid = Low + (High - Low) / 2;
            if (CompareText(Key(static_cast<std::int64_t>(Mid), false), ChangedKey) < 0)
                Low = Mid + 1;
            else
                High = Mid;
        }
        const std::size_t New = Low - (Old < Low ? 1 : 0);
        if (New < Old)
            std::rotate(FOrder.begin() + New, FOrder.begin() + Old, FOrder.begin() + Old + 1);
        else if (New > Old)
            std::rotate(FOrder.begin() + Old, FOrder.begin() + Old + 1, FOrder.begin() + New + 1);
        for (std::size_t I = std::min(Old, New); I <= std::max(Old, New); ++I)
            FOrder[I]->FCSNR = static_cast<std::int32_t>(I);
        FLoose = nullptr;
        return true;
    }

    void RenumberAll(const TItems& Items, const T& Changed) {
        struct TEntry {
            std::string Key;
            std::size_t Index;
        };
        std::vector<TEntry> Entries;
        Entries.reserve(Items.size());
        for (std::size_t I = 0; I < Items.size(); ++I)
            Entries.push_back({Key(Items[I]->FCSNR, Items[I].get() == &Changed), I});
        // A sorted list accepting duplicates puts a key before its equals.
        std::sort(Entries.begin(), Entries.end(), [](const TEntry& A, const TEntry& B) {
            const int Order = CompareText(A.Key, B.Key);
            return Order != 0 ? Order < 0 : A.Index > B.Index;
        });
        FOrder.clear();
        FOrder.reserve(Entries.size());
        for (const TEntry& Entry : Entries) {
            T* Item = Items[Entry.Index].get();
            Item->FCSNR = static_cast<std::int32_t>(FOrder.size());
            FOrder.push_back(Item);
        }
        FKnown = true;
        FLoose = nullptr;
    }

    // The elements in the order of their numbers; meaningful while FKnown.
    std::vector<T*> FOrder;
    // Every element in FOrder but FLoose holds its position as its number.
    bool FKnown = true;
    const T* FLoose = nullptr;
};

} // namespace kr6
