#pragma once

#include "support/PoolMemory.h"

// Compilers without the sanitizer (MinGW) lack its header; the poisoning is then nothing.
#if __has_include(<sanitizer/asan_interface.h>)
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(Address, Size) ((void)(Address), (void)(Size))
#define ASAN_UNPOISON_MEMORY_REGION(Address, Size) ((void)(Address), (void)(Size))
#endif

#include <algorithm>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace kr6 {

// One block of pool memory, taken from the operating system with all its pages.
class TPoolBlock {
public:
    static constexpr std::size_t Bytes = std::size_t{2} << 20;

    TPoolBlock() : FData(static_cast<std::byte*>(MapPoolMemory(Bytes))) {}
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
// order, reuses freed places, and gives all blocks but one back when the last object has
// gone.
// Free places are poisoned for AddressSanitizer, so use after free is still found.
template <std::size_t Size, std::size_t Alignment> class TFixedPool {
public:
    TFixedPool() = default;
    TFixedPool(const TFixedPool&) = delete;
    TFixedPool& operator=(const TFixedPool&) = delete;

    void* Allocate() {
        const std::lock_guard<std::mutex> Lock(FMutex);
        std::byte* Place = nullptr;
        if (FFree != nullptr) {
            Place = FFree;
            ASAN_UNPOISON_MEMORY_REGION(Place, PlaceSize);
            FFree = *reinterpret_cast<std::byte**>(Place);
        } else {
            if (FNext == FEnd)
                NewBlock();
            Place = FNext;
            FNext += PlaceSize;
            ASAN_UNPOISON_MEMORY_REGION(Place, PlaceSize);
        }
        ++FLive;
        return Place;
    }

    void Free(void* Object) noexcept {
        const std::lock_guard<std::mutex> Lock(FMutex);
        auto* Place = static_cast<std::byte*>(Object);
        *reinterpret_cast<std::byte**>(Place) = FFree;
        FFree = Place;
        ASAN_POISON_MEMORY_REGION(Place, PlaceSize);
        if (--FLive == 0)
            Restart();
    }

private:
    static_assert(Alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    static constexpr std::size_t PlaceSize =
        (std::max(Size, sizeof(std::byte*)) + Alignment - 1) / Alignment * Alignment;
    static constexpr std::size_t PlacesPerBlock = TPoolBlock::Bytes / PlaceSize;

    // No object is left: every block but the first goes, and the first is handed out
    // anew, so that a program making and dropping a few objects maps no block again.
    void Restart() {
        FBlocks.resize(1);
        FFree = nullptr;
        FNext = FBlocks.front()->Data();
        FEnd = FNext + PlaceSize * PlacesPerBlock;
        ASAN_POISON_MEMORY_REGION(FNext, PlaceSize * PlacesPerBlock);
    }

    void NewBlock() {
        FBlocks.push_back(std::make_unique<TPoolBlock>());
        FNext = FBlocks.back()->Data();
        FEnd = FNext + PlaceSize * PlacesPerBlock;
        ASAN_POISON_MEMORY_REGION(FNext, PlaceSize * PlacesPerBlock);
    }

    std::mutex FMutex;
    std::vector<std::unique_ptr<TPoolBlock>> FBlocks;
    // Freed places, each holding the next one's address.
    std::byte* FFree = nullptr;
    // The unused rest of the newest block.
    std::byte* FNext = nullptr;
    std::byte* FEnd = nullptr;
    std::size_t FLive = 0;
};

} // namespace kr6
