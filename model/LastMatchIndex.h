#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace kr6 {

// Finds the last element of a list that has a given key, as a walk over the whole list
// would. Elements appended since the last lookup are taken in on the next one, with the
// keys they have then; the list calls Invalidate when an element leaves or an element's
// keys change through the model. A found element whose key no longer matches (its
// fields were assigned directly) makes the index start over.
//
// KeyOf(Element) gives std::optional<TKey>: no key for elements this index leaves out.
template <class TKey, class T, class THash> class TLastMatchIndex {
public:
    using TItems = std::vector<std::unique_ptr<T>>;

    void Invalidate() { FStale = true; }

    template <class TKeyOf> T* Find(const TItems& Items, const TKey& Key, TKeyOf KeyOf) {
        CatchUp(Items, KeyOf);
        T* Found = Lookup(Key);
        if (Found == nullptr || KeyOf(*Found) == Key)
            return Found;
        FStale = true;
        CatchUp(Items, KeyOf);
        return Lookup(Key);
    }

private:
    T* Lookup(const TKey& Key) const {
        const auto Found = FLast.find(Key);
        return Found != FLast.end() ? Found->second : nullptr;
    }

    template <class TKeyOf> void CatchUp(const TItems& Items, TKeyOf KeyOf) {
        if (FStale || FIndexed > Items.size()) {
            FLast.clear();
            FIndexed = 0;
            FStale = false;
        }
        for (; FIndexed < Items.size(); ++FIndexed) {
            T* Item = Items[FIndexed].get();
            if (const std::optional<TKey> Key = KeyOf(*Item))
                FLast[*Key] = Item;
        }
    }

    std::unordered_map<TKey, T*, THash> FLast;
    // How many leading elements of the list FLast covers.
    std::size_t FIndexed = 0;
    bool FStale = false;
};

} // namespace kr6
