#pragma once

#include "support/PoisonMemory.h"
#include "support/PoolMemory.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

namespace kr6 {

// One block of pool memory, taken from the operating system.
class TPoolBlock {
public:
    static constexpr std::size_t Bytes = std::size_t{2} << 20;

    // Present: all pages are made present at once; otherwise they come on first use or
    // through PopulatePoolMemory.
    explicit TPoolBlock(bool Present = true)
        : FData(static_cast<std::byte*>(MapPoolMemory(Bytes))) {
        if (Present)
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

// Memory for the millions of small objects of one class that a large price list holds.
// The general allocator hands such objects out slowly while the import makes and frees
// texts of every size around them; this takes large blocks and hands their places out in
// order, reuses freed places, and gives every block back when the last object has gone.
// A pool serves one model, which only one thread changes at a time: it takes no lock. (The
// thread of Reserve only touches blocks that no object has come to.)
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

    // Room for Count more objects. Making memory present costs more than making the objects
    // in it, so blocks are set aside now and made present on another thread, a few blocks
    // ahead of the objects, while the caller makes them.
    void Reserve(std::size_t Count);
    // Gives back the blocks set aside that no object has come to.
    void ReleaseReserve();

private:
    struct TSetAside;

    void NewBlock();
    // A block set aside, or none when none is left.
    std::byte* TakeSetAside();
    void StopFiller() noexcept;
    void ReleaseAll() noexcept;

    std::size_t FPlaceSize;
    std::size_t FPlacesPerBlock;
    // The blocks in use and set aside.
    std::vector<std::unique_ptr<TPoolBlock>> FBlocks;
    // Freed places, each holding the next one's address.
    std::byte* FFree = nullptr;
    // The unused rest of the newest block.
    std::byte* FNext = nullptr;
    std::byte* FEnd = nullptr;
    std::size_t FLive = 0;
    // The blocks of Reserve, shared with the thread that makes them present.
    std::unique_ptr<TSetAside> FSetAside;
    std::thread FFiller;
};

} // namespace kr6
