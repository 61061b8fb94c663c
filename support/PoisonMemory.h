#pragma once

// Marks memory that no object may use, for AddressSanitizer. Compilers without the
// sanitizer (MinGW) lack its header; the marking is then nothing.
#if __has_include(<sanitizer/asan_interface.h>)
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(Address, Size) ((void)(Address), (void)(Size))
#define ASAN_UNPOISON_MEMORY_REGION(Address, Size) ((void)(Address), (void)(Size))
#endif
