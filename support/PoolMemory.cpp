#include "support/PoolMemory.h"

#include <cstdint>
#include <new>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace kr6 {

#ifdef _WIN32

// Committing charges the memory at once, so a shortage shows here and not on first touch.
void* MapPoolMemory(std::size_t Bytes) {
    void* Data = VirtualAlloc(nullptr, Bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (Data == nullptr)
        throw std::bad_alloc();
    return Data;
}

void UnmapPoolMemory(void* Data, std::size_t) noexcept {
    VirtualFree(Data, 0, MEM_RELEASE);
}

void PopulatePoolMemory(void*, std::size_t) noexcept {}

void DiscardPoolMemory(void* Data, std::size_t Bytes) noexcept {
    VirtualFree(Data, Bytes, MEM_DECOMMIT);
}

void PreferHugePages(void*, std::size_t) noexcept {}

#else

// The size of a transparent huge page on the usual Linux machines.
constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20;

// Page faults are the dearest part of building a large model (much more so in a virtual
// machine), and one huge page takes the place of 512 small ones. The mapping is made one
// huge page larger and trimmed to a stretch that starts on a huge page.
void* MapPoolMemory(std::size_t Bytes) {
    void* Mapped =
        mmap(nullptr, Bytes + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (Mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto Start = reinterpret_cast<std::uintptr_t>(Mapped);
    const std::uintptr_t Aligned = (Start + HugePage - 1) & ~(HugePage - 1);
    if (Aligned > Start)
        munmap(Mapped, Aligned - Start);
    munmap(reinterpret_cast<void*>(Aligned + Bytes), Start + HugePage - Aligned);
    void* Data = reinterpret_cast<void*>(Aligned);
    // A request: without huge pages the memory is made of small pages.
#ifdef MADV_HUGEPAGE
    madvise(Data, Bytes, MADV_HUGEPAGE);
#endif
    return Data;
}

// Without it the pages come on first use.
void PopulatePoolMemory([[maybe_unused]] void* Data, [[maybe_unused]] std::size_t Bytes) noexcept {
#ifdef MADV_POPULATE_WRITE
    madvise(Data, Bytes, MADV_POPULATE_WRITE);
#endif
}

void UnmapPoolMemory(void* Data, std::size_t Bytes) noexcept {
    munmap(Data, Bytes);
}

void DiscardPoolMemory(void* Data, std::size_t Bytes) noexcept {
    madvise(Data, Bytes, MADV_DONTNEED);
}

void PreferHugePages([[maybe_unused]] void* Data, [[maybe_unused]] std::size_t Bytes) noexcept {
#ifdef MADV_HUGEPAGE
    const auto Start = reinterpret_cast<std::uintptr_t>(Data);
    const std::uintptr_t First = (Start + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t End = (Start + Bytes) & ~(HugePage - 1);
    if (First < End)
        madvise(reinterpret_cast<void*>(First), End - First, MADV_HUGEPAGE);
#endif
}

#endif

} // namespace kr6
