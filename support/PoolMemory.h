#pragma once

#include <cstddef>

namespace kr6 {

// Memory straight from the operating system for a block of a fixed pool; where the system
// can (Linux), it is made of huge pages. Throws std::bad_alloc when there is none.
void* MapPoolMemory(std::size_t Bytes);
void UnmapPoolMemory(void* Data, std::size_t Bytes) noexcept;
// Makes all pages of mapped pool memory present at once, where the system can: faulting
// hundreds of megabytes in page by page costs more than building the objects in them.
// The memory may be in use meanwhile; its content stays as it is.
void PopulatePoolMemory(void* Data, std::size_t Bytes) noexcept;
// Gives the pages within Bytes at Data, a whole number of pages of mapped pool memory, back
// to the system; nothing may use them afterwards, but they stay mapped until unmapped.
void DiscardPoolMemory(void* Data, std::size_t Bytes) noexcept;
// Asks the system to make the whole huge pages within Bytes at Data of huge pages when
// they are first touched, for a large buffer that is filled at once; only a hint, and
// nothing where the system has no huge pages.
void PreferHugePages(void* Data, std::size_t Bytes) noexcept;

} // namespace kr6
