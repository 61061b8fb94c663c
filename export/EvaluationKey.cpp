#include "export/EvaluationKey.h"

#include "export/EvaluationLists.h"
#include "export/LiteralEvaluation.h"
#include "model/Coatings.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace kr6 {
namespace {

constexpr std::size_t KindCount = 3;
// How many coatings of each kind a key holds.
constexpr std::array<int, KindCount> PlacesOfKind{1, 1, 2};

// The code as the price list writes it: what a code lookup finds, else a code that equals
// it in every letter's case.
template <class TList> std::string ListSpelling(const TList& List, std::string_view Code) {
    if (const auto* Item = List.FindByEDV(Code))
        return Item->EDV();
    for (const auto& Item : List) {
        if (EqualText(Item->EDV(), Code))
            return Item->EDV();
    }
    return std::string(Code);
}

// The entry that the code lookups take for Code, or -1. The sorted lists see more codes as
// equal: "\xC4X" and "\xE4X" may be two coatings.
int SameTextIndex(const TStringList& List, std::string_view Code) {
    for (int I = 0; I < List.Count(); ++I) {
        if (SameText(List[I], Code))
            return I;
    }
    return -1;
}

// The coating's code as the lens's kind lists hold it, else as the coating list does.
std::string CoatingSpelling(const Tdex6Dataobject& Root, const TLensKindLists& Lists,
                            std::string_view Code) {
    for (const TStringList& List : Lists) {
        if (const int Index = SameTextIndex(List, Code); Index >= 0)
            return List[Index];
    }
    for (const TStringList& List : Lists) {
        if (const int Index = List.IndexOf(Code); Index >= 0)
            return List[Index];
    }
    return ListSpelling(*Root.Beschichtungsliste(), Code);
}

// Gives each coating a kind it belongs to, within the places a key has: the kind list
// index per coating. False when no such choice exists.
bool PlaceCoatings(const std::vector<std::array<bool, KindCount>>& KindsOf, std::size_t Next,
                   std::array<int, KindCount>& Free, std::vector<std::size_t>& Placed) {
    if (Next == KindsOf.size())
        return true;
    for (std::size_t Kind = 0; Kind < KindCount; ++Kind) {
        if (!KindsOf[Next][Kind] || Free[Kind] == 0)
            continue;
        --Free[Kind];
        Placed[Next] = Kind;
        if (PlaceCoatings(KindsOf, Next + 1, Free, Placed))
            return true;
        ++Free[Kind];
    }
    return false;
}

} // namespace

TEvaluationKey FindEvaluationKey(const Tdex6Dataobject& Root, std::string_view Lens,
                                 const std::vector<std::string>& Coatings) {
    TEvaluationKey Result;
    Result.Lens = ListSpelling(*Root.Glasliste(), Lens);
    if (Root.Glasliste()->FindByEDV(Result.Lens) == nullptr) {
        Result.Gaps.push_back({TKeyGap::LensUnknown, Result.Lens});
    } else {
        TStringList Listed;
        ListEvaluatedLenses(Root, Listed);
        bool Evaluated = false;
        for (const auto& Entry : Listed) {
            if (SameText(Entry.Text, Result.Lens)) {
                Result.Lens = Entry.Text;
                Evaluated = true;
                break;
            }
        }
        if (!Evaluated)
            Result.Gaps.push_back({TKeyGap::LensNotEvaluated, Result.Lens});
    }

    TLensKindLists Lists;
    BuildLensKindLists(Root, Result.Lens, Lists);
    // Each coating once, in the order of the sorted lists; two codes that only the sorted
    // lists take for one stay two, as two fields of a key would.
    std::vector<std::string> Named;
    for (const std::string& Code : Coatings) {
        if (Code.empty())
            continue;
        std::string Spelling = CoatingSpelling(Root, Lists, Code);
        if (std::none_of(Named.begin(), Named.end(),
                         [&](const std::string& Other) { return SameText(Other, Spelling); }))
            Named.push_back(std::move(Spelling));
    }
    std::stable_sort(Named.begin(), Named.end(), [](const std::string& A, const std::string& B) {
        return CompareText(A, B) < 0;
    });

    // Once the lens has no key at all, its coatings need no reasons of their own.
    const bool LensEvaluated = Result.Gaps.empty();
    std::vector<std::array<bool, KindCount>> KindsOf;
    for (const std::string& Code : Named) {
        std::array<bool, KindCount> Kinds{};
        for (std::size_t Kind = 0; Kind < KindCount; ++Kind)
            Kinds[Kind] = SameTextIndex(Lists[Kind], Code) >= 0;
        if (LensEvaluated && Kinds == std::array<bool, KindCount>{})
            Result.Gaps.push_back({TKeyGap::CoatingNotOffered, Code});
        KindsOf.push_back(Kinds);
    }
    std::array<int, KindCount> Free = PlacesOfKind;
    std::vector<std::size_t> Placed(KindsOf.size());
    if (Result.Gaps.empty() && !PlaceCoatings(KindsOf, 0, Free, Placed))
        Result.Gaps.push_back({TKeyGap::TooManyOfAKind, {}});

    if (!Result.Gaps.empty()) {
        Result.CheckedLens = Result.Lens;
        for (const std::string& Code : Named)
            Result.Coatings.Add(Code);
        return Result;
    }
    // The fields as the evaluation fills them: each from its kind list, the two further
    // coatings in the list's order.
    std::array<std::string, 4> Fields;
    for (std::size_t I = 0; I < Placed.size(); ++I) {
        const std::size_t Kind = Placed[I];
        const std::string& Code = Lists[Kind][SameTextIndex(Lists[Kind], Named[I])];
        std::string& Field = Fields[Kind == 2 && !Fields[2].empty() ? 3 : Kind];
        Field = Code;
    }
    if (!Fields[3].empty() && CompareText(Fields[3], Fields[2]) < 0)
        std::swap(Fields[2], Fields[3]);
    Result.Key = JoinCombinationKey(Result.Lens, Fields[0], Fields[1], Fields[2], Fields[3]);
    // The lens and coatings as the evaluation reads them back from the key.
    Result.CheckedLens = GetField(Result.Key, "\t", 1);
    for (int Field = 2; Field <= 5; ++Field) {
        if (const std::string_view Code = GetField(Result.Key, "\t", Field); !Code.empty())
            Result.Coatings.Add(Code);
    }
    return Result;
}

} // namespace kr6
