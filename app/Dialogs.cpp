#include "app/Dialogs.h"

#include "app/MessageBox.h"

#include <QFileDialog>

namespace kr6 {

TDialogs StandardDialogs() {
    TDialogs Dialogs;
    Dialogs.OpenKr6File = [](QWidget* Parent) {
        // Only existing files can be chosen.
        return QFileDialog::getOpenFileName(Parent, QStringLiteral("Verzeichnis wählen"), QString(),
                                            QStringLiteral("Kronformat 6.x ZIP (*.zip)"));
    };
    Dialogs.ShowMessage = ShowMessageText;
    Dialogs.ShowError = ShowErrorText;
    return Dialogs;
}

} // namespace kr6
