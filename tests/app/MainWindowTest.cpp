#include "app/MainWindow.h"
#include "app/FittedLabel.h"
#include "app/MessageBox.h"
#include "export/EvaluateCombinations.h"
#include "helpers/FixedLine.h"
#include "helpers/TestArchive.h"
#include "import/Kr6Import.h"
#include "model/Root.h"
#include "support/Cp1252.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace kr6 {
namespace {

std::string Line(std::initializer_list<std::pair<int, std::string_view>> Fields) {
    test::TFixedLine Fixed;
    for (const auto& [Pos, Text] : Fields)
        Fixed.At(Pos, Text);
    return Fixed.Text() + "\r\n";
}

std::string Code(const char* Prefix, int Number) {
    char Text[16];
    std::snprintf(Text, sizeof Text, "%s%03d", Prefix, Number);
    return Text;
}

// Plastic lenses and coatings for plastic: anti-reflection, tints and other coatings; no
// rules, so that every combination is deliverable.
test::TTempArchive PriceList(int Lenses, int AntiReflections, int Tints,
                             const std::vector<std::string>& Others) {
    std::string LensType;
    for (int I = 1; I <= Lenses; ++I)
        LensType += Line({{1, Code("GL", I)}, {63, "0"}, {72, "2"}});
    std::string Options;
    for (int I = 1; I <= AntiReflections; ++I)
        Options += Line({{1, Code("AR", I)}, {64, "0100"}, {68, "2"}});
    for (int I = 1; I <= Tints; ++I)
        Options += Line({{1, Code("TI", I)}, {64, "0100"}, {69, "2"}});
    for (const std::string& Other : Others)
        Options += Line({{1, Other}, {64, "0100"}});
    return test::TTempArchive({{"LensType.Dat", LensType}, {"Options.Dat", Options}});
}

// One lens, one anti-reflection coating, one tint, two others of which one has a
// Windows-1252 letter in its code.
test::TTempArchive SmallPriceList() {
    return PriceList(1, 1, 1, {"HC1", "HC\xC4"});
}

TStringList ExpectedRows(const std::string& Path) {
    Tdex6Dataobject Root;
    LoadKr6File(Root, Path);
    TStringList Rows;
    EvaluateCombinations(Root, Rows);
    return Rows;
}

QString ClipboardText() {
    return QGuiApplication::clipboard()->text();
}

bool DragEnterAccepted(QWidget* Target, const QList<QUrl>& Urls) {
    QMimeData Data;
    Data.setUrls(Urls);
    QDragEnterEvent Enter(QPoint(10, 10), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Target, &Enter);
    return Enter.isAccepted();
}

bool WaitCursorShown() {
    const QCursor* Cursor = QGuiApplication::overrideCursor();
    return Cursor != nullptr && Cursor->shape() == Qt::WaitCursor;
}

class MainWindow : public testing::Test {
protected:
    MainWindow() {
        TDialogs Dialogs;
        Dialogs.OpenKr6File = [this](QWidget*) {
            return Chosen;
        };
        Dialogs.ShowMessage = [this](QWidget*, const QString& Text) {
            Messages.push_back(Text);
            // The buttons change only after the message was closed.
            EvaluateEnabledDuringMessage = Form->BtnKombiTEst->isEnabled();
        };
        Dialogs.ShowError = [this](QWidget*, const QString& Text) {
            Errors.push_back(Text);
        };
        Form = std::make_unique<TFormKr6CombinationToCsvHf>(Dialogs);
    }

    std::vector<bool> Buttons() const {
        return {Form->BtnKr6Laden->isEnabled(), Form->BtnKombiTEst->isEnabled(),
                Form->BtnClipboard->isEnabled()};
    }
    QString Label(const char* Name) const {
        return Form->findChild<QLabel*>(QString::fromLatin1(Name))->text();
    }

