#include "app/MainWindow.h"
#include "texts/Language.h"

#include <QApplication>
#include <QPixmap>
#include <QStringList>

#include <cstdio>

namespace {

constexpr kr6::TLanguage German = 1;

// --screenshot FILE [ARCHIVE]: renders the window into a PNG and ends; with an archive
// the window first loads and evaluates it, without showing messages.
int SaveScreenshot(const QStringList& Args) {
    kr6::TDialogs Quiet = kr6::StandardDialogs();
    Quiet.ShowMessage = [](QWidget*, const QString&) {
    };
    Quiet.ShowError = [](QWidget*, const QString& Text) {
        std::fprintf(stderr, "kr6csv-gui: %s\n", qPrintable(Text));
    };
    kr6::TFormKr6CombinationToCsvHf Form(Quiet);
    Form.show();
    if (Args.size() > 2) {
        Form.OpenKr6File(Args[2]);
        Form.BtnKombiTEstClick();
    }
    QApplication::processEvents();
    if (!Form.grab().save(Args[1], "PNG")) {
        std::fprintf(stderr, "kr6csv-gui: cannot write '%s'\n", qPrintable(Args[1]));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    kr6::SetCurrentLanguage(German);

    const QStringList Args = QApplication::arguments().mid(1);
    if (!Args.isEmpty() && Args[0] == QLatin1String("--screenshot")) {
        if (Args.size() < 2 || Args.size() > 3) {
            std::fprintf(stderr, "usage: kr6csv-gui [--screenshot FILE.png [ARCHIVE.zip]]\n");
            return 2;
        }
        return SaveScreenshot(Args);
    }

    kr6::TFormKr6CombinationToCsvHf Form;
    Form.show();
    return QApplication::exec();
}
