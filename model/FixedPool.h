#pragma once

#include "support/PoisonMemory.h"
#include "support/PoolMemory.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace kr6 {

// One block of pool memory, taken from the operating system.
class TPoolBlock {
public:
    static constexpr std::size_t Bytes = std::size_t{2} << 20;

    // All pages are made present at once: the block is taken to be filled.
    TPoolBlock() : FData(static_cast<std::byte*>(MapPoolMemory(Bytes))) {
        PopulatePoolMemory(FData, Bytes);
    }
    ~TPoolBlock() {
        // Whatever is mapped here next must not inherit the poison of free places.
        ASAN_UNPOISON_MEMORY_REGION(FData, Bytes);
        UnmapPoolMemory(FData, Bytes);
    }
    TPoolBlock(const TPoolBlock&) = delete;
    TPoolBlock& operator=(const TPoolBlock&) = delete;

    std::byte* Data() const { return FData; }

private:
    std::byte* FData = nullptr;
};

// Memory for the many small objects of one class that a model may hold: the prices of a
// glass, thousands at once, when its list leaves its packed form. This takes large blocks
// and hands their places out in order, reuses freed places, and gives every block back
// when the last object has gone.
// A pool serves one model, which only one thread changes at a time: it takes no lock.
// Free places are poisoned for AddressSanitizer, so use after free is still found.
class TFixedPool {
public:
    TFixedPool(std::size_t Size, std::size_t Alignment);
    ~TFixedPool();
    TFixedPool(const TFixedPool&) = delete;
    TFixedPool& operator=(const TFixedPool&) = delete;

    void* Allocate() {
        std::byte* Place = nullptr;
        if (FFree != nullptr) {
            Place = FFree;
            ASAN_UNPOISON_MEMORY_REGION(Place, FPlaceSize);
            FFree = *reinterpret_cast<std::byte**>(Place);
        } else {
            if (FNext == FEnd)
                NewBlock();
            Place = FNext;
            FNext += FPlaceSize;
            ASAN_UNPOISON_MEMORY_REGION(Place, FPlaceSize);
        }
        ++FLive;
        return Place;
    }

    void Free(void* Object) noexcept {
        auto* Place = static_cast<std::byte*>(Object);
        *reinterpret_cast<std::byte**>(Place) = FFree;
        FFree = Place;
        ASAN_POISON_MEMORY_REGION(Place, FPlaceSize);
        if (--FLive == 0)
            ReleaseAll();
    }

private:
    void NewBlock();
    void ReleaseAll() noexcept;

    std::size_t FPlaceSize;
    std::size_t FPlacesPerBlock;
    std::vector<std::unique_ptr<TPoolBlock>> FBlocks;
    // Freed places, each holding the next one's address.
    std::byte* FFree = nullptr;
    // The unused rest of the newest block.
    std::byte* FNext = nullptr;
    std::byte* FEnd = nullptr;
    std::size_t FLive = 0;
};

} // namespace kr6
