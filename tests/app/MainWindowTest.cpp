#include "tests/app/WindowFixture.h"

#include "app/MessageBox.h"
#include "app/ResultRows.h"
#include "export/EvaluateCombinations.h"
#include "import/Kr6Import.h"
#include "model/Root.h"
#include "support/Cp1252.h"

#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>

#include <atomic>
#include <future>
#include <stdexcept>
#include <utility>

namespace kr6 {
namespace {

using test::PriceList;
using test::WaitCursorShown;

bool DragEnterAccepted(QWidget* Target, const QList<QUrl>& Urls) {
    QMimeData Data;
    Data.setUrls(Urls);
    QDragEnterEvent Enter(QPoint(10, 10), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Target, &Enter);
    return Enter.isAccepted();
}

class MainWindow : public test::WindowTest {
protected:
    // The archive was imported: one message, the buttons after a load, no busy cursor. The
    // test lists have no prices: Warnings lenses and coatings are without.
    void ExpectLoaded(const QString& Path, int Warnings) {
        ASSERT_TRUE(Errors.empty()) << Errors.front().toStdString();
        EXPECT_EQ(Messages,
                  std::vector<QString>{QDir::toNativeSeparators(Path) + " wurde importiert\n\n" +
                                       QString::number(Warnings) +
                                       " Zeilen wurden anders gelesen (Einzelheiten: "
                                       "kr6csv lint)"});
        EXPECT_FALSE(EvaluateEnabledDuringMessage);
        EXPECT_EQ(Buttons(), Loaded);
        EXPECT_EQ(Form->LabKr6Datei->toolTip(), QDir::toNativeSeparators(Path));
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
            if (!Form->Evaluating())
                Form->close();
        });
        Form->show();
        Timer.start(0);
        Action();
        Timer.stop();
        EXPECT_GT(Ticks, 0) << "no events were processed meanwhile";
        EXPECT_TRUE(AlwaysBusy);
    }
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
    ExpectLoaded(Path, 5);
    const TFittedLabel* Shown = Form->LabKr6Datei;
    EXPECT_TRUE(Shown->text().endsWith(QDir::toNativeSeparators("/KR6-Preisliste-Herbst.zip")) &&
                Shown->text().startsWith(QDir::toNativeSeparators(Dir.path()).left(4)) &&
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
    EXPECT_EQ(Form->ResultList().Row(std::size_t(Expected.Count()) - 1),
              Expected[Expected.Count() - 1]);
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
    EXPECT_EQ(Form->ResultList().Count(), std::size_t(Expected.Count()));
    EXPECT_EQ(Label("LabAGKombiLieferbar"), Rows);

    // A price list without lenses copies an empty text and shows no counts of the list
    // evaluated before it.
    const test::TTempArchive Empty({{"LensType.Dat", ""}});
    Form->OpenKr6File(QString::fromStdString(Empty.Path()));
    Form->BtnKombiTEstClick();
    EXPECT_EQ(Buttons(), AllEnabled);
    EXPECT_EQ(Form->ResultList().Count(), 0u);
    for (const char* Name : {"LabAGKombiGes", "LabAGKombiErl", "LabAGKombiLieferbar"})
        EXPECT_EQ(Label(Name), "0") << Name;
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    Form->BtnClipboardClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
    EXPECT_TRUE(Errors.empty());
}

// The evaluation runs beside the window, which stays busy and paints. The engines report
// a lens's keys in one burst after testing it; each refresh of the window must show a lens
// as it ended, never a call within its burst (no rules: a finished lens has all three
// counts equal).
TEST_F(MainWindow, StaysResponsiveAndShowsEachLensAsItEnded) {
    const test::TTempArchive Archive = PriceList(3, {"HC1", "HC2", "HC3"});
    Form->SetRefreshInterval(std::chrono::milliseconds(0));
    Form->OpenKr6File(QString::fromStdString(Archive.Path()));
    std::atomic<int> Ticks = 0;
    // Each hand-over waits until the window has processed its events after it.
    Form->SetAfterRowsHandedOver([&](const TEvaluationProgress&) {
        const int Before = Ticks;
        EXPECT_TRUE(test::WaitFor([&] { return Ticks > Before + 1; }));
    });
    int LensStates = 0;
    bool AlwaysBusy = true;
    QString Unfinished;
    QTimer Timer;
    QObject::connect(&Timer, &QTimer::timeout, [&] {
        ++Ticks;
        const QString Total = Label("LabEGKombiGes");
        LensStates += Label("LabEGEdv").isEmpty() ? 0 : 1;
        if (Label("LabEGKombiErl") != Total || Label("LabEGKombiLieferbar") != Total)
            Unfinished += Label("LabEGEdv") + " ";
        AlwaysBusy = AlwaysBusy && Form->Evaluating() && WaitCursorShown() &&
                     Buttons() == std::vector<bool>{false, false, false};
    });
    Form->show();
    Timer.start(0);
    Form->BtnKombiTEstClick();
    Timer.stop();
    EXPECT_GT(LensStates, 0) << "no lens was shown while the evaluation ran";
    EXPECT_TRUE(AlwaysBusy);
    EXPECT_TRUE(Unfinished.isEmpty()) << Unfinished.toStdString();
    EXPECT_EQ(Label("LabEGEdv") + " " + Label("LabAGKombiErl") + " " + Label("LabEGKombiLieferbar"),
              "GL3 " + Label("LabAGKombiGes") + " " + Label("LabEGKombiGes"));
}

// A list of the benchmark's shape (thousands of lenses with few combinations each, many
// rules): the window counts what the command line counts, the total from the first test
// on, and its rows are the command line's.
TEST_F(MainWindow, TotalsAndRowsAreTheCommandLinesOnAListOfTheBenchmarksShape) {
    TDemoSize Size;
    Size.Lenses = 3000;
    Size.Coatings = 400;
    Size.Rules = 20000;
    Size.PriceLines = 3000;
    const test::TTempArchive Archive = test::GeneratedList(MakeDemoPriceList(Size));
    const test::TRun Cli = test::Kr6csv("evaluate " + Archive.Path());
    ASSERT_EQ(Cli.Status, 0) << Cli.Err;

    // The tested count shows the last progress call, which comes with the last
    // deliverable combination.
    Tdex6Dataobject Root;
    LoadKr6File(Root, Archive.Path());
    std::int64_t LastTested = 0;
    Root.SetKombiProgress(
        [&](Tdex6Dataobject&, const TKombiCounts& Counts) { LastTested = Counts.All.Tested; });
    TStringList Rows;
    EvaluateCombinations(Root, Rows);

    std::vector<QString> Totals;
    Form->SetAfterRowsHandedOver([&](const TEvaluationProgress& Progress) {
        Totals.push_back(QString::number(Progress.All.Total));
    });
    LoadAndEvaluate(Archive.Path());
    EXPECT_EQ(Form->ResultList().Text(), Cli.Out);
    const QString Summary = Label("LabAGKombiLieferbar") + " of " + Label("LabAGKombiGes") +
                            " combinations deliverable, 3000 lenses";
    EXPECT_TRUE(Cli.Err.find(Summary.toStdString()) != std::string::npos)
        << Summary.toStdString() << "\n"
        << Cli.Err;
    EXPECT_EQ(Label("LabAGKombiErl"), QString::number(LastTested));
    // Every call of the testing pass carries the final total.
    const auto Testing = std::find(Totals.begin(), Totals.end(), Label("LabAGKombiGes"));
    ASSERT_NE(Testing, Totals.end());
    EXPECT_EQ(std::count(Testing, Totals.end(), Label("LabAGKombiGes")), Totals.end() - Testing);
}

// A lens with tens of thousands of rows hands them over in parts while it is tested, and
// the display follows each part: its tested count moves before the lens is done.
TEST_F(MainWindow, TheLensLineMovesInsideALargeLens) {
    const test::TTempArchive Archive = test::LargeLens(200);
    Form->OpenKr6File(QString::fromStdString(Archive.Path()));
    Form->SetRefreshInterval(std::chrono::milliseconds(0));
    std::atomic<std::int64_t> Shown = -1;
    std::vector<QString> InsideTheLens;
    QTimer Timer;
    QObject::connect(&Timer, &QTimer::timeout, [&] {
        if (Label("LabEGEdv") != "GL1")
            return;
        const QString Tested = Label("LabEGKombiErl");
        if (Tested != Label("LabEGKombiGes") &&
            (InsideTheLens.empty() || InsideTheLens.back() != Tested))
            InsideTheLens.push_back(Tested);
        Shown = Tested.toLongLong();
    });
    // Each part of the lens waits until the window shows it.
    Form->SetAfterRowsHandedOver([&](const TEvaluationProgress& Progress) {
        if (Progress.CurrentLens == "GL1") {
            EXPECT_TRUE(test::WaitFor([&] { return Shown == Progress.ThisLens.Tested; }));
        }
    });
    Timer.start(0);
    Form->BtnKombiTEstClick();
    Timer.stop();
    EXPECT_GE(InsideTheLens.size(), 3u) << "parts shown";
    EXPECT_EQ(Label("LabEGKombiErl"), Label("LabEGKombiGes"));
    EXPECT_EQ(Form->ResultList().Count(), Label("LabEGKombiLieferbar").toULongLong());
}

// A close request during an evaluation stops it at its next progress call: the window
// closes as soon as the evaluation has returned, without its rows, having painted
// meanwhile.
TEST_F(MainWindow, ClosingDuringAnEvaluationCancelsIt) {
    const test::TTempArchive First = PriceList(1, {"HC1"});
    LoadAndEvaluate(First.Path());
    const std::string FirstRows = Form->ResultList().Text();
    const test::TTempArchive Archive = test::LargeLens(200);
    Form->OpenKr6File(QString::fromStdString(Archive.Path()));

    std::atomic<bool> CloseRequested = false;
    int HandOversAfterTheRequest = 0;
    Form->SetAfterRowsHandedOver([&](const TEvaluationProgress& Progress) {
        if (CloseRequested) {
            ++HandOversAfterTheRequest;
            return;
        }
        if (Progress.CurrentLens == "GL1") {
            EXPECT_TRUE(test::WaitFor([&] { return CloseRequested.load(); }));
        }
    });
    int Ticks = 0;
    QTimer Timer;
    QObject::connect(&Timer, &QTimer::timeout, [&] {
        ++Ticks;
        if (Form->Evaluating() && Label("LabEGEdv") == "GL1" && !CloseRequested) {
            Form->close();
            CloseRequested = true;
        }
    });
    Form->show();
    Timer.start(0);
    Form->BtnKombiTEstClick();
    Timer.stop();
    EXPECT_TRUE(CloseRequested);
    EXPECT_EQ(HandOversAfterTheRequest, 0);
    EXPECT_GT(Ticks, 1);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_FALSE(Form->Evaluating());
    EXPECT_EQ(Form->ResultList().Text(), FirstRows);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// The import reports its stages in the status line while it runs; once a list has loaded,
// the note that all combinations were tested is gone with the rows it spoke of.
TEST_F(MainWindow, TheLoadShowsItsProgressAndEndsTheNoteOfTheListBefore) {
    const test::TTempArchive Archive = PriceList(2, {"HC1"});
    LoadAndEvaluate(Archive.Path());
    EXPECT_FALSE(Form->LabAlleKombiGestetet->isHidden());

    std::atomic<bool> Seen = false;
    Form->SetRefreshInterval(std::chrono::milliseconds(0));
    Form->SetLoader([&](Tdex6Dataobject& Root, std::string_view FileName,
                        const TImportProgressFn& Progress, TKr6ImportObserver*) {
        Progress({"reading LensPrice.Dat", 0.42});
        EXPECT_TRUE(test::WaitFor([&] { return Seen.load(); }));
        LoadKr6File(Root, FileName, Progress);
        return true;
    });
    QString Status;
    QTimer Timer;
    QObject::connect(&Timer, &QTimer::timeout, [&] {
        if (!Seen && !Form->statusBar()->currentMessage().isEmpty()) {
            Status = Form->statusBar()->currentMessage();
            Seen = true;
        }
    });
    Timer.start(0);
    Form->OpenKr6File(QString::fromStdString(Archive.Path()));
    Timer.stop();
    EXPECT_EQ(Status, QString::fromUtf8("Lese LensPrice.Dat ... 42 %"));
    EXPECT_TRUE(Form->statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(Form->LabAlleKombiGestetet->isHidden());
    EXPECT_EQ(Buttons(), Loaded);
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
    Form->SetLoader([&](Tdex6Dataobject& Root, std::string_view FileName,
                        const TImportProgressFn& Progress, TKr6ImportObserver* Observer) {
        LoaderThread = std::this_thread::get_id();
        // Far beyond what the window needs to get to its events; an import on the
        // window's thread waits for nothing but this.
        Ticked.wait_for(std::chrono::seconds(60));
        LoadKr6File(Root, FileName, Progress, Observer);
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
    EXPECT_FALSE(Form->isVisible());
    EXPECT_NE(LoaderThread, std::this_thread::get_id());
    ExpectLoaded(Path, 3);
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
    Form->SetLoader([](Tdex6Dataobject& Root, std::string_view FileName, const TImportProgressFn&,
                       TKr6ImportObserver*) -> bool {
        LoadKr6File(Root, FileName);
        throw std::runtime_error("'second.zip' holds no KR6 price list");
    });
    Form->OpenKr6File(QString::fromStdString(Second.Path()));
    ASSERT_EQ(Errors.size(), 3u);
    EXPECT_TRUE(Errors[0].contains(QDir::toNativeSeparators(DamagedPath)) &&
                Errors[1].contains(
                    QDir::toNativeSeparators(QString::fromUtf8("/nonexistent/Müller.zip"))) &&
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
