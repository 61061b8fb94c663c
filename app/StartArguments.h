#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kr6 {

// Which window a screenshot shows: the main window, the table of the rows with an
// explanation, or the findings of the list.
enum class TScreenshotView { Main, Table, Findings };

// What kr6csv-gui was asked to do: "[ARCHIVE.zip]" opens the window and loads the archive
// as the load command would; "--screenshot FILE.png [--table | --findings] [ARCHIVE.zip]"
// renders a window into FILE.png, after loading and evaluating the archive when one is
// named (the table and the findings need one).
struct TStartArguments {
    QString Archive;
    QString Screenshot;
    TScreenshotView View = TScreenshotView::Main;
};

inline constexpr const char* StartUsage =
    "usage: kr6csv-gui [ARCHIVE.zip] | kr6csv-gui --screenshot FILE.png [--table | --findings] "
    "[ARCHIVE.zip]\n"
    "Try 'kr6csv-gui --help'";

// Args without the program name; nothing for arguments that fit neither form.
std::optional<TStartArguments> ParseStartArguments(const QStringList& Args);

} // namespace kr6
