#include "export/RowDifference.h"

#include "export/EvaluationLists.h"
#include "export/EvaluationRun.h"
#include "export/FastEvaluation.h"

#include <algorithm>
#include <iterator>

namespace kr6 {
namespace {

std::vector<std::string> SortedLensCodes(const Tdex6Dataobject& Root) {
    std::vector<std::string> Codes = EvaluatedLensCodes(Root);
    std::sort(Codes.begin(), Codes.end());
    Codes.erase(std::unique(Codes.begin(), Codes.end()), Codes.end());
    return Codes;
}

// The rows of one outcome as a spool block, sorted and without duplicates; returns
// their number.
std::int64_t SortedBlock(const TLensOutcome& Outcome, std::string& Block) {
    std::vector<TRow> Rows;
    Rows.reserve(Outcome.Rows.Count());
    for (const TRow& Row : Outcome.Rows)
        Rows.push_back(Row);
    std::sort(Rows.begin(), Rows.end(), RowLess);
    Rows.erase(std::unique(Rows.begin(), Rows.end()), Rows.end());
    Block.clear();
    Block.reserve(Outcome.Rows.Bytes() +
                  Rows.size() * std::tuple_size_v<TRow> * sizeof(std::uint32_t));
    for (const TRow& Row : Rows)
        TRowSpool::AppendRow(Block, Row);
    return static_cast<std::int64_t>(Rows.size());
}

} // namespace

void SpoolRows(const Tdex6Dataobject& Root, TRowSpool& Spool, unsigned Threads,
               const TSpoolProgress& Progress) {
    const std::vector<std::string> Codes = SortedLensCodes(Root);
    const std::vector<std::string_view> Lenses(Codes.begin(), Codes.end());

    // Each worker leaves its lens's block here; the block is freed once spooled, so only
    // the lenses waiting in the pipeline hold one.
    std::vector<std::string> Blocks(Codes.size());
    std::vector<std::int64_t> RowCounts(Codes.size());
    TKombiTally All;
    TEvaluationRun Run;
    Run.Threads = Threads;
    Run.EmitOn = TEmitThread::Any;
    Run.Counted = [&](std::int64_t Total) {
        All.Total = Total;
        if (Progress)
            Progress("", All);
    };
    Run.Tested = [&](std::size_t Lens, TLensOutcome& Outcome) {
        RowCounts[Lens] = SortedBlock(Outcome, Blocks[Lens]);
        // The block holds the rows now; a lens waiting to be spooled keeps one copy.
        Outcome.Rows.Clear();
    };
    Run.Rows = [&](std::size_t Lens, TLensOutcome& Outcome, bool /*LensDone*/) {
        Spool.AddLens(Codes[Lens], RowCounts[Lens], Blocks[Lens]);
        std::string().swap(Blocks[Lens]);
        All.Tested += Outcome.KeyCount;
        All.Deliverable += RowCounts[Lens];
        if (Progress)
            Progress(Codes[Lens], All);
    };
    RunEvaluation(TFastEvaluator(Root), Lenses, Run);
    Spool.Finish();
}

TRowChangeCount CompareRows(const TRowSpool& Old, const TRowSpool& New,
                            const TRowChangeSink& Sink) {
    TRowChangeCount Count;
    const auto& OldLenses = Old.Lenses();
    const auto& NewLenses = New.Lenses();
    std::string OldBuffer;
    std::string NewBuffer;
    std::vector<TRow> OldRows;
    std::vector<TRow> NewRows;
    const auto Emit = [&](char Change, const TRow& Row) {
        ++(Change == '+' ? Count.Added : Count.Removed);
        if (Sink)
            Sink(Change, Row);
    };
    std::size_t I = 0;
    std::size_t J = 0;
    while (I < OldLenses.size() || J < NewLenses.size()) {
        const bool TakeOld = J == NewLenses.size() ||
                             (I < OldLenses.size() && OldLenses[I].Code <= NewLenses[J].Code);
        const bool TakeNew = I == OldLenses.size() ||
                             (J < NewLenses.size() && NewLenses[J].Code <= OldLenses[I].Code);
        OldRows.clear();
        NewRows.clear();
        if (TakeOld)
            Old.ReadLens(I++, OldBuffer, OldRows);
        if (TakeNew)
            New.ReadLens(J++, NewBuffer, NewRows);
        std::size_t A = 0;
        std::size_t B = 0;
        while (A < OldRows.size() || B < NewRows.size()) {
            if (B == NewRows.size() || (A < OldRows.size() && RowLess(OldRows[A], NewRows[B]))) {
                Emit('-', OldRows[A++]);
            } else if (A == OldRows.size() || RowLess(NewRows[B], OldRows[A])) {
                Emit('+', NewRows[B++]);
            } else {
                ++A;
                ++B;
            }
        }
    }
    return Count;
}

std::vector<TCountChange> CompareRowCounts(const TRowSpool& Old, const TRowSpool& New,
                                           const std::vector<std::string>& OldLenses,
                                           const std::vector<std::string>& NewLenses) {
    // A lens that a list has but does not evaluate (of no material) has no rows there.
    const auto RowsOf = [](const TRowSpool& Spool, const std::string& Code) -> std::int64_t {
        const auto& Lenses = Spool.Lenses();
        const auto Found =
            std::lower_bound(Lenses.begin(), Lenses.end(), Code,
                             [](const TRowSpool::TLens& Lens, const std::string& Wanted) {
                                 return Lens.Code < Wanted;
                             });
        return Found != Lenses.end() && Found->Code == Code ? Found->Rows : 0;
    };
    std::vector<std::string> Shared;
    std::set_intersection(OldLenses.begin(), OldLenses.end(), NewLenses.begin(), NewLenses.end(),
                          std::back_inserter(Shared));
    std::vector<TCountChange> Changes;
    for (const std::string& Code : Shared) {
        const std::int64_t Before = RowsOf(Old, Code);
        const std::int64_t After = RowsOf(New, Code);
        if (Before != After)
            Changes.push_back({Code, Before, After});
    }
    return Changes;
}

} // namespace kr6
