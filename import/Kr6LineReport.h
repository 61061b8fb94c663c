#pragma once

#include "import/Kr6Finding.h"

#include <string>
#include <string_view>

namespace kr6 {

// What one building step tells the import's observer about its member's lines. Without
// an observer it is inactive, and the step does none of the checks.
class TKr6LineReport {
public:
    TKr6LineReport(TKr6ImportObserver* Observer, std::string_view Member)
        : FObserver(Observer), FMember(Member) {}

    bool Active() const { return FObserver != nullptr; }
    TKr6ImportObserver& Observer() const { return *FObserver; }
    std::string_view Member() const { return FMember; }

    // The line that the next findings are about.
    void Next(std::string_view Line) {
        ++FLine;
        FText = Line;
    }
    int Line() const { return FLine; }
    std::string_view Text() const { return FText; }

    // About the current line; Column 0 for none.
    void Add(TKr6FindingCode Code, int Column, std::string Message) const {
        FObserver->Found(
            {std::string(FMember), FLine, Column, Code, std::move(Message), std::string(FText)});
    }
    // About the member as a whole.
    void AddMember(TKr6FindingCode Code, std::string Message) const {
        FObserver->Found({std::string(FMember), 0, 0, Code, std::move(Message), {}});
    }

private:
    TKr6ImportObserver* FObserver;
    std::string_view FMember;
    int FLine = 0;
    std::string_view FText;
};

// The text of a code or value in a message: 'ABC'.
inline std::string Quoted(std::string_view Text) {
    std::string Result = "'";
    Result += Text;
    Result += '\'';
    return Result;
}

// Nothing or blanks only.
bool IsEmptyLine(std::string_view Line);

} // namespace kr6
