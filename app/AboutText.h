#pragma once

#include <QString>

namespace kr6 {

// What "Über kr6csv" shows: the program, its version and the libraries it is built on.
QString AboutText();

} // namespace kr6
