#pragma once

#include "app/FittedLabel.h"
#include "app/MainWindow.h"
#include "helpers/FixedLine.h"
#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"
#include "tools/DemoPriceList.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

// Texts in test failures as text, not as UTF-16 units.
inline void PrintTo(const QString& Text, std::ostream* Out) {
    *Out << '"' << Text.toStdString() << '"';
}

namespace kr6::test {

// Plastic lenses GL1..., an anti-reflection coating, a tint and further coatings for
// plastic; no rules, so that every combination is deliverable.
inline TTempArchive PriceList(int Lenses, const std::vector<std::string>& Further) {
    std::string LensType;
    for (int I = 1; I <= Lenses; ++I)
        LensType += LineOf({{1, "GL" + std::to_string(I)}, {63, "0"}, {72, "2"}});
    std::string Options = LineOf({{1, "AR1"}, {64, "0100"}, {68, "2"}}) +
                          LineOf({{1, "TI1"}, {64, "0100"}, {69, "2"}});
    for (const std::string& Code : Further)
        Options += LineOf({{1, Code}, {64, "0100"}});
    return TTempArchive({{"LensType.Dat", LensType}, {"Options.Dat", Options}});
}

// One lens with Further further coatings HC1...: tens of thousands of rows, which the
// evaluation hands over in parts while the lens is tested.
inline TTempArchive LargeLens(int Further) {
    std::vector<std::string> Codes;
    for (int I = 1; I <= Further; ++I)
        Codes.push_back("HC" + std::to_string(I));
    return PriceList(1, Codes);
}

// A made-up list as make-demo-kr6 writes it.
inline TTempArchive GeneratedList(const std::vector<TKr6Member>& List) {
    TMembers Members;
    for (const TKr6Member& Member : List) {
        std::string Text;
        for (const std::string& Line : Member.Lines)
            Text.append(Line).append("\r\n");
        Members.emplace_back(Member.Name, std::move(Text));
    }
    return TTempArchive(Members);
}

// Waits on the calling thread, processing nothing, until Done holds; far beyond what any
// machine needs, so that a wait that never ends fails the test instead of hanging it.
inline bool WaitFor(const std::function<bool()>& Done) {
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > Limit)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Processes the window's events until Done holds, within the same limit.
inline bool ProcessUntil(const std::function<bool()>& Done) {
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > Limit)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

inline bool WaitCursorShown() {
    const QCursor* Cursor = QGuiApplication::overrideCursor();
    return Cursor != nullptr && Cursor->shape() == Qt::WaitCursor;
}

// The main window with its dialogs replaced: the files they choose are set beforehand,
// the messages they show are kept.
class WindowTest : public testing::Test {
protected:
    WindowTest() {
        TDialogs Dialogs;
        Dialogs.OpenKr6File = [this](QWidget*) {
            return Chosen;
        };
        Dialogs.OpenOtherList = [this](QWidget*) {
            return Other;
        };
        Dialogs.SaveRowsFile = [this](QWidget*, const QString& ListName) {
            ProposedName = ListName;
            return RowsFile;
        };
        Dialogs.SaveTextFile = [this](QWidget*, const QString& Proposed) {
            ProposedName = Proposed;
            return TextFile;
        };
        Dialogs.ShowMessage = [this](QWidget*, const QString& Text) {
            Messages.push_back(Text);
            // The buttons change only after the message was closed.
            EvaluateEnabledDuringMessage = Form->BtnKombiTEst->isEnabled();
        };
        Dialogs.ShowError = [this](QWidget*, const QString& Text) {
            Errors.push_back(Text);
        };
        Dialogs.ShowAbout = [this](QWidget*, const QString& Text) {
            About = Text;
        };
        Form = std::make_unique<TFormKr6CombinationToCsvHf>(Dialogs);
    }

    std::vector<bool> Buttons() const {
        return {Form->BtnKr6Laden->isEnabled(), Form->BtnKombiTEst->isEnabled(),
                Form->BtnClipboard->isEnabled()};
    }
    QString Label(const char* Name) const {
        return Form->findChild<QLabel*>(QString::fromLatin1(Name))->text();
    }
    void LoadAndEvaluate(const std::string& Path) {
        Form->OpenKr6File(QString::fromStdString(Path));
        Form->BtnKombiTEstClick();
        ASSERT_TRUE(Errors.empty()) << Errors.front().toStdString();
    }

    const std::vector<bool> Loaded{true, true, false};
    const std::vector<bool> AllEnabled{true, true, true};
    QString Chosen;
    QString Other;
    TRowsFileChoice RowsFile;
    QString TextFile;
    QString ProposedName;
    QString About;
    std::vector<QString> Messages;
    std::vector<QString> Errors;
    bool EvaluateEnabledDuringMessage = false;
    std::unique_ptr<TFormKr6CombinationToCsvHf> Form;
};

// The command line's bytes as the window shows them.
inline QString FromUtf8(const std::string& Text) {
    return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
}

} // namespace kr6::test
