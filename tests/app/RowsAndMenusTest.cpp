#include "tests/app/WindowFixture.h"

#include "app/AboutText.h"
#include "app/ResultRows.h"
#include "support/Version.h"

#include <QMenuBar>
#include <QTemporaryDir>

namespace kr6 {
namespace {

// Rows of every length, over many pages, each found again by its index with its fields,
// also where a code holds tabs; rows of a comparison begin with their change.
TEST(ResultRows, EveryRowFoundAgainWithItsFieldsAcrossPages) {
    for (const char Change : {'\0', '-'}) {
        TResultRows Rows;
        std::string Expected;
        std::vector<std::string> Lenses;
        const auto RowOf = [&](std::size_t I) {
            return TRow{Lenses[I], I % 5 == 0 ? "AR\tX" : "AR", "", "HC", ""};
        };
        for (std::size_t I = 0; I < 150000; ++I) {
            Lenses.push_back("GL" + std::to_string(I) + std::string(I % 37, '\t'));
            Rows.Add(RowOf(I), Change);
            Expected.append(Change != 0 ? "-\t" : "").append(RowText(RowOf(I))).append("\r\n");
        }
        EXPECT_EQ(Rows.Text(), Expected);
        EXPECT_EQ(Rows.Bytes(), Expected.size());
        for (const std::size_t I :
             {std::size_t{0}, std::size_t{1}, std::size_t{63}, std::size_t{64}, std::size_t{65},
              std::size_t{77777}, std::size_t{149999}}) {
            EXPECT_EQ(Rows.Row(I), (Change != 0 ? "-\t" : "") + RowText(RowOf(I))) << I;
            EXPECT_EQ(Rows.Fields(I, Rows.Row(I)), RowOf(I)) << I;
        }
        std::size_t Pieces = 0;
        Rows.ForEachPiece([&](std::string_view) { ++Pieces; });
        EXPECT_GT(Pieces, 1u);
        EXPECT_EQ(Rows.Row(150000), "");
    }
}

class RowsAndMenus : public test::WindowTest {};

// The menu offers what the buttons offer, with the usual shortcuts, above the controls
// as they always stood.
TEST_F(RowsAndMenus, MenusFollowTheButtonsAboveTheUnchangedControls) {
    QStringList Menus;
    for (const QAction* Menu : Form->menuBar()->actions())
        Menus << Menu->text();
    EXPECT_EQ(Menus.join(' '), "&Datei &Ansicht &Hilfe");
    EXPECT_EQ(Form->centralWidget()->size(), QSize(610, 361));
    EXPECT_EQ(Form->BtnClipboard->geometry(), QRect(408, 8, 196, 25));
    EXPECT_EQ(Form->ActLoad->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(Form->ActSaveRows->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(Form->ActQuit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    const auto States = [this] {
        return std::vector<bool>{Form->ActLoad->isEnabled(), Form->ActSaveRows->isEnabled(),
                                 Form->ActCombinations->isEnabled()};
    };
    EXPECT_EQ(States(), (std::vector<bool>{true, false, false}));
    Form->OpenKr6File(QString::fromStdString(test::DemoArchive));
    EXPECT_EQ(States(), (std::vector<bool>{true, false, false}));
    Form->BtnKombiTEstClick();
    EXPECT_EQ(States(), (std::vector<bool>{true, true, true}));

    Form->ActAbout->trigger();
    EXPECT_EQ(About, AboutText());
    EXPECT_TRUE(
        About.contains(QStringLiteral("Version ") + QString::fromLatin1(Kr6Version().data())) &&
        About.contains("Qt ") && About.contains("libzip"))
        << About.toStdString();

    Form->show();
    Form->ActQuit->trigger();
    EXPECT_FALSE(Form->isVisible());
}

// Saved rows are the bytes of `kr6csv evaluate --format X [--names]`; tsv without names
// is the clipboard's text. A file is written whole, never over the list it comes from.
TEST_F(RowsAndMenus, SavedRowsAreTheCommandLinesBytes) {
    LoadAndEvaluate(test::DemoArchive);
    const QTemporaryDir Dir;
    struct TCase {
        TRowSyntax Syntax;
        bool Names;
        const char* Arguments;
    };
    for (const TCase& Case :
         {TCase{TRowSyntax::Tsv, false, ""}, TCase{TRowSyntax::Tsv, true, "--names"},
          TCase{TRowSyntax::Csv, false, "--format csv"},
          TCase{TRowSyntax::Csv, true, "--format csv --names"},
          TCase{TRowSyntax::Jsonl, false, "--format jsonl"},
          TCase{TRowSyntax::Jsonl, true, "--format jsonl --names"}}) {
        RowsFile = {Dir.filePath(QStringLiteral("rows")), Case.Syntax, Case.Names};
        Form->ActSaveRows->trigger();
        const test::TRun Cli =
            test::Kr6csv("evaluate -q " + std::string(Case.Arguments) + " " + test::DemoArchive);
        ASSERT_EQ(Cli.Status, 0) << Cli.Err;
        EXPECT_EQ(test::ReadFileBytes(RowsFile.Path.toStdString()), Cli.Out) << Case.Arguments;
    }
    EXPECT_EQ(ProposedName, "demo-kr6");
    RowsFile.Syntax = TRowSyntax::Tsv;
    RowsFile.Names = false;
    Form->ActSaveRows->trigger();
    EXPECT_EQ(test::ReadFileBytes(RowsFile.Path.toStdString()), Form->ResultList().Text());
    EXPECT_TRUE(Errors.empty());
    EXPECT_EQ(Buttons(), AllEnabled);

    // A folder that does not exist, and the loaded list itself.
    const test::TTempFile Copy(test::ReadFileBytes(test::DemoArchive));
    LoadAndEvaluate(Copy.Path());
    RowsFile.Path = Dir.filePath(QStringLiteral("no/such/folder/rows.tsv"));
    Form->ActSaveRows->trigger();
    RowsFile.Path = QString::fromStdString(Copy.Path());
    Form->ActSaveRows->trigger();
    ASSERT_EQ(Errors.size(), 2u);
    EXPECT_TRUE(Errors[1].contains("the price list being read")) << Errors[1].toStdString();
    EXPECT_EQ(Copy.Read(), test::ReadFileBytes(test::DemoArchive));
    EXPECT_EQ(Buttons(), AllEnabled);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Cancelling the dialog writes nothing.
    RowsFile = {};
    Form->ActSaveRows->trigger();
    EXPECT_EQ(Errors.size(), 2u);
}

} // namespace
} // namespace kr6
