#pragma once

#include "cli/RowOutput.h"
#include "export/RowFormat.h"

namespace kr6 {

// The encoding and line end of the output for a layout: JSON Lines are UTF-8 already and
// end every line with a line feed.
TRowFormat OutputFormatFor(const TRowLayout& Layout, bool Lf, bool Utf8);

} // namespace kr6
