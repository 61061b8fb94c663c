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
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <thread>
#include <utility>

namespace kr6 {
namespace {

using test::LineOf;

// Plastic lenses GL1..., an anti-reflection coating, a tint and further coatings for
// plastic; no rules, so that every combination is deliverable.
test::TTempArchive PriceList(int Lenses, const std::vector<std::string>& Further) {
    std::string LensType;
    for (int I = 1; I <= Lenses; ++I)
        LensType += LineOf({{1, "GL" + std::to_string(I)}, {63, "0"}, {72, "2"}});
    std::string Options = LineOf({{1, "AR1"}, {64, "0100"}, {68, "2"}}) +
                          LineOf({{1, "TI1"}, {64, "0100"}, {69, "2"}});
    for (const std::string& Code : Further)
        Options += LineOf({{1, Code}, {64, "0100"}});
    return test::TTempArchive({{"LensType.Dat", LensType}, {"Options.Dat", Options}});
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
    // The archive was imported: one message, the buttons after a load, no busy cursor.
    void ExpectLoaded(const QString& Path) {
        ASSERT_TRUE(Errors.empty()) << Errors.front().toStdString();
        EXPECT_EQ(Messages, std::vector<QString>{Path + " wurde importiert"});
        EXPECT_FALSE(EvaluateEnabledDuringMessage);
        EXPECT_EQ(Buttons(), Loaded);
        EXPECT_EQ(Form->LabKr6Datei->toolTip(), Path);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }

    // Runs Action with the window shown while a timer checks on each tick that it is Busy
    // and asks it to close, which must wait until Action has returned.
    void WhileBusy(const std::function<bool()>& Busy, const std::function<void()>& Action) {
        int Ticks = 0;
        bool AlwaysBusy = true;
        QTimer Timer;
        QObject::connect(&Timer, &QTimer::timeout, [&] {
            ++Ticks;
            AlwaysBusy = AlwaysBusy && Form->isVisible() && Busy() && WaitCursorShown() &&
                         Buttons() == std::vector<bool>{false, false, false};
            Form->close();
        });
        Form->show();
        Timer.start(0);
        Action();
        Timer.stop();
        EXPECT_GT(Ticks, 0) << "no events were processed meanwhile";
        EXPECT_TRUE(AlwaysBusy);
        EXPECT_FALSE(Form->isVisible());
    }

    const std::vector<bool> Loaded{true, true, false};
    const std::vector<bool> AllEnabled{true, true, true};
    QString Chosen;
    std::vector<QString> Messages;
    std::vector<QString> Errors;
    bool EvaluateEnabledDuringMessage = false;
    std::unique_ptr<TFormKr6CombinationToCsvHf> Form;
};

TEST_F(MainWindow, StartLoadEvaluateCopyAndLoadAgain) {
    EXPECT_EQ(Buttons(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(Label("LabAGKombiGes") + Label("LabVerstricheneZeit"), "00:00");
    EXPECT_TRUE(Form->LabAlleKombiGestetet->isHidden());

    // The archive lies in a folder too deep to show: the label keeps the file name in sight.
    const test::TTempArchive Archive = PriceList(1, {"HC1", "HC\xC4"});
    const QTemporaryDir Dir;
    const QString Folder =
        Dir.path() + QString::fromUtf8("/Preislisten/2026/Frühjahr/Gläser mit Schicht");
    const QString Path = Folder + "/KR6-Preisliste-Herbst.zip";
    ASSERT_TRUE(QDir().mkpath(Folder) && QFile::copy(QString::fromStdString(Archive.Path()), Path));
    Form->OpenKr6File(Path);
    ExpectLoaded(Path);
    const TFittedLabel* Shown = Form->LabKr6Datei;
    EXPECT_TRUE(Shown->text().endsWith("/KR6-Preisliste-Herbst.zip") &&
                Shown->text().startsWith(Dir.path().left(4)) &&
                Shown->text().contains(QChar(0x2026)))
        << Shown->text().toStdString();
    EXPECT_TRUE(Shown->geometry().right() <= Form->width() &&
                Shown->fontMetrics().horizontalAdvance(Shown->text()) <= Shown->width());

    Form->BtnKombiTEstClick();
    Tdex6Dataobject Root;
    LoadKr6File(Root, Archive.Path());
    TStringList Expected;
    EvaluateCombinations(Root, Expected);
    ASSERT_GT(Expected.Count(), 10);
    EXPECT_EQ(Form->ResultList().Text(), Expected.Text());
    EXPECT_EQ(Buttons(), AllEnabled);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(Form->LabAlleKombiGestetet->isHidden());
    const QString Rows = QString::number(Expected.Count());
    EXPECT_EQ(Label("LabEGEdv") + " " + Label("LabEGKombiLieferbar"), "GL1 " + Rows);

    Form->BtnClipboardClick();
    const std::string Utf8 = Cp1252ToUtf8(Expected.Text());
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromUtf8(Utf8.data(), qsizetype(Utf8.size())));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QString::fromUtf8("\tHCÄ\r\n")));