    QString Chosen;
    std::vector<QString> Messages;
    std::vector<QString> Errors;
    bool EvaluateEnabledDuringMessage = false;
    std::unique_ptr<TFormKr6CombinationToCsvHf> Form;
};

const std::vector<bool> OnlyLoad{true, false, false};
const std::vector<bool> Loaded{true, true, false};
const std::vector<bool> AllEnabled{true, true, true};

TEST_F(MainWindow, StartState) {
    EXPECT_EQ(Form->objectName(), "FormKr6CombinationToCsvHf");
    EXPECT_EQ(Form->windowTitle(), "TALVERO KR6->CSV (Version 6.9.1.1)");
    EXPECT_EQ(Form->minimumSize(), QSize(610, 361));
    EXPECT_EQ(Form->maximumSize(), QSize(610, 361));
    EXPECT_EQ(Buttons(), OnlyLoad);
    EXPECT_EQ(Form->LabKr6Datei->text(), "");
    EXPECT_EQ(Form->LabEGEdv->text(), "");
    for (const char* Name : {"LabEGKombiGes", "LabEGKombiErl", "LabEGKombiLieferbar",
                             "LabAGKombiGes", "LabAGKombiErl", "LabAGKombiLieferbar"})
        EXPECT_EQ(Label(Name), "0") << Name;
    EXPECT_EQ(Label("LabVerstricheneZeit"), "0:00");
    EXPECT_EQ(Label("LabVorraussichtlicheZeit"), "0:00");
    EXPECT_TRUE(Form->LabAlleKombiGestetet->isHidden());
    EXPECT_EQ(Label("Label22"), "");
    EXPECT_EQ(Label("Label9"), QString::fromUtf8("geprüft. Davon sind "));

    EXPECT_EQ(Form->BtnKr6Laden->geometry(), QRect(8, 8, 196, 25));
    EXPECT_EQ(Form->BtnKr6Laden->text(), "KR6-Datei laden");
    EXPECT_EQ(Form->BtnClipboard->geometry(), QRect(408, 8, 196, 25));
    EXPECT_EQ(Form->BtnClipboard->text(), "Auswerung in die Zwischenablage");
    EXPECT_EQ(Form->GroupBox2->geometry(), QRect(8, 160, 593, 113));
    EXPECT_EQ(Form->GroupBox2->title(), QString::fromUtf8("Fortschritt zu allen Gläsern"));
    EXPECT_EQ(Form->Panel2->geometry(), QRect(144, 282, 457, 70));
    EXPECT_EQ(Form->LabAGKombiGes->parentWidget(), Form->GroupBox2);
    EXPECT_EQ(Form->LabAGKombiGes->Design(), QRect(134, 16, 36, 13));
    // Moved right only when the desktop font needs more room than the design gave.
    EXPECT_GE(Form->LabAGKombiGes->geometry().left(), 134);
    EXPECT_EQ(Form->LabAGKombiGes->geometry().top(), 16);
    EXPECT_TRUE(Form->LabAGKombiGes->alignment() & Qt::AlignRight);

    EXPECT_TRUE(Form->LabAGKombiGes->font().bold());
    EXPECT_EQ(Form->LabAGKombiGes->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));
    EXPECT_FALSE(Form->LabAlleKombiGestetet->font().bold());
    EXPECT_EQ(Form->LabAlleKombiGestetet->palette().color(QPalette::WindowText),
              QColor(0x80, 0, 0));
}

