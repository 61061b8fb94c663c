#include "app/Dialogs.h"

#include "app/MessageBox.h"

#include <QFileDialog>
#include <QMessageBox>

#include <array>

namespace kr6 {
namespace {

struct TRowsFilter {
    const char* Filter;
    const char* Extension;
    TRowSyntax Syntax;
    bool Names;
};

const std::array<TRowsFilter, 6> RowsFilters = {{
    {"Tabulatorgetrennt, wie in der Zwischenablage (*.tsv)", ".tsv", TRowSyntax::Tsv, false},
    {"Tabulatorgetrennt mit Namen (*.tsv)", ".tsv", TRowSyntax::Tsv, true},
    {"CSV (*.csv)", ".csv", TRowSyntax::Csv, false},
    {"CSV mit Namen (*.csv)", ".csv", TRowSyntax::Csv, true},
    {"JSON Lines (*.jsonl)", ".jsonl", TRowSyntax::Jsonl, false},
    {"JSON Lines mit Namen (*.jsonl)", ".jsonl", TRowSyntax::Jsonl, true},
}};

TRowsFileChoice ChooseRowsFile(QWidget* Parent, const QString& ListName) {
    QFileDialog Dialog(Parent, QStringLiteral("Zeilen speichern unter"));
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList Filters;
    for (const TRowsFilter& Each : RowsFilters)
        Filters << QString::fromUtf8(Each.Filter);
    Dialog.setNameFilters(Filters);
    const QString Base = ListName.isEmpty() ? QStringLiteral("Kombinationen") : ListName;
    Dialog.selectFile(Base + QLatin1String(RowsFilters[0].Extension));
    // The proposed name follows the chosen format, as long as the user keeps the list's name.
    QObject::connect(&Dialog, &QFileDialog::filterSelected, &Dialog, [&](const QString& Filter) {
        const auto Index = Filters.indexOf(Filter);
        if (Index >= 0)
            Dialog.selectFile(Base + QLatin1String(RowsFilters[std::size_t(Index)].Extension));
    });
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
        return {};
    const auto Index = std::max<qsizetype>(Filters.indexOf(Dialog.selectedNameFilter()), 0);
    const TRowsFilter& Chosen = RowsFilters[std::size_t(Index)];
    return {Dialog.selectedFiles().front(), Chosen.Syntax, Chosen.Names};
}

} // namespace

TDialogs StandardDialogs() {
    TDialogs Dialogs;
    Dialogs.OpenKr6File = [](QWidget* Parent) {
        // Only existing files can be chosen.
        return QFileDialog::getOpenFileName(Parent, QStringLiteral("Verzeichnis wählen"), QString(),
                                            QStringLiteral("Kronformat 6.x ZIP (*.zip)"));
    };
    Dialogs.OpenOtherList = [](QWidget* Parent) {
        return QFileDialog::getOpenFileName(Parent, QStringLiteral("Liste zum Vergleich wählen"),
                                            QString(),
                                            QStringLiteral("Kronformat 6.x ZIP (*.zip)"));
    };
    Dialogs.SaveRowsFile = ChooseRowsFile;
    Dialogs.SaveTextFile = [](QWidget* Parent, const QString& Proposed) {
        return QFileDialog::getSaveFileName(Parent, QStringLiteral("Speichern unter"), Proposed,
                                            QStringLiteral("Text (*.txt)"));
    };
    Dialogs.ShowMessage = ShowMessageText;
    Dialogs.ShowError = ShowErrorText;
    Dialogs.ShowAbout = [](QWidget* Parent, const QString& Text) {
        QMessageBox::about(Parent, QStringLiteral("Über kr6csv"), Text);
    };
    return Dialogs;
}

} // namespace kr6