    // Cancelling the dialog changes nothing; a second load disables the copy again but
    // keeps the rows.
    Form->BtnKr6LadenClick();
    EXPECT_TRUE(Messages.size() == 1 && Buttons() == AllEnabled);
    Chosen = Path;
    Form->BtnKr6LadenClick();
    EXPECT_TRUE(Messages.size() == 2 && Buttons() == Loaded);
    EXPECT_EQ(Form->ResultList().Count(), Expected.Count());
    EXPECT_EQ(Label("LabAGKombiLieferbar"), Rows);

    // A price list without lenses copies an empty text and shows no counts of the list
    // evaluated before it.
    const test::TTempArchive Empty({{"LensType.Dat", ""}});
    Form->OpenKr6File(QString::fromStdString(Empty.Path()));
    Form->BtnKombiTEstClick();
    EXPECT_EQ(Buttons(), AllEnabled);
    EXPECT_EQ(Form->ResultList().Count(), 0);
    for (const char* Name : {"LabAGKombiGes", "LabAGKombiErl", "LabAGKombiLieferbar"})
        EXPECT_EQ(Label(Name), "0") << Name;
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    Form->BtnClipboardClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
    EXPECT_TRUE(Errors.empty());
}

// A long evaluation keeps processing events: the window is busy meanwhile, and a request
// to close it waits until the evaluation has returned. The engines report a lens's keys in
// one burst after testing it; each refresh of the window must show a lens as it ended,
// never the first call of its burst (no rules: a finished lens has all three counts equal).
TEST_F(MainWindow, StaysResponsiveAndShowsEachLensAsItEnded) {
    const test::TTempArchive Archive = PriceList(3, {"HC1", "HC2", "HC3"});
    Form->SetRefreshInterval(std::chrono::milliseconds(0));
    Form->OpenKr6File(QString::fromStdString(Archive.Path()));
    int LensStates = 0;
    QString Unfinished;
    WhileBusy(
        [&] {
            const QString Total = Label("LabEGKombiGes");
            LensStates += Label("LabEGEdv").isEmpty() ? 0 : 1;
            if (Label("LabEGKombiErl") != Total || Label("LabEGKombiLieferbar") != Total)
                Unfinished += Label("LabEGEdv") + " ";
            return Form->Evaluating();
        },
        [&] { Form->BtnKombiTEstClick(); });
    EXPECT_GT(LensStates, 0) << "no lens was shown while the evaluation ran";
    EXPECT_TRUE(Unfinished.isEmpty()) << Unfinished.toStdString();
    EXPECT_EQ(Label("LabEGEdv") + " " + Label("LabAGKombiErl") + " " + Label("LabEGKombiLieferbar"),
              "GL3 " + Label("LabAGKombiGes") + " " + Label("LabEGKombiGes"));
}

// A dropped archive loads as the load command would, on a thread of its own: meanwhile the
// window processes its events, is busy and refuses drops, and a request to close it waits
// until the import has returned.
TEST_F(MainWindow, DroppedArchiveImportsBesideTheWindowThatClosesOnlyAfterIt) {
    EXPECT_FALSE(DragEnterAccepted(Form.get(), {QUrl::fromLocalFile("/tmp/list.txt")}));
    EXPECT_FALSE(DragEnterAccepted(
        Form.get(), {QUrl::fromLocalFile("/tmp/a.zip"), QUrl::fromLocalFile("/tmp/b.zip")}));
    EXPECT_TRUE(DragEnterAccepted(Form.get(), {QUrl::fromLocalFile("/tmp/LIST.ZIP")}));

    const test::TTempArchive Archive = PriceList(1, {});
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
    QMimeData Data;
    Data.setUrls({QUrl::fromLocalFile(Path)});
    QDropEvent Drop(QPointF(10, 10), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &Drop);
    EXPECT_TRUE(Drop.isAccepted() && Messages.empty()) << "the drop ends before the import";

    bool Started = false;
    WhileBusy(
        [&] {
            if (!std::exchange(Started, true))
                FirstTick.set_value();
            return Form->Importing() && !DragEnterAccepted(Form.get(), {QUrl::fromLocalFile(Path)});
        },
        [] { QCoreApplication::sendPostedEvents(); });
    EXPECT_NE(LoaderThread, std::this_thread::get_id());
    ExpectLoaded(Path);
    EXPECT_FALSE(Form->Importing());
}

// Whatever ends an import early (a damaged or missing file, a failure after part of the
// price list was read), the window keeps the model, the file label and the buttons it had.
TEST_F(MainWindow, FailedImportKeepsThePriceListLoadedBefore) {
    const test::TTempArchive First = PriceList(1, {});
    const QString FirstPath = QString::fromStdString(First.Path());
    Form->OpenKr6File(FirstPath);
    Form->BtnKombiTEstClick();
    const std::string FirstRows = Form->ResultList().Text();

    const test::TTempFile Damaged("PK\x03\x04 this is no archive", ".zip");
    const QString DamagedPath = QString::fromStdString(Damaged.Path());
    Form->OpenKr6File(DamagedPath);
    Form->OpenKr6File(QStringLiteral("/nonexistent/M\u00fcller.zip"));
    const test::TTempArchive Second = PriceList(2, {"HC1"});
    Form->SetLoader([](Tdex6Dataobject& Root, std::string_view FileName) -> bool {
        LoadKr6File(Root, FileName);
        throw std::runtime_error("'second.zip' holds no KR6 price list");
    });
    Form->OpenKr6File(QString::fromStdString(Second.Path()));
    ASSERT_EQ(Errors.size(), 3u);
    EXPECT_TRUE(Errors[0].contains(DamagedPath) &&
                Errors[1].contains(QString::fromUtf8("/nonexistent/Müller.zip")) &&
                Errors[2] == "'second.zip' holds no KR6 price list")
        << QStringList(Errors.begin(), Errors.end()).join('\n').toStdString();
    EXPECT_TRUE(Messages.size() == 1 && Buttons() == AllEnabled && !Form->Importing() &&
                QGuiApplication::overrideCursor() == nullptr);
    EXPECT_EQ(Form->LabKr6Datei->text(), FirstPath);
    Form->BtnKombiTEstClick();
    EXPECT_EQ(Form->ResultList().Text(), FirstRows);
}

// While the message is open the cursor is the normal one: 0 is Qt::ArrowCursor.
TEST(ShowMessageText, NormalCursorWhileOpenThenTheBusyOneAgain) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QString Shown;
    QTimer::singleShot(0, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        Shown = QString::number(QGuiApplication::overrideCursor()->shape()) + " " +
                Box->windowTitle() + ": " + Box->text() + " " +
                QString::number(Box->buttons().size());
        Box->accept();
    });
    ShowMessageText(nullptr, QStringLiteral("x.zip wurde importiert"));
    EXPECT_EQ(Shown, "0 Information: x.zip wurde importiert 1");
    EXPECT_TRUE(WaitCursorShown());
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace kr6
