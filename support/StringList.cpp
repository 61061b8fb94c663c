#include "support/StringList.h"

#include "support/TextCompare.h"
#include "support/TextLines.h"

#include <algorithm>
#include <iterator>

namespace kr6 {

int TStringList::Add(std::string_view Text, void* Object) {
    if (!FSorted) {
        FItems.push_back({std::string(Text), Object});
        return Count() - 1;
    }
    int Index = 0;
    if (Find(Text, Index) && FDuplicates == TDuplicates::Ignore)
        return Index;
    FItems.insert(FItems.begin() + Index, TEntry{std::string(Text), Object});
    return Index;
}

void TStringList::AddStrings(const TStringList& Other) {
    // Adding a list to itself would grow the vector under the loop.
    if (&Other == this) {
        AddStrings(TStringList(Other));
        return;
    }
    if (FSorted && FDuplicates == TDuplicates::Ignore) {
        MergeIgnoringDuplicates(Other);
        return;
    }
    for (const TEntry& E : Other.FItems)
        Add(E.Text, E.Object);
}

// The result of adding Other's entries one by one, without moving the entries for each:
// of equal texts the one present first stays, which for Other's own is the earlier one.
void TStringList::MergeIgnoringDuplicates(const TStringList& Other) {
    const auto Less = [](const TEntry& A, const TEntry& B) {
        return CompareText(A.Text, B.Text) < 0;
    };
    std::vector<TEntry> Added = Other.FItems;
    if (!Other.FSorted || Other.FDuplicates != TDuplicates::Ignore) {
        std::stable_sort(Added.begin(), Added.end(), Less);
        Added.erase(
            std::unique(Added.begin(), Added.end(),
                        [](const TEntry& A, const TEntry& B) { return EqualText(A.Text, B.Text); }),
            Added.end());
    }
    std::vector<TEntry> Merged;
    Merged.reserve(FItems.size() + Added.size());
    auto Present = FItems.begin();
    for (TEntry& Entry : Added) {
        while (Present != FItems.end() && Less(*Present, Entry))
            Merged.push_back(std::move(*Present++));
        if (Present == FItems.end() || Less(Entry, *Present))
            Merged.push_back(std::move(Entry));
    }
    std::move(Present, FItems.end(), std::back_inserter(Merged));
    FItems = std::move(Merged);
}

void TStringList::Delete(int Index) {
    FItems.erase(FItems.begin() + Index);
}

bool TStringList::Find(std::string_view Text, int& Index) const {
    int Low = 0;
    int High = Count() - 1;
    bool Found = false;
    while (Low <= High) {
        const int Mid = Low + (High - Low) / 2;
        const int C = CompareText(FItems[Mid].Text, Text);
        if (C < 0) {
            Low = Mid + 1;
        } else {
            High = Mid - 1;
            if (C == 0)
                Found = true;
        }
    }
    Index = Low;
    return Found;
}

int TStringList::IndexOf(std::string_view Text) const {
    if (FSorted) {
        int Index = 0;
        return Find(Text, Index) ? Index : -1;
    }
    for (int I = 0; I < Count(); ++I) {
        if (EqualText(FItems[I].Text, Text))
            return I;
    }
    return -1;
}

bool TStringList::Remove(std::string_view Text) {
    const int Index = IndexOf(Text);
    if (Index < 0)
        return false;
    Delete(Index);
    return true;
}

// Removing a text in turn takes the first entry of its equals that is left, so of the
// entries equal to a text as many go, from the first on, as Texts holds equals of it.
void TStringList::RemoveAll(const TStringList& Texts) {
    if (&Texts == this) {
        FItems.clear();
        return;
    }
    std::vector<std::string_view> Removed;
    Removed.reserve(Texts.FItems.size());
    for (const TEntry& E : Texts.FItems)
        Removed.emplace_back(E.Text);
    const auto Less = [](std::string_view A, std::string_view B) {
        return CompareText(A, B) < 0;
    };
    std::sort(Removed.begin(), Removed.end(), Less);
    // How many equals of each group of Removed have taken an entry.
    std::vector<std::size_t> Taken(Removed.size(), 0);
    std::size_t Kept = 0;
    for (std::size_t I = 0; I < FItems.size(); ++I) {
        const std::string_view Text = FItems[I].Text;
        const auto First = std::lower_bound(Removed.begin(), Removed.end(), Text, Less);
        if (First != Removed.end() && CompareText(*First, Text) == 0) {
            const auto Group = static_cast<std::size_t>(First - Removed.begin());
            const auto Equals = static_cast<std::size_t>(
                std::upper_bound(First, Removed.end(), Text, Less) - First);
            if (Taken[Group] < Equals) {
                ++Taken[Group];
                continue;
            }
        }
        if (Kept != I)
            FItems[Kept] = std::move(FItems[I]);
        ++Kept;
    }
    FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(Kept), FItems.end());
}

void TStringList::Assign(const TStringList& Other) {
    if (&Other == this)
        return;
    FItems.clear();
    if (!FSorted) {
        FItems = Other.FItems;
        return;
    }
    AddStrings(Other);
}

std::string TStringList::Text() const {
    std::size_t Size = 0;
    for (const TEntry& E : FItems)
        Size += E.Text.size() + 2;
    std::string Result;
    Result.reserve(Size);
    for (const TEntry& E : FItems) {
        Result += E.Text;
        Result += "\r\n";
    }
    return Result;
}

void TStringList::SetText(std::string_view Text) {
    FItems.clear();
    for (const std::string_view Line : TTextLines(Text))
        Add(Line);
}

} // namespace kr6
