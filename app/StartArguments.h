#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kr6 {

// What kr6csv-gui was asked to do: "[ARCHIVE.zip]" opens the window and loads the archive
// as the load command would; "--screenshot FILE.png [ARCHIVE.zip]" renders the window
// into FILE.png, after loading and evaluating the archive when one is named.
struct TStartArguments {
    QString Archive;
    QString Screenshot;
};

inline constexpr const char* StartUsage =
    "usage: kr6csv-gui [ARCHIVE.zip] | kr6csv-gui --screenshot FILE.png [ARCHIVE.zip]\n"
    "Try 'kr6csv-gui --help'";

inline constexpr const char* StartHelp =
    "Opens the window of kr6csv: load a KR6 price list, evaluate its lens and coating\n"
    "combinations, copy the rows to the clipboard.\n"
    "\n"
    "usage: kr6csv-gui [ARCHIVE.zip]\n"
    "       kr6csv-gui --screenshot FILE.png [ARCHIVE.zip]\n"
    "\n"
    "  ARCHIVE.zip            loaded at start, as the load button would\n"
    "  --screenshot FILE.png  renders the window into FILE.png and ends, after loading and\n"
    "                         evaluating ARCHIVE.zip when one is named (for the pictures of\n"
    "                         the documentation)\n"
    "  -h, --help             shows this help\n"
    "\n"
    "Exit status: 0 success, 1 error (no display, a picture that cannot be written), 2 usage\n"
    "error.\n";

// Args without the program name; nothing for arguments that fit neither form.
std::optional<TStartArguments> ParseStartArguments(const QStringList& Args);

// Whether the arguments (the program's name first) ask for the help alone; asked before
// the window's display is looked for, which the help does not need.
bool AsksForHelp(int argc, const char* const* argv);

} // namespace kr6
