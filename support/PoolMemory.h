#pragma once

#include <cstddef>

namespace kr6 {

// Memory straight from the operating system for a block of a fixed pool. Where the system
// can (Linux), it is made of huge pages and all of them are made present at once: faulting
// hundreds of megabytes in page by page costs more than building the objects in them.
// Throws std::bad_alloc when there is none.
void* MapPoolMemory(std::size_t Bytes);
void UnmapPoolMemory(void* Data, std::size_t Bytes) noexcept;
// Asks the system to make the whole huge pages within Bytes at Data of huge pages when
// they are first touched, for a large buffer that is filled at once; only a hint, and
// nothing where the system has no huge pages.
void PreferHugePages(void* Data, std::size_t Bytes) noexcept;

} // namespace kr6
