#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <memory_resource>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kr6 {

// The text under which SameText finds a code: a-z folded to A-Z, nothing else.
inline std::string SameTextKey(std::string_view Code) {
    std::string Key(Code);
    for (char& C : Key) {
        if (C >= 'a' && C <= 'z')
            C = static_cast<char>(C - 'a' + 'A');
    }
    return Key;
}

// Finds the last element of a list whose EDV() equals a code under SameText. Built on
// the first lookup after a change and extended by the elements appended since; the
// evaluation looks codes up from several threads, so building is guarded and lookups
// are safe as long as the list does not change meanwhile.
template <class T> class TCodeIndex {
public:
    using TItems = std::pmr::vector<std::unique_ptr<T>>;

    // A code changed or an element left: start over on the next lookup.
    void Invalidate() { FIndexed.store(NotBuilt, std::memory_order_release); }

    T* Find(const TItems& Items, std::string_view Code) const {
        if (FIndexed.load(std::memory_order_acquire) != Items.size())
            CatchUp(Items);
        const auto Found = FLast.find(SameTextKey(Code));
        return Found != FLast.end() ? Found->second : nullptr;
    }

private:
    static constexpr std::size_t NotBuilt = static_cast<std::size_t>(-1);

    void CatchUp(const TItems& Items) const {
        const std::lock_guard<std::mutex> Lock(FMutex);
        std::size_t From = FIndexed.load(std::memory_order_relaxed);
        if (From == Items.size())
            return;
        if (From > Items.size()) {
            FLast.clear();
            From = 0;
        }
        // Later elements replace earlier ones: the last match wins.
        for (std::size_t I = From; I < Items.size(); ++I)
            FLast[SameTextKey(Items[I]->EDV())] = Items[I].get();
        FIndexed.store(Items.size(), std::memory_order_release);
    }

    mutable std::mutex FMutex;
    // How many leading elements FLast covers; NotBuilt when it must be rebuilt.
    mutable std::atomic<std::size_t> FIndexed{0};
    mutable std::unordered_map<std::string, T*> FLast;
};

} // namespace kr6
