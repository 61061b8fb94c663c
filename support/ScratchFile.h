#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kr6 {

// A scratch file cannot be created, written or read; the text names the cause.
class EScratchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file for data too large to hold in memory, in the temporary folder ($TMPDIR or /tmp;
// the user's temporary folder on Windows). It has no name anybody else can open and is gone
// with the object, however the program ends.
class TScratchFile {
public:
    TScratchFile();
    ~TScratchFile();
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    // Appends Bytes at the end.
    void Write(std::string_view Bytes);
    // Fills Size bytes at Into with the file's bytes from Offset on; throws when the file
    // holds fewer.
    void ReadAt(std::uint64_t Offset, char* Into, std::size_t Size) const;

private:
    // A descriptor on POSIX, a HANDLE on Windows.
    std::intptr_t FHandle = -1;
    std::string FFolder;
};

} // namespace kr6
