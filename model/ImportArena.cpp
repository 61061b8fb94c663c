#include "model/ImportArena.h"

#include "support/PoisonMemory.h"
#include "support/PoolMemory.h"

#include <functional>
#include <memory>
#include <system_error>

namespace kr6 {
namespace {

// Room is taken and made present a huge page at a time.
constexpr std::size_t ChunkBytes = std::size_t{2} << 20;
// The smallest page there is; pages the import did not come to are given back whole.
constexpr std::size_t PageBytes = 4096;
// How many chunks the filler makes present ahead of the allocations: enough that they
// seldom fault a page in themselves, few enough that room set aside in excess costs little.
constexpr std::size_t Ahead = 2;

std::size_t RoundUp(std::size_t Bytes, std::size_t Unit) {
    return (Bytes + Unit - 1) / Unit * Unit;
}

} // namespace

TImportArena::~TImportArena() {
    StopFiller();
    while (!FStretches.empty())
        Release(FStretches.size() - 1);
}

void TImportArena::Open(std::size_t Bytes) {
    Close();
    if (Bytes == 0)
        return;
    const std::size_t Rounded = RoundUp(Bytes, ChunkBytes);
    try {
        FStretches.reserve(FStretches.size() + 1);
        FStretches.push_back({static_cast<std::byte*>(MapPoolMemory(Rounded)), Rounded, 0});
    } catch (const std::bad_alloc&) {
        // Room set aside only saves time; the allocations go to the general allocator.
        return;
    }
    std::byte* const Data = FStretches.back().Data;
    ASAN_POISON_MEMORY_REGION(Data, Rounded);
    FNext = Data;
    FEnd = Data + Rounded;
    FReached.Restart();
    try {
        // Making memory present keeps what is in it, so the allocations may come first.
        FFiller = std::thread([this, Data, Rounded] {
            for (std::size_t Chunk = 0; Chunk < Rounded / ChunkBytes; ++Chunk) {
                if (!FReached.WaitForTurn(Chunk, Ahead))
                    return;
                PopulatePoolMemory(Data + Chunk * ChunkBytes, ChunkBytes);
            }
        });
    } catch (const std::system_error&) {
        // Without the thread the pages come on first use.
    }
}

void TImportArena::Close() noexcept {
    StopFiller();
    if (!IsOpen())
        return;
    TStretch& Stretch = FStretches.back();
    const std::size_t Used = RoundUp(static_cast<std::size_t>(FNext - Stretch.Data), PageBytes);
    if (Used < Stretch.Bytes)
        DiscardPoolMemory(Stretch.Data + Used, Stretch.Bytes - Used);
    FNext = FEnd = nullptr;
    if (Stretch.Live == 0)
        Release(FStretches.size() - 1);
}

void* TImportArena::Allocate(std::size_t Bytes, std::size_t Alignment) {
    if (IsOpen()) {
        const std::size_t Offset =
            RoundUp(static_cast<std::size_t>(FNext - FStretches.back().Data), Alignment);
        std::byte* const Start = FStretches.back().Data + Offset;
        if (Start <= FEnd && Bytes <= static_cast<std::size_t>(FEnd - Start)) {
            FNext = Start + Bytes;
            ++FStretches.back().Live;
            const std::size_t Reached = RoundUp(Offset + Bytes, ChunkBytes) / ChunkBytes;
            if (Reached > FReached.Reached())
                FReached.Reach(Reached);
            ASAN_UNPOISON_MEMORY_REGION(Start, Bytes);
            return Start;
        }
    }
    return std::pmr::new_delete_resource()->allocate(Bytes, Alignment);
}

void TImportArena::Free(void* Data, std::size_t Bytes, std::size_t Alignment) noexcept {
    const auto* Place = static_cast<const std::byte*>(Data);
    const std::less<const std::byte*> Before;
    for (std::size_t I = FStretches.size(); I-- > 0;) {
        TStretch& Stretch = FStretches[I];
        if (Before(Place, Stretch.Data) || !Before(Place, Stretch.Data + Stretch.Bytes))
            continue;
        ASAN_POISON_MEMORY_REGION(Data, Bytes);
        const bool Open = IsOpen() && I == FStretches.size() - 1;
        if (--Stretch.Live == 0 && !Open)
            Release(I);
        return;
    }
    std::pmr::new_delete_resource()->deallocate(Data, Bytes, Alignment);
}

void TImportArena::StopFiller() noexcept {
    if (!FFiller.joinable())
        return;
    FReached.Stop();
    FFiller.join();
}

void TImportArena::Release(std::size_t Index) noexcept {
    const TStretch Stretch = FStretches[Index];
    // Whatever is mapped here next must not inherit the poison of free places.
    ASAN_UNPOISON_MEMORY_REGION(Stretch.Data, Stretch.Bytes);
    UnmapPoolMemory(Stretch.Data, Stretch.Bytes);
    FStretches.erase(FStretches.begin() + static_cast<std::ptrdiff_t>(Index));
}

} // namespace kr6
