#include "model/FixedPool.h"

#include "support/FillerPace.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <new>
#include <system_error>
#include <utility>

namespace kr6 {
namespace {

// How far the filler runs ahead of the objects: far enough that they seldom fault a page
// in themselves, near enough that a count that was too high costs little memory.
constexpr std::size_t Ahead = 32;
// The smallest page there is; writing into each makes all of them present.
constexpr std::size_t PageBytes = 4096;

} // namespace

// The blocks go through these states in order; the filler claims an untouched block and
// makes it present, the objects take a block in either of these two states. Writing into a
// block makes its pages present without the lock that asking the system for it takes, for
// which the objects' thread would wait whenever it maps memory of its own.
struct TFixedPool::TSetAside {
    enum TState : std::uint8_t { Untouched, Filling, Present, Taken };

    explicit TSetAside(std::vector<std::byte*> TheBlocks)
        : Blocks(std::move(TheBlocks)),
          States(std::make_unique<std::atomic<std::uint8_t>[]>(Blocks.size())) {}

    void Fill() {
        for (std::size_t I = 0; I < Blocks.size(); ++I) {
            if (!InUse.WaitForTurn(I, Ahead))
                return;
            std::uint8_t State = Untouched;
            if (!States[I].compare_exchange_strong(State, Filling))
                continue;
            for (std::size_t Offset = 0; Offset < TPoolBlock::Bytes; Offset += PageBytes)
                *static_cast<volatile std::byte*>(Blocks[I] + Offset) = std::byte{0};
            States[I].store(Present);
        }
    }

    std::vector<std::byte*> Blocks;
    std::unique_ptr<std::atomic<std::uint8_t>[]> States;
    // How many blocks the objects have taken.
    TFillerPace InUse;
    // The objects' own count, and the first block they may not have taken.
    std::size_t TakenCount = 0;
    std::size_t Next = 0;
};

TFixedPool::TFixedPool(std::size_t Size, std::size_t Alignment)
    : FPlaceSize((std::max(Size, sizeof(std::byte*)) + Alignment - 1) / Alignment * Alignment),
      FPlacesPerBlock(TPoolBlock::Bytes / FPlaceSize) {}

TFixedPool::~TFixedPool() {
    StopFiller();
}

void TFixedPool::NewBlock() {
    std::byte* Block = FSetAside != nullptr ? TakeSetAside() : nullptr;
    if (Block == nullptr) {
        FBlocks.push_back(std::make_unique<TPoolBlock>());
        Block = FBlocks.back()->Data();
    }
    FNext = Block;
    FEnd = FNext + FPlaceSize * FPlacesPerBlock;
    ASAN_POISON_MEMORY_REGION(FNext, FPlaceSize * FPlacesPerBlock);
}

std::byte* TFixedPool::TakeSetAside() {
    TSetAside& S = *FSetAside;
    while (S.Next < S.Blocks.size() && S.States[S.Next].load() == TSetAside::Taken)
        ++S.Next;
    // A block the filler is working on is passed over; an untouched one the objects make
    // present themselves.
    for (std::size_t I = S.Next; I < S.Blocks.size(); ++I) {
        std::uint8_t State = S.States[I].load();
        if (State == TSetAside::Present)
            S.States[I].store(TSetAside::Taken);
        else if (State != TSetAside::Untouched ||
                 !S.States[I].compare_exchange_strong(State, TSetAside::Taken))
            continue;
        if (State == TSetAside::Untouched)
            PopulatePoolMemory(S.Blocks[I], TPoolBlock::Bytes);
        S.InUse.Reach(++S.TakenCount);
        return S.Blocks[I];
    }
    return nullptr;
}

void TFixedPool::Reserve(std::size_t Count) {
    ReleaseReserve();
    const std::size_t Room = static_cast<std::size_t>(FEnd - FNext) / FPlaceSize;
    if (Count <= Room)
        return;
    const std::size_t Wanted = (Count - Room + FPlacesPerBlock - 1) / FPlacesPerBlock;
    std::vector<std::byte*> Blocks;
    Blocks.reserve(Wanted);
    FBlocks.reserve(FBlocks.size() + Wanted);
    try {
        while (Blocks.size() < Wanted) {
            FBlocks.push_back(std::make_unique<TPoolBlock>(false));
            Blocks.push_back(FBlocks.back()->Data());
        }
    } catch (const std::bad_alloc&) {
        // Room set aside only saves time; the objects may still find memory one by one.
    }
    if (Blocks.empty())
        return;
    FSetAside = std::make_unique<TSetAside>(std::move(Blocks));
    try {
        FFiller = std::thread([SetAside = FSetAside.get()] { SetAside->Fill(); });
    } catch (const std::system_error&) {
        // Without the thread the objects make the blocks present themselves.
    }
}

void TFixedPool::ReleaseReserve() {
    StopFiller();
    if (FSetAside == nullptr)
        return;
    std::vector<std::byte*> Unused;
    for (std::size_t I = 0; I < FSetAside->Blocks.size(); ++I) {
        if (FSetAside->States[I].load() != TSetAside::Taken)
            Unused.push_back(FSetAside->Blocks[I]);
    }
    std::sort(Unused.begin(), Unused.end());
    std::erase_if(FBlocks, [&](const std::unique_ptr<TPoolBlock>& Block) {
        return std::binary_search(Unused.begin(), Unused.end(), Block->Data());
    });
    FSetAside.reset();
}

void TFixedPool::StopFiller() noexcept {
    if (!FFiller.joinable())
        return;
    FSetAside->InUse.Stop();
    FFiller.join();
}

void TFixedPool::ReleaseAll() noexcept {
    StopFiller();
    FSetAside.reset();
    FBlocks.clear();
    FFree = FNext = FEnd = nullptr;
}

} // namespace kr6
