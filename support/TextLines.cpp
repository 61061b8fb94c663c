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
    std::size_t Count = 0;
    for (std::size_t I = 0; I < FText.size(); ++I) {
        if (FText[I] == '\n' ||
            (FText[I] == '\r' && (I + 1 == FText.size() || FText[I + 1] != '\n')))
            ++Count;
    }
    if (!FText.empty() && FText.back() != '\n' && FText.back() != '\r')
        ++Count;
    return Count;
}

} // namespace kr6
