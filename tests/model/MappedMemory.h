#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstdint>

namespace kr6::test {

// Whether the page holding Place is mapped into the process: the pools give their memory
// back to the system, so a place they gave back is no longer there.
inline bool IsMapped(const void* Place) {
#ifdef _WIN32
    MEMORY_BASIC_INFORMATION Info{};
    return VirtualQuery(Place, &Info, sizeof Info) != 0 && Info.State != MEM_FREE;
#else
    const auto Page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t Start = reinterpret_cast<std::uintptr_t>(Place) & ~(Page - 1);
    unsigned char Resident = 0;
    return mincore(reinterpret_cast<void*>(Start), Page, &Resident) == 0;
#endif
}

} // namespace kr6::test
