#include "app/ListComparison.h"

#include "app/QtText.h"
#include "app/ResultRows.h"
#include "app/StatusText.h"
#include "export/ListComparer.h"
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
    return [&Status, Shown = FromLibraryText(Name)](std::string_view, const TKombiTally& All) {
        Status(QStringLiteral("Werte ") + Shown + QStringLiteral(" aus: ") +
               QString::number(All.Tested) + QStringLiteral(" von ") + QString::number(All.Total) +
               QStringLiteral(" Kombinationen geprüft"));
    };
}

} // namespace

TListComparison CompareLists(const Tdex6Dataobject& Old, const std::string& OldName,
                             const std::string& NewArchive,
                             const std::function<void(const QString&)>& Status) {
    TListComparer Comparer;
    Comparer.TakeOld(Old, 0, SpoolStatus(OldName, Status));
    {
        Tdex6Dataobject New;
        LoadKr6File(New, NewArchive, [&](const TImportProgress& Step) {
            Status(ImportStatusText(Step.Stage, Step.Fraction));
        });
        Comparer.TakeNew(New, 0, SpoolStatus(NewArchive, Status));
    }

    TListComparison Result;
    TTextLines Summary;
    Comparer.WriteSummary(Summary, false);
    Result.Summary = std::move(Summary.Text());
    Result.Rows = std::make_shared<TResultRows>();
    const TRowChangeCount Count =
        Comparer.CompareRows([&](char Change, const TRow& Row) { Result.Rows->Add(Row, Change); });
    Result.Added = Count.Added;
    Result.Removed = Count.Removed;
    Result.OldNames = std::make_shared<TCodeNames>(Comparer.Old().Names);
    Result.NewNames = std::make_shared<TCodeNames>(Comparer.New().Names);
    return Result;
}

} // namespace kr6
