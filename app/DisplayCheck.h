#pragma once

#include <QtGlobal>

#include <string>

namespace kr6 {

// Why the window cannot be shown, told before Qt tries: no platform was chosen (neither
// QT_QPA_PLATFORM nor a -platform argument) and neither DISPLAY nor WAYLAND_DISPLAY names
// a display. Empty when Qt may try.
std::string MissingDisplay(int argc, char** argv);

// For its lifetime, a platform plugin that cannot start (the display named in DISPLAY does
// not answer, for example) ends the program with one line on standard error and exit
// status 1 instead of Qt's abort. Qt's own messages meanwhile are held back: dropped on
// that failure, passed on when the guard ends. Meant to surround the construction of the
// application object, on one thread.
class TPlatformStartGuard {
public:
    TPlatformStartGuard();
    ~TPlatformStartGuard();
    TPlatformStartGuard(const TPlatformStartGuard&) = delete;
    TPlatformStartGuard& operator=(const TPlatformStartGuard&) = delete;

private:
    QtMessageHandler FPrevious;
};

} // namespace kr6
