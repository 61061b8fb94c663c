#include "app/RowTable.h"

#include "app/QtText.h"
#include "app/ResultRows.h"
#include "export/ListDigest.h"
#include "export/RowFormat.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <limits>

namespace kr6 {
namespace {

// Checked this often while filtering, whether the filter is still wanted.
constexpr std::size_t RowsPerLook = 4096;

bool ContainsFolded(std::string_view Text, std::string_view UpperNeedle) {
    if (UpperNeedle.size() > Text.size())
        return false;
    for (std::size_t Start = 0; Start + UpperNeedle.size() <= Text.size(); ++Start) {
        std::size_t I = 0;
        while (I < UpperNeedle.size() && AnsiUpperChar(Text[Start + I]) == UpperNeedle[I])
            ++I;
        if (I == UpperNeedle.size())
            return true;
    }
    return false;
}

} // namespace

TRow TRowSource::FieldsOf(std::size_t Index, std::string_view Row) const {
    return Rows->Fields(Index, Row);
}

TRow TRowSource::FieldsOf(std::size_t Index) const {
    return FieldsOf(Index, Rows->Row(Index));
}

std::string_view TRowSource::NameOf(char Change, std::size_t Field, std::string_view Code) const {
    const TCodeNames* From = Change == '-' ? OldNames.get() : Names.get();
    if (From == nullptr || Code.empty())
        return {};
    return Field == 0 ? From->Lens(Code) : From->Coating(Code);
}

std::vector<std::uint32_t> FilterRows(const TRowSource& Source, std::string_view Needle,
                                      const std::atomic<bool>& Stop) {
    const std::string Upper = AnsiUpperCase(Needle);
    std::vector<std::uint32_t> Shown;
    // The rows of a lens stand together: its verdict is worked out once.
    std::string LastLens;
    bool LastLensMatches = false;
    char LastChange = 0;
    bool Stopped = false;
    Source.Rows->ForEachRow([&](std::size_t Index, std::string_view Row) {
        if (Index % RowsPerLook == 0 && Stop) {
            Stopped = true;
            return false;
        }
        const TRow Fields = Source.FieldsOf(Index, Row);
        const char Change = Source.ChangeOf(Row);
        if (Fields[0] != LastLens || Change != LastChange) {
            LastLens.assign(Fields[0]);
            LastChange = Change;
            LastLensMatches = ContainsFolded(Fields[0], Upper) ||
                              ContainsFolded(Source.NameOf(Change, 0, Fields[0]), Upper);
        }
        bool Matches = LastLensMatches;
        for (std::size_t Field = 1; !Matches && Field < Fields.size(); ++Field)
            Matches = ContainsFolded(Fields[Field], Upper) ||
                      ContainsFolded(Source.NameOf(Change, Field, Fields[Field]), Upper);
        if (Matches)
            Shown.push_back(static_cast<std::uint32_t>(Index));
        return true;
    });
    if (Stopped)
        return {};
    return Shown;
}

void TRowTableModel::SetSource(TRowSource Source) {
    beginResetModel();
    FSource = std::move(Source);
    FShown.reset();
    endResetModel();
}

void TRowTableModel::SetFilter(std::shared_ptr<const std::vector<std::uint32_t>> Shown) {
    beginResetModel();
    FShown = std::move(Shown);
    endResetModel();
}

std::size_t TRowTableModel::AllRows() const {
    return FSource.Rows ? FSource.Rows->Count() : 0;
}

std::size_t TRowTableModel::SourceRow(int Row) const {
    return FShown ? (*FShown)[static_cast<std::size_t>(Row)] : static_cast<std::size_t>(Row);
}

int TRowTableModel::rowCount(const QModelIndex& Parent) const {
    if (Parent.isValid())
        return 0;
    const std::size_t Rows = FShown ? FShown->size() : AllRows();
    // A view counts its rows in int.
    return static_cast<int>(std::min<std::size_t>(Rows, std::numeric_limits<int>::max()));
}

int TRowTableModel::columnCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : FSource.Changes ? 6 : 5;
}

QVariant TRowTableModel::data(const QModelIndex& Index, int Role) const {
    if (Role != Qt::DisplayRole || !Index.isValid())
        return {};
    const std::size_t Shown = SourceRow(Index.row());
    const std::string_view Row = FSource.Rows->Row(Shown);
    const char Change = FSource.ChangeOf(Row);
    int Column = Index.column();
    if (FSource.Changes) {
        if (Column == 0)
            return QString(QLatin1Char(Change));
        --Column;
    }
    const std::string_view Code = FSource.FieldsOf(Shown, Row)[static_cast<std::size_t>(Column)];
    const std::string_view Name = FSource.NameOf(Change, static_cast<std::size_t>(Column), Code);
    if (Name.empty())
        return FromCp1252(Code);
    return FromCp1252(Code) + QStringLiteral("  ") + FromCp1252(Name);
}

QVariant TRowTableModel::headerData(int Section, Qt::Orientation Orientation, int Role) const {
    if (Role != Qt::DisplayRole)
        return {};
    if (Orientation == Qt::Vertical)
        return Section + 1;
    static const char* const Titles[] = {"Glas", "Entspiegelung", "Färbung", "Zusatzschicht 1",
                                         "Zusatzschicht 2"};
    if (FSource.Changes) {
        if (Section == 0)
            return QStringLiteral("+/-");
        --Section;
    }
    return QString::fromUtf8(Titles[Section]);
}

} // namespace kr6
