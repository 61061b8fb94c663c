#include "model/FixedPool.h"

#include <limits>
#include <new>
#include <system_error>
#include <utility>

namespace kr6 {
namespace {

constexpr std::size_t Stopped = std::numeric_limits<std::size_t>::max();
// How far the filler runs ahead of the objects: far enough that they seldom wait for a
// page, near enough that a count that was too high costs little memory.
constexpr std::size_t Ahead = 32;

// Makes the blocks present in order, from block First of the pool on, never more than Ahead
// blocks beyond the ones in use; a block already in use is left to the objects' own faults.
void Fill(std::vector<std::byte*> Blocks, std::size_t First, std::atomic<std::size_t>& Used) {
    for (std::size_t I = 0; I < Blocks.size(); ++I) {
        std::size_t InUse = Used.load();
        while (InUse != Stopped && First + I >= InUse + Ahead) {
            Used.wait(InUse);
            InUse = Used.load();
        }
        if (InUse == Stopped)
            return;
        if (First + I >= InUse)
            PopulatePoolMemory(Blocks[I], TPoolBlock::Bytes);
    }
}

} // namespace

void TFixedPool::NewBlock() {
    if (FUsed == FBlocks.size())
        FBlocks.push_back(std::make_unique<TPoolBlock>());
    FNext = FBlocks[FUsed]->Data();
    FEnd = FNext + FPlaceSize * FPlacesPerBlock;
    ASAN_POISON_MEMORY_REGION(FNext, FPlaceSize * FPlacesPerBlock);
    ++FUsed;
    if (FFiller.joinable()) {
        FFillerUsed.store(FUsed);
        FFillerUsed.notify_one();
    }
}

void TFixedPool::Reserve(std::size_t Count) {
    StopFiller();
    const std::size_t Room = static_cast<std::size_t>(FEnd - FNext) / FPlaceSize +
                             (FBlocks.size() - FUsed) * FPlacesPerBlock;
    if (Count <= Room)
        return;
    try {
        for (std::size_t Places = Room; Places < Count; Places += FPlacesPerBlock)
            FBlocks.push_back(std::make_unique<TPoolBlock>(false));
    } catch (const std::bad_alloc&) {
        // Room set aside only saves time; the objects may still find memory one by one.
    }
    // Blocks set aside before are filled as well.
    std::vector<std::byte*> Blocks;
    for (std::size_t I = FUsed; I < FBlocks.size(); ++I)
        Blocks.push_back(FBlocks[I]->Data());
    const std::size_t First = FUsed;
    FFillerUsed.store(FUsed);
    try {
        FFiller = std::thread(Fill, std::move(Blocks), First, std::ref(FFillerUsed));
    } catch (const std::system_error&) {
        // Without a thread the pages come on first use.
    }
}

void TFixedPool::ReleaseReserve() {
    StopFiller();
    FBlocks.resize(FUsed);
}

void TFixedPool::StopFiller() noexcept {
    if (!FFiller.joinable())
        return;
    FFillerUsed.store(Stopped);
    FFillerUsed.notify_one();
    FFiller.join();
}

} // namespace kr6
