#pragma once

#include "export/Row.h"

#include <QAbstractTableModel>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

class TCodeNames;
class TResultRows;

// Rows of an evaluation, or of a comparison ("+" or "-", a tab, the row), with the names
// of their codes: for a row of a comparison those of the list it comes from.
struct TRowSource {
    std::shared_ptr<const TResultRows> Rows;
    std::shared_ptr<const TCodeNames> Names;
    // The old list's names for "-" rows of a comparison.
    std::shared_ptr<const TCodeNames> OldNames;
    bool Changes = false;

    // The change ('+', '-', or 0) and the five fields of a row, Row being the text of row
    // Index.
    char ChangeOf(std::string_view Row) const { return Changes && !Row.empty() ? Row.front() : 0; }
    TRow FieldsOf(std::size_t Index, std::string_view Row) const;
    TRow FieldsOf(std::size_t Index) const;
    std::string_view NameOf(char Change, std::size_t Field, std::string_view Code) const;
};

// The rows that hold Needle (Windows-1252) in a code or a name of any column, ignoring
// the letter case by ANSI rules; empty when Stop was set meanwhile.
std::vector<std::uint32_t> FilterRows(const TRowSource& Source, std::string_view Needle,
                                      const std::atomic<bool>& Stop);

// A table over the rows, showing each code with its name; a view asks only for the rows it
// shows, so that tens of millions of rows open at once. A filter shows some of them.
class TRowTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetSource(TRowSource Source);
    // Rows of the source by their index; null for all.
    void SetFilter(std::shared_ptr<const std::vector<std::uint32_t>> Shown);
    const TRowSource& Source() const { return FSource; }
    std::size_t SourceRow(int Row) const;
    std::size_t AllRows() const;

    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;

private:
    TRowSource FSource;
    std::shared_ptr<const std::vector<std::uint32_t>> FShown;
};

} // namespace kr6
