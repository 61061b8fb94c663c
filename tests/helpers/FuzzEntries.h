#pragma once

// The entry points of the fuzz targets. The regression corpus replays saved inputs through
// the same functions, so an input that once failed is checked by the normal test suite.
// Each returns normally for every input; a crash, a sanitizer report, an exception other
// than the documented error or a failed consistency check (std::logic_error) is a fault.

#include "import/Kr6Import.h"

#include <string_view>

namespace kr6::test {

// Bytes taken as an archive file: opened and every KR6 member read (EArchiveError allowed).
void FuzzArchiveBytes(std::string_view Bytes);

// Bytes taken as one line of every record file, and as the lines of a header.
void FuzzRecordLine(std::string_view Bytes);

// Bytes split at zero bytes into the texts of the fourteen members in archive order; the
// model is built from their lines and, when the work is small, evaluated by both engines,
// which must agree.
void FuzzImport(std::string_view Bytes);
// The members FuzzImport builds the model from.
TKr6Files FuzzImportFiles(std::string_view Bytes);

// Bytes taken as element text, read into a fresh root (EElementFormError allowed).
void FuzzElementText(std::string_view Bytes);

} // namespace kr6::test
