#include "app/MainWindow.h"

#include "app/BackgroundWork.h"
#include "app/Clipboard.h"
#include "app/FittedLabel.h"
#include "app/OverrideCursor.h"
#include "app/QtText.h"
#include "app/TimeText.h"
#include "export/EvaluateCombinations.h"
#include "import/Kr6Import.h"
#include "model/Root.h"
#include "support/Version.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QUrl>

#include <optional>
#include <stdexcept>

namespace kr6 {
namespace {

const QColor Navy(0x00, 0x00, 0x80);
const QColor Maroon(0x80, 0x00, 0x00);

enum class TLook { Plain, Value, Note };

TFittedLabel* AddLabel(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Text, TLook Look = TLook::Plain,
                       Qt::Alignment Alignment = Qt::AlignLeft) {
    auto* Label = new TFittedLabel(Parent, Name, Design, Alignment);
    if (Look != TLook::Plain) {
        QPalette Palette = Label->palette();
        Palette.setColor(QPalette::WindowText, Look == TLook::Value ? Navy : Maroon);
        Label->setPalette(Palette);
        QFont Font = Label->font();
        Font.setBold(Look == TLook::Value);
        Label->setFont(Font);
    }
    Label->SetText(Text);
    return Label;
}

TFittedLabel* AddValue(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Text, Qt::Alignment Alignment = Qt::AlignLeft) {
    return AddLabel(Parent, Name, Design, Text, TLook::Value, Alignment);
}

QPushButton* AddButton(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Text) {
    auto* Button = new QPushButton(Text, Parent);
    Button->setObjectName(Name);
    Button->setGeometry(Design);
    return Button;
}

QGroupBox* AddGroupBox(QWidget* Parent, const QString& Name, const QRect& Design,
                       const QString& Title) {
    auto* Box = new QGroupBox(Title, Parent);
    Box->setObjectName(Name);
    Box->setGeometry(Design);
    return Box;
}

// A groove: lowered outer and raised inner bevel.
QFrame* AddPanel(QWidget* Parent, const QString& Name, const QRect& Design) {
    auto* Panel = new QFrame(Parent);
    Panel->setObjectName(Name);
    Panel->setGeometry(Design);
    Panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel->setLineWidth(1);
    return Panel;
}

QString Count(std::int64_t Value) {
    return QString::number(static_cast<qint64>(Value));
}

QString Duration(double Seconds) {
    return QString::fromStdString(TimeOfDayText(Seconds));
}

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
    : QWidget(Parent), FDialogs(std::move(Dialogs)),
      FLoader([](Tdex6Dataobject& Root, std::string_view FileName) {
          LoadKr6File(Root, FileName);
          return true;
      }),
      FDataObject(std::make_unique<Tdex6Dataobject>()) {
    setObjectName(QStringLiteral("FormKr6CombinationToCsvHf"));
    setWindowTitle(QStringLiteral("TALVERO KR6->CSV (Version 6.9.1.1)"));
    QFont Font(QStringLiteral("Sans Serif"), 8);
    Font.setStyleHint(QFont::SansSerif);
    setFont(Font);
    setFixedSize(610, 361);
    setAcceptDrops(true);
    CreateControls();

    LabKr6Datei->SetText(QString());
    LabEGEdv->SetText(QString());
    for (TFittedLabel* Label : {LabEGKombiGes, LabEGKombiErl, LabEGKombiLieferbar, LabAGKombiGes,
                                LabAGKombiErl, LabAGKombiLieferbar})
        Label->SetText(QStringLiteral("0"));
    LabVerstricheneZeit->SetText(QStringLiteral("0:00"));
    LabVorraussichtlicheZeit->SetText(QStringLiteral("0:00"));
    LabAlleKombiGestetet->hide();

    if (const QScreen* Screen = QGuiApplication::primaryScreen())
        move(Screen->availableGeometry().center() - rect().center());
}

TFormKr6CombinationToCsvHf::~TFormKr6CombinationToCsvHf() = default;

void TFormKr6CombinationToCsvHf::CreateControls() {
    const QString Tested = QStringLiteral("Kombinationen auf Lieferbarkeit getestet.");
    const QString Checked = QStringLiteral("geprüft. Davon sind ");
    const QString Deliverable = QStringLiteral("Kombinationen lieferbar.");
    const QString Placeholder = QStringLiteral("12000");

    auto* Label1 = AddLabel(this, "Label1", {8, 40, 96, 13}, QStringLiteral("Geladene KR6-Datei"));
    LabKr6Datei = AddValue(this, "LabKr6Datei", {120, 40, 71, 13}, "LabKr6Datei");
    LabKr6Datei->Follow(Label1);
    LabKr6Datei->ShowsPath();
    BtnKr6Laden = AddButton(this, "BtnKr6Laden", {8, 8, 196, 25}, "KR6-Datei laden");
    BtnKombiTEst = AddButton(this, "BtnKombiTEst", {208, 8, 196, 25}, "Kombinationen auswerten");
    BtnKombiTEst->setEnabled(false);
    BtnClipboard =
        AddButton(this, "BtnClipboard", {408, 8, 196, 25}, "Auswerung in die Zwischenablage");
    BtnClipboard->setEnabled(false);

    GroupBox1 = AddGroupBox(this, "GroupBox1", {8, 64, 593, 85},
                            QStringLiteral("Fortschritt zum aktuellen Glas"));
    auto* Label2 = AddLabel(GroupBox1, "Label2", {8, 21, 166, 13},
                            QStringLiteral("Folgendes Glas wird z.Z. bearbeitet"));
    LabEGEdv = AddValue(GroupBox1, "LabEGEdv", {180, 21, 43, 13}, "100203");
    LabEGEdv->Follow(Label2);
    auto* Label4 =
        AddLabel(GroupBox1, "Label4", {8, 40, 105, 13}, QStringLiteral("Für diese Glas werden"));
    LabEGKombiGes =
        AddValue(GroupBox1, "LabEGKombiGes", {118, 40, 36, 13}, Placeholder, Qt::AlignRight);
    LabEGKombiGes->Follow(Label4);
    AddLabel(GroupBox1, "Label6", {160, 40, 193, 13}, Tested)->Follow(LabEGKombiGes);
    auto* Label7 = AddLabel(GroupBox1, "Label7", {8, 58, 50, 13}, QStringLiteral("Es wurden"));
    LabEGKombiErl =
        AddValue(GroupBox1, "LabEGKombiErl", {62, 58, 36, 13}, Placeholder, Qt::AlignRight);
    LabEGKombiErl->Follow(Label7);
    auto* Label9 = AddLabel(GroupBox1, "Label9", {104, 58, 96, 13}, Checked);
    Label9->Follow(LabEGKombiErl);
    LabEGKombiLieferbar =
        AddValue(GroupBox1, "LabEGKombiLieferbar", {204, 58, 36, 13}, Placeholder, Qt::AlignRight);
    LabEGKombiLieferbar->Follow(Label9);
    AddLabel(GroupBox1, "Label11", {245, 58, 113, 13}, Deliverable)->Follow(LabEGKombiLieferbar);

    GroupBox2 = AddGroupBox(this, "GroupBox2", {8, 160, 593, 113},
                            QStringLiteral("Fortschritt zu allen Gläsern"));
    auto* Label12 =
        AddLabel(GroupBox2, "Label12", {8, 63, 79, 13}, QStringLiteral("verstrichene Zeit"));
    LabVerstricheneZeit = AddValue(GroupBox2, "LabVerstricheneZeit", {104, 63, 36, 13}, Placeholder,
                                   Qt::AlignHCenter);
    LabAlleKombiGestetet = AddLabel(
        GroupBox2, "LabAlleKombiGestetet", {8, 85, 467, 13},
        QStringLiteral("Alle Kombinationen wurden getestet. Sie können nun das Ergebnis in die "
                       "Zwischenablage kopieren"),
        TLook::Note);
    LabVerstricheneZeit->Follow(Label12);
    auto* Label25 =
        AddLabel(GroupBox2, "Label25", {191, 63, 97, 13}, QStringLiteral("voraussichtliche Zeit"));
    Label25->Follow(LabVerstricheneZeit);
    LabVorraussichtlicheZeit = AddValue(GroupBox2, "LabVorraussichtlicheZeit", {292, 63, 36, 13},
                                        Placeholder, Qt::AlignHCenter);
    LabVorraussichtlicheZeit->Follow(Label25);
    auto* Label14 =
        AddLabel(GroupBox2, "Label14", {8, 16, 105, 13}, QStringLiteral("Für alle Gläser werden"));
    LabAGKombiGes =
        AddValue(GroupBox2, "LabAGKombiGes", {134, 16, 36, 13}, Placeholder, Qt::AlignRight);
    LabAGKombiGes->Follow(Label14);
    AddLabel(GroupBox2, "Label16", {176, 16, 193, 13}, Tested)->Follow(LabAGKombiGes);
    auto* Label19 = AddLabel(GroupBox2, "Label19", {8, 34, 50, 13}, QStringLiteral("Es wurden"));
    LabAGKombiErl =
        AddValue(GroupBox2, "LabAGKombiErl", {78, 34, 36, 13}, Placeholder, Qt::AlignRight);
    LabAGKombiErl->Follow(Label19);
    auto* Label21 = AddLabel(GroupBox2, "Label21", {120, 34, 96, 13}, Checked);
    Label21->Follow(LabAGKombiErl);
    LabAGKombiLieferbar =
        AddValue(GroupBox2, "LabAGKombiLieferbar", {236, 34, 36, 13}, Placeholder, Qt::AlignRight);
    LabAGKombiLieferbar->Follow(Label21);
    AddLabel(GroupBox2, "Label28", {277, 34, 113, 13}, Deliverable)->Follow(LabAGKombiLieferbar);

    // The first lines sit where the classic style has the frame, the caption being on the
    // frame line; other styles put the caption above the frame and the frame on the text.
    if (QStyle* Classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        Classic->setParent(this);
        GroupBox1->setStyle(Classic);
        GroupBox2->setStyle(Classic);
    }

    Panel1 = AddPanel(this, "Panel1", {8, 282, 129, 70});
    AddLabel(Panel1, "Label18", {8, 8, 96, 52},
             QStringLiteral("kr6csv\nKombinationen aus\nKR6-Preislisten\nVersion ") +
                 FromCp1252(Kr6Version()));
    Panel2 = AddPanel(this, "Panel2", {144, 282, 457, 70});
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

void TFormKr6CombinationToCsvHf::SetButtons(bool Load, bool Evaluate, bool Clipboard) {
    BtnKr6Laden->setEnabled(Load);
    BtnKombiTEst->setEnabled(Evaluate);
    BtnClipboard->setEnabled(Clipboard);
}

void TFormKr6CombinationToCsvHf::ReportError(const std::exception& Error) {
    FDialogs.ShowError(this, FromLibraryText(Error.what()));
}

void TFormKr6CombinationToCsvHf::BtnKr6LadenClick() {
    const QString FileName = FDialogs.OpenKr6File(this);
    if (!FileName.isEmpty())
        OpenKr6File(FileName);
}

void TFormKr6CombinationToCsvHf::OpenKr6File(const QString& FileName) {
    // Events processed during the import must not start a second command.
    if (Busy())
        return;
    const QByteArray Encoded = QFile::encodeName(FileName);
    const std::string Path(Encoded.constData(), static_cast<std::size_t>(Encoded.size()));
    const bool LoadBefore = BtnKr6Laden->isEnabled();
    const bool EvaluateBefore = BtnKombiTEst->isEnabled();
    const bool ClipboardBefore = BtnClipboard->isEnabled();

    std::optional<TOverrideCursor> BusyCursor(std::in_place, Qt::WaitCursor);
    SetButtons(false, false, false);
    FImporting = true;
    // The archive fills a fresh model that replaces the current one only when the import
    // succeeds, so that a failed import leaves the price list loaded before it.
    auto Fresh = std::make_unique<Tdex6Dataobject>();
    bool Loaded = false;
    std::optional<std::runtime_error> Failure;
    try {
        RunInBackground([&] { Loaded = FLoader(*Fresh, Path); });
    } catch (const std::exception& Error) {
        Failure.emplace(Error.what());
    }
    FImporting = false;
    BusyCursor.reset();

    if (Failure) {
        SetButtons(LoadBefore, EvaluateBefore, ClipboardBefore);
        ReportError(*Failure);
    } else if (Loaded) {
        FDataObject = std::move(Fresh);
        const QString Shown = QFile::decodeName(Encoded);
        FDialogs.ShowMessage(this, Shown + QStringLiteral(" wurde importiert"));
        SetButtons(true, true, false);
        LabKr6Datei->SetText(Shown);
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
    FLastRefresh = FStartTime;
    std::optional<TOverrideCursor> Busy(std::in_place, Qt::WaitCursor);
    SetButtons(false, false, false);
    LabAlleKombiGestetet->hide();
    // The counts start from nothing and are shown at the end even when no lens reports
    // any, so that a list without lenses does not show the previous list's counts.
    FProgress = TProgress();
    FProgressPending = true;
    FEvaluating = true;
    FDataObject->SetKombiProgress(
        [this](Tdex6Dataobject&, const TKombiCounts& Counts) { KombiProgress(Counts); });

    // The rows replace the previous result only when the evaluation completes, so that a
    // failed one leaves the clipboard command with the rows it had.
    std::optional<std::runtime_error> Failure;
    try {
        TStringList Rows;
        EvaluateCombinations(*FDataObject, Rows);
        FResultList = std::move(Rows);
    } catch (const std::exception& Error) {
        Failure.emplace(Error.what());
    }
    FDataObject->SetKombiProgress({});
    FEvaluating = false;
    ShowProgress();

    if (Failure) {
        SetButtons(LoadBefore, EvaluateBefore, ClipboardBefore);
        Busy.reset();
        ReportError(*Failure);
    } else {
        SetButtons(true, true, true);
        LabAlleKombiGestetet->show();
        Busy.reset();
    }
    if (FCloseRequested)
        close();
}

void TFormKr6CombinationToCsvHf::KombiProgress(const TKombiCounts& Counts) {
    const TClock::time_point Now = TClock::now();
    // The engines report a lens's tested keys in one burst once the lens is done. The
    // display is brought up to date between bursts, so that it shows the counts a lens
    // ended with rather than the first call of its burst.
    const bool SameBurst = FProgressPending && Counts.LensTested > FProgress.LensTested &&
                           Counts.Lens == FProgress.CurrentLens;
    if (FProgressPending && !SameBurst && Now - FLastRefresh >= FRefreshInterval) {
        ShowProgress();
        QCoreApplication::processEvents();
        FLastRefresh = TClock::now();
    }
    FProgress.CurrentLens.assign(Counts.Lens);
    FProgress.LensTotal = Counts.LensTotal;
    FProgress.LensTested = Counts.LensTested;
    FProgress.LensDeliverable = Counts.LensDeliverable;
    FProgress.AllTotal = Counts.AllTotal;
    FProgress.AllTested = Counts.AllTested;
    FProgress.AllDeliverable = Counts.AllDeliverable;
    FProgress.ElapsedSeconds = std::chrono::duration<double>(Now - FStartTime).count();
    // The projected duration of the whole evaluation; unknown until something was tested.
    if (Counts.AllTested > 0) {
        FProgress.ExpectedSeconds = FProgress.ElapsedSeconds *
                                    static_cast<double>(Counts.AllTotal) /
                                    static_cast<double>(Counts.AllTested);
        FProgress.HasExpected = true;
    }
    FProgressPending = true;
}

void TFormKr6CombinationToCsvHf::ShowProgress() {
    if (!FProgressPending)
        return;
    FProgressPending = false;
    LabEGEdv->SetText(FromCp1252(FProgress.CurrentLens));
    LabEGKombiGes->SetText(Count(FProgress.LensTotal));
    LabEGKombiErl->SetText(Count(FProgress.LensTested));
    LabEGKombiLieferbar->SetText(Count(FProgress.LensDeliverable));
    LabAGKombiGes->SetText(Count(FProgress.AllTotal));
    LabAGKombiErl->SetText(Count(FProgress.AllTested));
    LabAGKombiLieferbar->SetText(Count(FProgress.AllDeliverable));
    LabVerstricheneZeit->SetText(Duration(FProgress.ElapsedSeconds));
    if (FProgress.HasExpected)
        LabVorraussichtlicheZeit->SetText(Duration(FProgress.ExpectedSeconds));
}

void TFormKr6CombinationToCsvHf::BtnClipboardClick() {
    try {
        CopyToClipboard(FResultList);
    } catch (const std::exception& Error) {
        ReportError(Error);
    }
}

void TFormKr6CombinationToCsvHf::closeEvent(QCloseEvent* Event) {
    // The model must outlive the command that works on it: close once it has returned.
    if (Busy()) {
        FCloseRequested = true;
        Event->ignore();
        return;
    }
    QWidget::closeEvent(Event);
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
