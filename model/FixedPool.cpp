#include "model/FixedPool.h"

#include <algorithm>

namespace kr6 {

TFixedPool::TFixedPool(std::size_t Size, std::size_t Alignment)
    : FPlaceSize((std::max(Size, sizeof(std::byte*)) + Alignment - 1) / Alignment * Alignment),
      FPlacesPerBlock(TPoolBlock::Bytes / FPlaceSize) {}

TFixedPool::~TFixedPool() = default;

void TFixedPool::NewBlock() {
    FBlocks.push_back(std::make_unique<TPoolBlock>());
    FNext = FBlocks.back()->Data();
    FEnd = FNext + FPlaceSize * FPlacesPerBlock;
    ASAN_POISON_MEMORY_REGION(FNext, FPlaceSize * FPlacesPerBlock);
}

void TFixedPool::ReleaseAll() noexcept {
    FBlocks.clear();
    FFree = FNext = FEnd = nullptr;
}

} // namespace kr6