TEST_F(MainWindow, LoadEvaluateCopyAndLoadAgain) {
    const test::TTempArchive Archive = SmallPriceList();
    const QString Path = QString::fromStdString(Archive.Path());
    Form->OpenKr6File(Path);
    ASSERT_TRUE(Errors.empty()) << Errors.front().toStdString();
    EXPECT_EQ(Messages, std::vector<QString>{Path + " wurde importiert"});
    EXPECT_FALSE(EvaluateEnabledDuringMessage);
    EXPECT_EQ(Buttons(), Loaded);
    EXPECT_EQ(Form->LabKr6Datei->text(), Path);
    EXPECT_EQ(Form->LabKr6Datei->toolTip(), Path);

    Form->BtnKombiTEstClick();
    const TStringList Expected = ExpectedRows(Archive.Path());
    ASSERT_GT(Expected.Count(), 10);
    EXPECT_EQ(Form->ResultList().Text(), Expected.Text());
    EXPECT_EQ(Buttons(), AllEnabled);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(Form->LabAlleKombiGestetet->isHidden());
    EXPECT_EQ(Form->LabEGEdv->text(), "GL001");
    const QString Rows = QString::number(Expected.Count());
    EXPECT_EQ(Label("LabAGKombiLieferbar"), Rows);
    EXPECT_EQ(Label("LabEGKombiLieferbar"), Rows);
    EXPECT_EQ(Label("LabAGKombiErl"), Label("LabAGKombiGes"));
    EXPECT_EQ(Label("LabEGKombiErl"), Label("LabEGKombiGes"));
    const QRegularExpression Time("^\\d\\d:\\d\\d:\\d\\d$");
    EXPECT_TRUE(Time.match(Label("LabVerstricheneZeit")).hasMatch());
    EXPECT_TRUE(Time.match(Label("LabVorraussichtlicheZeit")).hasMatch());

    Form->BtnClipboardClick();
    const std::string Utf8 = Cp1252ToUtf8(Expected.Text());
    EXPECT_EQ(ClipboardText(), QString::fromUtf8(Utf8.data(), qsizetype(Utf8.size())));
    EXPECT_TRUE(ClipboardText().contains(QString::fromUtf8("\tHCÄ\r\n")));
    EXPECT_TRUE(ClipboardText().endsWith("\r\n"));

    // Cancelling the dialog changes nothing; a second load disables the copy again but
    // keeps the rows.
    Chosen.clear();
    Form->BtnKr6LadenClick();
    EXPECT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Buttons(), AllEnabled);
    Chosen = Path;
    Form->BtnKr6LadenClick();
    EXPECT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Buttons(), Loaded);
    EXPECT_EQ(Form->ResultList().Count(), Expected.Count());
    EXPECT_EQ(Label("LabAGKombiLieferbar"), Rows);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainWindow, DamagedArchiveLeavesEverythingAsItWas) {
    const test::TTempArchive Archive = SmallPriceList();
    const QString Path = QString::fromStdString(Archive.Path());
    Form->OpenKr6File(Path);
    Form->BtnKombiTEstClick();
    const int Rows = Form->ResultList().Count();

    const test::TTempFile Damaged("PK\x03\x04 this is no archive", ".zip");
    const QString DamagedPath = QString::fromStdString(Damaged.Path());
    Form->OpenKr6File(DamagedPath);
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_TRUE(Errors[0].contains(DamagedPath)) << Errors[0].toStdString();
    EXPECT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Buttons(), AllEnabled);
    EXPECT_EQ(Form->LabKr6Datei->text(), Path);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    Form->OpenKr6File(QStringLiteral("/nonexistent/M\u00fcller.zip"));
    ASSERT_EQ(Errors.size(), 2u);
    EXPECT_TRUE(Errors[1].contains(QString::fromUtf8("/nonexistent/Müller.zip")))
        << Errors[1].toStdString();

    // The model is still the one loaded before.
    Form->BtnKombiTEstClick();
    EXPECT_EQ(Form->ResultList().Count(), Rows);
}

TEST_F(MainWindow, EmptyResultCopiesAnEmptyText) {
    // A price list without lenses.
    const test::TTempArchive Archive({{"LensType.Dat", ""}});
    Form->OpenKr6File(QString::fromStdString(Archive.Path()));
    Form->BtnKombiTEstClick();
    EXPECT_EQ(Buttons(), AllEnabled);
    EXPECT_FALSE(Form->LabAlleKombiGestetet->isHidden());
    EXPECT_EQ(Form->ResultList().Count(), 0);
    EXPECT_EQ(Label("LabAGKombiGes"), "0");
    EXPECT_EQ(Label("LabVorraussichtlicheZeit"), "0:00");

    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    Form->BtnClipboardClick();
    EXPECT_EQ(ClipboardText(), "");
    EXPECT_TRUE(Errors.empty());
}

// A long evaluation keeps processing events: the window is busy meanwhile, and a request
// to close it waits until the evaluation has returned.
TEST_F(MainWindow, StaysResponsiveAndClosesOnlyAfterTheEvaluation) {
    const test::TTempArchive Archive = PriceList(3, 1, 1, {"HC1", "HC2", "HC3"});
    Form->SetRefreshInterval(std::chrono::milliseconds(0));
    Form->show();
    Form->OpenKr6File(QString::fromStdString(Archive.Path()));

    int Ticks = 0;
    bool AlwaysBusy = true;
    QTimer Timer;
    QObject::connect(&Timer, &QTimer::timeout, [&] {
        ++Ticks;
        const QCursor* Cursor = QGuiApplication::overrideCursor();
        AlwaysBusy = AlwaysBusy && Form->isVisible() && Form->Evaluating() && Cursor &&
                     Cursor->shape() == Qt::WaitCursor && !Form->BtnKr6Laden->isEnabled() &&
                     !Form->BtnKombiTEst->isEnabled() && !Form->BtnClipboard->isEnabled();
        Form->close();
    });
    Timer.start(0);
    Form->BtnKombiTEstClick();
    Timer.stop();

    EXPECT_GT(Ticks, 0) << "the evaluation processed no events";
    EXPECT_TRUE(AlwaysBusy);
    EXPECT_FALSE(Form->isVisible());
    const TStringList Expected = ExpectedRows(Archive.Path());
    EXPECT_EQ(Form->ResultList().Count(), Expected.Count());
    EXPECT_EQ(Label("LabAGKombiLieferbar"), QString::number(Expected.Count()));
    EXPECT_EQ(Label("LabAGKombiErl"), Label("LabAGKombiGes"));
    EXPECT_EQ(Label("LabEGEdv"), "GL003");
}

