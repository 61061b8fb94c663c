#include "export/FastEvaluation.h"

#include "export/EvaluationLists.h"
#include "export/LiteralEvaluation.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Root.h"
#include "model/RuleCodes.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kr6 {
namespace {

constexpr std::array<Tdex6CoatingKind, 3> EvaluatedKinds = {
    Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint, Tdex6CoatingKind::Other};
constexpr int SlotCount = 3;

// Key fields compare like plain texts only while no code holds a tab, which would split a
// field, or a byte that sorts below the tab.
bool BreaksKeyFields(std::string_view Text) {
    return std::any_of(Text.begin(), Text.end(),
                       [](char C) { return static_cast<unsigned char>(C) <= '\t'; });
}

// The allowed coatings of each kind for one lens, each list in key order with the empty
// entry first.
using TKindLists = std::array<TStringList, 3>;

void BuildKindLists(const Tdex6Dataobject& Root, const TKindLists& KindCodes,
                    const TCoatingCodeCache& Codes, std::string_view Glass,
                    const TKombinationRefs& Rules, TKindLists& Lists) {
    TStringList Allowed(true);
    Root.KombinationsListe()->CoatingsOfGlass(Glass, Rules, &Allowed, nullptr, nullptr, false,
                                              &Codes);
    Allowed.Add("");
    for (std::size_t K = 0; K < Lists.size(); ++K) {
        Lists[K].Clear();
        for (const auto& Code : KindCodes[K]) {
            if (Allowed.Contains(Code.Text))
                Lists[K].Add(Code.Text);
        }
    }
}

bool NeedsLiteral(std::string_view Glass, const TKindLists& Lists) {
    if (BreaksKeyFields(Glass))
        return true;
    for (const TStringList& List : Lists) {
        for (const auto& Entry : List) {
            if (BreaksKeyFields(Entry.Text))
                return true;
        }
    }
    return false;
}

// Plain lens codes that MatchCodes finds equal share this key.
std::string LensCodeKey(std::string_view Code) {
    return AnsiUpperCase(PadRight(Code.substr(0, std::min<std::size_t>(Code.size(), 6)), 6));
}

std::int64_t KeyCountOf(const TKindLists& Lists) {
    const std::int64_t Further = Lists[2].Count() - 1;
    return std::int64_t{Lists[0].Count()} * Lists[1].Count() *
           (1 + Further + Further * (Further - 1) / 2);
}

// Groups texts by CompareText equality: every lookup of a sorted or a plain string list
// sees equal texts as one.
class TTextClasses {
public:
    int Of(std::string_view Text) {
        const auto Found = FIds.find(Text);
        if (Found != FIds.end())
            return Found->second;
        const int Id = static_cast<int>(FIds.size());
        FIds.emplace(std::string(Text), Id);
        return Id;
    }

private:
    struct TLess {
        using is_transparent = void;
        bool operator()(std::string_view A, std::string_view B) const {
            return CompareText(A, B) < 0;
        }
    };
    std::map<std::string, int, TLess> FIds;
};

// A small dynamic bit set over the coatings that "nur lieferbar" rules may require.
using TBits = std::vector<std::uint64_t>;

void Include(TBits& Bits, std::size_t Index) {
    Bits[Index / 64] |= std::uint64_t{1} << (Index % 64);
}

// One coating of the lens as a key may hold it.
struct TEntry {
    int Class = 0;
    bool Disallowed = false;
    bool Found = false;
    std::uint32_t Features = 0;
};

// How a slot meets one coating.
struct TSlotHits {
    std::uint8_t Met = 0;      // slot is not blank and matches the coating
    std::uint8_t Named = 0;    // slot matches the coating and is not "******"
    std::uint8_t SameCode = 0; // slot equals the coating's code, letter case ignored
};

struct TRulePlan {
    Tdex6Delivery LB = Tdex6Delivery::NichtLieferbar;
    int BlankSlots = 0;
    std::uint8_t NonBlankMask = 0;
    std::array<int, SlotCount> SlotClass{};
    std::array<bool, SlotCount> SlotIsPattern{};
    int KeyClass = 0;
    std::vector<TSlotHits> Hits;                // per entry
    TBits RequiredAdds;                         // "nur lieferbar": the coatings it offers
    std::array<TBits, SlotCount> RequiredDrops; // "nicht lieferbar": offers a slot cancels
};

// The state of one key's check, kept between keys to avoid allocations.
struct TKeyState {
    std::vector<std::pair<int, int>> Problems; // class and count
    int ProblemCount = 0;
    std::vector<int> Forbidden;
    TBits Required;
    bool Matched = false;

