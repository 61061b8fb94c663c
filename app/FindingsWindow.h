#pragma once

#include "import/Kr6Finding.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace kr6 {

// The findings of an import as `kr6csv lint` lists them: member, line, column, severity,
// code and message.
class TFindingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The value a column sorts by.
    static constexpr int SortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;
    void SetItems(std::vector<TKr6Finding> Items);
    const TKr6Finding& Item(int Row) const { return FItems[static_cast<std::size_t>(Row)]; }

    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;

private:
    std::vector<TKr6Finding> FItems;
};

// "Hinweise zur Liste": the findings in a table that sorts by any column and shows one
// severity or all, the line a finding is about below it, and the shown findings saved as
// the lines `kr6csv lint` prints.
class TFindingsWindow : public QWidget {
    Q_OBJECT
public:
    // Save asks for the file and writes the text; it reports its own errors.
    TFindingsWindow(QWidget* Parent, std::function<void(const std::string& Text)> Save);

    void ShowFindings(std::vector<TKr6Finding> Items, const QString& Title);
    // The shown findings, as lint lines in UTF-8, each ended by a line feed.
    std::string ShownText() const;

    QComboBox* Severity;
    QTableView* Table;
    QLabel* Count;
    QPlainTextEdit* LineText;
    QPushButton* SaveButton;
    TFindingsModel* Model;
    QSortFilterProxyModel* Shown;

private:
    void ShowCount();
    void ShowLine();

    std::function<void(const std::string& Text)> FSave;
};

} // namespace kr6
