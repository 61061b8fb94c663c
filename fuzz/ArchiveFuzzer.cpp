#include "helpers/FuzzEntries.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    kr6::test::FuzzArchiveBytes({reinterpret_cast<const char*>(Data), Size});
    return 0;
}
