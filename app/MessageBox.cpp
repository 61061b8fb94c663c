#include "app/MessageBox.h"

#include "app/OverrideCursor.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace kr6 {
namespace {

void ShowBox(QWidget* Parent, QMessageBox::Icon Icon, const QString& Caption, const QString& Text) {
    const TOverrideCursor Normal(Qt::ArrowCursor);
    QMessageBox Box(Icon, Caption, Text, QMessageBox::Ok, Parent);
    Box.exec();
}

} // namespace

void ShowMessageText(QWidget* Parent, const QString& Text) {
    ShowBox(Parent, QMessageBox::Information, QStringLiteral("Information"), Text);
}

void ShowErrorText(QWidget* Parent, const QString& Text) {
    ShowBox(Parent, QMessageBox::Critical, QGuiApplication::applicationDisplayName(), Text);
}

} // namespace kr6
