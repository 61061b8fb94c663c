#include "cli/NearestWords.h"

#include <algorithm>

namespace kr6 {
namespace {

std::string Upper(std::string_view Text) {
    std::string Result(Text);
    for (char& C : Result)
        if (C >= 'a' && C <= 'z')
            C = static_cast<char>(C - 'a' + 'A');
    return Result;
}

} // namespace

std::size_t EditDistance(std::string_view From, std::string_view To) {
    std::vector<std::size_t> Row(To.size() + 1);
    for (std::size_t J = 0; J <= To.size(); ++J)
        Row[J] = J;
    for (std::size_t I = 1; I <= From.size(); ++I) {
        std::size_t Diagonal = Row[0];
        Row[0] = I;
        for (std::size_t J = 1; J <= To.size(); ++J) {
            const std::size_t Above = Row[J];
            Row[J] = std::min(
                {Row[J] + 1, Row[J - 1] + 1, Diagonal + (From[I - 1] == To[J - 1] ? 0 : 1)});
            Diagonal = Above;
        }
    }
    return Row[To.size()];
}

std::vector<std::string> NearestWords(std::string_view Word,
                                      const std::vector<std::string>& Candidates, std::size_t Count,
                                      bool IgnoreCase) {
    const std::string Typed = IgnoreCase ? Upper(Word) : std::string(Word);
    const std::size_t Close = Word.size() / 2 + 1;
    std::size_t Best = Close;
    std::vector<std::string> Nearest;
    for (const std::string& Candidate : Candidates) {
        const std::size_t Distance = EditDistance(Typed, IgnoreCase ? Upper(Candidate) : Candidate);
        if (Distance >= Close || Distance > Best)
            continue;
        if (Distance < Best) {
            Best = Distance;
            Nearest.clear();
        }
        // A list may hold a code twice.
        if (Nearest.size() < Count &&
            std::find(Nearest.begin(), Nearest.end(), Candidate) == Nearest.end())
            Nearest.push_back(Candidate);
    }
    return Nearest;
}

} // namespace kr6
