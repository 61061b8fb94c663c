#pragma once

namespace kr6 {

class TStringList;

// Puts the text of List (every line followed by CR LF) on the system clipboard as plain
// text; the lines are Windows-1252.
void CopyToClipboard(const TStringList& List);

} // namespace kr6
