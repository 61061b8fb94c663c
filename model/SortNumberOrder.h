#pragma once

#include "model/OrderTree.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string>
#include <vector>

namespace kr6 {

// Renumbering of the sort numbers (CSNR) of a list's elements. The literal rule sorts
// the 9-digit key texts CSNR * 10 (+ 1 for every element but the changed one), equal
// keys later list element first, and numbers the elements 0 to Count - 1 in that order.
// The import renumbers once per new lens, so this keeps the elements in their sort order
// in a tree: right after a renumbering every element's number is its position, and when
// one element has changed its number since, its new place is a binary search among keys
// that rise with the position. The numbers are written into the elements only when the
// order is given up; until then an element's number is its position in the tree.
// Anything else takes the literal rule.
//
// T keeps its number in a member FCSNR and befriends this class.
template <class T> class TSortNumberOrder {
public:
    using TItems = std::pmr::vector<std::unique_ptr<T>>;

    // Item's number as the renumberings left it.
    std::int32_t NumberOf(const T& Item) const {
        if (!FKnown || FWritten || FLoose == &Item || !FOrder.Contains(Item))
            return Item.FCSNR;
        return static_cast<std::int32_t>(FOrder.PositionOf(Item));
    }

    // Sets Item's number without a renumbering.
    void Store(T& Item, std::int32_t Value) {
        if (Value == NumberOf(Item))
            return;
        Detach(Item);
        Item.FCSNR = Value;
    }

    // Item was appended to the list with its own number.
    void Appended(const TItems& Items, T& Item) {
        if (FKnown && FLoose == nullptr && FOrder.Size() + 1 == Items.size() &&
            Items.back().get() == &Item) {
            FOrder.PushBack(Item);
            FLoose = &Item;
        } else {
            Forget();
        }
    }

    // An element is about to leave the list, or the list changed in a way not reported
    // here: the elements keep their numbers, the order is given up.
    void Forget() {
        if (!FKnown)
            return;
        WriteNumbers();
        FKnown = false;
        FLoose = nullptr;
        FOrder.Clear();
    }

    // The list is empty again.
    void Restart() {
        FOrder.Clear();
        FKnown = true;
        FWritten = true;
        FLoose = nullptr;
    }

    // Numbers the elements of Items 0 to Count - 1 by their keys, Changed taking the
    // key without the + 1.
    void Renumber(const TItems& Items, const T& Changed) {
        if (!MoveChanged(Items, Changed))
            RenumberAll(Items, Changed);
    }

private:
    // Item's number is about to be overwritten without a renumbering.
    void Detach(const T& Item) {
        if (!FKnown || FLoose == &Item || !FOrder.Contains(Item))
            return;
        if (FLoose == nullptr)
            FLoose = &Item;
        else
            Forget();
    }

    static std::string Key(std::int64_t Number, bool Changed) {
        return IntToZeroPadded(Number * 10 + (Changed ? 0 : 1), 9);
    }

    void WriteNumbers() {
        if (!FKnown || FWritten)
            return;
        std::int32_t Position = 0;
        FOrder.ForEach([&](T& Item) {
            if (&Item != FLoose)
                Item.FCSNR = Position;
            ++Position;
        });
        FWritten = true;
    }

    // Every element but Changed holds its position as its number: Changed moves to the
    // place of its key, the others keep their order. False when that does not hold.
    bool MoveChanged(const TItems& Items, const T& Changed) {
        // Positions up to this many have keys of nine digits, which sort as numbers.
        constexpr std::size_t MaxCount = 100'000'000;
        if (!FKnown || FOrder.Size() != Items.size() || Items.size() > MaxCount ||
            (FLoose != nullptr && FLoose != &Changed) || !FOrder.Contains(Changed))
            return false;
        const std::size_t Old = FOrder.PositionOf(Changed);
        const std::string ChangedKey = Key(NumberOf(Changed), true);
        // The count of positions whose key sorts before the changed element's key; no key
        // of another element equals it, their last digit being 1.
        std::size_t Low = 0;
        std::size_t High = Items.size();
        while (Low < High) {
            const std::size_t Mid = Low + (High - Low) / 2;
            if (CompareText(Key(static_cast<std::int64_t>(Mid), false), ChangedKey) < 0)
                Low = Mid + 1;
            else
                High = Mid;
        }
        FOrder.Move(Changed, Low - (Old < Low ? 1 : 0));
        FLoose = nullptr;
        FWritten = false;
        return true;
    }

    void RenumberAll(const TItems& Items, const T& Changed) {
        WriteNumbers();
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
        FOrder.Clear();
        for (const TEntry& Entry : Entries) {
            T& Item = *Items[Entry.Index];
            Item.FCSNR = static_cast<std::int32_t>(FOrder.Size());
            FOrder.PushBack(Item);
        }
        FKnown = true;
        FWritten = true;
        FLoose = nullptr;
    }

    // The elements in the order of their numbers; meaningful while FKnown.
    TOrderTree<T> FOrder;
    bool FKnown = true;
    // Every element but FLoose holds its position in FCSNR, not only in FOrder.
    bool FWritten = true;
    // The one element whose number is its own FCSNR rather than its position.
    const T* FLoose = nullptr;
};

} // namespace kr6
