#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

// The one list of texts of the whole system. Unsorted lists keep the order of adding;
// sorted lists keep ascending CompareText order, find by bisection and either ignore a
// text that is already present or accept it before its equals. Every entry can carry a
// non-owning object pointer.
class TStringList {
public:
    enum class TDuplicates { Ignore, Accept };

    struct TEntry {
        std::string Text;
        void* Object = nullptr;
    };

    TStringList() = default;
    explicit TStringList(bool Sorted, TDuplicates Duplicates = TDuplicates::Ignore)
        : FSorted(Sorted), FDuplicates(Duplicates) {}

    bool Sorted() const { return FSorted; }
    TDuplicates Duplicates() const { return FDuplicates; }
    int Count() const { return static_cast<int>(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }

    const std::string& operator[](int Index) const { return FItems[Index].Text; }
    const std::string& Strings(int Index) const { return FItems[Index].Text; }
    void* Objects(int Index) const { return FItems[Index].Object; }
    void SetObject(int Index, void* Object) { FItems[Index].Object = Object; }

    // Sorted: inserts at its place; a duplicate that is ignored returns the index of the
    // present entry. Unsorted: appends. Returns the entry's index.
    int Add(std::string_view Text, void* Object = nullptr);
    void AddStrings(const TStringList& Other);
    void Delete(int Index);
    void Clear() { FItems.clear(); }

    // Index of the first entry equal under CompareText, or -1.
    int IndexOf(std::string_view Text) const;
    bool Contains(std::string_view Text) const { return IndexOf(Text) >= 0; }
    // Removes the first entry equal to Text; true when one was there.
    bool Remove(std::string_view Text);
    // What removing each of Texts in turn leaves, in one pass: every removal would move
    // the entries behind it.
    void RemoveAll(const TStringList& Texts);
    // Sorted lists only: bisection; Index receives the first equal entry or the place
    // where Text would be inserted.
    bool Find(std::string_view Text, int& Index) const;

    // Replaces the content with the lines of Other, keeping this list's sorting rules.
    void Assign(const TStringList& Other);

    // Every line followed by a carriage return and a line feed.
    std::string Text() const;
    // Replaces the content with the lines of Text: CR, LF or CR LF end a line, a last
    // line without an end is a line, and a zero byte ends the text.
    void SetText(std::string_view Text);

    void Reserve(std::size_t N) { FItems.reserve(N); }

    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    void MergeIgnoringDuplicates(const TStringList& Other);

    std::vector<TEntry> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = TDuplicates::Ignore;
};

} // namespace kr6
