#include "support/TextLines.h"

#include <algorithm>

namespace kr6 {

void TTextLines::TIterator::Take(std::size_t Start) {
    FStart = Start;
    if (Start >= FText.size())
        return;
    std::size_t End = Start;
    while (End < FText.size() && FText[End] != '\r' && FText[End] != '\n')
        ++End;
    FLine = FText.substr(Start, End - Start);
    if (End + 1 < FText.size() && FText[End] == '\r' && FText[End + 1] == '\n')
        ++End;
    FNext = std::min(End + 1, FText.size());
}

std::size_t TTextLines::Count() const {
    if (FText.empty())
        return 0;
    // A line ends at every LF and at every CR that no LF follows. Without branches the
    // compiler can take many bytes at a time.
    const std::size_t Last = FText.size() - 1;
    std::size_t Count = 0;
    for (std::size_t I = 0; I < Last; ++I)
        Count += static_cast<std::size_t>(FText[I] == '\n') +
                 static_cast<std::size_t>((FText[I] == '\r') & (FText[I + 1] != '\n'));
    // The last character ends a line, or the text ends one without an end.
    return Count + 1;
}

} // namespace kr6
