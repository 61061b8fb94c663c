#pragma once

#include "export/ListDigest.h"
#include "export/RowDifference.h"
#include "export/RowFormat.h"

#include <vector>

namespace kr6 {

class Tdex6Dataobject;

// Compares two price lists with only one model in memory at a time: what the comparison
// needs of a list (its digest, prices and deliverable rows) is taken from its model, which
// may go before the next list is loaded.
class TListComparer {
public:
    // Spools the rows of the old list on Threads threads (0: one per core), telling Progress
    // how far, while its digest and its prices are read on threads of their own.
    void TakeOld(const Tdex6Dataobject& Root, unsigned Threads, const TSpoolProgress& Progress);
    // The same for the new list, whose prices are compared with the old list's.
    void TakeNew(const Tdex6Dataobject& Root, unsigned Threads, const TSpoolProgress& Progress);

    const TListDigest& Old() const { return FOld.Digest; }
    const TListDigest& New() const { return FNew.Digest; }
    TModelChanges Changes() const { return CompareDigests(FOld.Digest, FNew.Digest); }
    std::vector<TCountChange> CountChanges() const;
    const TPriceComparison& Prices() const { return FPrices; }
    // The summary as text, a line per row of Output; Names adds the codes' names.
    void WriteSummary(TRowWriter& Output, bool Names) const;
    // The rows only one list gives, to Sink, which may be empty to count only.
    TRowChangeCount CompareRows(const TRowChangeSink& Sink) const;

private:
    struct TList {
        TListDigest Digest;
        TRowSpool Rows;
    };
    static void Take(const Tdex6Dataobject& Root, unsigned Threads, const TSpoolProgress& Progress,
                     TList& List, const std::function<void()>& ReadPrices);

    TList FOld;
    TList FNew;
    TPriceDigest FOldPrices;
    TPriceComparison FPrices;
};

} // namespace kr6
