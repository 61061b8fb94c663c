#include "cli/Terminal.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include "support/WindowsText.h"

#include <io.h>
#include <windows.h>
#else
#include <clocale>
#include <csignal>
#include <langinfo.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace kr6 {
namespace {

bool TermIsDumb() {
    const char* Term = std::getenv("TERM");
    return Term != nullptr && std::string_view(Term) == "dumb";
}

} // namespace

#ifdef _WIN32

namespace {

HANDLE HandleOf(int Fd) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(Fd));
}

// _isatty() is true for the null device as well; a console answers GetConsoleMode.
bool IsConsole(HANDLE Handle, DWORD& Mode) {
    return Handle != INVALID_HANDLE_VALUE && GetConsoleMode(Handle, &Mode) != 0;
}

} // namespace

bool IsTerminal(int Fd) {
    DWORD Mode = 0;
    return IsConsole(HandleOf(Fd), Mode);
}

bool TerminalErases(int Fd) {
    const HANDLE Handle = HandleOf(Fd);
    DWORD Mode = 0;
    if (TermIsDumb() || !IsConsole(Handle, Mode))
        return false;
    return (Mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
           SetConsoleMode(Handle, Mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

std::size_t TerminalColumns(int Fd) {
    CONSOLE_SCREEN_BUFFER_INFO Info{};
    if (!GetConsoleScreenBufferInfo(HandleOf(Fd), &Info))
        return 0;
    return static_cast<std::size_t>(Info.srWindow.Right - Info.srWindow.Left + 1);
}

void WatchTerminalWidth(bool) {}

bool TerminalWidthChanged() {
    return false;
}

bool TerminalTakesUtf8(int) {
    // A console gets characters from WriteToConsole, whatever the bytes were.
    return false;
}

bool WriteToConsole(int Fd, std::string_view Text, bool Utf8) {
    const HANDLE Handle = HandleOf(Fd);
    DWORD Mode = 0;
    if (!IsConsole(Handle, Mode))
        return false;
    const std::wstring Wide = Utf8 ? WideFromUtf8(Text) : WideFromCp1252(Text);
    std::wstring_view Rest = Wide;
    while (!Rest.empty()) {
        DWORD Written = 0;
        const auto Part = static_cast<DWORD>(std::min<std::size_t>(Rest.size(), 1U << 14));
        if (!WriteConsoleW(Handle, Rest.data(), Part, &Written, nullptr) || Written == 0)
            break;
        Rest.remove_prefix(Written);
    }
    return true;
}

#else

namespace {

std::atomic<bool> WidthChanged{false};

extern "C" void NoteWidthChange(int) {
    WidthChanged.store(true);
}

} // namespace

bool IsTerminal(int Fd) {
    return isatty(Fd) != 0;
}

bool TerminalErases(int Fd) {
    const char* Term = std::getenv("TERM");
    return IsTerminal(Fd) && Term != nullptr && *Term != '\0' && !TermIsDumb();
}

std::size_t TerminalColumns(int Fd) {
    winsize Size{};
    return ioctl(Fd, TIOCGWINSZ, &Size) == 0 ? Size.ws_col : 0;
}

void WatchTerminalWidth(bool Watch) {
    std::signal(SIGWINCH, Watch ? NoteWidthChange : SIG_DFL);
}

bool TerminalWidthChanged() {
    return WidthChanged.exchange(false);
}

bool WriteToConsole(int, std::string_view, bool) {
    return false;
}

bool TerminalTakesUtf8(int Fd) {
    if (!IsTerminal(Fd))
        return false;
    // The character set of the user's locale, which the program otherwise leaves at "C".
    static const bool Utf8 = [] {
        const std::string Before = std::setlocale(LC_CTYPE, nullptr);
        const char* Chosen = std::setlocale(LC_CTYPE, "");
        const bool Result = Chosen != nullptr && std::string_view(nl_langinfo(CODESET)) == "UTF-8";
        std::setlocale(LC_CTYPE, Before.c_str());
        return Result;
    }();
    return Utf8;
}

#endif

} // namespace kr6
