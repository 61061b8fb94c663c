#include "support/SystemCalls.h"

#include <zip.h>

#include <cstdio>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace kr6 {
namespace {

zip_source* FileSource(const char* Path, zip_error* Error) {
    return zip_source_file_create(Path, 0, -1, Error);
}

} // namespace

TSystemCalls& SystemCalls() {
    static TSystemCalls Calls{
#ifndef _WIN32
        fsync, close, std::rename,
#endif
        FileSource};
    return Calls;
}

} // namespace kr6
