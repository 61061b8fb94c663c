#pragma once

#include "model/CodeIndex.h"
#include "model/ObjectList.h"
#include "model/SortNumberOrder.h"
#include "model/XmlWriter.h"
#include "support/StringList.h"
#include "support/TextCompare.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

// Texts 1 to N, one a language, under the elements Prefix1 to PrefixN.
template <int N> class TNumberedTexts {
public:
    const std::string& Get(int Index) const {
        static const std::string None;
        return InRange(Index) ? FTexts[static_cast<std::size_t>(Index - 1)] : None;
    }
    // Outside 1 to N ignored.
    void Set(int Index, std::string_view Text) {
        if (InRange(Index))
            FTexts[static_cast<std::size_t>(Index - 1)] = Text;
    }
    void Clear() { FTexts = {}; }

    // Writes Get(1) to Get(N), empty ones as empty elements; Get gives the text of an index.
    template <class TGet> static void Write(TXmlStream& Writer, std::string_view Prefix, TGet Get) {
        for (int I = 1; I <= N; ++I)
            WriteStrElement(Writer, std::string(Prefix) + std::to_string(I), Get(I));
    }
    void Write(TXmlStream& Writer, std::string_view Prefix) const {
        Write(Writer, Prefix, [this](int I) -> const std::string& { return Get(I); });
    }
    // The index whose element Name is (case ignored), or 0.
    static int IndexOf(std::string_view Prefix, std::string_view Name) {
        if (Name.size() <= Prefix.size() || !SameText(Name.substr(0, Prefix.size()), Prefix) ||
            Name[Prefix.size()] == '0')
            return 0;
        int Index = 0;
        for (const char C : Name.substr(Prefix.size())) {
            if (C < '0' || C > '9' || Index > N)
                return 0;
            Index = Index * 10 + (C - '0');
        }
        return InRange(Index) ? Index : 0;
    }

private:
    static bool InRange(int Index) { return Index >= 1 && Index <= N; }

    std::array<std::string, N> FTexts;
};

template <class T> class TCodedList;

// An element of a TCodedList: a code (EDV) the list finds it by, a sort number (CSNR) the
// list keeps 0 to Count - 1, and descriptions and short descriptions 1 to 10.
template <class T> class TCodedObject : public TCustomdex6Object {
public:
    static constexpr int DescriptionCount = 10;
    using TCustomdex6Object::TCustomdex6Object;

    const std::string& EDV() const { return FEDV; }
    std::int32_t CSNR() const {
        const TCodedList<T>* List = CodedList();
        return List != nullptr ? List->FSortOrder.NumberOf(Self()) : FCSNR;
    }
    // Renumbers the whole list while the list's AutoSort is on.
    void SetCSNR(std::int32_t Value) {
        StoreCSNR(Value);
        if (TCodedList<T>* List = CodedList(); List != nullptr && List->AutoSort)
            List->RenumberAround(Self());
    }
    // Short descriptions; empty outside 1 to 10, a set outside is ignored.
    const std::string& GetKB(int Index) const { return FKBTexts.Get(Index); }
    void SetKB(int Index, std::string_view Text) { FKBTexts.Set(Index, Text); }

protected:
    TCodedList<T>* CodedList() const { return dynamic_cast<TCodedList<T>*>(Parent()); }
    const T& Self() const { return static_cast<const T&>(*this); }
    // Tells the list that the element goes; for the destructor of T.
    void LeaveList() {
        if (TCodedList<T>* List = CodedList())
            List->ItemChanged(true);
    }
    // Sets the code without renaming it anywhere else.
    void StoreEDV(std::string_view Code) {
        if (FEDV == Code)
            return;
        FEDV = Code;
        if (TCodedList<T>* List = CodedList())
            List->ItemChanged(false);
    }
    // Sets the sort number without renumbering.
    void StoreCSNR(std::int32_t Value) {
        if (TCodedList<T>* List = CodedList())
            List->FSortOrder.Store(static_cast<T&>(*this), Value);
        else
            FCSNR = Value;
    }

    std::string FEDV;
    TNumberedTexts<DescriptionCount> FBTexts;
    TNumberedTexts<DescriptionCount> FKBTexts;

private:
    friend class TSortNumberOrder<T>;

    std::int32_t FCSNR = 0;
};

// A list of TCodedObject elements: found by code, kept in the order of their sort numbers.
template <class T> class TCodedList : public Tdex6ObjectList<T> {
public:
    using Tdex6ObjectList<T>::Tdex6ObjectList;
    ~TCodedList() override {
        // The elements report their going to this list, so they go before it does.
        this->FItems.clear();
    }

    // While on, every change of an element's sort number renumbers the list.
    bool AutoSort = true;

    T* AddNew() override {
        T* Item = Tdex6ObjectList<T>::AddNew();
        FSortOrder.Appended(this->FItems, *Item);
        return Item;
    }
    void Reset(bool WithDefaults) override {
        Tdex6ObjectList<T>::Reset(WithDefaults);
        FCodeIndex.Invalidate();
        FSortOrder.Restart();
    }
    // Elements are read with their own numbers; the list's end tag renumbers once.
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override {
        if (PartType == TPartType::StartTag) {
            AutoSort = false;
        } else if (PartType == TPartType::EndTag && SameText(Name, this->TagName())) {
            AutoSort = true;
            if (!this->IsEmpty())
                RenumberAround(*this->Items(0));
        }
        Tdex6ObjectList<T>::ReadTag(Reader, PartType, Name, Content);
    }

protected:
    // The last element with the code, ignoring the case of A-Z, or none.
    T* FindCode(std::string_view Code) const { return FCodeIndex.Find(this->FItems, Code); }
    // Strings gets the codes of the elements Wanted takes, in list order, after an empty
    // entry when AddEmpty.
    template <class TWanted>
    void CollectCodes(TStringList& Strings, bool AddEmpty, TWanted Wanted) const {
        Strings.Clear();
        if (AddEmpty)
            Strings.Add("");
        // Collected first: a sorted list takes them in one merge instead of one insert each.
        TStringList Codes;
        for (const auto& Item : this->FItems) {
            if (Wanted(*Item))
                Codes.Add(Item->EDV());
        }
        Strings.AddStrings(Codes);
    }
    // Sort numbers 0 to Count - 1 in the order of the present ones; Changed goes before
    // the others that share its number.
    void RenumberAround(const T& Changed) { FSortOrder.Renumber(this->FItems, Changed); }

private:
    friend class TCodedObject<T>;

    // An element left the list or changed its code.
    void ItemChanged(bool OrderToo) {
        FCodeIndex.Invalidate();
        if (OrderToo)
            FSortOrder.Forget();
    }

    TCodeIndex<T> FCodeIndex;
    TSortNumberOrder<T> FSortOrder;
};

} // namespace kr6
