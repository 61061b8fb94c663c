#pragma once

#include "export/BitWords.h"
#include "export/EvaluationTables.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace kr6 {

// A coating one slot of a key may hold.
struct TLensEntry {
    std::string_view Text;
    int Class = 0;
    bool Disallowed = false;
    bool Found = false;
    std::uint32_t Features = 0;
};

// The state of one key's check, kept between keys to avoid allocations.
struct TKeyState {
    std::vector<std::pair<int, int>> Problems; // class and count
    int ProblemCount = 0;
    std::vector<int> Forbidden;
    TBitWords Required;
    TBitWords Visit;
    TBitWords Matched;
    bool AnyMatched = false;

    void AddProblem(int Class);
    void RemoveProblem(int Class);
    void Forbid(int Class);
    void Allow(int Class);
};

// Everything about one lens that does not depend on the coatings of a key: the coatings
// it allows of each kind, and its rules with, for each coating, which rule slots it
// meets, as bit sets over the rules. A key then costs a few word operations per 64
// rules and a walk over the rules it matches.
class TLensPlan {
public:
    static constexpr int SlotCount = TEvaluationTables::SlotCount;

    // Only what KeyCount and NeedsLiteral need.
    TLensPlan(const TEvaluationTables& Tables, std::string_view Glass,
              const std::vector<int>& Rules);
    // Works out the rest.
    void PlanKeys(const std::vector<int>& Rules);

    // Key fields compare like plain texts only while no code holds a tab, which would
    // split a field, or a byte that sorts below the tab; such lenses are left to the
    // literal evaluation.
    std::string_view Glass() const { return FGlass; }
    bool NeedsLiteral() const { return FNeedsLiteral; }
    std::int64_t KeyCount() const { return GroupCount() * KeysPerGroup(); }
    // Keys come in groups of the same anti-reflection coating and tint, all groups alike:
    // the empty or one further coating, or two distinct ones.
    std::int64_t GroupCount() const;
    std::int64_t KeysPerGroup() const;

    // The entries of each kind's list in key order, -1 for the empty entry first.
    const std::vector<int>& KindEntries(int Kind) const { return FKindEntries[Kind]; }
    const TLensEntry& Entry(int Index) const { return FEntries[Index]; }
    // Whether two entries of the lens share a class; keys then name one coating twice.
    bool ClassesRepeat() const { return FClassesRepeat; }
    // The coatings a key names (-1 for an empty field) as the rule check sees them: one
    // per class, the first named kept. Returns their number.
    int CollectWork(const std::array<int, 4>& Named, std::array<int, 4>& Work) const;

    void PrepareState(TKeyState& State) const;
    // Words of a set of slot marks: SlotCount bit sets over the rules.
    std::size_t SlotWords() const { return SlotCount * FRuleWords; }
    // Marks in Met, for each slot, the rules whose slot is blank or met by one of Count
    // entries.
    void MeetSlots(const int* Entries, int Count, std::uint64_t* Met) const;
    // Met with the slots one more entry meets.
    void AddEntry(const std::uint64_t* Met, int Entry, std::uint64_t* Result) const;
    // Work holds Count entries of distinct classes, Met their marks.
    bool IsDeliverable(const int* Work, int Count, const std::uint64_t* Met,
                       TKeyState& State) const;

private:
    struct THits {
        std::uint8_t Met = 0;      // slot is not blank and matches the coating
        std::uint8_t Named = 0;    // slot matches the coating and is not "******"
        std::uint8_t SameCode = 0; // slot equals the coating's code, letter case ignored
    };
    struct TRulePlan {
        const TEvaluationTables::TRule* Rule = nullptr;
        std::size_t Hits = 0;          // first of its hits, one per entry
        std::size_t RequiredAdds = 0;  // "nur lieferbar": the coatings it offers
        std::size_t RequiredDrops = 0; // "nicht lieferbar": offers each slot cancels
        // "nicht lieferbar": slots whose problem no later rule can lift.
        std::uint8_t LastingSlots = 0;
    };

    void AllowedCoatings(const std::vector<int>& Rules);
    void FindLastingProblems();
    void AddRule(const TEvaluationTables::TRule& Rule, const std::vector<int>& RequiredClasses,
                 const std::vector<std::string_view>& RequiredTexts);
    // Walks the rules to visit: no problem is left and no forbidden set is complete.
    bool HasNoProblems(const int* Work, int Count, TKeyState& State) const;
    bool HasForbiddenSet(const TKeyState& State, const int* Work, int Count) const;

    const TEvaluationTables& FTables;
    std::string_view FGlass;
    // The coatings the lens allows of the evaluated kinds, and with the special ones.
    TBitWords FAllowed;
    TBitWords FAllowedSpecial;
    bool FNeedsLiteral = false;
    std::array<int, TEvaluationTables::EvaluatedKindCount> FKindCounts{};

    std::vector<TLensEntry> FEntries;
    std::array<std::vector<int>, TEvaluationTables::EvaluatedKindCount> FKindEntries;
    bool FClassesRepeat = false;

    std::vector<TRulePlan> FRules;
    std::vector<THits> FHits;
    std::size_t FRequiredWords = 0;
    TBitWords FRequiredBits; // the words of every plan's RequiredAdds and RequiredDrops
    // Bit sets over FRules, RuleWords each: for each entry and slot the rules whose slot
    // it meets, for each slot the rules whose slot is blank, for each number of coatings
    // the rules that allow it, and the "nur lieferbar" rules.
    std::size_t FRuleWords = 0;
    TBitWords FMeets;
    std::array<TBitWords, SlotCount> FBlankSlots;
    std::array<TBitWords, 5> FCountAllowed;
    TBitWords FOnlyDeliverable;
    // The "lieferbar" rules, which act only on problems and forbidden sets.
    TBitWords FLifting;
    bool FAnyDisallowed = false;
};

} // namespace kr6
