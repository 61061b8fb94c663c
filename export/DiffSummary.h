#pragma once

#include "export/ListDigest.h"
#include "export/RowDifference.h"
#include "export/RowFormat.h"

#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

// The summary of a comparison of two lists as `kr6csv diff` writes it in text, one line
// per row of Output: codes added and removed (with their names when asked), rules added,
// removed and changed, lenses with other deliverable counts, and the prices.
class TDiffSummaryText {
public:
    TDiffSummaryText(TRowWriter& Output, bool Names, const TListDigest& Old, const TListDigest& New)
        : FOutput(Output), FNames(Names), FOld(Old), FNew(New) {}

    void Write(const TModelChanges& Changes, const std::vector<TCountChange>& Counts,
               const TPriceComparison& PriceChanges);

private:
    void Line(const std::string& Text) { FOutput.WriteRow(Text); }
    void Heading(std::string_view Title, std::size_t Count);
    void Codes(std::string_view Title, const std::vector<std::string>& Codes,
               const TListDigest& From, bool Lenses);
    void Prices(std::string_view Title, const TPriceChanges& Prices);

    TRowWriter& FOutput;
    bool FNames;
    const TListDigest& FOld;
    const TListDigest& FNew;
};

} // namespace kr6
