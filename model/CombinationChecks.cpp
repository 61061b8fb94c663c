#include "model/Combinations.h"

#include "model/Coatings.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "model/RuleCodes.h"
#include "support/TextCompare.h"

// The two questions asked of the rules: which coatings a lens allows, and whether a lens
// is deliverable with a given set of coatings.

namespace kr6 {
namespace {

constexpr TMaterialSet AllMaterials{Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                    Tdex6Material::Polycarbonat, Tdex6Material::Trivex};
constexpr TCoatingKindSet AllKinds{Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint,
                                   Tdex6CoatingKind::Other, Tdex6CoatingKind::Special};

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
                    if (Observer != nullptr)
                        for (const auto& Code : Result)
                            Observer->CoatingRemoved(*Rule, Code.Text);
                    Result.Clear();
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
                // Only a rule that puts a coating back changes its state; one that names
                // a coating already allowed does not.
                if (Observer != nullptr && !Result.Contains(Slot))
                    Observer->CoatingAdded(*Rule, Slot);
                Result.Add(Slot);
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

} // namespace kr6
