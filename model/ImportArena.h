#pragma once

#include "support/FillerPace.h"

#include <cstddef>
#include <memory_resource>
#include <thread>
#include <vector>

namespace kr6 {

// Memory for what one import makes besides the glass prices: tens of thousands of objects
// and the element arrays of the price lists. From the general allocator these would come
// in small pages, each faulted in on first use, which in a virtual machine costs more than
// making the objects. Here the import sets room aside at its start, in huge pages that a
// second thread makes present a little ahead of the import, and hands it out in order.
// Freed memory is not handed out again: a stretch of room goes back to the system as a
// whole when the last allocation in it has gone. Outside an import, and once the room is
// used up, allocations go to the general allocator.
// Like the model it serves, it is used by one thread at a time.
class TImportArena final : public std::pmr::memory_resource {
public:
    TImportArena() = default;
    ~TImportArena() override;
    TImportArena(const TImportArena&) = delete;
    TImportArena& operator=(const TImportArena&) = delete;

    // Sets Bytes aside for the allocations until Close; closes the arena first when open.
    void Open(std::size_t Bytes);
    // Later allocations go to the general allocator; the pages no allocation came to go back.
    void Close() noexcept;
    bool IsOpen() const { return FNext != nullptr; }

    void* Allocate(std::size_t Bytes, std::size_t Alignment = alignof(std::max_align_t));
    // Data may come from the general allocator, as Allocate hands it out when out of room.
    void Free(void* Data, std::size_t Bytes,
              std::size_t Alignment = alignof(std::max_align_t)) noexcept;

private:
    struct TStretch {
        std::byte* Data;
        std::size_t Bytes;
        std::size_t Live;
    };

    void* do_allocate(std::size_t Bytes, std::size_t Alignment) override {
        return Allocate(Bytes, Alignment);
    }
    void do_deallocate(void* Data, std::size_t Bytes, std::size_t Alignment) override {
        Free(Data, Bytes, Alignment);
    }
    bool do_is_equal(const std::pmr::memory_resource& Other) const noexcept override {
        return this == &Other;
    }
    void StopFiller() noexcept;
    void Release(std::size_t Index) noexcept;

    std::vector<TStretch> FStretches;
    // The unused rest of the open stretch, which is the last one.
    std::byte* FNext = nullptr;
    std::byte* FEnd = nullptr;
    // How many chunks of the open stretch the allocations have come to, which the filler
    // keeps a few ahead of.
    TFillerPace FReached;
    std::thread FFiller;
};

} // namespace kr6
