#pragma once

#include "app/RowTable.h"

#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QTimer;

namespace kr6 {

// The explanation of a lens and its coatings, as `kr6csv check` gives it; no coatings at
// all (not even an empty code) asks for the overview of the lens.
using TExplain =
    std::function<QString(const std::string& Lens, const std::vector<std::string>& Coatings)>;

// The second window: the rows of an evaluation or a comparison in a table, a filter over
// them, and beside the table why the selected or typed combination is deliverable or not.
class TCombinationsWindow : public QWidget {
    Q_OBJECT
public:
    explicit TCombinationsWindow(QWidget* Parent);
    ~TCombinationsWindow() override;

    void ShowRows(TRowSource Source, const QString& Title, TExplain Explain);
    // Rows of a comparison, with the summary of what changed above them.
    void ShowComparison(TRowSource Source, const QString& Summary, const QString& Title,
                        TExplain Explain);

    // A filter is being worked out.
    bool Filtering() const { return FFilterThread.joinable() && !FFilterDone; }

    QLineEdit* FilterField;
    QLineEdit* CheckField;
    QTableView* Table;
    QPlainTextEdit* Explanation;
    QPlainTextEdit* Summary;
    QLabel* StatusLine;
    TRowTableModel* Model;

public slots:
    void ApplyFilter();
    void ExplainTyped();

private:
    void Explain(const std::string& Lens, const std::vector<std::string>& Coatings);
    void ExplainSelected();
    void StopFilter();
    void ShowCount();

    TExplain FExplain;
    // The combination last asked about; asked again while an explanation is worked out,
    // it is explained once that one is done.
    std::string FLens;
    std::vector<std::string> FCoatings;
    bool FExplaining = false;
    bool FAskedAgain = false;
    QTimer* FFilterDelay;
    std::jthread FFilterThread;
    std::atomic<bool> FStopFilter = false;
    std::atomic<bool> FFilterDone = true;
    std::uint64_t FFilterGeneration = 0;
};

} // namespace kr6