    void AddProblem(int Class) {
        ++ProblemCount;
        for (auto& [C, N] : Problems) {
            if (C == Class) {
                ++N;
                return;
            }
        }
        Problems.emplace_back(Class, 1);
    }
    void RemoveProblem(int Class) {
        for (auto& [C, N] : Problems) {
            if (C == Class && N > 0) {
                --N;
                --ProblemCount;
                return;
            }
        }
    }
    void Forbid(int Class) {
        if (std::find(Forbidden.begin(), Forbidden.end(), Class) == Forbidden.end())
            Forbidden.push_back(Class);
    }
    void Allow(int Class) { std::erase(Forbidden, Class); }
};

// Everything about one lens that does not depend on the coatings of a key.
class TLensPlan {
public:
    TLensPlan(const Tdex6Dataobject& Root, const TCoatingCodeCache& Codes, std::string_view Glass,
              const TKombinationRefs& Rules, const TKindLists& Lists);

    // The entry of a text of the kind lists; -1 for the empty entry.
    int EntryOf(std::string_view Text) const { return Text.empty() ? -1 : FEntryIds.at(Text); }
    // The coatings a key names (-1 for an empty field) as the rule check sees them: one
    // per CompareText class, the first named kept. Returns their number.
    int CollectWork(const std::array<int, 4>& Named, std::array<int, 4>& Work) const;
    bool IsDeliverable(const int* Work, int Count, TKeyState& State) const;

private:
    bool Matches(const TRulePlan& Rule, const int* Work, int Count) const;
    bool HasForbiddenSet(const TKeyState& State, const int* Work, int Count) const;

