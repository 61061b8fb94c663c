#include "app/StartArguments.h"

#include <string_view>

namespace kr6 {

std::optional<TStartArguments> ParseStartArguments(const QStringList& Args) {
    TStartArguments Result;
    qsizetype Next = 0;
    if (!Args.isEmpty() && Args.front() == QLatin1String("--screenshot")) {
        if (Args.size() < 2 || Args[1].isEmpty())
            return std::nullopt;
        Result.Screenshot = Args[1];
        Next = 2;
        if (Next < Args.size() &&
            (Args[Next] == QLatin1String("--table") || Args[Next] == QLatin1String("--findings"))) {
            Result.View = Args[Next] == QLatin1String("--table") ? TScreenshotView::Table
                                                                 : TScreenshotView::Findings;
            ++Next;
            if (Next == Args.size())
                return std::nullopt;
        }
    }
    if (Next < Args.size()) {
        // An option this program does not know is a mistake, not a file name; "./-x.zip"
        // names such a file.
        if (Args[Next].startsWith(QLatin1Char('-')))
            return std::nullopt;
        Result.Archive = Args[Next++];
    }
    if (Next < Args.size())
        return std::nullopt;
    return Result;
}

} // namespace kr6
