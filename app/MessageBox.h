#pragma once

#include <QString>

class QWidget;

namespace kr6 {

// The program's message: a modal information box captioned "Information" with one "OK"
// button. The normal cursor shows while it is open; an application-wide cursor that was
// set before (the busy cursor of an evaluation) is back afterwards.
void ShowMessageText(QWidget* Parent, const QString& Text);

// The general error report: a modal error box with the error's text, under the same
// cursor rule.
void ShowErrorText(QWidget* Parent, const QString& Text);

} // namespace kr6