    std::vector<TEntry> FEntries;
    std::unordered_map<std::string_view, int> FEntryIds;
    std::vector<TRulePlan> FRules;
    // The non-empty fields of each forbidden set, by the class of its key.
    std::unordered_map<int, std::vector<int>> FSetFields;
    std::size_t FRequiredWords = 0;
};

TLensPlan::TLensPlan(const Tdex6Dataobject& Root, const TCoatingCodeCache& Codes,
                     std::string_view Glass, const TKombinationRefs& Rules,
                     const TKindLists& Lists) {
    const Tdex6DataKombinationsListe& RuleList = *Root.KombinationsListe();
    const Tdex6DataBeschichtungsliste& Coatings = *Root.Beschichtungsliste();
    TTextClasses Classes;

    TStringList Scratch(true);
    TStringList Disallowed(true);
    RuleList.CoatingsOfGlass(Glass, Rules, &Scratch, &Disallowed, nullptr, true, &Codes);

    std::vector<std::string_view> EntryTexts;
    for (const TStringList& List : Lists) {
        for (const auto& Code : List) {
            if (Code.Text.empty() || FEntryIds.contains(Code.Text))
                continue;
            FEntryIds.emplace(Code.Text, static_cast<int>(FEntries.size()));
            EntryTexts.push_back(Code.Text);
            TEntry Entry;
            Entry.Class = Classes.Of(Code.Text);
            Entry.Disallowed = Disallowed.Contains(Code.Text);
            if (const Tdex6DataBeschichtung* Coating = Coatings.FindByEDV(Code.Text)) {
                Entry.Found = true;
                Entry.Features = CompatibilityFeatures(*Coating);
            }
            FEntries.push_back(Entry);
        }
    }

    // The coatings "nur lieferbar" rules may require, numbered by class.
    std::map<int, std::size_t> RequiredIndex;
    std::vector<std::string> RequiredTexts;
    for (const Tdex6DataKombination* Rule : Rules) {
        if (Rule->LB() != Tdex6Delivery::NurLieferbar)
            continue;
        for (int K = 1; K <= SlotCount; ++K) {
            const std::string& Slot = Rule->CoatingSlot(K);
            if (HasWildcard(Slot) || Disallowed.Contains(Slot))
                continue;
            if (RequiredIndex.emplace(Classes.Of(Slot), RequiredTexts.size()).second)
                RequiredTexts.push_back(Slot);
        }
    }
    FRequiredWords = (RequiredTexts.size() + 63) / 64;

    for (const Tdex6DataKombination* Rule : Rules) {
        TRulePlan Plan;
        Plan.LB = Rule->LB();
        Plan.BlankSlots = Rule->BlankSlotCount();
        Plan.Hits.resize(FEntries.size());
        std::uint8_t EverMet = 0;
        for (int K = 0; K < SlotCount; ++K) {
            const std::string& Slot = Rule->CoatingSlot(K + 1);
            const auto Bit = static_cast<std::uint8_t>(1U << K);
            const bool Blank = IsBlankSlot(Slot);
            if (!Blank)
                Plan.NonBlankMask |= Bit;
            Plan.SlotClass[K] = Classes.Of(Slot);
            Plan.SlotIsPattern[K] = HasWildcard(Slot);
            for (std::size_t E = 0; E < FEntries.size(); ++E) {
                // Equal codes always match, so a slot that does not match is done.
                if (!CodesMatch(Slot, EntryTexts[E]))
                    continue;
                if (!Blank) {
                    Plan.Hits[E].Met |= Bit;
                    EverMet |= Bit;
                }
                if (!IsAnyCode(Slot))
                    Plan.Hits[E].Named |= Bit;
                if (SameText(Slot, EntryTexts[E]))
                    Plan.Hits[E].SameCode |= Bit;
            }
        }
        // A rule whose slots no coating of the lens can meet never matches a key; only
        // the "nur lieferbar" ones still count, for what they offer.
        if (Plan.LB != Tdex6Delivery::NurLieferbar && (Plan.NonBlankMask & ~EverMet) != 0)
            continue;
        switch (Plan.LB) {
        case Tdex6Delivery::NurLieferbar:
            Plan.RequiredAdds.assign(FRequiredWords, 0);
            for (int K = 0; K < SlotCount; ++K) {
                const auto Found = RequiredIndex.find(Plan.SlotClass[K]);
                if (!Plan.SlotIsPattern[K] && Found != RequiredIndex.end())
                    Include(Plan.RequiredAdds, Found->second);
            }
            break;
        case Tdex6Delivery::NichtLieferbar: {
            const std::string Key = Rule->CoatingKey();
            Plan.KeyClass = Classes.Of(Key);
            if (!FSetFields.contains(Plan.KeyClass)) {
                std::vector<int> Fields;
                for (int Field = 1; !Key.empty() && Field <= SlotCount; ++Field) {
                    const std::string_view Code = GetField(Key, "\t", Field);
                    if (!Code.empty())
                        Fields.push_back(Classes.Of(Code));
                }
                FSetFields.emplace(Plan.KeyClass, std::move(Fields));
            }
            for (int K = 0; K < SlotCount; ++K) {
                Plan.RequiredDrops[K].assign(FRequiredWords, 0);
                for (std::size_t R = 0; R < RequiredTexts.size(); ++R) {
                    if (CodesMatch(Rule->CoatingSlot(K + 1), RequiredTexts[R]))
                        Include(Plan.RequiredDrops[K], R);
                }
            }
            break;
        }
        case Tdex6Delivery::Lieferbar:
            Plan.KeyClass = Classes.Of(Rule->CoatingKey());
            break;
        }
        FRules.push_back(std::move(Plan));
    }
}

int TLensPlan::CollectWork(const std::array<int, 4>& Named, std::array<int, 4>& Work) const {
    int Count = 0;
    for (const int Entry : Named) {
        if (Entry < 0)
            continue;
        const bool Seen = std::any_of(Work.begin(), Work.begin() + Count, [&](int Other) {
            return FEntries[Other].Class == FEntries[Entry].Class;
        });
        if (!Seen)
            Work[Count++] = Entry;
    }
    return Count;
}

bool TLensPlan::Matches(const TRulePlan& Rule, const int* Work, int Count) const {
    if ((Rule.BlankSlots == 1 && Count > 2) || (Rule.BlankSlots == 2 && Count > 1) ||
        (Rule.BlankSlots == 3 && Count >= 1))
        return false;
    std::uint8_t Met = 0;
    for (int I = 0; I < Count; ++I)
        Met |= Rule.Hits[Work[I]].Met;
    return (Rule.NonBlankMask & ~Met) == 0;
}

bool TLensPlan::HasForbiddenSet(const TKeyState& State, const int* Work, int Count) const {
    for (const int Key : State.Forbidden) {
        const std::vector<int>& Fields = FSetFields.at(Key);
        if (Fields.empty())
            continue;
        const bool AllPresent = std::all_of(Fields.begin(), Fields.end(), [&](int Field) {
            return std::any_of(Work, Work + Count,
                               [&](int Entry) { return FEntries[Entry].Class == Field; });
        });
        if (AllPresent)
            return true;
    }
    return false;
}

bool TLensPlan::IsDeliverable(const int* Work, int Count, TKeyState& State) const {
    State.Problems.clear();
    State.ProblemCount = 0;
    State.Forbidden.clear();
    State.Required.assign(FRequiredWords, 0);
    State.Matched = false;

    // Coatings the lens does not allow.
    for (int I = 0; I < Count; ++I) {
        if (FEntries[Work[I]].Disallowed)
            State.AddProblem(FEntries[Work[I]].Class);
    }

    // The lens's rules in list order.
    for (const TRulePlan& Rule : FRules) {
        if (Rule.LB == Tdex6Delivery::NurLieferbar) {
            if (Matches(Rule, Work, Count)) {
                State.Matched = true;
                for (int K = 0; K < SlotCount; ++K) {
                    if (!Rule.SlotIsPattern[K])
                        State.RemoveProblem(Rule.SlotClass[K]);
                }
            }
            for (std::size_t W = 0; W < FRequiredWords; ++W)
                State.Required[W] |= Rule.RequiredAdds[W];
            continue;
        }
        if (!Matches(Rule, Work, Count))
            continue;
        if (Rule.LB == Tdex6Delivery::NichtLieferbar) {
            for (int K = 0; K < SlotCount; ++K) {
                const auto Bit = static_cast<std::uint8_t>(1U << K);
                for (int I = 0; I < Count; ++I) {
                    if ((Rule.Hits[Work[I]].Named & Bit) == 0)
                        continue;
                    State.AddProblem(Rule.SlotClass[K]);
                    for (std::size_t W = 0; W < FRequiredWords; ++W)
                        State.Required[W] &= ~Rule.RequiredDrops[K][W];
                }
            }
            State.Forbid(Rule.KeyClass);
        } else {
            for (int K = 0; K < SlotCount; ++K) {
                const auto Bit = static_cast<std::uint8_t>(1U << K);
                for (int I = 0; I < Count; ++I) {
                    if ((Rule.Hits[Work[I]].SameCode & Bit) == 0)
                        continue;
                    State.RemoveProblem(FEntries[Work[I]].Class);
                    State.Allow(Rule.SlotClass[K]);
                }
            }
            State.Allow(Rule.KeyClass);
        }
    }
    if (State.ProblemCount > 0 || HasForbiddenSet(State, Work, Count))
        return false;

    // Coatings that share a feature.
    for (int I = 0; I < Count; ++I) {
        const TEntry& A = FEntries[Work[I]];
        for (int J = I + 1; J < Count; ++J) {
            const TEntry& B = FEntries[Work[J]];
            if (A.Found && B.Found && (A.Features & B.Features) != 0)
                return false;
        }
    }

    // The lens is deliverable only with a set a "nur lieferbar" rule names.
    const bool Required =
        std::any_of(State.Required.begin(), State.Required.end(), [](auto W) { return W != 0; });
    return State.Matched || !Required;
}

} // namespace

