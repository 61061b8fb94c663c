#include "model/Combinations.h"

#include "model/RuleCodes.h"

#include "model/Coatings.h"
#include "model/CodeIndex.h"
#include "model/ElementReader.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kr6 {
namespace {

// Codes take part in sorting with their first six characters.
constexpr std::size_t CodeLength = 6;

// Lens code and slots under which FindRule takes two rules for the same: the codes as
// SameText compares them, the slots in any order.
std::string RuleIdentity(std::string_view Glass, std::string_view C1, std::string_view C2,
                         std::string_view C3) {
    std::array<std::string, 3> Slots{SameTextKey(C1), SameTextKey(C2), SameTextKey(C3)};
    std::sort(Slots.begin(), Slots.end());
    // Each code with its length in front, so that no two lists of codes run together.
    std::string Identity;
    const auto Append = [&Identity](const std::string& Code) {
        Identity += std::to_string(Code.size());
        Identity += ':';
        Identity += Code;
    };
    Append(SameTextKey(Glass));
    for (const std::string& Slot : Slots)
        Append(Slot);
    return Identity;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Tdex6DataKombination

Tdex6DataKombination::Tdex6DataKombination(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID)
    : TFieldObject(Root, Parent, NewOID) {
    ResetFields<Tdex6DataKombination>(*this, Fields());
}

std::span<const TField<Tdex6DataKombination>> Tdex6DataKombination::Fields() {
    using K = Tdex6DataKombination;
    // Read through the setters, which keep the list sorted and its index current.
    static constexpr TField<K> Table[] = {
        SetterField<&K::FLB, &K::SetLB, Tdex6Delivery::NichtLieferbar>("LB"),
        SetterField<&K::FGE, &K::SetGE, &AnyCode>("GE"),
        SetterField<&K::FB1E, &K::SetB1E, &AnyCode>("B1E"),
        SetterField<&K::FB2E, &K::SetB2E, &AnyCode>("B2E"),
        SetterField<&K::FB3E, &K::SetB3E, &AnyCode>("B3E"),
    };
    return Table;
}

Tdex6DataKombination::~Tdex6DataKombination() {
    CodesChanged();
}

Tdex6DataKombinationsListe* Tdex6DataKombination::List() const {
    return dynamic_cast<Tdex6DataKombinationsListe*>(Parent());
}

void Tdex6DataKombination::ResortParent() {
    if (Tdex6DataKombinationsListe* Owner = List())
        Owner->SortRules(false);
}

void Tdex6DataKombination::CodesChanged() {
    if (Tdex6DataKombinationsListe* Owner = List())
        Owner->FFirstRuleStale = true;
}

std::string Tdex6DataKombination::Identity() const {
    return RuleIdentity(FGE, FB1E, FB2E, FB3E);
}

void Tdex6DataKombination::SetLB(Tdex6Delivery Value) {
    FLB = Value;
    ResortParent();
}

void Tdex6DataKombination::SetCode(std::string& Slot, std::string_view Code) {
    Slot = Code;
    CodesChanged();
    ResortParent();
}

const std::string& Tdex6DataKombination::CoatingSlot(int Index) const {
    static const std::string None;
    switch (Index) {
    case 1:
        return FB1E;
    case 2:
        return FB2E;
    case 3:
        return FB3E;
    default:
        return None;
    }
}

int Tdex6DataKombination::WildcardSlotCount() const {
    int Count = 0;
    for (int K = 1; K <= 3; ++K)
        if (IsAnyCode(CoatingSlot(K)))
            ++Count;
    return Count;
}

std::string Tdex6DataKombination::FirstNamedCoating() const {
    for (int K = 1; K <= 3; ++K)
        if (!IsAnyCode(CoatingSlot(K)))
            return CoatingSlot(K);
    return {};
}

int Tdex6DataKombination::BlankSlotCount() const {
    int Count = 0;
    for (int K = 1; K <= 3; ++K)
        if (IsBlankSlot(CoatingSlot(K)))
            ++Count;
    return Count;
}

std::string Tdex6DataKombination::CoatingKey() const {
    TStringList Codes(true);
    for (int K = 1; K <= 3; ++K)
        if (!HasWildcard(CoatingSlot(K)))
            Codes.Add(CoatingSlot(K));
    std::string Key;
    for (int I = 0; I < Codes.Count(); ++I) {
        if (I > 0)
            Key += '\t';
        Key += Codes[I];
    }
    return std::string(TrimRightChar(Key, '\t'));
}

bool Tdex6DataKombination::MatchesCoatings(const TStringList& Coatings) const {
    // The coatings as a sorted set.
    TStringList Work(true);
    Work.AddStrings(Coatings);
    // Blank slots limit how many coatings the set may hold.
    const int Blank = BlankSlotCount();
    if ((Blank == 1 && Work.Count() > 2) || (Blank == 2 && Work.Count() > 1) ||
        (Blank == 3 && Work.Count() >= 1))
        return false;
    // Every slot that is not blank must be met by some coating; blank slots are met by any
    // set, their meaning lies in the limits above.
    for (int K = 1; K <= 3; ++K) {
        const std::string& Slot = CoatingSlot(K);
        if (IsBlankSlot(Slot))
            continue;
        const bool Met = std::any_of(Work.begin(), Work.end(), [&](const auto& Entry) {
            return CodesMatch(Slot, Entry.Text);
        });
        if (!Met)
            return false;
    }
    return true;
}

std::string Tdex6DataKombination::SortKey() const {
    std::string Key = PadRight(FGE, CodeLength);
    Key += std::to_string(Code(FLB));
    Key += PadRight(FB1E, CodeLength);
    Key += PadRight(FB2E, CodeLength);
    Key += PadRight(FB3E, CodeLength);
    return Key;
}

std::string Tdex6DataKombination::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    const Tdex6DataBeschichtungsliste* Coatings =
        Root() != nullptr ? Root()->Beschichtungsliste() : nullptr;
    const auto SlotText = [&](const std::string& Code) {
        return CoatingCodeText(Code, Coatings != nullptr ? Coatings->GetDescription(Code) : "",
                               true);
    };
    const std::string Name = GetText(318) + " " + FGE + " " + DeliveryText(FLB) + " " +
                             SlotText(FB1E) + SlotText(FB2E) + SlotText(FB3E);
    return TCustomdex6Object::ProtocolPrefix(Action, Name);
}

void Tdex6DataKombination::Clear(bool WithDefaults) {
    TFieldObject::Clear(WithDefaults);
    CodesChanged();
}

// ---------------------------------------------------------------------------------------
// Tdex6DataKombinationsListe

Tdex6DataKombinationsListe::~Tdex6DataKombinationsListe() {
    // The rules report their going to this list, so they go before it does.
    FItems.clear();
}

Tdex6DataKombination* Tdex6DataKombinationsListe::NewRule() {
    Tdex6DataKombination* Rule = AddNew();
    SortRules(false);
    if (Root() != nullptr)
        Root()->SetModified(true);
    return Rule;
}

void Tdex6DataKombinationsListe::SetSortEnabled(bool Value) {
    FSortEnabled = Value;
    if (Value)
        SortRules(false);
}

void Tdex6DataKombinationsListe::SortRules(bool Force) {
    // Sorting may be switched off while many rules come in.
    if (!Force && !FSortEnabled)
        return;
    if (FItems.empty())
        return;
    // (SortKey, position) pairs in list order, sorted so that equal keys keep their order.
    std::vector<std::pair<std::string, std::size_t>> Keys;
    Keys.reserve(FItems.size());
    for (std::size_t I = 0; I < FItems.size(); ++I)
        Keys.emplace_back(FItems[I]->SortKey(), I);
    std::stable_sort(Keys.begin(), Keys.end(), [](const auto& A, const auto& B) {
        return CompareText(A.first, B.first) < 0;
    });
    // The same rules in the sorted order.
    TItems Sorted;
    Sorted.reserve(FItems.size());
    for (const auto& Key : Keys)
        Sorted.push_back(std::move(FItems[Key.second]));
    FItems = std::move(Sorted);
    FFirstRuleStale = true;
}

Tdex6DataKombination* Tdex6DataKombinationsListe::FindRule(std::string_view Glass,
                                                           std::string_view C1, std::string_view C2,
                                                           std::string_view C3) const {
    const std::string Wanted = RuleIdentity(Glass, C1, C2, C3);
    for (int Attempt = 0; Attempt < 2; ++Attempt) {
        CatchUpFirstRules();
        const auto Found = FFirstRule.find(Wanted);
        if (Found == FFirstRule.end())
            return nullptr;
        if (Found->second->Identity() == Wanted)
            return Found->second;
        // The list changed codes behind the index's back.
        FFirstRuleStale = true;
    }
    return nullptr;
}

void Tdex6DataKombinationsListe::CatchUpFirstRules() const {
    if (FFirstRuleStale || FRulesIndexed > FItems.size()) {
        FFirstRule.clear();
        FRulesIndexed = 0;
        FFirstRuleStale = false;
    }
    for (; FRulesIndexed < FItems.size(); ++FRulesIndexed) {
        Tdex6DataKombination* Rule = FItems[FRulesIndexed].get();
        FFirstRule.try_emplace(Rule->Identity(), Rule);
    }
}

const Tdex6DataKombination*
Tdex6DataKombinationsListe::AddRule(std::string_view Glass, std::string_view C1,
                                    std::string_view C2, std::string_view C3, Tdex6Delivery LB) {
    if (const Tdex6DataKombination* Standing = FindRule(Glass, C1, C2, C3))
        return Standing;
    Tdex6DataKombination* Rule = NewRule();
    if (FSortEnabled) {
        // Every setter sorts, and where a rule ends among rules of equal sort keys depends
        // on where each of these sorts left it.
        Rule->SetGE(Glass);
        Rule->SetB1E(C1);
        Rule->SetB2E(C2);
        Rule->SetB3E(C3);
    } else {
        // Nothing sorts, so the codes can go in without starting the index over.
        Rule->FGE = Glass;
        Rule->FB1E = C1;
        Rule->FB2E = C2;
        Rule->FB3E = C3;
    }
    Rule->FLB = LB;
    SortRules(false);
    return nullptr;
}

// The renames collect the rules first: each setter may re-sort the list, which would
// otherwise move rules past a running index. The codes are copied because a caller may
// pass a view of a rule's own field.
void Tdex6DataKombinationsListe::RenameGlass(std::string_view Old, std::string_view New) {
    TKombinationRefs Rules;
    for (const auto& Rule : FItems)
        if (SameText(Rule->GE(), Old))
            Rules.push_back(Rule.get());
    const std::string NewCode(New);
    for (Tdex6DataKombination* Rule : Rules)
        Rule->SetGE(NewCode);
}

void Tdex6DataKombinationsListe::RenameCoating(std::string_view Old, std::string_view New) {
    TKombinationRefs Rules;
    for (const auto& Rule : FItems)
        Rules.push_back(Rule.get());
    const std::string OldCode(Old);
    const std::string NewCode(New);
    for (Tdex6DataKombination* Rule : Rules) {
        if (SameText(Rule->B1E(), OldCode))
            Rule->SetB1E(NewCode);
        if (SameText(Rule->B2E(), OldCode))
            Rule->SetB2E(NewCode);
        if (SameText(Rule->B3E(), OldCode))
            Rule->SetB3E(NewCode);
    }
}

void Tdex6DataKombinationsListe::DeleteCoating(std::string_view Code) {
    if (Code.empty() || HasWildcard(Code))
        return;
    for (int I = Count() - 1; I >= 0; --I) {
        const Tdex6DataKombination& Rule = *FItems[static_cast<std::size_t>(I)];
        if (SameText(Rule.B1E(), Code) || SameText(Rule.B2E(), Code) ||
            SameText(Rule.B3E(), Code)) {
            Delete(I);
            if (Root() != nullptr)
                Root()->SetModified(true);
        }
    }
}

void Tdex6DataKombinationsListe::ReadTag(TElementReader& Reader, TPartType PartType,
                                         std::string_view Name, std::string_view Content) {
    // Reading adds unsorted; the list sorts once at its end tag.
    SetSortEnabled(false);
    if (PartType == TPartType::EndTag && SameText(Name, "KOL"))
        SetSortEnabled(true);
    Tdex6ObjectList::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag && SameText(Name, "KO")) {
        Tdex6DataKombination* Rule = NewRule();
        Rule->BeginRead(Reader, this);
    }
}

} // namespace kr6
