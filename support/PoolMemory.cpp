#include "support/PoolMemory.h"

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

#else

void* MapPoolMemory(std::size_t Bytes) {
    int Flags = MAP_PRIVATE | MAP_ANONYMOUS;
#ifdef MAP_POPULATE
    Flags |= MAP_POPULATE;
#endif
    void* Data = mmap(nullptr, Bytes, PROT_READ | PROT_WRITE, Flags, -1, 0);
    if (Data == MAP_FAILED)
        throw std::bad_alloc();
    return Data;
}

void UnmapPoolMemory(void* Data, std::size_t Bytes) noexcept {
    munmap(Data, Bytes);
}

#endif

} // namespace kr6
