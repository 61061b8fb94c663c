#ifndef _WIN32

#include "app/DisplayCheck.h"

#include <cstdlib>
#include <string_view>

namespace kr6 {
namespace {

bool IsSet(const char* Name) {
    const char* Value = std::getenv(Name);
    return Value != nullptr && *Value != '\0';
}

bool PlatformChosen(int argc, char** argv) {
    if (IsSet("QT_QPA_PLATFORM"))
        return true;
    for (int I = 1; I < argc; ++I) {
        const std::string_view Arg = argv[I];
        if (Arg == "-platform" || Arg == "--platform")
            return true;
    }
    return false;
}

} // namespace

std::string MissingDisplay(int argc, char** argv) {
    if (PlatformChosen(argc, argv) || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"))
        return {};
    return "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

} // namespace kr6

#endif
