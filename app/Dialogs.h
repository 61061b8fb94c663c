#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kr6 {

// The modal dialogs of the window, replaceable so that tests never block.
struct TDialogs {
    // The chosen KR6 archive, or an empty text when the user cancels.
    std::function<QString(QWidget* Parent)> OpenKr6File;
    std::function<void(QWidget* Parent, const QString& Text)> ShowMessage;
    std::function<void(QWidget* Parent, const QString& Text)> ShowError;
};

// The real dialogs: the open-file dialog, ShowMessageText and ShowErrorText.
TDialogs StandardDialogs();

} // namespace kr6
