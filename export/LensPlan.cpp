#include "export/LensPlan.h"

#include "model/RuleCodes.h"

#include <algorithm>
#include <bit>

namespace kr6 {
namespace {

bool BreaksKeyFields(std::string_view Text) {
    return std::any_of(Text.begin(), Text.end(),
                       [](char C) { return static_cast<unsigned char>(C) <= '\t'; });
}

// Whether a rule with Blank blank slots allows a set of Count coatings.
bool CountAllowed(int Blank, int Count) {
    return !((Blank == 1 && Count > 2) || (Blank == 2 && Count > 1) || (Blank == 3 && Count >= 1));
}

} // namespace

void TKeyState::AddProblem(int Class) {
    ++ProblemCount;
    for (auto& [C, N] : Problems) {
        if (C == Class) {
            ++N;
            return;
        }
    }
    Problems.emplace_back(Class, 1);
}

void TKeyState::RemoveProblem(int Class) {
    for (auto& [C, N] : Problems) {
        if (C == Class && N > 0) {
            --N;
            --ProblemCount;
            return;
        }
    }
}

void TKeyState::Forbid(int Class) {
    if (std::find(Forbidden.begin(), Forbidden.end(), Class) == Forbidden.end())
        Forbidden.push_back(Class);
}

void TKeyState::Allow(int Class) {
    std::erase(Forbidden, Class);
}

TLensPlan::TLensPlan(const TEvaluationTables& Tables, std::string_view Glass,
                     const std::vector<int>& Rules)
    : FTables(Tables), FGlass(Glass) {
    AllowedCoatings(Rules);
    FNeedsLiteral = BreaksKeyFields(Glass);
    for (int K = 0; K < TEvaluationTables::EvaluatedKindCount; ++K) {
        const TBitWords& Kind = Tables.KindMask(K);
        const TBitWords& Breaking = Tables.BreakingCodes();
        for (std::size_t W = 0; W < FAllowed.size(); ++W) {
            const std::uint64_t Word = FAllowed[W] & Kind[W];
            FKindCounts[K] += std::popcount(Word);
            FNeedsLiteral = FNeedsLiteral || (Word & Breaking[W]) != 0;
        }
    }
}

// Which coatings the lens allows: those of its material, less what "nicht lieferbar"
// rules take off, plus what the other rules name unless one of their codes is of another
// material. Done twice, for the evaluated kinds and with the special ones.
void TLensPlan::AllowedCoatings(const std::vector<int>& Rules) {
    const Tdex6Material* Material = FTables.LensMaterial(FGlass);
    if (Material == nullptr) {
        FAllowed.assign(FTables.CoatingWords(), 0);
        FAllowedSpecial = FAllowed;
        return;
    }
    const std::array<const TBitWords*, 2> Candidates = {&FTables.Candidates(*Material, false),
                                                        &FTables.Candidates(*Material, true)};
    const std::array<TBitWords*, 2> Results = {&FAllowed, &FAllowedSpecial};
    FAllowed = *Candidates[0];
    FAllowedSpecial = *Candidates[1];
    const TBitWords& All = FTables.AllCodes();
    const int Coatings = FTables.CoatingClasses();
    const auto IsCoating = [&](int Class) {
        return FTables.Traits(Class).Pattern < 0 && Class < Coatings;
    };
    for (const int Number : Rules) {
        const TEvaluationTables::TRule& Rule = FTables.Rule(Number);
        if (Rule.LB == Tdex6Delivery::NichtLieferbar) {
            if (Rule.AnyCount == 3) {
                for (TBitWords* Result : Results)
                    std::fill(Result->begin(), Result->end(), 0);
            } else if (Rule.AnyCount == 2) {
                const int Named = Rule.Slots[Rule.FirstNamed];
                const int Pattern = FTables.Traits(Named).Pattern;
                for (TBitWords* Result : Results) {
                    if (Pattern >= 0) {
                        const TBitWords& Matching = FTables.PatternMask(Pattern);
                        for (std::size_t W = 0; W < Result->size(); ++W)
                            (*Result)[W] &= ~Matching[W];
                    } else if (IsCoating(Named)) {
                        ResetBit(*Result, Named);
                    }
                }
            }
            continue;
        }
        for (std::size_t S = 0; S < Results.size(); ++S) {
            const bool WrongMaterial =
                std::any_of(Rule.Slots.begin(), Rule.Slots.end(), [&](int Class) {
                    return IsCoating(Class) && TestBit(All, Class) &&
                           !TestBit(*Candidates[S], Class);
                });
            if (WrongMaterial)
                continue;
            for (const int Class : Rule.Slots) {
                if (IsCoating(Class))
                    SetBit(*Results[S], Class);
            }
        }
    }
}

std::int64_t TLensPlan::GroupCount() const {
    return std::int64_t{FKindCounts[0] + 1} * (FKindCounts[1] + 1);
}

std::int64_t TLensPlan::KeysPerGroup() const {
    const std::int64_t Further = FKindCounts[2];
    return 1 + Further + Further * (Further - 1) / 2;
}

void TLensPlan::PlanKeys(const std::vector<int>& Rules) {
    const TBitWords& All = FTables.AllCodes();
    // The lens disallows the coatings it does not allow, special ones included.
    const auto Disallowed = [&](int Class) {
        return Class < FTables.CoatingClasses() && TestBit(All, Class) &&
               !TestBit(FAllowedSpecial, Class);
    };

    // The entries of each kind in key order: the empty entry, then the allowed codes.
    TBitWords Seen(FTables.CoatingWords(), 0);
    for (int K = 0; K < TEvaluationTables::EvaluatedKindCount; ++K) {
        std::vector<int>& Entries = FKindEntries[K];
        Entries.assign(1, -1);
        TBitWords Allowed = FAllowed;
        const TBitWords& Kind = FTables.KindMask(K);
        for (std::size_t W = 0; W < Allowed.size(); ++W)
            Allowed[W] &= Kind[W];
        ForEachBit(Allowed, [&](std::size_t Class) {
            const TEvaluationTables::TKindCode& Code = FTables.KindCode(K, static_cast<int>(Class));
            TLensEntry Entry;
            Entry.Text = Code.Text;
            Entry.Class = static_cast<int>(Class);
            Entry.Disallowed = Disallowed(Entry.Class);
            FAnyDisallowed = FAnyDisallowed || Entry.Disallowed;
            Entry.Found = Code.Found;
            Entry.Features = Code.Features;
            Entries.push_back(static_cast<int>(FEntries.size()));
            FEntries.push_back(Entry);
            FClassesRepeat = FClassesRepeat || TestBit(Seen, Class);
            SetBit(Seen, Class);
        });
    }

    // The codes "nur lieferbar" rules may require, one per class.
    std::vector<int> RequiredClasses;
    std::vector<std::string_view> RequiredTexts;
    for (const int Number : Rules) {
        const TEvaluationTables::TRule& Rule = FTables.Rule(Number);
        if (Rule.LB != Tdex6Delivery::NurLieferbar)
            continue;
        for (int K = 0; K < SlotCount; ++K) {
            const TEvaluationTables::TSlot Slot = FTables.Slot(Rule, K);
            if (Slot.Traits.Pattern >= 0 || Disallowed(Slot.Class))
                continue;
            if (std::find(RequiredClasses.begin(), RequiredClasses.end(), Slot.Class) ==
                RequiredClasses.end()) {
                RequiredClasses.push_back(Slot.Class);
                RequiredTexts.push_back(Slot.Text);
            }
        }
    }
    FRequiredWords = WordsFor(RequiredClasses.size());
    for (const int Number : Rules)
        AddRule(FTables.Rule(Number), RequiredClasses, RequiredTexts);

    FindLastingProblems();

    // The rules as bit sets.
    FRuleWords = WordsFor(FRules.size());
    FMeets.assign(FEntries.size() * SlotCount * FRuleWords, 0);
    for (TBitWords& Blank : FBlankSlots)
        Blank.assign(FRuleWords, 0);
    for (TBitWords& Allowed : FCountAllowed)
        Allowed.assign(FRuleWords, 0);
    FOnlyDeliverable.assign(FRuleWords, 0);
    FLifting.assign(FRuleWords, 0);
    for (std::size_t P = 0; P < FRules.size(); ++P) {
        const TRulePlan& Plan = FRules[P];
        const auto Bit = std::uint64_t{1} << (P % 64);
        const std::size_t Word = P / 64;
        for (int K = 0; K < SlotCount; ++K) {
            if (FTables.Traits(Plan.Rule->Slots[K]).Blank)
                FBlankSlots[K][Word] |= Bit;
            for (std::size_t E = 0; E < FEntries.size(); ++E) {
                if ((FHits[Plan.Hits + E].Met >> K & 1U) != 0)
                    FMeets[(E * SlotCount + K) * FRuleWords + Word] |= Bit;
            }
        }
        for (int Count = 0; Count < static_cast<int>(FCountAllowed.size()); ++Count) {
            if (CountAllowed(Plan.Rule->BlankCount, Count))
                FCountAllowed[Count][Word] |= Bit;
        }
        if (Plan.Rule->LB == Tdex6Delivery::NurLieferbar)
            FOnlyDeliverable[Word] |= Bit;
        if (Plan.Rule->LB == Tdex6Delivery::Lieferbar)
            FLifting[Word] |= Bit;
    }
}

void TLensPlan::AddRule(const TEvaluationTables::TRule& Rule,
                        const std::vector<int>& RequiredClasses,
                        const std::vector<std::string_view>& RequiredTexts) {
    TRulePlan Plan;
    Plan.Rule = &Rule;
    Plan.Hits = FHits.size();
    FHits.resize(FHits.size() + FEntries.size());
    std::uint8_t NonBlank = 0;
    std::uint8_t EverMet = 0;
    for (int K = 0; K < SlotCount; ++K) {
        const TEvaluationTables::TSlot Slot = FTables.Slot(Rule, K);
        const TEvaluationTables::TClassTraits& Traits = Slot.Traits;
        const auto Bit = static_cast<std::uint8_t>(1U << K);
        if (!Traits.Blank)
            NonBlank |= Bit;
        for (std::size_t E = 0; E < FEntries.size(); ++E) {
            const TLensEntry& Entry = FEntries[E];
            // A code with a "*" is a pattern itself, and only CodesMatch tells.
            const bool Match =
                Traits.Pattern >= 0 ? TestBit(FTables.PatternMask(Traits.Pattern), Entry.Class)
                : HasWildcard(Entry.Text) ? CodesMatch(Slot.Text, Entry.Text)
                                          : Traits.Group == FTables.Traits(Entry.Class).Group;
            if (!Match)
                continue;
            THits& Hits = FHits[Plan.Hits + E];
            if (!Traits.Blank) {
                Hits.Met |= Bit;
                EverMet |= Bit;
            }
            if (!Traits.Any)
                Hits.Named |= Bit;
            // Texts equal but for the case of a-z are of one class.
            if (Slot.Class == Entry.Class && SameText(Slot.Text, Entry.Text))
                Hits.SameCode |= Bit;
        }
    }
    // A rule whose slots no coating of the lens can meet never matches a key; only the
    // "nur lieferbar" ones still count, for what they offer. A "nicht lieferbar" rule of
    // "******" slots only names no coating and forbids the empty set, which is never
    // complete: it does nothing.
    const bool NamesNone = std::all_of(FHits.begin() + static_cast<std::ptrdiff_t>(Plan.Hits),
                                       FHits.end(), [](const THits& H) { return H.Named == 0; });
    if ((Rule.LB != Tdex6Delivery::NurLieferbar && (NonBlank & ~EverMet) != 0) ||
        (Rule.LB == Tdex6Delivery::NichtLieferbar && NamesNone && Rule.KeyFieldCount == 0)) {
        FHits.resize(Plan.Hits);
        return;
    }
    if (Rule.LB == Tdex6Delivery::NurLieferbar) {
        Plan.RequiredAdds = FRequiredBits.size();
        FRequiredBits.resize(FRequiredBits.size() + FRequiredWords, 0);
        for (const int Class : Rule.Slots) {
            const auto Found = std::find(RequiredClasses.begin(), RequiredClasses.end(), Class);
            if (FTables.Traits(Class).Pattern < 0 && Found != RequiredClasses.end()) {
                const auto R = static_cast<std::size_t>(Found - RequiredClasses.begin());
                FRequiredBits[Plan.RequiredAdds + R / 64] |= std::uint64_t{1} << (R % 64);
            }
        }
    } else if (Rule.LB == Tdex6Delivery::NichtLieferbar) {
        Plan.RequiredDrops = FRequiredBits.size();
        FRequiredBits.resize(FRequiredBits.size() + SlotCount * FRequiredWords, 0);
        for (int K = 0; K < SlotCount; ++K) {
            for (std::size_t R = 0; R < RequiredTexts.size(); ++R) {
                if (CodesMatch(FTables.Slot(Rule, K).Text, RequiredTexts[R]))
                    FRequiredBits[Plan.RequiredDrops + K * FRequiredWords + R / 64] |=
                        std::uint64_t{1} << (R % 64);
            }
        }
    }
    FRules.push_back(Plan);
}

// A problem is lifted only by a later "lieferbar" rule that names a coating of its class
// with the same code, or by a later matching "nur lieferbar" rule that names its class.
// Where none can, the key is decided the moment the problem arises.
void TLensPlan::FindLastingProblems() {
    std::vector<std::pair<int, std::size_t>> LastLift; // class, last rule that may lift it
    const auto Lift = [&](int Class, std::size_t Plan) {
        for (auto& [C, Last] : LastLift) {
            if (C == Class) {
                Last = Plan;
                return;
            }
        }
        LastLift.emplace_back(Class, Plan);
    };
    for (std::size_t P = 0; P < FRules.size(); ++P) {
        const TRulePlan& Plan = FRules[P];
        if (Plan.Rule->LB == Tdex6Delivery::Lieferbar) {
            for (std::size_t E = 0; E < FEntries.size(); ++E) {
                if (FHits[Plan.Hits + E].SameCode != 0)
                    Lift(FEntries[E].Class, P);
            }
        } else if (Plan.Rule->LB == Tdex6Delivery::NurLieferbar) {
            for (const int Class : Plan.Rule->Slots) {
                if (FTables.Traits(Class).Pattern < 0)
                    Lift(Class, P);
            }
        }
    }
    for (std::size_t P = 0; P < FRules.size(); ++P) {
        TRulePlan& Plan = FRules[P];
        if (Plan.Rule->LB != Tdex6Delivery::NichtLieferbar)
            continue;
        for (int K = 0; K < SlotCount; ++K) {
            const int Class = Plan.Rule->Slots[K];
            const bool Liftable = std::any_of(LastLift.begin(), LastLift.end(), [&](auto& Entry) {
                return Entry.first == Class && Entry.second > P;
            });
            if (!Liftable)
                Plan.LastingSlots |= static_cast<std::uint8_t>(1U << K);
        }
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

void TLensPlan::PrepareState(TKeyState& State) const {
    State.Required.assign(FRequiredWords, 0);
    State.Visit.assign(FRuleWords, 0);
    State.Matched.assign(FRuleWords, 0);
}

bool TLensPlan::HasForbiddenSet(const TKeyState& State, const int* Work, int Count) const {
    for (const int Key : State.Forbidden) {
        const TEvaluationTables::TRule& Rule = FTables.RuleOfSet(Key);
        if (Rule.KeyFieldCount == 0)
            continue;
        const bool AllPresent = std::all_of(
            Rule.KeyFields.begin(), Rule.KeyFields.begin() + Rule.KeyFieldCount, [&](int Field) {
                return std::any_of(Work, Work + Count,
                                   [&](int Entry) { return FEntries[Entry].Class == Field; });
            });
        if (AllPresent)
            return true;
    }
    return false;
}

void TLensPlan::MeetSlots(const int* Entries, int Count, std::uint64_t* Met) const {
    for (int K = 0; K < SlotCount; ++K) {
        std::uint64_t* Slot = Met + K * FRuleWords;
        std::copy(FBlankSlots[K].begin(), FBlankSlots[K].end(), Slot);
        for (int I = 0; I < Count; ++I) {
            const std::uint64_t* Meets =
                FMeets.data() + (static_cast<std::size_t>(Entries[I]) * SlotCount + K) * FRuleWords;
            for (std::size_t W = 0; W < FRuleWords; ++W)
                Slot[W] |= Meets[W];
        }
    }
}

void TLensPlan::AddEntry(const std::uint64_t* Met, int Entry, std::uint64_t* Result) const {
    const std::uint64_t* Meets = FMeets.data() + static_cast<std::size_t>(Entry) * SlotWords();
    for (std::size_t W = 0; W < SlotWords(); ++W)
        Result[W] = Met[W] | Meets[W];
}

bool TLensPlan::IsDeliverable(const int* Work, int Count, const std::uint64_t* Met,
                              TKeyState& State) const {
    // The rules that match: every slot that is not blank met by a coating of the key, and
    // no more coatings than the blank slots allow. The "nur lieferbar" rules count even
    // when they do not match.
    std::uint64_t Acting = 0;
    for (std::size_t W = 0; W < FRuleWords; ++W) {
        const std::uint64_t Matched =
            FCountAllowed[Count][W] & Met[W] & Met[FRuleWords + W] & Met[2 * FRuleWords + W];
        State.Matched[W] = Matched;
        State.Visit[W] = Matched | FOnlyDeliverable[W];
        Acting |= State.Visit[W] & ~FLifting[W];
    }

    // Only "lieferbar" rules matching and nothing disallowed: no problem can arise, and
    // only the features decide.
    if (Acting != 0 || FAnyDisallowed) {
        if (!HasNoProblems(Work, Count, State))
            return false;
    }

    // Coatings that share a feature.
    for (int I = 0; I < Count; ++I) {
        const TLensEntry& A = FEntries[Work[I]];
        for (int J = I + 1; J < Count; ++J) {
            const TLensEntry& B = FEntries[Work[J]];
            if (A.Found && B.Found && (A.Features & B.Features) != 0)
                return false;
        }
    }

    // The lens is deliverable only with a set a "nur lieferbar" rule names.
    return Acting == 0 || State.AnyMatched || !AnyBit(State.Required);
}

bool TLensPlan::HasNoProblems(const int* Work, int Count, TKeyState& State) const {
    State.Problems.clear();
    State.ProblemCount = 0;
    State.Forbidden.clear();
    std::fill(State.Required.begin(), State.Required.end(), 0);
    State.AnyMatched = false;

    // Coatings the lens does not allow.
    for (int I = 0; I < Count; ++I) {
        if (FEntries[Work[I]].Disallowed)
            State.AddProblem(FEntries[Work[I]].Class);
    }

    // The rules' effects in list order, until a problem arises that no later rule lifts.
    bool Lasting = false;
    ForEachBitWhile(State.Visit, [&](std::size_t P) {
        const TRulePlan& Plan = FRules[P];
        const TEvaluationTables::TRule& Rule = *Plan.Rule;
        const bool Matches = TestBit(State.Matched, P);
        if (Rule.LB == Tdex6Delivery::NurLieferbar) {
            if (Matches) {
                State.AnyMatched = true;
                for (const int Class : Rule.Slots) {
                    if (FTables.Traits(Class).Pattern < 0)
                        State.RemoveProblem(Class);
                }
            }
            for (std::size_t W = 0; W < FRequiredWords; ++W)
                State.Required[W] |= FRequiredBits[Plan.RequiredAdds + W];
        } else if (Rule.LB == Tdex6Delivery::NichtLieferbar) {
            // Each slot is a problem once for every coating it names; the order of these
            // steps does not change their sum.
            for (int I = 0; I < Count; ++I) {
                const unsigned Named = FHits[Plan.Hits + Work[I]].Named;
                if ((Named & Plan.LastingSlots) != 0) {
                    Lasting = true;
                    return false;
                }
                for (unsigned Slots = Named; Slots != 0; Slots &= Slots - 1) {
                    const int K = std::countr_zero(Slots);
                    State.AddProblem(Rule.Slots[K]);
                    for (std::size_t W = 0; W < FRequiredWords; ++W)
                        State.Required[W] &=
                            ~FRequiredBits[Plan.RequiredDrops + K * FRequiredWords + W];
                }
            }
            State.Forbid(Rule.KeyClass);
        } else if (State.ProblemCount > 0 || !State.Forbidden.empty()) {
            // A "lieferbar" rule only lifts problems and forbidden sets.
            for (int I = 0; I < Count; ++I) {
                for (unsigned Slots = FHits[Plan.Hits + Work[I]].SameCode; Slots != 0;
                     Slots &= Slots - 1) {
                    State.RemoveProblem(FEntries[Work[I]].Class);
                    State.Allow(Rule.Slots[std::countr_zero(Slots)]);
                }
            }
            State.Allow(Rule.KeyClass);
        }
        return true;
    });
    return !Lasting && State.ProblemCount == 0 && !HasForbiddenSet(State, Work, Count);
}

} // namespace kr6
