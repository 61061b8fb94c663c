#pragma once

#include "export/BitWords.h"

#include "model/CodeTables.h"
#include "support/StringList.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;
class Tdex6DataGlasliste;
class Tdex6DataKombination;
class Tdex6DataKombinationsListe;

// What the fast evaluation needs that is the same for every lens, worked out once per
// evaluation and then only read, by any number of threads.
//
// Texts are numbered by their CompareText class, which is how every sorted list of the
// rule check tells texts apart. The coatings' codes come first, numbered in sorted order,
// so that a set of them is a bit set whose bits ascend like a sorted list; the other
// texts the rules name (codes no coating has, patterns, the rules' coating sets) follow.
class TEvaluationTables {
public:
    static constexpr int EvaluatedKindCount = 3;
    static constexpr int SlotCount = 3;

    // One code of a kind's list of codes.
    struct TKindCode {
        std::string_view Text;
        bool Found = false;         // a coating has the code
        std::uint32_t Features = 0; // its features of the pairwise test
    };

    // What the rule check reads of a text: the same for every text of a class.
    struct TClassTraits {
        int Group = 0;    // codes that agree with it in their first six characters
        int Pattern = -1; // the pattern's number when the text holds a "*"
        bool Blank = false;
        bool Any = false; // "******"
    };

    // A combination rule as numbers; large lists have tens of thousands, so it is small.
    struct TRule {
        const Tdex6DataKombination* Source = nullptr;
        std::array<int, SlotCount> Slots{};     // the slots' classes
        int KeyClass = 0;                       // the rule's set of coatings
        std::array<int, SlotCount> KeyFields{}; // the classes of the set's codes
        Tdex6Delivery LB = Tdex6Delivery::NichtLieferbar;
        std::int8_t AnyCount = 0;
        std::int8_t BlankCount = 0;
        std::int8_t FirstNamed = -1; // the first slot that is not "******"
        std::int8_t KeyFieldCount = 0;
    };

    // One slot of a rule with all that is known of it.
    struct TSlot {
        std::string_view Text;
        int Class = 0;
        TClassTraits Traits;
    };

    explicit TEvaluationTables(const Tdex6Dataobject& Root);

    // Coatings' codes: their classes are 0 to CoatingClasses() - 1.
    int CoatingClasses() const { return FCoatingClasses; }
    std::size_t CoatingWords() const { return FCoatingWords; }
    const TClassTraits& Traits(int Class) const { return FTraits[Class]; }
    TSlot Slot(const TRule& Rule, int K) const;

    // The codes of an evaluated kind (anti-reflection, tint, other) of the evaluated
    // materials, the empty code left out.
    const TBitWords& KindMask(int Kind) const { return FKindMask[Kind]; }
    const TKindCode& KindCode(int Kind, int Class) const { return FKindCodes[Kind][Class]; }

    // The coatings of Material: of the evaluated kinds, or with the special ones too.
    const TBitWords& Candidates(Tdex6Material Material, bool Special) const;
    // The coatings of every kind, special ones too, of the evaluated materials: those of
    // another material are the "wrong material" of a rule, and the rest are the coatings a
    // lens may disallow.
    const TBitWords& AllCodes() const { return FAllCodes; }

    // Coatings' codes that match a pattern.
    const TBitWords& PatternMask(int Pattern) const { return FPatternMasks[Pattern]; }

    // Codes holding a tab or a byte below it.
    const TBitWords& BreakingCodes() const { return FBreaking; }

    // The material of the glass with the code, or null when there is none.
    const Tdex6Material* LensMaterial(std::string_view Glass) const;

    const TRule& Rule(int Index) const { return FRules[Index]; }
    // A rule whose set of coatings has the class; all such sets have the same fields.
    const TRule& RuleOfSet(int KeyClass) const { return *FSetRules[KeyClass]; }
    // The number of a rule of the list, found by a walk: for a single lens.
    int RuleNumber(const Tdex6DataKombination* Rule) const;
    // The rules of a lens, as numbers in list order.
    void RulesOf(std::string_view Glass, std::vector<int>& Result) const;

private:
    struct THash {
        using is_transparent = void;
        std::size_t operator()(std::string_view Text) const {
            return std::hash<std::string_view>{}(Text);
        }
    };
    using TNumbers = std::unordered_map<std::string, int, THash, std::equal_to<>>;

    // The class of Text; a text seen for the first time gets the next number.
    int ClassOf(std::string_view Text);
    // The same for a text of the model, which stays where it is.
    int ClassOfModelText(const std::string& Text);
    int PatternOf(std::string_view Text);
    TBitWords MaskOf(const TStringList& Codes);
    void AddRules();
    void AddRuleSet(const Tdex6DataKombination& Source, TRule& Rule);

    // Needed only while the tables are built. Texts as they stand are looked up first:
    // most repeat exactly, and their upper case need not be made.
    std::unordered_map<std::string_view, int> FClassesOfTexts;
    TNumbers FClasses;
    TNumbers FGroups;
    TNumbers FPatterns;
    // The texts of the coatings' classes, for matching them against patterns.
    std::vector<std::string> FCoatingTexts;

    int FCoatingClasses = 0;
    std::size_t FCoatingWords = 0;
    std::vector<TClassTraits> FTraits;
    std::vector<TBitWords> FPatternMasks;

    std::array<TBitWords, EvaluatedKindCount> FKindMask;
    std::array<std::vector<TKindCode>, EvaluatedKindCount> FKindCodes;
    std::array<TStringList, EvaluatedKindCount> FKindTexts;
    // By material, then without and with the special coatings.
    std::array<std::array<TBitWords, 2>, 5> FCandidates;
    // What a material outside the code table has: no coating.
    TBitWords FNoCodes;
    TBitWords FAllCodes;
    TBitWords FBreaking;
    const Tdex6DataGlasliste& FGlasses;

    const Tdex6DataKombinationsListe& FRuleList;
    std::vector<TRule> FRules;
    std::vector<const TRule*> FSetRules;
    // Rules for a plain lens code by its first six characters in upper case; lens patterns
    // with the rules that name them.
    TNumbers FLensKeys;
    std::vector<std::vector<int>> FRulesByLensKey;
    std::vector<std::pair<std::string, std::vector<int>>> FLensPatterns;
};

} // namespace kr6