TLensRuleIndex::TLensRuleIndex(const Tdex6DataKombinationsListe& Rules) : FRules(Rules) {
    for (int I = 0; I < Rules.Count(); ++I) {
        const std::string& Lens = Rules.GetItem(I)->GE();
        if (HasWildcard(Lens))
            FPatterns.push_back(I);
        else
            FByCode[LensCodeKey(Lens)].push_back(I);
    }
}

void TLensRuleIndex::RulesOf(std::string_view Glass, TKombinationRefs& Result) const {
    if (HasWildcard(Glass)) {
        FRules.RulesOfGlass(Glass, Result);
        return;
    }
    Result.clear();
    static const std::vector<int> None;
    const auto Found = FByCode.find(LensCodeKey(Glass));
    const std::vector<int>& Plain = Found != FByCode.end() ? Found->second : None;
    // Both index lists ascend; merging them keeps the rules in list order.
    auto P = Plain.begin();
    for (const int Pattern : FPatterns) {
        for (; P != Plain.end() && *P < Pattern; ++P)
            Result.push_back(FRules.GetItem(*P));
        if (CodesMatch(Glass, FRules.GetItem(Pattern)->GE()))
            Result.push_back(FRules.GetItem(Pattern));
    }
    for (; P != Plain.end(); ++P)
        Result.push_back(FRules.GetItem(*P));
}

