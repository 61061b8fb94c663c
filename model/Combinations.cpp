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

constexpr TMaterialSet AllMaterials{Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                    Tdex6Material::Polycarbonat, Tdex6Material::Trivex};
constexpr TCoatingKindSet AllKinds{Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint,
                                   Tdex6CoatingKind::Other, Tdex6CoatingKind::Special};

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

// Removes from List every entry of Unwanted.
void Subtract(TStringList& List, const TStringList& Unwanted) {
    if (!List.Sorted() || List.Duplicates() != TStringList::TDuplicates::Ignore) {
        for (const auto& Entry : Unwanted)
            List.Remove(Entry.Text);
        return;
    }
    // Each text is there at most once: keep the ones Unwanted lacks, in one pass.
    TStringList Kept(true);
    Kept.Reserve(static_cast<std::size_t>(List.Count()));
    for (const auto& Entry : List)
        if (!Unwanted.Contains(Entry.Text))
            Kept.Add(Entry.Text, Entry.Object);
    List = std::move(Kept);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Tdex6DataKombination

Tdex6DataKombination::Tdex6DataKombination(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID)
    : TCustomdex6Object(Root, Parent, NewOID) {
    SetDefaults();
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

void Tdex6DataKombination::SetGE(std::string_view Code) {
    FGE = Code;
    CodesChanged();
    ResortParent();
}

void Tdex6DataKombination::SetB1E(std::string_view Code) {
    FB1E = Code;
    CodesChanged();
    ResortParent();
}

void Tdex6DataKombination::SetB2E(std::string_view Code) {
    FB2E = Code;
    CodesChanged();
    ResortParent();
}

void Tdex6DataKombination::SetB3E(std::string_view Code) {
    FB3E = Code;
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

void Tdex6DataKombination::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteIntElement(Writer, "LB", Code(FLB));
    WriteStrElement(Writer, "GE", FGE);
    WriteStrElement(Writer, "B1E", FB1E);
    WriteStrElement(Writer, "B2E", FB2E);
    WriteStrElement(Writer, "B3E", FB3E);
}

void Tdex6DataKombination::ReadTag(TElementReader& Reader, TPartType PartType,
                                   std::string_view Name, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (!IsContent(PartType))
        return;
    if (SameText(Name, "LB"))
        SetLB(FromCode<Tdex6Delivery>(TextToInt(Content)));
    else if (SameText(Name, "GE"))
        SetGE(Content);
    else if (SameText(Name, "B1E"))
        SetB1E(Content);
    else if (SameText(Name, "B2E"))
        SetB2E(Content);
    else if (SameText(Name, "B3E"))
        SetB3E(Content);
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
    TCustomdex6Object::Clear(WithDefaults);
    SetDefaults();
    CodesChanged();
}

void Tdex6DataKombination::SetDefaults() {
    FLB = Tdex6Delivery::NichtLieferbar;
    FGE = AnyCode;
    FB1E = AnyCode;
    FB2E = AnyCode;
    FB3E = AnyCode;
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

void Tdex6DataKombinationsListe::AddRule(std::string_view Glass, std::string_view C1,
                                         std::string_view C2, std::string_view C3,
                                         Tdex6Delivery LB) {
    if (FindRule(Glass, C1, C2, C3) != nullptr)
        return;
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

void Tdex6DataKombinationsListe::RulesOfGlass(std::string_view Glass,
                                              TKombinationRefs& List) const {
    List.clear();
    for (const auto& Rule : FItems)
        if (CodesMatch(Glass, Rule->GE()))
            List.push_back(Rule.get());
}

void Tdex6DataKombinationsListe::CheckRules(std::string_view Glass, const TStringList& Coatings,
                                            TKombinationRefs& List) const {
    List.clear();
    for (const auto& Rule : FItems) {
        if (!CodesMatch(Glass, Rule->GE()))
            continue;
        if (Rule->LB() == Tdex6Delivery::NurLieferbar ||
            (Rule->LB() == Tdex6Delivery::NichtLieferbar && Rule->WildcardSlotCount() == 3) ||
            Rule->MatchesCoatings(Coatings))
            List.push_back(Rule.get());
    }
}

void Tdex6DataKombinationsListe::CoatingsOfGlass(std::string_view Glass, TStringList* Allowed,
                                                 TStringList* Disallowed,
                                                 TStringList* WrongMaterial, bool IncludeSpecial,
                                                 TCombinationObserver* Observer) const {
    TKombinationRefs Rules;
    RulesOfGlass(Glass, Rules);
    CoatingsOfGlass(Glass, Rules, Allowed, Disallowed, WrongMaterial, IncludeSpecial, nullptr,
                    Observer);
}

void Tdex6DataKombinationsListe::CoatingsOfGlass(std::string_view Glass,
                                                 const TKombinationRefs& LensRules,
                                                 TStringList* Allowed, TStringList* Disallowed,
                                                 TStringList* WrongMaterial, bool IncludeSpecial,
                                                 const TCoatingCodeCache* Codes,
                                                 TCombinationObserver* Observer) const {
    const Tdex6DataBeschichtungsliste& CoatingList = *Root()->Beschichtungsliste();
    // The coating list's codes for date 0; Own receives them unless Codes has them.
    const auto CodesOf = [&](TMaterialSet Materials, TCoatingKindSet KindSet,
                             TStringList& Own) -> const TStringList& {
        if (Codes != nullptr)
            return Codes->Codes(Materials, KindSet);
        CoatingList.GetCodes(Own, false, Materials, KindSet, 0);
        return Own;
    };
    // The kinds of coating that take part; special ones only when asked for.
    TCoatingKindSet Kinds{Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint,
                          Tdex6CoatingKind::Other};
    if (IncludeSpecial)
        Kinds.Include(Tdex6CoatingKind::Special);

    TStringList Result(true);
    TStringList WrongMat(true);
    // A lens code that no glass has keeps both lists empty.
    const Tdex6DataGlas* Lens = Root()->Glasliste()->FindByEDV(Glass);
    if (Observer != nullptr)
        Observer->LensFound(Lens);
    if (Lens != nullptr) {
        // Every coating of the lens's material is a candidate; the others are of the wrong
        // material.
        TStringList OwnCandidates(true);
        const TStringList& Candidates = CodesOf(TMaterialSet{Lens->MAT}, Kinds, OwnCandidates);
        TStringList AllCodes(true);
        WrongMat = CodesOf(AllMaterials, AllKinds, AllCodes);
        Subtract(WrongMat, Candidates);
        Result = Candidates;
        // The lens's rules in list order: "nicht lieferbar" rules take coatings off, the
        // others put the coatings they name back on, unless one is of the wrong material.
        for (const Tdex6DataKombination* Rule : LensRules) {
            if (Rule->LB() == Tdex6Delivery::NichtLieferbar) {
                const int Wildcards = Rule->WildcardSlotCount();
                if (Wildcards == 3) {
                    Result.Clear();
                    if (Observer != nullptr)
                        Observer->AllCoatingsRemoved(*Rule);
                } else if (Wildcards == 2) {
                    const std::string Named = Rule->FirstNamedCoating();
                    if (!HasWildcard(Named)) {
                        if (Result.Remove(Named) && Observer != nullptr)
                            Observer->CoatingRemoved(*Rule, Named);
                    } else {
                        for (int I = Result.Count() - 1; I >= 0; --I) {
                            if (!CodesMatch(Named, Result[I]))
                                continue;
                            if (Observer != nullptr)
                                Observer->CoatingRemoved(*Rule, Result[I]);
                            Result.Delete(I);
                        }
                    }
                }
                continue;
            }
            const std::string* WrongSlot = nullptr;
            for (int K = 1; K <= 3; ++K) {
                const std::string& Slot = Rule->CoatingSlot(K);
                if (WrongSlot == nullptr && !HasWildcard(Slot) && WrongMat.Contains(Slot))
                    WrongSlot = &Slot;
            }
            if (WrongSlot != nullptr) {
                if (Observer != nullptr)
                    Observer->RuleSkipped(*Rule, *WrongSlot);
                continue;
            }
            for (int K = 1; K <= 3; ++K) {
                const std::string& Slot = Rule->CoatingSlot(K);
                if (HasWildcard(Slot))
                    continue;
                Result.Add(Slot);
                if (Observer != nullptr)
                    Observer->CoatingAdded(*Rule, Slot);
            }
        }
    }
    // Result holds the coatings allowed with the lens.
    if (Allowed != nullptr)
        Allowed->Assign(Result);
    if (WrongMaterial != nullptr)
        WrongMaterial->Assign(WrongMat);
    // The coatings of the kinds taking part that the lens does not allow.
    if (Disallowed != nullptr) {
        TStringList OwnOthers(true);
        TStringList Others = CodesOf(AllMaterials, Kinds, OwnOthers);
        Subtract(Others, Result);
        if (WrongMaterial != nullptr)
            Subtract(Others, WrongMat);
        Disallowed->Assign(Others);
    }
    if (Observer != nullptr)
        Observer->CoatingsJudged(Result, Disallowed, WrongMat);
}

std::int32_t Tdex6DataKombinationsListe::CheckCombination(std::string_view Glass,
                                                          const TStringList& Coatings,
                                                          TStringList& Problems,
                                                          TStringList* Required,
                                                          TCombinationObserver* Observer) const {
    Problems.Clear();
    if (Required != nullptr)
        Required->Clear();
    TStringList Work(true);
    Work.AddStrings(Coatings);
    // Which coatings the lens does not allow.
    TStringList Scratch(true);
    TStringList D(true);
    CoatingsOfGlass(Glass, &Scratch, &D, nullptr, true, Observer);
    // Named coatings the lens does not allow are problems.
    for (const auto& C : Work) {
        if (!D.Contains(C.Text))
            continue;
        Problems.Add(C.Text);
        if (Observer != nullptr)
            Observer->CoatingNotAllowed(C.Text);
    }
    // The rules that concern the lens and these coatings, in list order.
    TKombinationRefs Rules;
    CheckRules(Glass, Coatings, Rules);
    TKombinationRefs Matched;
    TStringList Req(true);
    TStringList Forbidden(true);
    for (Tdex6DataKombination* Rule : Rules) {
        const bool Matches = Rule->MatchesCoatings(Coatings);
        if (Observer != nullptr)
            Observer->RuleTaken(*Rule, Matches);
        // "nur lieferbar": a matching rule clears its coatings' problems; every rule offers
        // its coatings.
        if (Rule->LB() == Tdex6Delivery::NurLieferbar && Required != nullptr) {
            if (Matches) {
                Matched.push_back(Rule);
                for (int K = 1; K <= 3; ++K) {
                    const std::string& Slot = Rule->CoatingSlot(K);
                    if (!HasWildcard(Slot) && Problems.Remove(Slot) && Observer != nullptr)
                        Observer->ProblemRemoved(Slot);
                }
            }
            for (int K = 1; K <= 3; ++K) {
                const std::string& Slot = Rule->CoatingSlot(K);
                if (HasWildcard(Slot) || D.Contains(Slot))
                    continue;
                Req.Add(Slot);
                if (Observer != nullptr)
                    Observer->RequiredOffered(Slot);
            }
            continue;
        }
        // The other rules act only when they match.
        if (!Matches)
            continue;
        if (Rule->LB() == Tdex6Delivery::NichtLieferbar) {
            // "nicht lieferbar": each named coating present is a problem and no longer offered,
            // and the rule's set is forbidden.
            for (int K = 1; K <= 3; ++K) {
                const std::string& Slot = Rule->CoatingSlot(K);
                for (const auto& C : Work) {
                    if (!CodesMatch(Slot, C.Text) || IsAnyCode(Slot))
                        continue;
                    Problems.Add(Slot);
                    if (Observer != nullptr)
                        Observer->ProblemAdded(Slot);
                    for (int I = Req.Count() - 1; I >= 0; --I) {
                        if (!CodesMatch(Slot, Req[I]))
                            continue;
                        if (Observer != nullptr)
                            Observer->RequiredWithdrawn(Req[I]);
                        Req.Delete(I);
                    }
                }
            }
            const std::string Key = Rule->CoatingKey();
            Forbidden.Add(Key);
            if (Observer != nullptr)
                Observer->SetForbidden(Key);
        } else if (Rule->LB() == Tdex6Delivery::Lieferbar) {
            // "lieferbar": each named coating present is no problem, and the sets it was
            // forbidden in are lifted.
            for (int K = 1; K <= 3; ++K) {
                const std::string& Slot = Rule->CoatingSlot(K);
                for (const auto& C : Work) {
                    if (!SameText(Slot, C.Text))
                        continue;
                    if (Problems.Remove(C.Text) && Observer != nullptr)
                        Observer->ProblemRemoved(C.Text);
                    if (Forbidden.Remove(Slot) && Observer != nullptr)
                        Observer->SetLifted(Slot);
                }
            }
            const std::string Key = Rule->CoatingKey();
            if (Forbidden.Remove(Key) && Observer != nullptr)
                Observer->SetLifted(Key);
        }
        // "nur lieferbar" without Required has no effect.
    }
    // Sets that a "nicht lieferbar" rule forbids and no "lieferbar" rule lifted.
    for (const auto& Key : Forbidden) {
        if (Key.Text.empty())
            continue;
        bool AllPresent = true;
        for (int Field = 1; Field <= 3; ++Field) {
            const std::string_view Code = GetField(Key.Text, "\t", Field);
            if (!Code.empty() && !Work.Contains(Code))
                AllPresent = false;
        }
        if (!AllPresent)
            continue;
        if (Observer != nullptr)
            Observer->ForbiddenSetFound(Key.Text);
        for (int Field = 1; Field <= 3; ++Field) {
            const std::string_view Code = GetField(Key.Text, "\t", Field);
            if (!Code.empty())
                Problems.Add(Code);
        }
    }
    // Coatings that carry the same feature.
    if (Work.Count() >= 2) {
        Root()->Beschichtungsliste()->AttachObjects(Work);
        for (int I = 0; I < Work.Count(); ++I) {
            for (int J = I + 1; J < Work.Count(); ++J) {
                const auto* A = static_cast<const Tdex6DataBeschichtung*>(Work.Objects(I));
                const auto* B = static_cast<const Tdex6DataBeschichtung*>(Work.Objects(J));
                if (A != nullptr && B != nullptr && !IsCompatible(*A, *B)) {
                    Problems.Add(Work[I]);
                    Problems.Add(Work[J]);
                    if (Observer != nullptr)
                        Observer->FeatureShared(Work[I], *A, Work[J], *B);
                }
            }
        }
    }
    std::int32_t Result = Problems.Count();
    // No "nur lieferbar" rule matched: the lens needs one of the offered coatings.
    if (Required != nullptr && Matched.empty() && !Req.IsEmpty()) {
        Required->Assign(Req);
        Result += Required->Count();
        if (Observer != nullptr)
            Observer->RequirementUnmet(Req);
    }
    return Result;
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
