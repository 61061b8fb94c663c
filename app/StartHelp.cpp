#include "app/StartHelp.h"

#include "support/Version.h"

#include <string_view>

namespace kr6 {
namespace {

constexpr std::string_view Help =
    "Shows the window of kr6csv: load a KR6 price list, evaluate its lens and coating\n"
    "combinations with a progress display, and copy the deliverable rows to the clipboard.\n"
    "Usage: kr6csv-gui [ARCHIVE.zip]\n"
    "  or:  kr6csv-gui --screenshot FILE.png [--table | --findings] [ARCHIVE.zip]\n"
    "\n"
    "ARCHIVE.zip is loaded at start as the button \"KR6-Datei laden\" would load it; so is a\n"
    "file dropped onto the window. The rows on the clipboard are the text that\n"
    "\"kr6csv evaluate\" writes. The options of every Qt program (-platform NAME, ...) are\n"
    "understood too.\n"
    "\n"
    "Options:\n"
    "  --screenshot FILE.png       Render the window into FILE.png and end, after loading and\n"
    "                              evaluating ARCHIVE.zip when one is named\n"
    "  --table, --findings         With --screenshot: the window of the rows, or of the\n"
    "                              list's findings, instead of the main window\n"
    "  -h, --help                  Print this help message and exit\n"
    "  --version                   Display program version information and exit\n"
    "\n"
    "Exit status: 0 when the window was closed, 1 when no display could be reached or the\n"
    "screenshot could not be written, 2 on a usage error.\n";

} // namespace

std::optional<std::string> StartInformation(int argc, char** argv) {
    if (argc != 2)
        return std::nullopt;
    const std::string_view Argument = argv[1];
    if (Argument == "--help" || Argument == "-h")
        return std::string(Help);
    if (Argument == "--version")
        return "kr6csv-gui " + std::string(Kr6Version()) + "\n";
    return std::nullopt;
}

} // namespace kr6
