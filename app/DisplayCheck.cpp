#include "app/DisplayCheck.h"

#include <QMessageLogger>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace kr6 {
namespace {

bool IsSet(const char* Name) {
    const char* Value = std::getenv(Name);
    return Value != nullptr && *Value != '\0';
}

struct THeldMessage {
    QtMsgType Type;
    std::string Category;
    QString Text;
};

std::vector<THeldMessage>& HeldMessages() {
    static std::vector<THeldMessage> Messages;
    return Messages;
}

std::string FailureLine() {
    std::string Line = "kr6csv-gui: cannot show the window: ";
    if (IsSet("QT_QPA_PLATFORM")) {
        Line += "the platform '";
        Line += std::getenv("QT_QPA_PLATFORM");
        Line += "' (QT_QPA_PLATFORM) could not be started";
    } else if (IsSet("DISPLAY")) {
        Line += "the display '";
        Line += std::getenv("DISPLAY");
        Line += "' (DISPLAY) does not answer";
    } else {
        Line += "no display could be reached";
    }
    return Line;
}

void HoldMessage(QtMsgType Type, const QMessageLogContext& Context, const QString& Text) {
    if (Type == QtFatalMsg) {
        // Qt aborts once this returns; its text tells a user nothing about the display.
        std::fprintf(stderr, "%s\n", FailureLine().c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    HeldMessages().push_back({Type, Context.category ? Context.category : "", Text});
}

} // namespace

TPlatformStartGuard::TPlatformStartGuard() : FPrevious(qInstallMessageHandler(HoldMessage)) {}

TPlatformStartGuard::~TPlatformStartGuard() {
    qInstallMessageHandler(FPrevious);
    for (const THeldMessage& Message : HeldMessages()) {
        const QMessageLogger Logger(nullptr, 0, nullptr, Message.Category.c_str());
        switch (Message.Type) {
        case QtDebugMsg:
            Logger.debug("%s", qUtf8Printable(Message.Text));
            break;
        case QtInfoMsg:
            Logger.info("%s", qUtf8Printable(Message.Text));
            break;
        case QtWarningMsg:
            Logger.warning("%s", qUtf8Printable(Message.Text));
            break;
        default:
            Logger.critical("%s", qUtf8Printable(Message.Text));
            break;
        }
    }
    HeldMessages().clear();
}

} // namespace kr6
