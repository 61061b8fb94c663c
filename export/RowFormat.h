#pragma once

#include "export/Row.h"

#include <string>
#include <string_view>

namespace kr6 {

class TCodeNames;

enum class TRowSyntax {
    // The fields joined by tabs: the rows as the evaluation makes them.
    Tsv,
    // Comma-separated, a field in double quotes where it holds a comma, a double quote, a
    // line break or a leading or trailing blank.
    Csv,
    // One JSON object per row with named members, always UTF-8.
    Jsonl,
};

struct TRowLayout {
    TRowSyntax Syntax = TRowSyntax::Tsv;
    // A first line naming the columns (tsv and csv).
    bool Header = false;
    // The lens's or coating's name after each code.
    bool Names = false;
    // A first column "+" or "-" for rows of a comparison.
    bool Change = false;
};

// The names of the columns, in order, as the header and the JSON members give them:
// change, lens, lens_name, antireflection, antireflection_name, tint, tint_name,
// further1, further1_name, further2, further2_name.
std::string ColumnNames(const TRowLayout& Layout, std::string_view Separator);

// Where encoded rows go, each to be followed by the output's line end.
class TRowWriter {
public:
    virtual ~TRowWriter() = default;
    virtual void WriteRow(std::string_view Row) = 0;
    // Prefix and the row's tab-separated text as one row. A writer that buffers joins the
    // fields straight where they go, saving a copy of every row.
    virtual void WriteTabbedRow(std::string_view Prefix, const TRow& Row);
};

// Writes rows of the evaluation, their fields in Windows-1252, in the chosen syntax to an
// output whose own encoding does the rest (for Jsonl the output must pass UTF-8 on
// unchanged).
class TRowEncoder {
public:
    TRowEncoder(TRowWriter& Output, const TRowLayout& Layout);

    // The header line when the layout asks for one.
    void WriteHeader();
    // Change is '+' or '-' for a comparison, otherwise ignored. Names may be null
    // unless the layout asks for names.
    void WriteRow(const TRow& Row, char Change, const TCodeNames* Names);

private:
    void AppendField(std::string_view Field, bool First);

    TRowWriter& FOutput;
    TRowLayout FLayout;
    std::string FLine;
};

} // namespace kr6
