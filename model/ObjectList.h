#pragma once

#include "model/ArenaObject.h"
#include "model/ObjectBase.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string_view>
#include <type_traits>
#include <vector>

namespace kr6 {

// Base of every list of the model. A list owns its elements and frees them when they
// are deleted or the list is reset.
class TCustomdex6ObjectList : public Tdex6Node {
public:
    TCustomdex6ObjectList(Tdex6Dataobject* Root, Tdex6Node* Parent)
        : FRoot(Root), FParent(Parent) {}

    Tdex6Dataobject* Root() const { return FRoot; }
    Tdex6Node* Parent() const { return FParent; }
    Tdex6Node* ReadParent() const { return FReadParent; }

    virtual int Count() const = 0;
    virtual TCustomdex6Object* ItemAt(int Index) const = 0;
    // A new element, created with a new identifier and appended.
    virtual TCustomdex6Object* AddNew() = 0;
    virtual std::string_view TagName() const = 0;
    // The tag of an element in the element form; a list that reads its elements itself
    // leaves it empty.
    virtual std::string_view ItemTag() const { return {}; }
    virtual void WriteItems(TXmlStream& Writer) const;
    // Hands the reader to a new element at each ItemTag start tag and back to the read parent
    // at the list's own end tag; an override calls this first.
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    // Frees every element; a list with default elements recreates them when asked.
    virtual void Reset(bool WithDefaults) = 0;
    void WriteXml(TXmlStream& Writer) const;
    void BeginRead(TElementReader& Reader, Tdex6Node* ReadParent = nullptr) override;

protected:
    // The element that an ItemTag start tag is read into.
    virtual TCustomdex6Object* AddReadItem() { return AddNew(); }

private:
    Tdex6Dataobject* FRoot;
    Tdex6Node* FParent;
    Tdex6Node* FReadParent = nullptr;
};

// The TOwner that owns Parent, when Parent is a TList; none otherwise.
template <class TOwner, class TList> TOwner* OwnerOf(const Tdex6Node* Parent) {
    const auto* List = dynamic_cast<const TList*>(Parent);
    return List != nullptr ? dynamic_cast<TOwner*>(List->Parent()) : nullptr;
}

// How a list makes a new element with a new identifier; a class with memory of its own
// specialises it.
template <class T> std::unique_ptr<T> MakeListItem(Tdex6Dataobject* Root, Tdex6Node* Parent) {
    if constexpr (std::is_base_of_v<TArenaObject<T>, T>)
        return std::unique_ptr<T>(new (Root) T(Root, Parent, true));
    else
        return std::make_unique<T>(Root, Parent, true);
}

// A list of elements of one class.
template <class T> class Tdex6ObjectList : public TCustomdex6ObjectList {
public:
    using TCustomdex6ObjectList::TCustomdex6ObjectList;
    using TItems = std::pmr::vector<std::unique_ptr<T>>;
    // The element array comes from Memory.
    Tdex6ObjectList(Tdex6Dataobject* Root, Tdex6Node* Parent, std::pmr::memory_resource* Memory)
        : TCustomdex6ObjectList(Root, Parent), FItems(Memory) {}

    int Count() const override { return static_cast<int>(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }
    TCustomdex6Object* ItemAt(int Index) const override { return Items(Index); }
    // The element at Index, or none outside 0 to Count - 1.
    T* Items(int Index) const {
        return Index >= 0 && Index < Count() ? FItems[static_cast<std::size_t>(Index)].get()
                                             : nullptr;
    }

    T* AddNew() override { return Add(MakeListItem<T>(Root(), this)); }
    T* NewItem() { return AddNew(); }
    T* Add(std::unique_ptr<T> Item) {
        FItems.push_back(std::move(Item));
        return FItems.back().get();
    }
    int IndexOf(const T* Item) const {
        for (std::size_t I = 0; I < FItems.size(); ++I) {
            if (FItems[I].get() == Item)
                return static_cast<int>(I);
        }
        return -1;
    }
    // Room for Count elements in all, so that adding up to them moves none.
    void Reserve(std::size_t Count) { FItems.reserve(Count); }
    void Delete(int Index) { FItems.erase(FItems.begin() + Index); }
    // Takes the element out of the list and frees it; false when it is not in the list.
    virtual bool Remove(T* Item) {
        const int Index = IndexOf(Item);
        if (Index < 0)
            return false;
        Delete(Index);
        return true;
    }
    void Reset(bool /*WithDefaults*/) override { FItems.clear(); }

    // The last element whose Key is Value, or none.
    template <class K> T* FindLast(K T::*Key, const K& Value) const {
        for (auto It = FItems.rbegin(); It != FItems.rend(); ++It)
            if ((*It).get()->*Key == Value)
                return It->get();
        return nullptr;
    }
    // Deletes every element whose Key is Value, from the last one back.
    template <class K> void DeleteAll(K T::*Key, const K& Value) {
        for (int I = Count() - 1; I >= 0; --I) {
            if (FItems[static_cast<std::size_t>(I)].get()->*Key == Value)
                Delete(I);
        }
    }
    // One above the largest Key of the elements, at least 1.
    std::int32_t NextNumber(std::int32_t T::*Key) const {
        std::int32_t Largest = 0;
        for (const auto& Item : FItems)
            Largest = std::max(Largest, Item.get()->*Key);
        return Largest + 1;
    }
    // A new element whose Key is the smallest number from 1 upwards that no element has.
    T* AddWithFreeNumber(std::int32_t T::*Key) {
        T* Item = AddNew();
        std::int32_t Number = 1;
        while (FindLast(Key, Number) != nullptr)
            ++Number;
        Item->*Key = Number;
        return Item;
    }

    typename TItems::const_iterator begin() const { return FItems.begin(); }
    typename TItems::const_iterator end() const { return FItems.end(); }

protected:
    TItems FItems;
};

} // namespace kr6
