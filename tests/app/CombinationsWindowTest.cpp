#include "tests/app/WindowFixture.h"

#include "app/CombinationsWindow.h"
#include "app/QtText.h"
#include "app/ResultRows.h"
#include "tools/ChangedCopy.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>

namespace kr6 {
namespace {

class CombinationsWindow : public test::WindowTest {
protected:
    TCombinationsWindow* Open() {
        LoadAndEvaluate(test::DemoArchive);
        Form->ActCombinations->trigger();
        return Form->CombinationsWindow();
    }
    // The codes of a row of the table as the command line takes them.
    std::string CheckArguments(std::size_t Row) const {
        const TResultRows& Rows = Form->ResultList();
        std::string Arguments;
        std::size_t Field = 0;
        for (const std::string_view Code : Rows.Fields(Row, Rows.Row(Row))) {
            if (!Code.empty())
                Arguments += " " + std::string(Code);
            else if (Field == 4 && Arguments.find(' ', 1) == std::string::npos)
                Arguments += " \"\"";
            ++Field;
        }
        return Arguments;
    }
};

// The table holds every row with the names of its codes; a filter on a code or a part of
// a name in any column shows the rows the command line's named rows hold it in.
TEST_F(CombinationsWindow, ShowsTheRowsWithNamesAndFiltersThem) {
    TCombinationsWindow* Window = Open();
    ASSERT_NE(Window, nullptr);
    const std::size_t All = Form->ResultList().Count();
    EXPECT_EQ(std::size_t(Window->Model->rowCount()), All);
    EXPECT_EQ(Window->StatusLine->text(),
              QString::number(All) + " von " + QString::number(All) + " Zeilen");
    EXPECT_EQ(Window->Model->index(0, 0).data().toString(),
              QString::fromUtf8("ES5201  Einstärken sphärisch 1.525 Silikat"));

    const test::TRun Named = test::Kr6csv("evaluate -q --names --utf8 " + test::DemoArchive);
    const QStringList Lines = test::FromUtf8(Named.Out).split("\r\n", Qt::SkipEmptyParts);
    for (const QString& Needle :
         {QStringLiteral("clean"), QStringLiteral("TNFA01"), QString::fromUtf8("sphärisch")}) {
        Window->FilterField->setText(Needle);
        Window->ApplyFilter();
        ASSERT_TRUE(test::ProcessUntil([&] { return !Window->Filtering(); }));
        const auto Expected = std::count_if(Lines.begin(), Lines.end(), [&](const QString& Line) {
            return Line.contains(Needle, Qt::CaseInsensitive);
        });
        ASSERT_GT(Expected, 0);
        EXPECT_EQ(Window->Model->rowCount(), Expected) << Needle.toStdString();
        EXPECT_EQ(Window->StatusLine->text(),
                  QString::number(Expected) + " von " + QString::number(All) + " Zeilen");
    }
    Window->FilterField->clear();
    Window->ApplyFilter();
    EXPECT_EQ(std::size_t(Window->Model->rowCount()), All);
}

// Selecting a row, or typing a lens and coatings, explains them as `kr6csv check` does.
TEST_F(CombinationsWindow, ExplainsAsTheCommandLinesCheck) {
    TCombinationsWindow* Window = Open();
    ASSERT_NE(Window, nullptr);
    for (const int Row : {0, 1, 500}) {
        Window->Table->selectRow(Row);
        const std::string Codes = CheckArguments(std::size_t(Row));
        const test::TRun Cli = test::Kr6csv("check " + test::DemoArchive + Codes);
        EXPECT_EQ(Cli.Status, 0) << Codes;
        EXPECT_EQ(Window->Explanation->toPlainText(), test::FromUtf8(Cli.Out)) << Codes;
    }
    for (const char* Typed : {"gk6001 tnfa01 hcst01", "GK6001 AREF01 TNFA01", "GK6001"}) {
        Window->CheckField->setText(QString::fromLatin1(Typed));
        Window->ExplainTyped();
        const test::TRun Cli = test::Kr6csv("check " + test::DemoArchive + " " + Typed);
        EXPECT_EQ(Window->Explanation->toPlainText(), test::FromUtf8(Cli.Out)) << Typed;
    }
    // A new list takes the table with the rows of the old one.
    Form->OpenKr6File(QString::fromStdString(test::DemoArchive));
    EXPECT_TRUE(test::ProcessUntil([&] { return Form->CombinationsWindow() == nullptr; }));
}

// "Mit anderer Liste vergleichen" shows what `kr6csv diff` writes: the summary above the
// table, the rows only one list gives as its "+" and "-" rows.
TEST_F(CombinationsWindow, ComparisonIsTheCommandLinesDiff) {
    const std::vector<TKr6Member> List = MakeDemoPriceList({});
    const test::TTempArchive Old = test::GeneratedList(List);
    const test::TTempArchive New = test::GeneratedList(ChangedCopy(List, 1));
    const test::TRun Cli = test::Kr6csv("diff -q " + Old.Path() + " " + New.Path());
    ASSERT_EQ(Cli.Status, 3) << Cli.Err;
    const std::size_t Gap = Cli.Out.find("\r\n\r\n");
    ASSERT_NE(Gap, std::string::npos);
    QString Summary = FromCp1252(Cli.Out.substr(0, Gap + 2));
    Summary.replace("\r\n", "\n");

    Form->OpenKr6File(QString::fromStdString(Old.Path()));
    Other = QString::fromStdString(New.Path());
    Form->ActCompare->trigger();
    ASSERT_TRUE(Errors.empty()) << Errors.front().toStdString();
    TCombinationsWindow* Window = Form->CombinationsWindow();
    ASSERT_NE(Window, nullptr);
    EXPECT_TRUE(Window->Summary->isVisible());
    EXPECT_TRUE(Window->Summary->toPlainText().startsWith(Summary))
        << Window->Summary->toPlainText().toStdString();
    EXPECT_EQ(Window->Model->Source().Rows->Text(), Cli.Out.substr(Gap + 4));
    EXPECT_EQ(Window->Model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "+/-");
    EXPECT_EQ(Window->Model->index(0, 0).data().toString() + " " +
                  Window->Model->index(0, 1).data().toString().left(6),
              FromCp1252(Cli.Out.substr(Gap + 4, 8)).replace('\t', ' '));
    EXPECT_EQ(Buttons(), Loaded);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace kr6
