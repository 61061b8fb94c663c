#pragma once

#include "app/CombinationsWindow.h"
#include "app/Dialogs.h"
#include "app/FindingsWindow.h"
#include "app/ProgressMailbox.h"
#include "import/Kr6Findings.h"
#include "import/Kr6Import.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QAction;
class QFrame;
class QGroupBox;
class QPushButton;
class QTimer;

namespace kr6 {

class TCodeNames;
class TFittedLabel;
class TResultRows;
class Tdex6Dataobject;

// Fills a fresh root from the KR6 archive at FileName, reporting how far it is through
// Progress and what it leaves out or reads differently to Observer; false when the window is to
// report the load as failed, an exception when the archive cannot be read.
using TKr6Loader =
    std::function<bool(Tdex6Dataobject& Root, std::string_view FileName,
                       const TImportProgressFn& Progress, TKr6ImportObserver* Observer)>;

// The program's main window: load a KR6 archive, evaluate its lens and coating
// combinations with a progress display, copy the rows to the clipboard, and from the menu
// save them, look at them in a table and compare the list with another one. An archive can
// also be named at start or dropped onto the window. Every long step runs on a thread of
// its own while the window paints.
class TFormKr6CombinationToCsvHf : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormKr6CombinationToCsvHf(TDialogs Dialogs = StandardDialogs(),
                                        QWidget* Parent = nullptr);
    ~TFormKr6CombinationToCsvHf() override;

    const TResultRows& ResultList() const { return *FResultList; }
    // How often the display takes up the progress of a running step.
    void SetRefreshInterval(std::chrono::milliseconds Interval);
    bool Evaluating() const { return FEvaluating; }
    bool Importing() const { return FImporting; }
    bool Busy() const { return FImporting || FEvaluating || FWorking; }
    // The import the load command runs on its own thread; LoadKr6File unless replaced.
    void SetLoader(TKr6Loader Loader) { FLoader = std::move(Loader); }
    // Called on the evaluation's thread each time it has handed over rows and their
    // progress, so that a test can see the display follow step by step.
    void SetAfterRowsHandedOver(std::function<void(const TEvaluationProgress&)> Hook) {
        FAfterRows = std::move(Hook);
    }
    // The table window, once it was opened.
    TCombinationsWindow* CombinationsWindow() const { return FCombinations.data(); }
    TFindingsWindow* FindingsWindow() const { return FFindingsWindow.data(); }

    QPushButton* BtnKr6Laden;
    QPushButton* BtnKombiTEst;
    QPushButton* BtnClipboard;
    TFittedLabel* LabKr6Datei;
    TFittedLabel* LabEGEdv;
    TFittedLabel* LabEGKombiGes;
    TFittedLabel* LabEGKombiErl;
    TFittedLabel* LabEGKombiLieferbar;
    TFittedLabel* LabAGKombiGes;
    TFittedLabel* LabAGKombiErl;
    TFittedLabel* LabAGKombiLieferbar;
    TFittedLabel* LabVerstricheneZeit;
    TFittedLabel* LabVorraussichtlicheZeit;
    TFittedLabel* LabAlleKombiGestetet;
    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    QFrame* Panel1;
    QFrame* Panel2;

    QAction* ActLoad;
    QAction* ActSaveRows;
    QAction* ActCompare;
    QAction* ActQuit;
    QAction* ActCombinations;
    QAction* ActFindings;
    QAction* ActAbout;

public slots:
    void BtnKr6LadenClick();
    void OpenKr6File(const QString& FileName);
    // OpenKr6File once the event loop gets to it, so that the window shows first.
    void OpenKr6FileLater(const QString& FileName);
    void BtnKombiTEstClick();
    void BtnClipboardClick();
    void SaveRows();
    void CompareWithOtherList();
    void ShowCombinations();
    void ShowFindings();
    void ShowAbout();

protected:
    void closeEvent(QCloseEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    using TClock = std::chrono::steady_clock;

    void CreateControls(QWidget* Controls);
    void CreateMenus();
    void OpenCombinationsWindow();
    void SaveFindings(const std::string& Text);
    // The windows that show the loaded list's rows or findings.
    void CloseListWindows();
    // Explains rows with the loaded model.
    TExplain Explainer();
    void TakeProgress();
    void ShowProgress(const TEvaluationProgress& Progress);
    void SetButtons(bool Load, bool Evaluate, bool Clipboard);
    void ReportError(const std::exception& Error);
    // Runs Work on a thread of its own with the busy cursor, the buttons disabled and the
    // display following its progress; the buttons come back as they were. False when
    // Work failed, which was then reported.
    bool RunBusy(const std::function<void()>& Work);

    TDialogs FDialogs;
    TKr6Loader FLoader;
    std::unique_ptr<Tdex6Dataobject> FDataObject;
    std::shared_ptr<const TResultRows> FResultList;
    std::shared_ptr<const TCodeNames> FResultNames;
    QString FListPath;
    TClock::time_point FStartTime;
    TProgressMailbox FMailbox;
    QTimer* FRefresh;
    std::function<void(const TEvaluationProgress&)> FAfterRows;
    // Gone once the user closes it.
    QPointer<TCombinationsWindow> FCombinations;
    QPointer<TFindingsWindow> FFindingsWindow;
    // What the last import found; the notes only an evaluation tells are added when the
    // findings are first shown.
    std::shared_ptr<TKr6Findings> FFindings;
    bool FDeliveryNotesAdded = false;
    bool FImporting = false;
    bool FEvaluating = false;
    bool FWorking = false;
    bool FCloseRequested = false;
    std::atomic<bool> FCancel = false;
};

} // namespace kr6
