#include "tests/app/WindowFixture.h"

#include "app/FindingsText.h"
#include "app/FindingsWindow.h"
#include "tools/ChangedCopy.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>

namespace kr6 {
namespace {

TEST(FindingsSummary, LinesNotTakenOverAndReadDifferentlyInGerman) {
    const std::tuple<int, int, const char*> Cases[] = {
        {3, 1, "3 Zeilen wurden nicht übernommen, 1 wurde anders gelesen"},
        {1, 0, "1 Zeile wurde nicht übernommen"},
        {0, 2, "2 Zeilen wurden anders gelesen"},
        {0, 1, "1 Zeile wurde anders gelesen"},
        {2, 5, "2 Zeilen wurden nicht übernommen, 5 wurden anders gelesen"}};
    for (const auto& [Errors, Warnings, Text] : Cases)
        EXPECT_EQ(FindingsSummary(Errors, Warnings),
                  QString::fromUtf8(Text) + " (Einzelheiten: kr6csv lint)");
    EXPECT_EQ(FindingsSummary(0, 0), QString());
}

// The example list with three power ranges of lenses it does not hold (errors) and a
// header key no list has (a warning).
std::vector<TKr6Member> ListWithFindings() {
    std::vector<TKr6Member> List = MakeDemoPriceList({});
    for (TKr6Member& Member : List) {
        if (Member.Name == "LensRange.Dat") {
            const std::string Rest = Member.Lines.front().substr(6);
            for (const char* Lens : {"XX0001", "XX0002", "XX0003"})
                Member.Lines.push_back(Lens + Rest);
        } else if (Member.Name == "Head.dat") {
            Member.Lines.push_back(std::string("frobnicate").append(20, ' ') + "1");
        }
    }
    return List;
}

class Findings : public test::WindowTest {};

// A list with findings says so in the load message, in one line of counts; a list with
// notes only loads with the message as ever.
TEST_F(Findings, TheLoadMessageCountsWhatTheImportLeftOut) {
    const test::TTempArchive Found = test::GeneratedList(ListWithFindings());
    Form->OpenKr6File(QString::fromStdString(Found.Path()));
    const test::TTempArchive NotesOnly = test::GeneratedList(ChangedCopy(MakeDemoPriceList({}), 1));
    ASSERT_EQ(test::Kr6csv("lint -q " + NotesOnly.Path()).Status, 0);
    Form->OpenKr6File(QString::fromStdString(NotesOnly.Path()));
    EXPECT_EQ(Messages,
              (std::vector<QString>{
                  QString::fromStdString(Found.Path()) +
                      QString::fromUtf8(" wurde importiert\n\n3 Zeilen wurden nicht übernommen, 1 "
                                        "wurde anders gelesen (Einzelheiten: kr6csv lint)"),
                  QString::fromStdString(NotesOnly.Path()) + " wurde importiert"}));
    EXPECT_EQ(Buttons(), Loaded);
}

// "Hinweise zur Liste" lists what `kr6csv lint` lists, the notes an evaluation tells
// among them; it shows one severity or all, sorts by a column, and saves the shown
// findings as lint's lines.
TEST_F(Findings, TheFindingsWindowListsWhatLintLists) {
    const test::TTempArchive Found = test::GeneratedList(ListWithFindings());
    const test::TRun Lint = test::Kr6csv("lint -q " + Found.Path());
    ASSERT_EQ(Lint.Status, 3) << Lint.Err;
    const QStringList Lines = test::FromUtf8(Lint.Out).split('\n', Qt::SkipEmptyParts);
    Form->OpenKr6File(QString::fromStdString(Found.Path()));
    Form->ActFindings->trigger();
    TFindingsWindow* Window = Form->FindingsWindow();
    ASSERT_NE(Window, nullptr);
    EXPECT_EQ(Window->ShownText(), Lint.Out);
    EXPECT_EQ(Window->Shown->rowCount(), Lines.size());
    EXPECT_EQ(Window->Count->text(), QString::number(Lines.size()) + " von " +
                                         QString::number(Lines.size()) + " Hinweisen");
    const QModelIndex First = Window->Shown->index(0, 0);
    QStringList Cells;
    for (int Column = 0; Column < 6; ++Column)
        Cells << Window->Shown->index(0, Column).data().toString();
    EXPECT_EQ(Cells.join('|'),
              "Head.dat|42||warning|unknown-header-key|unknown key 'frobnicate': ignored");
    Window->Table->setCurrentIndex(First);
    EXPECT_EQ(Window->LineText->toPlainText(), QString("frobnicate").leftJustified(30) + "1");

    Window->Severity->setCurrentIndex(1);
    EXPECT_EQ(Window->Shown->rowCount(), Lines.filter(": error: ").size());
    EXPECT_EQ(Window->Shown->rowCount(), 3);
    Window->Table->sortByColumn(1, Qt::DescendingOrder);
    EXPECT_EQ(Window->Shown->index(0, 4).data().toString() + " " +
                  Window->Shown->index(0, 1).data().toString(),
              "unknown-lens " + Lines.filter("XX0003").front().section(':', 1, 1));

    const QTemporaryDir Dir;
    TextFile = Dir.filePath("hinweise.txt");
    Window->Severity->setCurrentIndex(0);
    Window->Table->sortByColumn(-1, Qt::AscendingOrder);
    Window->SaveButton->click();
    EXPECT_EQ(test::ReadFileBytes(TextFile.toStdString()), Lint.Out);
    EXPECT_TRUE(ProposedName.endsWith("-hinweise.txt")) << ProposedName.toStdString();
    EXPECT_TRUE(Errors.empty());
    EXPECT_EQ(Buttons(), Loaded);
}

} // namespace
} // namespace kr6
