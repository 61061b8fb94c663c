#pragma once

#include "export/Row.h"
#include "support/ScratchFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

// The deliverable rows of one price list, lens by lens, in a temporary file that is gone
// as soon as the spool is: a large price list has tens of millions of rows, far more
// than should be held as text while a second list is imported and evaluated. Lenses are
// added in ascending byte order of their codes, each with its rows in the order of RowLess
// and without duplicates; only the index of lenses stays in memory.
class TRowSpool {
public:
    struct TLens {
        std::string Code;
        std::int64_t Rows = 0;
        std::uint64_t Offset = 0;
        std::uint64_t Bytes = 0;
    };

    TRowSpool();

    // Block is the lens's rows as AppendRow builds it.
    void AddLens(std::string_view Code, std::int64_t Rows, std::string_view Block);
    // Writes what is still buffered; the spool can be read afterwards.
    void Finish();

    const std::vector<TLens>& Lenses() const { return FLenses; }
    std::int64_t RowCount() const { return FRowCount; }
    // Replaces Rows with the rows of lens Index; they point into Buffer.
    void ReadLens(std::size_t Index, std::string& Buffer, std::vector<TRow>& Rows) const;

    // Adds one row to a block: each field's length, then its bytes.
    static void AppendRow(std::string& Block, const TRow& Row);

private:
    void Flush();

    TScratchFile FFile;
    std::string FBuffer;
    std::uint64_t FSize = 0;
    std::int64_t FRowCount = 0;
    std::vector<TLens> FLenses;
};

} // namespace kr6