// The engines report a lens's keys in one burst after testing it; each refresh of the
// window must show a lens as it ended, never the first call of its burst.
TEST_F(MainWindow, LensLineShowsTheCountsEachLensEndedWith) {
    // No rules, so every key is deliverable and a finished lens has all three counts equal.
    const test::TTempArchive Archive = PriceList(3, 1, 1, {"HC1", "HC2", "HC3"});
    Form->SetRefreshInterval(std::chrono::milliseconds(0));
    Form->OpenKr6File(QString::fromStdString(Archive.Path()));

    int LensStates = 0;
    QString Unfinished;
    QTimer Timer;
    QObject::connect(&Timer, &QTimer::timeout, [&] {
        if (Label("LabEGEdv").isEmpty())
            return;
        ++LensStates;
        const QString Total = Label("LabEGKombiGes");
        if (Unfinished.isEmpty() &&
            (Label("LabEGKombiErl") != Total || Label("LabEGKombiLieferbar") != Total))
            Unfinished = Label("LabEGEdv") + ": " + Label("LabEGKombiErl") + " of " + Total +
                         " tested, " + Label("LabEGKombiLieferbar") + " deliverable";
    });
    Timer.start(0);
    Form->BtnKombiTEstClick();
    Timer.stop();

    EXPECT_GT(LensStates, 0) << "no lens was shown while the evaluation ran";
    EXPECT_TRUE(Unfinished.isEmpty()) << Unfinished.toStdString();
    EXPECT_EQ(Label("LabEGEdv"), "GL003");
    EXPECT_EQ(Label("LabEGKombiLieferbar"), Label("LabEGKombiGes"));
}

// The import runs on a thread of its own: meanwhile the window processes its events, is
// busy and refuses drops, and a request to close it waits until the import has returned.
TEST_F(MainWindow, ImportRunsBesideTheWindowAndClosesOnlyAfterIt) {
    const test::TTempArchive Archive = SmallPriceList();
    const QString Path = QString::fromStdString(Archive.Path());
    std::promise<void> FirstTick;
    std::future<void> Ticked = FirstTick.get_future();
    std::thread::id LoaderThread;
    Form->SetLoader([&](Tdex6Dataobject& Root, std::string_view FileName) {
        LoaderThread = std::this_thread::get_id();
        // Far beyond what the window needs to get to its events; an import on the
        // window's thread waits for nothing but this.
        Ticked.wait_for(std::chrono::seconds(60));
        LoadKr6File(Root, FileName);
        return true;
    });
    Form->show();

    int Ticks = 0;
    bool AlwaysBusy = true;
    QTimer Timer;
    QObject::connect(&Timer, &QTimer::timeout, [&] {
        if (++Ticks == 1)
            FirstTick.set_value();
        AlwaysBusy = AlwaysBusy && Form->isVisible() && Form->Importing() && WaitCursorShown() &&
                     Buttons() == std::vector<bool>{false, false, false} &&
                     !DragEnterAccepted(Form.get(), {QUrl::fromLocalFile(Path)});
        Form->close();
    });
    Timer.start(0);
    Form->OpenKr6File(Path);
    Timer.stop();

    EXPECT_NE(LoaderThread, std::this_thread::get_id());
    EXPECT_GT(Ticks, 0) << "the import processed no events";
    EXPECT_TRUE(AlwaysBusy);
    EXPECT_EQ(Messages, std::vector<QString>{Path + " wurde importiert"});
    EXPECT_FALSE(EvaluateEnabledDuringMessage);
    EXPECT_EQ(Buttons(), Loaded);
    EXPECT_EQ(Form->LabKr6Datei->text(), Path);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(Form->Importing());
    EXPECT_FALSE(Form->isVisible());
}

