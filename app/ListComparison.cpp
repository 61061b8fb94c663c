#include "app/ListComparison.h"

#include "app/QtText.h"
#include "app/ResultRows.h"
#include "app/StatusText.h"
#include "export/DiffSummary.h"
#include "export/ListDigest.h"
#include "export/RowDifference.h"
#include "import/Kr6Import.h"
#include "model/Root.h"

namespace kr6 {
namespace {

// The summary's lines into one text.
class TTextLines : public TRowWriter {
public:
    void WriteRow(std::string_view Row) override { FText.append(Row).append("\n"); }
    std::string& Text() { return FText; }

private:
    std::string FText;
};

TSpoolProgress SpoolStatus(const std::string& Name,
                           const std::function<void(const QString&)>& Status) {
    return [&Status, Shown = FromLibraryText(Name)](std::string_view, std::int64_t Total,
                                                    std::int64_t Tested, std::int64_t) {
        Status(QStringLiteral("Werte ") + Shown + QStringLiteral(" aus: ") +
               QString::number(Tested) + QStringLiteral(" von ") + QString::number(Total) +
               QStringLiteral(" Kombinationen geprüft"));
    };
}

} // namespace

TListComparison CompareLists(const Tdex6Dataobject& Old, const std::string& OldName,
                             const std::string& NewArchive,
                             const std::function<void(const QString&)>& Status) {
    TRowSpool OldRows;
    SpoolRows(Old, OldRows, 0, SpoolStatus(OldName, Status));
    TListDigest OldDigest = DigestList(Old);
    TPriceComparison Prices;
    TRowSpool NewRows;
    TListDigest NewDigest;
    {
        const TPriceDigest OldPrices(Old);
        Tdex6Dataobject New;
        LoadKr6File(New, NewArchive, [&](const TImportProgress& Step) {
            Status(ImportStatusText(Step.Stage, Step.Fraction));
        });
        Prices = OldPrices.CompareWith(New);
        SpoolRows(New, NewRows, 0, SpoolStatus(NewArchive, Status));
        NewDigest = DigestList(New);
    }

    TListComparison Result;
    TTextLines Summary;
    TDiffSummaryText(Summary, false, OldDigest, NewDigest)
        .Write(CompareDigests(OldDigest, NewDigest),
               CompareRowCounts(OldRows, NewRows, OldDigest.Lenses, NewDigest.Lenses), Prices);
    Result.Summary = std::move(Summary.Text());
    Result.Rows = std::make_shared<TResultRows>();
    const TRowChangeCount Count = CompareRows(
        OldRows, NewRows, [&](char Change, const TRow& Row) { Result.Rows->Add(Row, Change); });
    Result.Added = Count.Added;
    Result.Removed = Count.Removed;
    Result.OldNames = std::make_shared<TCodeNames>(std::move(OldDigest.Names));
    Result.NewNames = std::make_shared<TCodeNames>(std::move(NewDigest.Names));
    return Result;
}

} // namespace kr6
