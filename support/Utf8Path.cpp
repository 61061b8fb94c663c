#include "support/Utf8Path.h"

#ifdef _WIN32
#include "support/WindowsText.h"
#endif

namespace kr6 {

#ifdef _WIN32

std::filesystem::path PathFromUtf8(std::string_view Text) {
    return WideFromUtf8(Text);
}

std::string Utf8FromPath(const std::filesystem::path& Path) {
    return Utf8FromWide(Path.native());
}

#else

// POSIX paths are bytes; whatever the command line held names the file.
std::filesystem::path PathFromUtf8(std::string_view Text) {
    return std::string(Text);
}

std::string Utf8FromPath(const std::filesystem::path& Path) {
    return Path.native();
}

#endif

} // namespace kr6
