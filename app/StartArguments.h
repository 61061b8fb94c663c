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

// Args without the program name; nothing for arguments that fit neither form.
std::optional<TStartArguments> ParseStartArguments(const QStringList& Args);

} // namespace kr6
