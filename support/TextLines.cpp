#include "support/TextLines.h"

#include <algorithm>
#include <cstring>

namespace kr6 {

void TTextLines::TIterator::Take(std::size_t Start) {
    FStart = Start;
    if (Start >= FText.size())
        return;
    // The next LF, then the first CR before it: two searches that take many bytes at a
    // time. An LF found beyond the line stays known, so that a text of CR line ends is not
    // searched to its end for every line.
    if (FFeed == Unknown || FFeed < Start) {
        const void* Feed = std::memchr(FText.data() + Start, '\n', FText.size() - Start);
        FFeed = Feed != nullptr
                    ? static_cast<std::size_t>(static_cast<const char*>(Feed) - FText.data())
                    : FText.size();
    }
    const void* Return = std::memchr(FText.data() + Start, '\r', FFeed - Start);
    std::size_t End =
        Return != nullptr
            ? static_cast<std::size_t>(static_cast<const char*>(Return) - FText.data())
            : FFeed;
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
