#pragma once

#include "export/RowFormat.h"

#include <string>
#include <string_view>

namespace kr6 {

class TCodeNames;
class TResultRows;

// Writes Rows to the file Path in the layout's syntax, as `kr6csv evaluate --format`
// writes them: tsv and csv in Windows-1252 with a carriage return and a line feed after
// every row, JSON Lines in UTF-8 with a line feed. The file gets the bytes only once the
// last one is written (TOutputFile); Names are needed when the layout asks for names.
void WriteRowsFile(const std::string& Path, const TResultRows& Rows, const TRowLayout& Layout,
                   const TCodeNames* Names);

// Writes Text to the file Path as it is, whole or not at all.
void WriteTextFile(const std::string& Path, std::string_view Text);

} // namespace kr6
