#include "support/FileDescriptor.h"

#include <algorithm>
#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kr6 {

#ifdef _WIN32

std::size_t WriteSome(int Fd, std::string_view Bytes, std::error_code& Error) {
    const auto Handle = reinterpret_cast<HANDLE>(_get_osfhandle(Fd));
    if (Handle == INVALID_HANDLE_VALUE) {
        Error = std::make_error_code(std::errc::bad_file_descriptor);
        return 0;
    }
    const auto Part = static_cast<DWORD>(std::min<std::size_t>(Bytes.size(), 1U << 30));
    DWORD Written = 0;
    if (WriteFile(Handle, Bytes.data(), Part, &Written, nullptr))
        return Written;
    const DWORD Code = GetLastError();
    Error = Code == ERROR_BROKEN_PIPE || Code == ERROR_NO_DATA
                ? std::make_error_code(std::errc::broken_pipe)
                : std::error_code(static_cast<int>(Code), std::system_category());
    return 0;
}

std::size_t ReadSome(int Fd, char* Buffer, std::size_t Size, std::error_code& Error) {
    const int Read =
        _read(Fd, Buffer, static_cast<unsigned>(std::min<std::size_t>(Size, 1U << 30)));
    if (Read >= 0)
        return static_cast<std::size_t>(Read);
    Error = std::error_code(errno, std::generic_category());
    return 0;
}

void SetBinaryMode(int Fd) {
    _setmode(Fd, _O_BINARY);
}

#else

std::size_t WriteSome(int Fd, std::string_view Bytes, std::error_code& Error) {
    for (;;) {
        const ssize_t Written = ::write(Fd, Bytes.data(), Bytes.size());
        if (Written >= 0)
            return static_cast<std::size_t>(Written);
        if (errno != EINTR) {
            Error = std::error_code(errno, std::generic_category());
            return 0;
        }
    }
}

std::size_t ReadSome(int Fd, char* Buffer, std::size_t Size, std::error_code& Error) {
    for (;;) {
        const ssize_t Read = ::read(Fd, Buffer, Size);
        if (Read >= 0)
            return static_cast<std::size_t>(Read);
        if (errno != EINTR) {
            Error = std::error_code(errno, std::generic_category());
            return 0;
        }
    }
}

void SetBinaryMode(int) {}

#endif

} // namespace kr6
