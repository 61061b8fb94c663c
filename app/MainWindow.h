#pragma once

#include "app/Dialogs.h"
#include "support/StringList.h"

#include <QString>

#include <QWidget>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QFrame;
class QGroupBox;
class QPushButton;

namespace kr6 {

class TFittedLabel;
class Tdex6Dataobject;
struct TKombiCounts;

// Fills a fresh root from the KR6 archive at FileName; false when the window is to report
// the load as failed, an exception when the archive cannot be read.
using TKr6Loader = std::function<bool(Tdex6Dataobject& Root, std::string_view FileName)>;

// The program's one window: load a KR6 archive, evaluate its lens and coating
// combinations with a progress display, copy the rows to the clipboard. An archive can
// also be named at start or dropped onto the window.
class TFormKr6CombinationToCsvHf : public QWidget {
    Q_OBJECT
public:
    explicit TFormKr6CombinationToCsvHf(TDialogs Dialogs = StandardDialogs(),
                                        QWidget* Parent = nullptr);
    ~TFormKr6CombinationToCsvHf() override;

    const TStringList& ResultList() const { return FResultList; }
    // How often the evaluation lets the window process its events.
    void SetRefreshInterval(std::chrono::milliseconds Interval) { FRefreshInterval = Interval; }
    bool Evaluating() const { return FEvaluating; }
    bool Importing() const { return FImporting; }
    // The import the load command runs on its own thread; LoadKr6File unless replaced.
    void SetLoader(TKr6Loader Loader) { FLoader = std::move(Loader); }

    // The progress hook of the evaluation.
    void KombiProgress(const TKombiCounts& Counts);

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

public slots:
    void BtnKr6LadenClick();
    void OpenKr6File(const QString& FileName);
    // OpenKr6File once the event loop gets to it, so that the window shows first.
    void OpenKr6FileLater(const QString& FileName);
    void BtnKombiTEstClick();
    void BtnClipboardClick();

protected:
    void closeEvent(QCloseEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    using TClock = std::chrono::steady_clock;

    // The values of the latest progress call, shown when the window next gets to paint.
    struct TProgress {
        std::string CurrentLens;
        std::int64_t LensTotal = 0;
        std::int64_t LensTested = 0;
        std::int64_t LensDeliverable = 0;
        std::int64_t AllTotal = 0;
        std::int64_t AllTested = 0;
        std::int64_t AllDeliverable = 0;
        double ElapsedSeconds = 0;
        double ExpectedSeconds = 0;
        bool HasExpected = false;
    };

    void CreateControls();
    void ShowProgress();
    void SetButtons(bool Load, bool Evaluate, bool Clipboard);
    void ReportError(const std::exception& Error);
    bool Busy() const { return FImporting || FEvaluating; }

    TDialogs FDialogs;
    TKr6Loader FLoader;
    std::unique_ptr<Tdex6Dataobject> FDataObject;
    TStringList FResultList;
    TClock::time_point FStartTime;
    TClock::time_point FLastRefresh;
    // Often enough for a live display and a movable window, rare enough that processing
    // events costs the evaluation nothing worth measuring.
    std::chrono::milliseconds FRefreshInterval{40};
    TProgress FProgress;
    bool FProgressPending = false;
    bool FImporting = false;
    bool FEvaluating = false;
    bool FCloseRequested = false;
};

} // namespace kr6
