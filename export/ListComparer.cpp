#include "export/ListComparer.h"

#include "export/DiffSummary.h"

#include <future>

namespace kr6 {

void TListComparer::Take(const Tdex6Dataobject& Root, unsigned Threads,
                         const TSpoolProgress& Progress, TList& List,
                         const std::function<void()>& ReadPrices) {
    // Also when the rows fail, the futures wait for their threads before the model goes.
    std::future<TListDigest> Digest =
        std::async(std::launch::async, [&Root] { return DigestList(Root); });
    std::future<void> PricesRead = std::async(std::launch::async, ReadPrices);
    SpoolRows(Root, List.Rows, Threads, Progress);
    PricesRead.get();
    List.Digest = Digest.get();
}

void TListComparer::TakeOld(const Tdex6Dataobject& Root, unsigned Threads,
                            const TSpoolProgress& Progress) {
    Take(Root, Threads, Progress, FOld, [&] { FOldPrices = TPriceDigest(Root); });
}

void TListComparer::TakeNew(const Tdex6Dataobject& Root, unsigned Threads,
                            const TSpoolProgress& Progress) {
    Take(Root, Threads, Progress, FNew, [&] {
        FPrices = FOldPrices.CompareWith(Root);
        FOldPrices = TPriceDigest();
    });
}

std::vector<TCountChange> TListComparer::CountChanges() const {
    return CompareRowCounts(FOld.Rows, FNew.Rows, FOld.Digest.Lenses, FNew.Digest.Lenses);
}

void TListComparer::WriteSummary(TRowWriter& Output, bool Names) const {
    TDiffSummaryText(Output, Names, FOld.Digest, FNew.Digest)
        .Write(Changes(), CountChanges(), FPrices);
}

TRowChangeCount TListComparer::CompareRows(const TRowChangeSink& Sink) const {
    return kr6::CompareRows(FOld.Rows, FNew.Rows, Sink);
}

} // namespace kr6
