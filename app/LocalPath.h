#pragma once

#include <QString>

#include <string>

namespace kr6 {

// A file name the window has, as the core's file functions take it: the file system's own
// bytes on POSIX systems; UTF-8 on Windows, where the core reads paths as UTF-8 and the ANSI
// code page would make "Härtel" name another folder.
std::string LocalPath(const QString& FileName);
// The reverse, for showing such a path.
QString ShownPath(const std::string& Path);

} // namespace kr6