// Whatever ends an import early, and however much of the price list it had read by then,
// the window keeps the model, the file label and the buttons it had.
TEST_F(MainWindow, FailedImportKeepsThePriceListLoadedBefore) {
    const test::TTempArchive First = PriceList(1, 1, 1, {});
    const QString FirstPath = QString::fromStdString(First.Path());
    Form->OpenKr6File(FirstPath);
    Form->BtnKombiTEstClick();
    const TStringList FirstRows = ExpectedRows(First.Path());
    ASSERT_EQ(Form->ResultList().Text(), FirstRows.Text());

    const test::TTempArchive Second = PriceList(2, 2, 2, {"HC1"});
    Form->SetLoader([](Tdex6Dataobject& Root, std::string_view FileName) -> bool {
        LoadKr6File(Root, FileName);
        throw std::runtime_error("'second.zip' holds no KR6 price list");
    });
    Form->OpenKr6File(QString::fromStdString(Second.Path()));
    EXPECT_EQ(Errors, std::vector<QString>{"'second.zip' holds no KR6 price list"});
    EXPECT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Buttons(), AllEnabled);
    EXPECT_EQ(Form->LabKr6Datei->text(), FirstPath);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(Form->Importing());

    Form->BtnKombiTEstClick();
    EXPECT_EQ(Form->ResultList().Text(), FirstRows.Text());
}

TEST_F(MainWindow, LongPathKeepsItsFileNameInSight) {
    const test::TTempArchive Archive = SmallPriceList();
    const QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString Folder =
        Dir.path() + QString::fromUtf8("/Preislisten der Lieferanten/2026/Frühjahr/Kunststoff"
                                       "gläser mit Beschichtungen/aktuelle Fassung vom März");
    ASSERT_TRUE(QDir().mkpath(Folder));
    const QString Path = Folder + "/KR6-Preisliste-Herbst.zip";
    ASSERT_TRUE(QFile::copy(QString::fromStdString(Archive.Path()), Path));

    Form->OpenKr6File(Path);
    ASSERT_TRUE(Errors.empty()) << Errors.front().toStdString();
    const TFittedLabel* Shown = Form->LabKr6Datei;
    EXPECT_EQ(Shown->toolTip(), Path);
    EXPECT_TRUE(Shown->text().endsWith("/KR6-Preisliste-Herbst.zip"))
        << Shown->text().toStdString();
    EXPECT_TRUE(Shown->text().startsWith(Dir.path().left(4))) << Shown->text().toStdString();
    EXPECT_TRUE(Shown->text().contains(QChar(0x2026)));
    EXPECT_LE(Shown->geometry().right(), Form->width());
    EXPECT_LE(Shown->fontMetrics().horizontalAdvance(Shown->text()), Shown->width());
}

TEST_F(MainWindow, DroppedArchiveLoadsAsTheLoadCommandWould) {
    EXPECT_FALSE(DragEnterAccepted(Form.get(), {QUrl::fromLocalFile("/tmp/list.txt")}));
    EXPECT_FALSE(DragEnterAccepted(
        Form.get(), {QUrl::fromLocalFile("/tmp/a.zip"), QUrl::fromLocalFile("/tmp/b.zip")}));
    EXPECT_FALSE(DragEnterAccepted(Form.get(), {QUrl("https://example.org/list.zip")}));
    EXPECT_TRUE(DragEnterAccepted(Form.get(), {QUrl::fromLocalFile("/tmp/LIST.ZIP")}));

    const test::TTempArchive Archive = SmallPriceList();
    const QString Path = QString::fromStdString(Archive.Path());
    QMimeData Data;
    Data.setUrls({QUrl::fromLocalFile(Path)});
    QDropEvent Drop(QPointF(10, 10), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &Drop);
    EXPECT_TRUE(Drop.isAccepted());
    // The drop ends before the import and its message.
    EXPECT_TRUE(Messages.empty());

    QCoreApplication::sendPostedEvents();
    ASSERT_TRUE(Errors.empty()) << Errors.front().toStdString();
    EXPECT_EQ(Messages, std::vector<QString>{Path + " wurde importiert"});
    EXPECT_EQ(Buttons(), Loaded);
    EXPECT_EQ(Form->LabKr6Datei->text(), Path);
}

TEST(ShowMessageText, NormalCursorWhileOpenThenTheBusyOneAgain) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    Qt::CursorShape WhileOpen = Qt::BlankCursor;
    QString Caption, Text;
    int ButtonCount = 0;
    QTimer::singleShot(0, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(Box, nullptr);
        WhileOpen = QGuiApplication::overrideCursor()->shape();
        Caption = Box->windowTitle();
        Text = Box->text();
        ButtonCount = static_cast<int>(Box->buttons().size());
        Box->accept();
    });
    ShowMessageText(nullptr, QStringLiteral("x.zip wurde importiert"));
    EXPECT_EQ(WhileOpen, Qt::ArrowCursor);
    EXPECT_EQ(Caption, "Information");
    EXPECT_EQ(Text, "x.zip wurde importiert");
    EXPECT_EQ(ButtonCount, 1);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace kr6
