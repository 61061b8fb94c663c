#pragma once

#include <cstddef>
#include <string_view>

namespace kr6 {

// Whether Fd is a terminal (a console window on Windows), not a file, pipe or null device.
bool IsTerminal(int Fd);

// Whether the terminal on Fd understands the escape sequence that erases the rest of a line:
// not when TERM is "dumb", and on POSIX not when TERM is unset; on Windows when the console
// takes escape sequences, which this asks it to do.
bool TerminalErases(int Fd);

// Columns of the terminal on Fd; 0 when Fd is none or does not tell.
std::size_t TerminalColumns(int Fd);

// While watched, TerminalWidthChanged() tells once that the terminal's width has changed
// since it was last asked (POSIX reports the change by a signal; on Windows the width read at
// every redraw has to do).
void WatchTerminalWidth(bool Watch);
bool TerminalWidthChanged();

// Whether Fd is a terminal whose user's locale writes UTF-8 (LC_ALL, LC_CTYPE, LANG), so
// that text must reach it in UTF-8 to be read. Always false on Windows, whose console gets
// characters (WriteToConsole).
bool TerminalTakesUtf8(int Fd);

// Writes Text to Fd if it is a Windows console, as characters: text in UTF-8 when Utf8, else
// in Windows-1252. A console takes bytes in its own code page, which is neither. False when
// Fd is no console (always on POSIX): then the bytes are to be written as they are.
bool WriteToConsole(int Fd, std::string_view Text, bool Utf8);

} // namespace kr6
