#pragma once

#include <cstddef>
#include <string_view>
#include <system_error>

namespace kr6 {

// The standard streams, which POSIX names in <unistd.h> and Windows compilers need not.
inline constexpr int StandardInputFd = 0;
inline constexpr int StandardOutputFd = 1;
inline constexpr int StandardErrorFd = 2;

// Reads up to Size bytes from the C runtime descriptor Fd into Buffer; 0 at the end of the
// input, and 0 with Error set on failure.
std::size_t ReadSome(int Fd, char* Buffer, std::size_t Size, std::error_code& Error);

// Writes the first part of Bytes to the C runtime descriptor Fd and returns its length. On
// failure it returns 0 and sets Error; a reader that has gone away is always
// std::errc::broken_pipe, on Windows too, where pipes report it in their own words.
std::size_t WriteSome(int Fd, std::string_view Bytes, std::error_code& Error);

// Lets the bytes through unchanged: Windows opens the standard streams in text mode, which
// turns every line feed into CR LF and stops reading at a Ctrl-Z byte.
void SetBinaryMode(int Fd);

} // namespace kr6