TFastEvaluator::TFastEvaluator(const Tdex6Dataobject& Root)
    : FRoot(Root), FCoatingCodes(*Root.Beschichtungsliste()) {
    for (std::size_t K = 0; K < FKindCodes.size(); ++K) {
        FKindCodes[K] = TStringList(true);
        Root.Beschichtungsliste()->GetCodes(FKindCodes[K], true, EvaluatedMaterials,
                                            TCoatingKindSet{EvaluatedKinds[K]}, 0);
    }
}

const TLensRuleIndex& TFastEvaluator::RuleIndex() const {
    std::call_once(FRuleIndexBuilt, [this] { FRuleIndex.emplace(*FRoot.KombinationsListe()); });
    return *FRuleIndex;
}

std::int64_t TFastEvaluator::CountKeys(std::string_view Glass) const {
    TKombinationRefs Rules;
    RuleIndex().RulesOf(Glass, Rules);
    TKindLists Lists;
    BuildKindLists(FRoot, FKindCodes, FCoatingCodes, Glass, Rules, Lists);
    if (!NeedsLiteral(Glass, Lists))
        return KeyCountOf(Lists);
    TStringList Keys(true);
    BuildLensKeys(FRoot, Glass, Keys);
    return Keys.Count();
}

void TFastEvaluator::EvaluateLens(std::string_view Glass, TLensOutcome& Outcome) const {
    TKombinationRefs Rules;
    RuleIndex().RulesOf(Glass, Rules);
    EvaluateLens(Glass, Rules, Outcome);
}

void TFastEvaluator::EvaluateLens(std::string_view Glass, const TKombinationRefs& Rules,
                                  TLensOutcome& Outcome) const {
    TKindLists Lists;
    BuildKindLists(FRoot, FKindCodes, FCoatingCodes, Glass, Rules, Lists);
    if (NeedsLiteral(Glass, Lists)) {
        EvaluateLensLiteral(FRoot, Glass, Outcome);
        return;
    }
    Outcome.Clear();
    Outcome.KeyCount = KeyCountOf(Lists);
    const TLensPlan Plan(FRoot, FCoatingCodes, Glass, Rules, Lists);

    std::array<std::vector<int>, 3> Entries;
    for (std::size_t K = 0; K < Lists.size(); ++K) {
        for (const auto& Code : Lists[K])
            Entries[K].push_back(Plan.EntryOf(Code.Text));
    }

    // The keys in the order of the sorted key list: fields compare one after the other,
    // and within each kind the lists are sorted with the empty entry first.
    TKeyState State;
    std::int64_t Position = 0;
    const auto TestKey = [&](int A, int T, int P1, int P2) {
        ++Position;
        const std::array<int, 4> Named = {Entries[0][A], Entries[1][T], Entries[2][P1],
                                          Entries[2][P2]};
        std::array<int, 4> Work{};
        const int Count = Plan.CollectWork(Named, Work);
        if (!Plan.IsDeliverable(Work.data(), Count, State))
            return;
        Outcome.Rows.Add(
            JoinCombinationKey(Glass, Lists[0][A], Lists[1][T], Lists[2][P1], Lists[2][P2]));
        Outcome.Positions.push_back(Position);
    };
    const int Further = Lists[2].Count();
    for (int A = 0; A < Lists[0].Count(); ++A) {
        for (int T = 0; T < Lists[1].Count(); ++T) {
            for (int P1 = 0; P1 < Further; ++P1) {
                TestKey(A, T, P1, 0);
                for (int P2 = P1 + 1; P1 > 0 && P2 < Further; ++P2)
                    TestKey(A, T, P1, P2);
            }
        }
    }
}

} // namespace kr6
