#pragma once

namespace kr6 {

class TResultRows;

// Puts the text of Rows (every row followed by CR LF) on the system clipboard as plain
// text; the rows are Windows-1252.
void CopyToClipboard(const TResultRows& Rows);

} // namespace kr6
