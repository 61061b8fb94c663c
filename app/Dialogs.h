#pragma once

#include "export/RowFormat.h"

#include <QString>

#include <functional>

class QWidget;

namespace kr6 {

// Where and how the rows are to be saved; an empty path when the user cancels.
struct TRowsFileChoice {
    QString Path;
    TRowSyntax Syntax = TRowSyntax::Tsv;
    bool Names = false;
};

// The modal dialogs of the window, replaceable so that tests never block.
struct TDialogs {
    // The chosen KR6 archive, or an empty text when the user cancels.
    std::function<QString(QWidget* Parent)> OpenKr6File;
    // The same for the list to compare the loaded one with.
    std::function<QString(QWidget* Parent)> OpenOtherList;
    // Proposes ListName with the extension of the chosen format.
    std::function<TRowsFileChoice(QWidget* Parent, const QString& ListName)> SaveRowsFile;
    // A text file, proposed as Proposed; an empty text when the user cancels.
    std::function<QString(QWidget* Parent, const QString& Proposed)> SaveTextFile;
    std::function<void(QWidget* Parent, const QString& Text)> ShowMessage;
    std::function<void(QWidget* Parent, const QString& Text)> ShowError;
    std::function<void(QWidget* Parent, const QString& Text)> ShowAbout;
};

// The real dialogs: the file dialogs, ShowMessageText, ShowErrorText and an about box.
TDialogs StandardDialogs();

} // namespace kr6
