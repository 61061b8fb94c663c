#include "app/DisplayCheck.h"
#include "app/MainWindow.h"
#include "app/StartArguments.h"
#include "app/StartHelp.h"
#include "texts/Language.h"

#include <QApplication>
#include <QPixmap>
#include <QStringList>
#include <QTableView>

#include <algorithm>

#include <cstdio>
#include <optional>

namespace {

constexpr kr6::TLanguage German = 1;

// Renders a window into a PNG and ends; with an archive the main window first loads and
// evaluates it, without showing messages. The table shows a row explained; the findings
// are those of the archive.
int SaveScreenshot(const kr6::TStartArguments& Start) {
    kr6::TDialogs Quiet = kr6::StandardDialogs();
    Quiet.ShowMessage = [](QWidget*, const QString&) {
    };
    Quiet.ShowError = [](QWidget*, const QString& Text) {
        std::fprintf(stderr, "kr6csv-gui: %s\n", qPrintable(Text));
    };
    kr6::TFormKr6CombinationToCsvHf Form(Quiet);
    Form.show();
    if (!Start.Archive.isEmpty()) {
        Form.OpenKr6File(Start.Archive);
        Form.BtnKombiTEstClick();
    }
    QWidget* Shown = &Form;
    if (Start.View == kr6::TScreenshotView::Table) {
        Form.ShowCombinations();
        kr6::TCombinationsWindow* Table = Form.CombinationsWindow();
        if (Table == nullptr)
            return 1;
        Table->Table->selectRow(std::min(Table->Model->rowCount() - 1, 17));
        Shown = Table;
    } else if (Start.View == kr6::TScreenshotView::Findings) {
        Form.ShowFindings();
        if (Form.FindingsWindow() == nullptr)
            return 1;
        Form.FindingsWindow()->Table->selectRow(0);
        Shown = Form.FindingsWindow();
    }
    QApplication::processEvents();
    if (!Shown->grab().save(Start.Screenshot, "PNG")) {
        std::fprintf(stderr, "kr6csv-gui: cannot write '%s'\n", qPrintable(Start.Screenshot));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<std::string> Information = kr6::StartInformation(argc, argv)) {
        std::fputs(Information->c_str(), stdout);
        return 0;
    }
    // Arguments of neither form are a usage error, display or not; the file names are
    // taken from QApplication, which reads them in the system's own way.
    QStringList Given;
    for (int I = 1; I < argc; ++I)
        Given << QString::fromLocal8Bit(argv[I]);
    if (!kr6::ParseStartArguments(Given)) {
        std::fprintf(stderr, "%s\n", kr6::StartUsage);
        return 2;
    }
    if (const std::string Missing = kr6::MissingDisplay(argc, argv); !Missing.empty()) {
        std::fprintf(stderr, "kr6csv-gui: %s\n", Missing.c_str());
        return 1;
    }
    std::optional<kr6::TPlatformStartGuard> Guard(std::in_place);
    QApplication App(argc, argv);
    Guard.reset();
    kr6::SetCurrentLanguage(German);

    const std::optional<kr6::TStartArguments> Start =
        kr6::ParseStartArguments(QApplication::arguments().mid(1));
    if (!Start) {
        std::fprintf(stderr, "%s\n", kr6::StartUsage);
        return 2;
    }
    if (!Start->Screenshot.isEmpty())
        return SaveScreenshot(*Start);

    kr6::TFormKr6CombinationToCsvHf Form;
    Form.show();
    if (!Start->Archive.isEmpty())
        Form.OpenKr6FileLater(Start->Archive);
    return QApplication::exec();
}
