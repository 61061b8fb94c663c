#include "export/EvaluationTables.h"

#include "export/EvaluationLists.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "model/RuleCodes.h"
#include "support/Conversions.h"
#include "support/StringList.h"
#include "support/TextCompare.h"

#include <algorithm>

namespace kr6 {
namespace {

constexpr std::array<Tdex6CoatingKind, TEvaluationTables::EvaluatedKindCount> EvaluatedKinds = {
    Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint, Tdex6CoatingKind::Other};
constexpr TCoatingKindSet PlainKinds{Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint,
                                     Tdex6CoatingKind::Other};
constexpr TCoatingKindSet WithSpecialKinds{Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint,
                                           Tdex6CoatingKind::Other, Tdex6CoatingKind::Special};
constexpr std::array<Tdex6Material, 5> Materials = {
    Tdex6Material::Egal, Tdex6Material::Silikat, Tdex6Material::Kunststoff,
    Tdex6Material::Polycarbonat, Tdex6Material::Trivex};

// What CodesMatch compares of a code: its first six characters in upper case, blanks
// where it is shorter.
std::string MatchKey(std::string_view Code) {
    constexpr std::size_t Compared = 6;
    return AnsiUpperCase(PadRight(Code.substr(0, std::min(Code.size(), Compared)), Compared));
}

} // namespace

TEvaluationTables::TEvaluationTables(const Tdex6Dataobject& Root)
    : FGlasses(*Root.Glasliste()), FRuleList(*Root.KombinationsListe()) {
    const Tdex6DataBeschichtungsliste& Coatings = *Root.Beschichtungsliste();

    // The coatings' codes of every list the rule check looks at, numbered in sorted order.
    std::array<TStringList, EvaluatedKindCount> KindLists;
    for (std::size_t K = 0; K < KindLists.size(); ++K) {
        KindLists[K] = TStringList(true);
        Coatings.GetCodes(KindLists[K], true, EvaluatedMaterials,
                          TCoatingKindSet{EvaluatedKinds[K]}, 0);
    }
    std::array<std::array<TStringList, 2>, Materials.size()> CandidateLists;
    for (std::size_t M = 0; M < Materials.size(); ++M) {
        for (const bool Special : {false, true}) {
            TStringList& List = CandidateLists[M][Special ? 1 : 0];
            List = TStringList(true);
            Coatings.GetCodes(List, false, TMaterialSet{Materials[M]},
                              Special ? WithSpecialKinds : PlainKinds, 0);
        }
    }
    TStringList All(true);
    Coatings.GetCodes(All, false, EvaluatedMaterials, WithSpecialKinds, 0);
    TStringList Codes(true);
    for (const TStringList& List : KindLists)
        Codes.AddStrings(List);
    for (const auto& Lists : CandidateLists) {
        for (const TStringList& List : Lists)
            Codes.AddStrings(List);
    }
    Codes.AddStrings(All);
    for (const auto& Code : Codes) {
        ClassOf(Code.Text);
        FCoatingTexts.push_back(Code.Text);
    }
    FCoatingClasses = static_cast<int>(FCoatingTexts.size());
    FCoatingWords = WordsFor(FCoatingTexts.size());

    const int EmptyClass = ClassOf("");
    for (std::size_t K = 0; K < KindLists.size(); ++K) {
        // The entries point into the lists' texts.
        FKindTexts[K] = std::move(KindLists[K]);
        FKindMask[K] = MaskOf(FKindTexts[K]);
        FKindCodes[K].resize(FCoatingTexts.size());
        for (const auto& Code : FKindTexts[K]) {
            const int Class = ClassOf(Code.Text);
            if (Class == EmptyClass)
                continue;
            TKindCode& Entry = FKindCodes[K][Class];
            Entry.Text = Code.Text;
            if (const Tdex6DataBeschichtung* Coating = Coatings.FindByEDV(Code.Text)) {
                Entry.Found = true;
                Entry.Features = CompatibilityFeatures(*Coating);
            }
        }
        if (EmptyClass < CoatingClasses())
            ResetBit(FKindMask[K], EmptyClass);
    }
    for (std::size_t M = 0; M < Materials.size(); ++M) {
        for (std::size_t S = 0; S < 2; ++S)
            FCandidates[M][S] = MaskOf(CandidateLists[M][S]);
    }
    FAllCodes = MaskOf(All);
    FBreaking.assign(FCoatingWords, 0);
    for (std::size_t Class = 0; Class < FCoatingTexts.size(); ++Class) {
        const std::string& Text = FCoatingTexts[Class];
        if (std::any_of(Text.begin(), Text.end(),
                        [](char C) { return static_cast<unsigned char>(C) <= '\t'; }))
            SetBit(FBreaking, Class);
    }
    FNoCodes.assign(FCoatingWords, 0);

    AddRules();

    // The patterns against every coating's code.
    FPatternMasks.assign(FPatterns.size(), TBitWords(FCoatingWords, 0));
    for (const auto& [Pattern, Number] : FPatterns) {
        for (std::size_t Class = 0; Class < FCoatingTexts.size(); ++Class) {
            if (CodesMatch(Pattern, FCoatingTexts[Class]))
                SetBit(FPatternMasks[static_cast<std::size_t>(Number)], Class);
        }
    }
    FClassesOfTexts = {};
    FClasses = {};
    FGroups = {};
    FPatterns = {};
    FCoatingTexts = {};
}

const TBitWords& TEvaluationTables::Candidates(Tdex6Material Material, bool Special) const {
    const auto M = static_cast<std::size_t>(Material);
    return M < FCandidates.size() ? FCandidates[M][Special ? 1 : 0] : FNoCodes;
}

const Tdex6Material* TEvaluationTables::LensMaterial(std::string_view Glass) const {
    const Tdex6DataGlas* Lens = FGlasses.FindByEDV(Glass);
    return Lens != nullptr ? &Lens->MAT : nullptr;
}

TEvaluationTables::TSlot TEvaluationTables::Slot(const TRule& Rule, int K) const {
    const int Class = Rule.Slots[static_cast<std::size_t>(K)];
    return {Rule.Source->CoatingSlot(K + 1), Class, FTraits[static_cast<std::size_t>(Class)]};
}

int TEvaluationTables::RuleNumber(const Tdex6DataKombination* Rule) const {
    return FRuleList.IndexOf(Rule);
}

int TEvaluationTables::ClassOfModelText(const std::string& Text) {
    if (const auto Seen = FClassesOfTexts.find(Text); Seen != FClassesOfTexts.end())
        return Seen->second;
    const int Class = ClassOf(Text);
    FClassesOfTexts.emplace(Text, Class);
    return Class;
}

int TEvaluationTables::ClassOf(std::string_view Text) {
    std::string Key = AnsiUpperCase(Text);
    if (const auto Found = FClasses.find(Key); Found != FClasses.end())
        return Found->second;
    const int Class = static_cast<int>(FClasses.size());
    TClassTraits Traits;
    Traits.Group =
        FGroups.try_emplace(MatchKey(Text), static_cast<int>(FGroups.size())).first->second;
    Traits.Pattern = HasWildcard(Text) ? PatternOf(Text) : -1;
    Traits.Blank = IsBlankSlot(Text);
    Traits.Any = IsAnyCode(Text);
    FTraits.push_back(Traits);
    FClasses.emplace(std::move(Key), Class);
    return Class;
}

// Texts that CodesMatch cannot tell apart share the pattern.
int TEvaluationTables::PatternOf(std::string_view Text) {
    return FPatterns.try_emplace(MatchKey(Text), static_cast<int>(FPatterns.size())).first->second;
}

TBitWords TEvaluationTables::MaskOf(const TStringList& Codes) {
    TBitWords Mask(FCoatingWords, 0);
    for (const auto& Code : Codes)
        SetBit(Mask, static_cast<std::size_t>(ClassOf(Code.Text)));
    return Mask;
}

void TEvaluationTables::AddRules() {
    FRules.resize(static_cast<std::size_t>(FRuleList.Count()));
    for (int I = 0; I < FRuleList.Count(); ++I) {
        const Tdex6DataKombination& Source = *FRuleList.GetItem(I);
        TRule& Rule = FRules[static_cast<std::size_t>(I)];
        Rule.Source = &Source;
        Rule.LB = Source.LB();
        for (int K = 0; K < SlotCount; ++K) {
            const int Class = ClassOfModelText(Source.CoatingSlot(K + 1));
            const TClassTraits& Traits = FTraits[static_cast<std::size_t>(Class)];
            Rule.Slots[static_cast<std::size_t>(K)] = Class;
            Rule.AnyCount = static_cast<std::int8_t>(Rule.AnyCount + (Traits.Any ? 1 : 0));
            Rule.BlankCount = static_cast<std::int8_t>(Rule.BlankCount + (Traits.Blank ? 1 : 0));
            if (Rule.FirstNamed < 0 && !Traits.Any)
                Rule.FirstNamed = static_cast<std::int8_t>(K);
        }
        AddRuleSet(Source, Rule);

        const std::string& Lens = Source.GE();
        if (HasWildcard(Lens)) {
            const std::string Pattern = MatchKey(Lens);
            const auto Same =
                std::find_if(FLensPatterns.begin(), FLensPatterns.end(),
                             [&](const auto& Entry) { return Entry.first == Pattern; });
            if (Same != FLensPatterns.end())
                Same->second.push_back(I);
            else
                FLensPatterns.emplace_back(Pattern, std::vector<int>{I});
        } else {
            const auto [Entry, Added] =
                FLensKeys.try_emplace(MatchKey(Lens), static_cast<int>(FRulesByLensKey.size()));
            if (Added)
                FRulesByLensKey.emplace_back();
            FRulesByLensKey[static_cast<std::size_t>(Entry->second)].push_back(I);
        }
    }
    FSetRules.assign(FClasses.size(), nullptr);
    for (const TRule& Rule : FRules) {
        if (FSetRules[static_cast<std::size_t>(Rule.KeyClass)] == nullptr)
            FSetRules[static_cast<std::size_t>(Rule.KeyClass)] = &Rule;
    }
}

// A rule that names one code has that code as its set; only a set of more codes is made.
void TEvaluationTables::AddRuleSet(const Tdex6DataKombination& Source, TRule& Rule) {
    int Named = 0;
    int Only = 0;
    for (int K = 0; K < SlotCount; ++K) {
        if (FTraits[static_cast<std::size_t>(Rule.Slots[static_cast<std::size_t>(K)])].Pattern <
            0) {
            ++Named;
            Only = K;
        }
    }
    const std::string& Code = Source.CoatingSlot(Only + 1);
    // A tab in the code would split or end the set.
    if (Named == 1 && Code.find('\t') == std::string::npos) {
        Rule.KeyClass = ClassOfModelText(Code);
        if (!Code.empty())
            Rule.KeyFields[static_cast<std::size_t>(Rule.KeyFieldCount++)] = Rule.KeyClass;
        return;
    }
    const std::string Key = Source.CoatingKey();
    Rule.KeyClass = ClassOf(Key);
    for (int Field = 1; !Key.empty() && Field <= SlotCount; ++Field) {
        const std::string_view Code = GetField(Key, "\t", Field);
        if (!Code.empty())
            Rule.KeyFields[static_cast<std::size_t>(Rule.KeyFieldCount++)] = ClassOf(Code);
    }
}

void TEvaluationTables::RulesOf(std::string_view Glass, std::vector<int>& Result) const {
    Result.clear();
    if (HasWildcard(Glass)) {
        for (std::size_t I = 0; I < FRules.size(); ++I) {
            if (CodesMatch(Glass, FRules[I].Source->GE()))
                Result.push_back(static_cast<int>(I));
        }
        return;
    }
    const std::string Key = MatchKey(Glass);
    if (const auto Found = FLensKeys.find(Key); Found != FLensKeys.end()) {
        const std::vector<int>& Plain = FRulesByLensKey[static_cast<std::size_t>(Found->second)];
        Result.insert(Result.end(), Plain.begin(), Plain.end());
    }
    const std::size_t PlainCount = Result.size();
    for (const auto& [Pattern, Numbers] : FLensPatterns) {
        if (CodesMatch(Key, Pattern))
            Result.insert(Result.end(), Numbers.begin(), Numbers.end());
    }
    if (Result.size() > PlainCount)
        std::sort(Result.begin(), Result.end());
}

} // namespace kr6
