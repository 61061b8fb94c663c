#include "app/MainWindow.h"

#include "app/AboutText.h"
#include "app/BackgroundWork.h"
#include "app/Clipboard.h"
#include "app/CombinationsWindow.h"
#include "app/FindingsText.h"
#include "app/FittedLabel.h"
#include "app/FormControls.h"
#include "app/ListComparison.h"
#include "app/LocalPath.h"
#include "app/OverrideCursor.h"
#include "app/QtText.h"
#include "app/ResultRows.h"
#include "app/RowsFile.h"
#include "app/StatusText.h"
#include "app/TimeText.h"
#include "export/CheckText.h"
#include "export/CombinationExplanation.h"
#include "export/DeliveryGaps.h"
#include "export/EvaluateCombinations.h"
#include "export/LensOverview.h"
#include "export/ListDigest.h"
#include "import/Kr6Import.h"
#include "model/Root.h"
#include "support/OutputFile.h"
#include "support/Version.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QUrl>

#include <optional>
#include <stdexcept>

namespace kr6 {
namespace {

QString Duration(double Seconds) {
    return QString::fromStdString(TimeOfDayText(Seconds));
}

// Ends an evaluation that the window no longer waits for.
struct ECancelled : std::exception {
    const char* what() const noexcept override { return "cancelled"; }
};

// The archive that a drag carries: one local file named *.zip, else an empty text.
QString DraggedArchive(const QMimeData* Data) {
    if (Data == nullptr || !Data->hasUrls())
        return {};
    // urls() hands out a copy: a reference into it would outlive it.
    const QList<QUrl> Urls = Data->urls();
    if (Urls.size() != 1)
        return {};
    const QUrl& Url = Urls.front();
    if (!Url.isLocalFile() || !Url.fileName().endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
        return {};
    return Url.toLocalFile();
}

} // namespace

TFormKr6CombinationToCsvHf::TFormKr6CombinationToCsvHf(TDialogs Dialogs, QWidget* Parent)
    : QMainWindow(Parent), FDialogs(std::move(Dialogs)),
      FLoader([](Tdex6Dataobject& Root, std::string_view FileName,
                 const TImportProgressFn& Progress, TKr6ImportObserver* Observer) {
          LoadKr6File(Root, FileName, Progress, Observer);
          return true;
      }),
      FDataObject(std::make_unique<Tdex6Dataobject>()),
      FResultList(std::make_shared<TResultRows>()), FRefresh(new QTimer(this)) {
    setObjectName(QStringLiteral("FormKr6CombinationToCsvHf"));
    setWindowTitle(QStringLiteral("TALVERO KR6->CSV (Version 6.9.1.1)"));
    setAcceptDrops(true);

    // The controls keep their own fixed area below the menu bar.
    auto* Controls = new QWidget(this);
    Controls->setObjectName(QStringLiteral("Controls"));
    QFont Font(QStringLiteral("Sans Serif"), 8);
    Font.setStyleHint(QFont::SansSerif);
    Controls->setFont(Font);
    Controls->setFixedSize(610, 361);
    setCentralWidget(Controls);
    CreateControls(Controls);
    CreateMenus();
    statusBar()->setSizeGripEnabled(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    LabKr6Datei->SetText(QString());
    LabEGEdv->SetText(QString());
    for (TFittedLabel* Label : {LabEGKombiGes, LabEGKombiErl, LabEGKombiLieferbar, LabAGKombiGes,
                                LabAGKombiErl, LabAGKombiLieferbar})
        Label->SetText(QStringLiteral("0"));
    LabVerstricheneZeit->SetText(QStringLiteral("0:00"));
    LabVorraussichtlicheZeit->SetText(QStringLiteral("0:00"));
    LabAlleKombiGestetet->hide();

    // Ten times a second and more, as the command line's progress line.
    FRefresh->setInterval(50);
    connect(FRefresh, &QTimer::timeout, this, &TFormKr6CombinationToCsvHf::TakeProgress);

    adjustSize();
    if (const QScreen* Screen = QGuiApplication::primaryScreen())
        move(Screen->availableGeometry().center() - rect().center());
}

TFormKr6CombinationToCsvHf::~TFormKr6CombinationToCsvHf() = default;

void TFormKr6CombinationToCsvHf::SetRefreshInterval(std::chrono::milliseconds Interval) {
    FRefresh->setInterval(static_cast<int>(Interval.count()));
}

void TFormKr6CombinationToCsvHf::CreateControls(QWidget* Controls) {
    auto* Label1 =
        AddLabel(Controls, "Label1", {8, 40, 96, 13}, QStringLiteral("Geladene KR6-Datei"));
    LabKr6Datei = AddValue(Controls, "LabKr6Datei", {120, 40, 71, 13}, "LabKr6Datei");
    LabKr6Datei->Follow(Label1);
    LabKr6Datei->ShowsPath();
    BtnKr6Laden = AddButton(Controls, "BtnKr6Laden", {8, 8, 196, 25}, "KR6-Datei laden");
    BtnKombiTEst =
        AddButton(Controls, "BtnKombiTEst", {208, 8, 196, 25}, "Kombinationen auswerten");
    BtnKombiTEst->setEnabled(false);
    BtnClipboard =
        AddButton(Controls, "BtnClipboard", {408, 8, 196, 25}, "Auswerung in die Zwischenablage");
    BtnClipboard->setEnabled(false);

    GroupBox1 = AddGroupBox(Controls, "GroupBox1", {8, 64, 593, 85},
                            QStringLiteral("Fortschritt zum aktuellen Glas"));
    auto* Label2 = AddLabel(GroupBox1, "Label2", {8, 21, 166, 13},
                            QStringLiteral("Folgendes Glas wird z.Z. bearbeitet"));
    LabEGEdv = AddValue(GroupBox1, "LabEGEdv", {180, 21, 43, 13}, "100203");
    LabEGEdv->Follow(Label2);
    const TTallyLabels ThisLens =
        AddTallyLines(GroupBox1,
                      {{"Label4", "LabEGKombiGes", "Label6", "Label7", "LabEGKombiErl", "Label9",
                        "LabEGKombiLieferbar", "Label11"},
                       {8, 118, 160, 8, 62, 104, 204, 245},
                       40},
                      QStringLiteral("Für diese Glas werden"));
    LabEGKombiGes = ThisLens.Total;
    LabEGKombiErl = ThisLens.Tested;
    LabEGKombiLieferbar = ThisLens.Deliverable;

    GroupBox2 = AddGroupBox(Controls, "GroupBox2", {8, 160, 593, 113},
                            QStringLiteral("Fortschritt zu allen Gläsern"));
    const TTallyLabels All =
        AddTallyLines(GroupBox2,
                      {{"Label14", "LabAGKombiGes", "Label16", "Label19", "LabAGKombiErl",
                        "Label21", "LabAGKombiLieferbar", "Label28"},
                       {8, 134, 176, 8, 78, 120, 236, 277},
                       16},
                      QStringLiteral("Für alle Gläser werden"));
    LabAGKombiGes = All.Total;
    LabAGKombiErl = All.Tested;
    LabAGKombiLieferbar = All.Deliverable;
    auto* Label12 =
        AddLabel(GroupBox2, "Label12", {8, 63, 79, 13}, QStringLiteral("verstrichene Zeit"));
    LabVerstricheneZeit = AddValue(GroupBox2, "LabVerstricheneZeit", {104, 63, 36, 13},
                                   QStringLiteral("12000"), Qt::AlignHCenter);
    LabVerstricheneZeit->Follow(Label12);
    auto* Label25 =
        AddLabel(GroupBox2, "Label25", {191, 63, 97, 13}, QStringLiteral("voraussichtliche Zeit"));
    Label25->Follow(LabVerstricheneZeit);
    LabVorraussichtlicheZeit = AddValue(GroupBox2, "LabVorraussichtlicheZeit", {292, 63, 36, 13},
                                        QStringLiteral("12000"), Qt::AlignHCenter);
    LabVorraussichtlicheZeit->Follow(Label25);
    LabAlleKombiGestetet = AddLabel(
        GroupBox2, "LabAlleKombiGestetet", {8, 85, 467, 13},
        QStringLiteral("Alle Kombinationen wurden getestet. Sie können nun das Ergebnis in die "
                       "Zwischenablage kopieren"),
        TLook::Note);

    // The first lines sit where the classic style has the frame, the caption being on the
    // frame line; other styles put the caption above the frame and the frame on the text.
    if (QStyle* Classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        Classic->setParent(this);
        GroupBox1->setStyle(Classic);
        GroupBox2->setStyle(Classic);
    }

    Panel1 = AddPanel(Controls, "Panel1", {8, 282, 129, 70});
    AddLabel(Panel1, "Label18", {8, 8, 96, 52},
             QStringLiteral("kr6csv\nKombinationen aus\nKR6-Preislisten\nVersion ") +
                 FromCp1252(Kr6Version()));
    Panel2 = AddPanel(Controls, "Panel2", {144, 282, 457, 70});
    AddLabel(Panel2, "Label22", {8, 7, 297, 13}, QString());
    AddLabel(Panel2, "Label23", {8, 37, 396, 13},
             QStringLiteral("Weitere Informationen zum Kronformat 6.x erhalten sie unter der "
                            "Internetadresse"));
    AddValue(Panel2, "Label24", {8, 51, 160, 13}, QStringLiteral("kr6csv --help"));

    connect(BtnKr6Laden, &QPushButton::clicked, this,
            &TFormKr6CombinationToCsvHf::BtnKr6LadenClick);
    connect(BtnKombiTEst, &QPushButton::clicked, this,
            &TFormKr6CombinationToCsvHf::BtnKombiTEstClick);
    connect(BtnClipboard, &QPushButton::clicked, this,
            &TFormKr6CombinationToCsvHf::BtnClipboardClick);
}

void TFormKr6CombinationToCsvHf::CreateMenus() {
    const auto Add = [this](QMenu* Menu, const QString& Text, const QKeySequence& Keys,
                            void (TFormKr6CombinationToCsvHf::*Slot)()) {
        QAction* Action = Menu->addAction(Text);
        Action->setShortcut(Keys);
        connect(Action, &QAction::triggered, this, Slot);
        return Action;
    };
    QMenu* File = menuBar()->addMenu(QStringLiteral("&Datei"));
    ActLoad = Add(File, QStringLiteral("KR6-Datei &laden ..."), QKeySequence::Open,
                  &TFormKr6CombinationToCsvHf::BtnKr6LadenClick);
    ActSaveRows = Add(File, QStringLiteral("Zeilen &speichern unter ..."), QKeySequence::Save,
                      &TFormKr6CombinationToCsvHf::SaveRows);
    ActCompare = Add(File, QStringLiteral("Mit anderer Liste &vergleichen ..."), {},
                     &TFormKr6CombinationToCsvHf::CompareWithOtherList);
    File->addSeparator();
    ActQuit = File->addAction(QStringLiteral("&Beenden"));
    ActQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(ActQuit, &QAction::triggered, this, &QWidget::close);

    QMenu* View = menuBar()->addMenu(QStringLiteral("&Ansicht"));
    ActCombinations = Add(View, QStringLiteral("&Kombinationen ..."), {},
                          &TFormKr6CombinationToCsvHf::ShowCombinations);

    ActFindings = Add(View, QStringLiteral("&Hinweise zur Liste ..."), {},
                      &TFormKr6CombinationToCsvHf::ShowFindings);

    QMenu* Help = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    ActAbout =
        Add(Help, QStringLiteral("Ü&ber kr6csv"), {}, &TFormKr6CombinationToCsvHf::ShowAbout);
    SetButtons(true, false, false);
}

void TFormKr6CombinationToCsvHf::SetButtons(bool Load, bool Evaluate, bool Clipboard) {
    BtnKr6Laden->setEnabled(Load);
    BtnKombiTEst->setEnabled(Evaluate);
    BtnClipboard->setEnabled(Clipboard);
    // The menu offers what the buttons offer: loading with the load button, whatever needs
    // a loaded list with the evaluation, whatever needs rows with the copy.
    ActLoad->setEnabled(Load);
    ActCompare->setEnabled(Evaluate);
    ActFindings->setEnabled(Evaluate);
    ActSaveRows->setEnabled(Clipboard);
    ActCombinations->setEnabled(Clipboard);
}

void TFormKr6CombinationToCsvHf::ReportError(const std::exception& Error) {
    FDialogs.ShowError(this, FromLibraryText(Error.what()));
}

void TFormKr6CombinationToCsvHf::BtnKr6LadenClick() {
    if (Busy() || !BtnKr6Laden->isEnabled())
        return;
    const QString FileName = FDialogs.OpenKr6File(this);
    if (!FileName.isEmpty())
        OpenKr6File(FileName);
}

void TFormKr6CombinationToCsvHf::OpenKr6File(const QString& FileName) {
    // Events processed during the import must not start a second command.
    if (Busy())
        return;
    const std::string Path = LocalPath(FileName);
    const bool LoadBefore = BtnKr6Laden->isEnabled();
    const bool EvaluateBefore = BtnKombiTEst->isEnabled();
    const bool ClipboardBefore = BtnClipboard->isEnabled();

    std::optional<TOverrideCursor> BusyCursor(std::in_place, Qt::WaitCursor);
    SetButtons(false, false, false);
    FImporting = true;
    // The archive fills a fresh model that replaces the current one only when the import
    // succeeds, so that a failed import leaves the price list loaded before it.
    auto Fresh = std::make_unique<Tdex6Dataobject>();
    auto Findings = std::make_shared<TKr6Findings>();
    bool Loaded = false;
    std::optional<std::runtime_error> Failure;
    const TImportProgressFn Progress = [this](const TImportProgress& Step) {
        FMailbox.PostStatus(ImportStatusText(Step.Stage, Step.Fraction));
    };
    FRefresh->start();
    try {
        RunInBackground([&] { Loaded = FLoader(*Fresh, Path, Progress, Findings.get()); });
    } catch (const std::exception& Error) {
        Failure.emplace(Error.what());
    }
    FRefresh->stop();
    FMailbox.TakeStatus();
    statusBar()->clearMessage();
    FImporting = false;
    BusyCursor.reset();

    if (Failure) {
        SetButtons(LoadBefore, EvaluateBefore, ClipboardBefore);
        ReportError(*Failure);
    } else if (Loaded) {
        // The table explains rows with the model, which is about to go.
        CloseListWindows();
        FDataObject = std::move(Fresh);
        FFindings = std::move(Findings);
        FDeliveryNotesAdded = false;
        const QString Shown = ShownPath(Path);
        const TKr6FindingCounts& Counts = FFindings->Counts();
        const QString Found =
            FindingsSummary(Counts.Of(TKr6Severity::Error), Counts.Of(TKr6Severity::Warning));
        FDialogs.ShowMessage(this, Shown + QStringLiteral(" wurde importiert") +
                                       (Found.isEmpty() ? QString() : "\n\n" + Found));
        SetButtons(true, true, false);
        LabKr6Datei->SetText(Shown);
        FListPath = Shown;
        LabAlleKombiGestetet->hide();
    } else {
        FDialogs.ShowMessage(this, QStringLiteral("Fehler beim Laden der Datei"));
        SetButtons(true, false, false);
        LabKr6Datei->SetText(QString());
    }
    if (FCloseRequested)
        close();
}

void TFormKr6CombinationToCsvHf::OpenKr6FileLater(const QString& FileName) {
    QMetaObject::invokeMethod(
        this, [this, FileName] { OpenKr6File(FileName); }, Qt::QueuedConnection);
}

void TFormKr6CombinationToCsvHf::BtnKombiTEstClick() {
    // Events processed during the evaluation or an import must not start a second command.
    if (Busy())
        return;
    const bool LoadBefore = BtnKr6Laden->isEnabled();
    const bool EvaluateBefore = BtnKombiTEst->isEnabled();
    const bool ClipboardBefore = BtnClipboard->isEnabled();

    FStartTime = TClock::now();
    std::optional<TOverrideCursor> Busy(std::in_place, Qt::WaitCursor);
    SetButtons(false, false, false);
    LabAlleKombiGestetet->hide();
    FEvaluating = true;
    FCancel = false;
    // The counts start from nothing and are shown at the end even when no lens reports
    // any, so that a list without lenses does not show the previous list's counts.
    FMailbox.Post({});

    // Written by the evaluation's calls, which come one at a time. The display gets the
    // counts once a lens, or a part of a large one, has handed over its rows: the engines
    // report a lens's keys in a burst, and the display shows where a burst ended.
    TEvaluationProgress Latest;
    const auto Publish = [&] {
        Latest.ElapsedSeconds = std::chrono::duration<double>(TClock::now() - FStartTime).count();
        FMailbox.Post(Latest);
        if (FAfterRows)
            FAfterRows(Latest);
    };
    FDataObject->SetKombiProgress([&](Tdex6Dataobject&, const TKombiCounts& Counts) {
        if (FCancel)
            throw ECancelled();
        Latest.CurrentLens.assign(Counts.Lens);
        Latest.ThisLens = Counts.ThisLens;
        Latest.All = Counts.All;
        // The counting pass hands over no rows.
        if (Counts.Lens.empty())
            Publish();
    });

    // The rows replace the previous result only when the evaluation completes, so that a
    // failed one leaves the clipboard command with the rows it had.
    auto Rows = std::make_shared<TResultRows>();
    std::shared_ptr<const TCodeNames> Names;
    bool Cancelled = false;
    std::optional<std::runtime_error> Failure;
    FRefresh->start();
    try {
        RunInBackground([&] {
            TEvaluationOptions Options;
            Options.CallbacksOnAnyThread = true;
            EvaluateCombinations(
                *FDataObject,
                [&](const TRowBlock& LensRows, bool /*LensDone*/) {
                    if (FCancel)
                        throw ECancelled();
                    for (const TRow& Row : LensRows)
                        Rows->Add(Row);
                    Publish();
                },
                Options);
            Names = std::make_shared<TCodeNames>(*FDataObject);
        });
    } catch (const ECancelled&) {
        Cancelled = true;
    } catch (const std::exception& Error) {
        Failure.emplace(Error.what());
    }
    FRefresh->stop();
    FDataObject->SetKombiProgress({});
    FEvaluating = false;
    TakeProgress();

    if (Cancelled) {
        // Only a close request cancels; the rows go with the window.
        close();
        return;
    }
    if (Failure) {
        SetButtons(LoadBefore, EvaluateBefore, ClipboardBefore);
        Busy.reset();
        ReportError(*Failure);
    } else {
        FResultList = std::move(Rows);
        FResultNames = std::move(Names);
        SetButtons(true, true, true);
        LabAlleKombiGestetet->show();
        Busy.reset();
    }
    if (FCloseRequested)
        close();
}

void TFormKr6CombinationToCsvHf::TakeProgress() {
    if (const std::optional<TEvaluationProgress> Progress = FMailbox.TakeProgress())
        ShowProgress(*Progress);
    if (const std::optional<QString> Status = FMailbox.TakeStatus())
        statusBar()->showMessage(*Status);
}

void TFormKr6CombinationToCsvHf::ShowProgress(const TEvaluationProgress& Progress) {
    LabEGEdv->SetText(FromCp1252(Progress.CurrentLens));
    TTallyLabels{LabEGKombiGes, LabEGKombiErl, LabEGKombiLieferbar}.Show(Progress.ThisLens);
    TTallyLabels{LabAGKombiGes, LabAGKombiErl, LabAGKombiLieferbar}.Show(Progress.All);
    LabVerstricheneZeit->SetText(Duration(Progress.ElapsedSeconds));
    // The projected duration of the whole evaluation; unknown until something was tested.
    if (Progress.All.Tested > 0)
        LabVorraussichtlicheZeit->SetText(
            Duration(Progress.ElapsedSeconds * static_cast<double>(Progress.All.Total) /
                     static_cast<double>(Progress.All.Tested)));
}

void TFormKr6CombinationToCsvHf::BtnClipboardClick() {
    try {
        CopyToClipboard(*FResultList);
    } catch (const std::exception& Error) {
        ReportError(Error);
    }
}

bool TFormKr6CombinationToCsvHf::RunBusy(const std::function<void()>& Work) {
    const bool LoadBefore = BtnKr6Laden->isEnabled();
    const bool EvaluateBefore = BtnKombiTEst->isEnabled();
    const bool ClipboardBefore = BtnClipboard->isEnabled();
    std::optional<TOverrideCursor> BusyCursor(std::in_place, Qt::WaitCursor);
    SetButtons(false, false, false);
    FWorking = true;
    std::optional<std::runtime_error> Failure;
    FRefresh->start();
    try {
        RunInBackground(Work);
    } catch (const std::exception& Error) {
        Failure.emplace(Error.what());
    }
    FRefresh->stop();
    FMailbox.TakeStatus();
    statusBar()->clearMessage();
    FWorking = false;
    SetButtons(LoadBefore, EvaluateBefore, ClipboardBefore);
    BusyCursor.reset();
    if (Failure)
        ReportError(*Failure);
    if (FCloseRequested)
        close();
    return !Failure;
}

void TFormKr6CombinationToCsvHf::SaveRows() {
    if (Busy() || !BtnClipboard->isEnabled())
        return;
    const TRowsFileChoice Choice =
        FDialogs.SaveRowsFile(this, QFileInfo(FListPath).completeBaseName());
    if (Choice.Path.isEmpty())
        return;
    const std::string Path = LocalPath(Choice.Path);
    TRowLayout Layout;
    Layout.Syntax = Choice.Syntax;
    Layout.Names = Choice.Names;
    const std::shared_ptr<const TResultRows> Rows = FResultList;
    const std::shared_ptr<const TCodeNames> Names = FResultNames;
    const std::string List = LocalPath(FListPath);
    RunBusy([&] {
        // The rows never take the place of the list they were made from.
        if (!List.empty() && IsSameFile(Path, List))
            throw EOutputError("cannot write '" + Path + "': it is the price list being read");
        FMailbox.PostStatus(QStringLiteral("Speichere ") + Choice.Path + QStringLiteral(" ..."));
        WriteRowsFile(Path, *Rows, Layout, Names.get());
    });
}

void TFormKr6CombinationToCsvHf::ShowCombinations() {
    if (Busy() || !BtnClipboard->isEnabled())
        return;
    OpenCombinationsWindow();
    TRowSource Source;
    Source.Rows = FResultList;
    Source.Names = FResultNames;
    FCombinations->ShowRows(std::move(Source), QFileInfo(FListPath).fileName(), Explainer());
}

void TFormKr6CombinationToCsvHf::CompareWithOtherList() {
    if (Busy() || !BtnKombiTEst->isEnabled())
        return;
    const QString Other = FDialogs.OpenOtherList(this);
    if (Other.isEmpty())
        return;
    const std::string NewArchive = LocalPath(Other);
    const std::string OldName = LocalPath(QFileInfo(FListPath).fileName());
    TListComparison Comparison;
    const bool Done = RunBusy([&] {
        Comparison = CompareLists(*FDataObject, OldName, NewArchive,
                                  [this](const QString& Text) { FMailbox.PostStatus(Text); });
    });
    if (!Done)
        return;
    OpenCombinationsWindow();
    TRowSource Source;
    Source.Rows = std::move(Comparison.Rows);
    Source.Names = std::move(Comparison.NewNames);
    Source.OldNames = std::move(Comparison.OldNames);
    Source.Changes = true;
    const QString Counts =
        QString::number(Comparison.Added) + QStringLiteral(" Zeilen nur in der neuen Liste, ") +
        QString::number(Comparison.Removed) + QStringLiteral(" nur in der alten");
    FCombinations->ShowComparison(std::move(Source), FromCp1252(Comparison.Summary) + "\n" + Counts,
                                  QFileInfo(FListPath).fileName() + QStringLiteral(" mit ") +
                                      QFileInfo(Other).fileName(),
                                  Explainer());
}

void TFormKr6CombinationToCsvHf::ShowFindings() {
    if (Busy() || !BtnKombiTEst->isEnabled() || !FFindings)
        return;
    if (!FDeliveryNotesAdded) {
        const bool Done = RunBusy([this] {
            FMailbox.PostStatus(QStringLiteral("Prüfe, was die Liste liefert ..."));
            const TDeliveryGaps Gaps = FindDeliveryGaps(*FDataObject);
            FFindings->AddDeliveryNotes(Gaps.Lenses, Gaps.Coatings);
        });
        if (!Done)
            return;
        FDeliveryNotesAdded = true;
    }
    if (FFindingsWindow.isNull())
        FFindingsWindow =
            new TFindingsWindow(this, [this](const std::string& Text) { SaveFindings(Text); });
    FFindingsWindow->ShowFindings(FFindings->Items(), QFileInfo(FListPath).fileName());
    FFindingsWindow->show();
    FFindingsWindow->raise();
    FFindingsWindow->activateWindow();
}

void TFormKr6CombinationToCsvHf::SaveFindings(const std::string& Text) {
    if (Busy())
        return;
    const QString Chosen = FDialogs.SaveTextFile(
        FFindingsWindow, QFileInfo(FListPath).completeBaseName() + QStringLiteral("-hinweise.txt"));
    if (Chosen.isEmpty())
        return;
    const std::string Path = LocalPath(Chosen);
    const std::string List = LocalPath(FListPath);
    RunBusy([&] {
        if (!List.empty() && IsSameFile(Path, List))
            throw EOutputError("cannot write '" + Path + "': it is the price list being read");
        WriteTextFile(Path, Text);
    });
}

void TFormKr6CombinationToCsvHf::CloseListWindows() {
    if (!FCombinations.isNull())
        FCombinations->close();
    if (!FFindingsWindow.isNull())
        FFindingsWindow->close();
}

void TFormKr6CombinationToCsvHf::OpenCombinationsWindow() {
    if (FCombinations.isNull())
        FCombinations = new TCombinationsWindow(this);
    FCombinations->show();
    FCombinations->raise();
    FCombinations->activateWindow();
}

TExplain TFormKr6CombinationToCsvHf::Explainer() {
    return [this](const std::string& Lens, const std::vector<std::string>& Coatings) {
        // The model is not to be read beside a step that may replace it.
        if (Busy())
            return QStringLiteral("Erst wenn der laufende Schritt beendet ist, kann hier "
                                  "erklärt werden.");
        // The overview of a lens evaluates it, which for a lens of millions of combinations
        // takes a while.
        std::string Text;
        RunBusy([&] {
            Text = Coatings.empty() ? OverviewText(OverviewOfLens(*FDataObject, Lens))
                                    : CheckText(CheckKey(*FDataObject, Lens, Coatings));
        });
        return FromCp1252(Text);
    };
}

void TFormKr6CombinationToCsvHf::ShowAbout() {
    FDialogs.ShowAbout(this, AboutText());
}

void TFormKr6CombinationToCsvHf::closeEvent(QCloseEvent* Event) {
    // An evaluation is cancelled; any other step is waited for, as the model must outlive
    // the step that works on it.
    if (Busy()) {
        FCancel = FEvaluating;
        FCloseRequested = true;
        Event->ignore();
        return;
    }
    CloseListWindows();
    QMainWindow::closeEvent(Event);
}

void TFormKr6CombinationToCsvHf::dragEnterEvent(QDragEnterEvent* Event) {
    if (!Busy() && !DraggedArchive(Event->mimeData()).isEmpty())
        Event->acceptProposedAction();
}

void TFormKr6CombinationToCsvHf::dropEvent(QDropEvent* Event) {
    const QString FileName = DraggedArchive(Event->mimeData());
    if (Busy() || FileName.isEmpty())
        return;
    Event->acceptProposedAction();
    // Loaded after the drop has ended, so that the program the file came from is not kept
    // waiting for the import and its message.
    OpenKr6FileLater(FileName);
}

} // namespace kr6
