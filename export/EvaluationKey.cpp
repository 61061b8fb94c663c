#include "export/EvaluationKey.h"

#include "export/EvaluationLists.h"
#include "export/LiteralEvaluation.h"
#include "model/Coatings.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/TextCompare.h"

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

// The coating's code as the lens's kind lists hold it, else as the coating list does.
std::string CoatingSpelling(const Tdex6Dataobject& Root, const TLensKindLists& Lists,
                            std::string_view Code) {
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
    TStringList Named(true);
    for (const std::string& Code : Coatings) {
        if (!Code.empty())
            Named.Add(CoatingSpelling(Root, Lists, Code));
    }

    // Once the lens has no key at all, its coatings need no reasons of their own.
    const bool LensEvaluated = Result.Gaps.empty();
    std::vector<std::array<bool, KindCount>> KindsOf;
    for (const auto& Code : Named) {
        std::array<bool, KindCount> Kinds{};
        for (std::size_t Kind = 0; Kind < KindCount; ++Kind)
            Kinds[Kind] = Lists[Kind].Contains(Code.Text);
        if (LensEvaluated && Kinds == std::array<bool, KindCount>{})
            Result.Gaps.push_back({TKeyGap::CoatingNotOffered, Code.Text});
        KindsOf.push_back(Kinds);
    }
    std::array<int, KindCount> Free = PlacesOfKind;
    std::vector<std::size_t> Placed(KindsOf.size());
    if (Result.Gaps.empty() && !PlaceCoatings(KindsOf, 0, Free, Placed))
        Result.Gaps.push_back({TKeyGap::TooManyOfAKind, {}});

    if (!Result.Gaps.empty()) {
        Result.Coatings.Assign(Named);
        return Result;
    }
    // The fields as the evaluation fills them: each from its kind list, the two further
    // coatings in the list's order.
    std::array<std::string, 4> Fields;
    for (std::size_t I = 0; I < Placed.size(); ++I) {
        const std::size_t Kind = Placed[I];
        const std::string& Code = Lists[Kind][Lists[Kind].IndexOf(Named[static_cast<int>(I)])];
        std::string& Field = Fields[Kind == 2 && !Fields[2].empty() ? 3 : Kind];
        Field = Code;
    }
    if (!Fields[3].empty() && CompareText(Fields[3], Fields[2]) < 0)
        std::swap(Fields[2], Fields[3]);
    Result.Key = JoinCombinationKey(Result.Lens, Fields[0], Fields[1], Fields[2], Fields[3]);
    for (const std::string& Field : Fields) {
        if (!Field.empty())
            Result.Coatings.Add(Field);
    }
    return Result;
}

} // namespace kr6
