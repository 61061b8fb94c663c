#include "model/Combinations.h"

#include "helpers/CombinationModel.h"
#include "support/TextCompare.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace kr6 {
namespace {

using test::Codes;
using test::Lines;
using test::TCombinationModel;

const TMaterialSet K{Tdex6Material::Kunststoff};
const TMaterialSet S{Tdex6Material::Silikat};

// Lens L1 of Kunststoff with AR, HC, UV1, UV2 (both with the UV flag) for Kunststoff and
// SIL for Silikat only.
class CheckCombinationTest : public ::testing::Test {
protected:
    void SetUp() override {
        M.Lens("L1", Tdex6Material::Kunststoff);
        M.AntiReflection("AR", K);
        M.Coating("HC", K);
        M.Coating("UV1", K).UV = true;
        M.Coating("UV2", K).UV = true;
        M.Coating("SIL", S);
    }
    // The result, then Problems and Required.
    std::string Check(std::initializer_list<std::string_view> Set, bool WithRequired = true,
                      std::string_view Glass = "L1") {
        TStringList Problems;
        TStringList Required;
        const std::int32_t Result = M.Rules().CheckCombination(Glass, Codes(Set), Problems,
                                                               WithRequired ? &Required : nullptr);
        return std::to_string(Result) + " " + Lines(Problems) + " / " + Lines(Required);
    }
    TCombinationModel M;
};

TEST_F(CheckCombinationTest, CoatingsOfTheWrongMaterialAreProblems) {
    EXPECT_EQ(Check({}), "0  / ");
    EXPECT_EQ(Check({"AR", "HC"}), "0  / ");
    EXPECT_EQ(Check({"sil", "HC"}), "1 sil / ");
    EXPECT_EQ(Check({"XY"}), "0  / ") << "codes of no coating are not judged";
    EXPECT_EQ(Check({"AR"}, true, "NOLENS"), "1 AR / ");
}

TEST_F(CheckCombinationTest, NichtLieferbarForOneCoating) {
    M.Rule("L1", "******", "HC", "******", Tdex6Delivery::NichtLieferbar);
    M.Sort();
    // Not allowed, named by the rule, and forbidden as a set of one.
    EXPECT_EQ(Check({"hc"}), "3 hc,HC,HC / ");
    EXPECT_EQ(Check({"AR"}), "0  / ");
}

TEST_F(CheckCombinationTest, NichtLieferbarSetIsLiftedByALaterLieferbarRule) {
    M.Rule("L1", "AR", "HC", "******", Tdex6Delivery::NichtLieferbar);
    M.Rule("L1", "HC", "******", "AR", Tdex6Delivery::Lieferbar);
    EXPECT_EQ(M.Rules().Count(), 1) << "the same lens and coatings are one rule";
    M.Sort();
    EXPECT_EQ(Check({"AR", "HC"}), "4 AR,HC,AR,HC / ");
    EXPECT_EQ(Check({"AR", "HC", "SIL"}), "5 SIL,AR,HC,AR,HC / ");
    EXPECT_EQ(Check({"AR"}), "0  / ");
    EXPECT_EQ(Check({"HC"}), "0  / ");

    // Another spelling of the lens gets past AddRule and sorts after the forbidding rule.
    M.Rule("L1 ", "hc", "******", "AR", Tdex6Delivery::Lieferbar);
    ASSERT_EQ(M.Rules().Count(), 2);
    EXPECT_EQ(Check({"AR", "HC"}), "0  / ");
}

TEST_F(CheckCombinationTest, AllWildcardsForbidEveryCoatingButNotTheBareLens) {
    M.Rule("L1", "******", "******", "******", Tdex6Delivery::NichtLieferbar);
    M.Rule("L1", "HC", "******", "******", Tdex6Delivery::Lieferbar);
    M.Sort();
    EXPECT_EQ(Check({}), "0  / ");
    EXPECT_EQ(Check({"AR"}), "1 AR / ");
    EXPECT_EQ(Check({"HC"}), "0  / ");
    EXPECT_EQ(Check({"AR", "HC"}), "1 AR / ");
}

TEST_F(CheckCombinationTest, NurLieferbarNeedsAMatchingSet) {
    M.Rule("L1", "AR", "******", "******", Tdex6Delivery::NurLieferbar);
    M.Sort();
    EXPECT_EQ(Check({}), "1  / AR");
    EXPECT_EQ(Check({"HC"}), "1  / AR");
    EXPECT_EQ(Check({"ar"}), "0  / ");
    EXPECT_EQ(Check({"AR", "HC"}), "0  / ");
    EXPECT_EQ(Check({"AR", "SIL"}), "1 SIL / ");
    // Without Required the rule has no effect.
    EXPECT_EQ(Check({}, false), "0  / ");
    EXPECT_EQ(Check({"HC"}, false), "0  / ");
}

TEST_F(CheckCombinationTest, NurLieferbarLiftsItsCoatingsAndOffersOnlyAllowedOnes) {
    // SIL is no coating for Kunststoff: the rule names it, so it is skipped when the
    // allowed coatings are built, and it is never offered.
    M.Rule("L1", "SIL", "******", "******", Tdex6Delivery::NurLieferbar);
    M.Rule("L1", "HC", "", "", Tdex6Delivery::NurLieferbar);
    M.Rule("L1", "******", "UV1", "******", Tdex6Delivery::NichtLieferbar);
    M.Rule("L1", "UV1", "AR", "******", Tdex6Delivery::NurLieferbar);
    M.Sort();
    // The "nur lieferbar" rule for UV1 puts it back among the allowed coatings, so it is
    // offered; the blank slot is offered as the empty text.
    EXPECT_EQ(Check({}), "4  / <>,AR,HC,UV1");
    EXPECT_EQ(Check({"SIL"}), "0  / ");
    EXPECT_EQ(Check({"HC"}), "0  / ");
    EXPECT_EQ(Check({"HC", "AR"}), "4  / <>,AR,HC,UV1");
    // The matching set lifts the problem that the forbidding rule named, but not the set
    // that rule forbids.
    EXPECT_EQ(Check({"UV1", "AR"}), "1 UV1 / ");
}

TEST_F(CheckCombinationTest, IncompatibleCoatingsAreNamedInPairs) {
    EXPECT_EQ(Check({"UV2", "HC", "uv1"}), "2 uv1,UV2 / ");
    M.AntiReflection("AR2", K);
    EXPECT_EQ(Check({"AR", "AR2", "UV1", "UV2"}), "4 AR,AR2,UV1,UV2 / ");
}

TEST_F(CheckCombinationTest, LensPatternsAndLetterCase) {
    M.Lens("1234", Tdex6Material::Kunststoff);
    M.Lens("1334", Tdex6Material::Kunststoff);
    M.Rule("12****", "******", "hc", "******", Tdex6Delivery::NichtLieferbar);
    M.Sort();
    EXPECT_EQ(Check({"HC"}, true, "1234"), "3 HC,hc,hc / ");
    EXPECT_EQ(Check({"HC"}, true, "1334"), "0  / ");
    EXPECT_EQ(Check({"HC", "hc"}, true, "1334"), "0  / ") << "one coating in two spellings";
}

// ---------------------------------------------------------------------------------------
// A second, plain implementation of the rules on vectors of texts, as a reference for
// the model's own. Deliberately unoptimised: every lookup is a linear scan.

using TTexts = std::vector<std::string>;

char FoldAscii(char C) {
    return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C;
}

bool PlainSame(std::string_view A, std::string_view B) {
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I)
        if (FoldAscii(A[I]) != FoldAscii(B[I]))
            return false;
    return true;
}

bool Has(const TTexts& List, std::string_view S) {
    for (const std::string& E : List)
        if (CompareText(E, S) == 0)
            return true;
    return false;
}

void RemoveFirst(TTexts& List, std::string_view S) {
    for (std::size_t I = 0; I < List.size(); ++I)
        if (CompareText(List[I], S) == 0) {
            List.erase(List.begin() + static_cast<std::ptrdiff_t>(I));
            return;
        }
}

void SetAdd(TTexts& Set, std::string_view S) {
    if (Has(Set, S))
        return;
    std::size_t At = 0;
    while (At < Set.size() && CompareText(Set[At], S) < 0)
        ++At;
    Set.insert(Set.begin() + static_cast<std::ptrdiff_t>(At), std::string(S));
}

TTexts SetOf(const TTexts& List) {
    TTexts Set;
    for (const std::string& E : List)
        SetAdd(Set, E);
    return Set;
}

TTexts Minus(TTexts Set, const TTexts& Other) {
    for (const std::string& E : Other)
        RemoveFirst(Set, E);
    return Set;
}

std::string TrimmedRight(std::string S) {
    while (!S.empty() && S.back() == ' ')
        S.pop_back();
    return S;
}

bool HasStar(std::string_view S) {
    return S.find('*') != std::string_view::npos;
}

bool CodesMatch(std::string_view A, std::string_view B) {
    for (std::size_t I = 0; I < 6; ++I) {
        const char CA = I < A.size() ? AnsiUpperChar(A[I]) : ' ';
        const char CB = I < B.size() ? AnsiUpperChar(B[I]) : ' ';
        if (CA != CB && CA != '*' && CB != '*')
            return false;
    }
    return true;
}

std::string Six(std::string S) {
    S.resize(6, ' ');
    return S;
}

struct TPlainLens {
    std::string Code;
    int Material = 1;
};

// Features: bit 0 an anti-reflection type, bits 1 to 14 the exclusive flags.
struct TPlainCoating {
    std::string Code;
    unsigned Materials = 0;
    bool AntiReflection = false;
    bool Tint = false;
    unsigned Features = 0;
};

struct TPlainRule {
    int LB = 0;
    std::string GE;
    std::array<std::string, 3> Slot;
};

struct TPlainModel {
    std::vector<TPlainLens> Lenses;
    std::vector<TPlainCoating> Coatings;
    std::vector<TPlainRule> Rules;
};

bool IsSpecialCode(std::string_view Code) {
    for (std::string_view G : {"Z1", "Z2", "Z3", "P1", "P2", "P3", "P4", "P5", "P6"})
        if (PlainSame(Code, G))
            return true;
    return false;
}

unsigned KindsOf(const TPlainCoating& C) {
    const bool Special = IsSpecialCode(C.Code);
    unsigned Kinds = 0;
    if (C.AntiReflection)
        Kinds |= 1U;
    if (C.Tint)
        Kinds |= 2U;
    if (!Special && !C.AntiReflection && !C.Tint)
        Kinds |= 4U;
    if (Special)
        Kinds |= 8U;
    return Kinds;
}

const TPlainLens* FindLens(const TPlainModel& Model, const std::string& Glass) {
    const std::string Code = TrimmedRight(Glass);
    const TPlainLens* Found = nullptr;
    for (const TPlainLens& L : Model.Lenses)
        if (PlainSame(L.Code, Code))
            Found = &L;
    return Found;
}

const TPlainCoating* FindCoating(const TPlainModel& Model, const std::string& Code) {
    if (Code.empty())
        return nullptr;
    const TPlainCoating* Found = nullptr;
    for (const TPlainCoating& C : Model.Coatings)
        if (PlainSame(C.Code, Code))
            Found = &C;
    return Found;
}

TTexts CodesFor(const TPlainModel& Model, unsigned Materials, unsigned Kinds) {
    TTexts Set;
    for (const TPlainCoating& C : Model.Coatings)
        if ((C.Materials & Materials) != 0 && (KindsOf(C) & Kinds) != 0)
            SetAdd(Set, C.Code);
    return Set;
}

int CountIf(const TPlainRule& R, bool (*Test)(const std::string&)) {
    int N = 0;
    for (const std::string& S : R.Slot)
        if (Test(S))
            ++N;
    return N;
}

bool IsAny(const std::string& S) {
    return S == "******";
}
bool IsBlank(const std::string& S) {
    return TrimmedRight(S).empty();
}

bool RuleMatches(const TPlainRule& R, const TTexts& Coatings) {
    const TTexts Work = SetOf(Coatings);
    const int Blank = CountIf(R, IsBlank);
    if (Blank == 1 && Work.size() > 2)
        return false;
    if (Blank == 2 && Work.size() > 1)
        return false;
    if (Blank == 3 && !Work.empty())
        return false;
    for (const std::string& S : R.Slot) {
        if (IsBlank(S))
            continue;
        bool Met = false;
        for (const std::string& C : Work)
            if (CodesMatch(S, C))
                Met = true;
        if (!Met)
            return false;
    }
    return true;
}

std::string KeyOf(const TPlainRule& R) {
    TTexts Set;
    for (const std::string& S : R.Slot)
        if (!HasStar(S))
            SetAdd(Set, S);
    std::string Key;
    for (std::size_t I = 0; I < Set.size(); ++I)
        Key += (I > 0 ? "\t" : "") + Set[I];
    while (!Key.empty() && Key.back() == '\t')
        Key.pop_back();
    return Key;
}

std::string SortKeyOf(const TPlainRule& R) {
    return Six(R.GE) + std::to_string(R.LB) + Six(R.Slot[0]) + Six(R.Slot[1]) + Six(R.Slot[2]);
}

std::vector<const TPlainRule*> PlainRulesOfGlass(const TPlainModel& Model,
                                                 const std::string& Glass) {
    std::vector<const TPlainRule*> Found;
    for (const TPlainRule& R : Model.Rules)
        if (CodesMatch(Glass, R.GE))
            Found.push_back(&R);
    return Found;
}

struct TPlainLists {
    TTexts Allowed;
    TTexts Disallowed;
    TTexts Wrong;
};

TPlainLists PlainCoatingsOfGlass(const TPlainModel& Model, const std::string& Glass,
                                 bool IncludeSpecial, bool WantWrong) {
    const unsigned Kinds = IncludeSpecial ? 15U : 7U;
    const unsigned AllMaterials = 0b11110U;
    TTexts Result;
    TTexts Wrong;
    if (const TPlainLens* Lens = FindLens(Model, Glass)) {
        const TTexts Candidates = CodesFor(Model, 1U << Lens->Material, Kinds);
        Wrong = Minus(CodesFor(Model, AllMaterials, 15U), Candidates);
        Result = Candidates;
        for (const TPlainRule* R : PlainRulesOfGlass(Model, Glass)) {
            if (R->LB == 0) {
                const int Any = CountIf(*R, IsAny);
                if (Any == 3) {
                    Result.clear();
                } else if (Any == 2) {
                    std::string Named;
                    for (const std::string& S : R->Slot)
                        if (!IsAny(S)) {
                            Named = S;
                            break;
                        }
                    if (!HasStar(Named)) {
                        RemoveFirst(Result, Named);
                    } else {
                        TTexts Kept;
                        for (const std::string& C : Result)
                            if (!CodesMatch(Named, C))
                                Kept.push_back(C);
                        Result = Kept;
                    }
                }
                continue;
            }
            bool Skip = false;
            for (const std::string& S : R->Slot)
                if (!HasStar(S) && Has(Wrong, S))
                    Skip = true;
            if (Skip)
                continue;
            for (const std::string& S : R->Slot)
                if (!HasStar(S))
                    SetAdd(Result, S);
        }
    }
    TPlainLists Lists;
    Lists.Allowed = Result;
    if (WantWrong)
        Lists.Wrong = Wrong;
    Lists.Disallowed = Minus(CodesFor(Model, AllMaterials, Kinds), Result);
    if (WantWrong)
        Lists.Disallowed = Minus(Lists.Disallowed, Wrong);
    return Lists;
}

struct TPlainCheck {
    int Result = 0;
    TTexts Problems;
    TTexts Required;
};

TPlainCheck PlainCheckCombination(const TPlainModel& Model, const std::string& Glass,
                                  const TTexts& Coatings, bool WithRequired) {
    TPlainCheck Out;
    const TTexts Work = SetOf(Coatings);
    const TTexts D = PlainCoatingsOfGlass(Model, Glass, true, false).Disallowed;
    for (const std::string& C : Work)
        if (Has(D, C))
            Out.Problems.push_back(C);

    bool AnyMatched = false;
    TTexts Req;
    TTexts Forbidden;
    for (const TPlainRule* R : PlainRulesOfGlass(Model, Glass)) {
        const bool Matches = RuleMatches(*R, Coatings);
        const bool Checked = R->LB == 2 || (R->LB == 0 && CountIf(*R, IsAny) == 3) || Matches;
        if (!Checked)
            continue;
        if (R->LB == 2 && WithRequired) {
            if (Matches) {
                AnyMatched = true;
                for (const std::string& S : R->Slot)
                    if (!HasStar(S))
                        RemoveFirst(Out.Problems, S);
            }
            for (const std::string& S : R->Slot)
                if (!HasStar(S) && !Has(D, S))
                    SetAdd(Req, S);
            continue;
        }
        if (!Matches)
            continue;
        if (R->LB == 0) {
            for (const std::string& S : R->Slot)
                for (const std::string& C : Work)
                    if (CodesMatch(S, C) && !IsAny(S)) {
                        Out.Problems.push_back(S);
                        TTexts Kept;
                        for (const std::string& E : Req)
                            if (!CodesMatch(S, E))
                                Kept.push_back(E);
                        Req = Kept;
                    }
            SetAdd(Forbidden, KeyOf(*R));
        } else if (R->LB == 1) {
            for (const std::string& S : R->Slot)
                for (const std::string& C : Work)
                    if (PlainSame(S, C)) {
                        RemoveFirst(Out.Problems, C);
                        RemoveFirst(Forbidden, S);
                    }
            RemoveFirst(Forbidden, KeyOf(*R));
        }
    }
    for (const std::string& Key : Forbidden) {
        if (Key.empty())
            continue;
        TTexts Fields(3);
        std::size_t Field = 0;
        for (char Ch : Key) {
            if (Ch == '\t')
                ++Field;
            else if (Field < 3)
                Fields[Field] += Ch;
        }
        bool All = true;
        for (const std::string& F : Fields)
            if (!F.empty() && !Has(Work, F))
                All = false;
        if (All)
            for (const std::string& F : Fields)
                if (!F.empty())
                    Out.Problems.push_back(F);
    }
    for (std::size_t I = 0; I < Work.size(); ++I)
        for (std::size_t J = I + 1; J < Work.size(); ++J) {
            const TPlainCoating* A = FindCoating(Model, Work[I]);
            const TPlainCoating* B = FindCoating(Model, Work[J]);
            if (A != nullptr && B != nullptr && (A->Features & B->Features) != 0) {
                Out.Problems.push_back(Work[I]);
                Out.Problems.push_back(Work[J]);
            }
        }
    Out.Result = static_cast<int>(Out.Problems.size());
    if (WithRequired && !AnyMatched && !Req.empty()) {
        Out.Required = Req;
        Out.Result += static_cast<int>(Req.size());
    }
    return Out;
}

// ---------------------------------------------------------------------------------------
// Random small models, built twice: in the real lists and in the plain form.

class TRandomModels {
public:
    explicit TRandomModels(std::uint32_t Seed) : FRandom(Seed) {}

    int Below(int N) { return static_cast<int>(FRandom() % static_cast<std::uint32_t>(N)); }
    bool Chance(int Percent) { return Below(100) < Percent; }

    std::string Vary(std::string Code) {
        for (char& C : Code) {
            if (!Chance(40))
                continue;
            if (C >= 'a' && C <= 'z')
                C = static_cast<char>(C - 'a' + 'A');
            else if (C >= 'A' && C <= 'Z')
                C = static_cast<char>(C - 'A' + 'a');
            else if (C == '\xC4')
                C = '\xE4';
            else if (C == '\xE4')
                C = '\xC4';
        }
        return Code;
    }

    std::string NewCode(std::string_view Letters, int MinLength, int MaxLength) {
        std::string Code;
        const int Length = MinLength + Below(MaxLength - MinLength + 1);
        for (int I = 0; I < Length; ++I)
            Code += Letters[static_cast<std::size_t>(Below(static_cast<int>(Letters.size())))];
        return Code;
    }

    std::string Pattern(const std::string& Code) {
        std::string P = Code;
        if (Chance(50))
            P[static_cast<std::size_t>(Below(static_cast<int>(P.size())))] = '*';
        else
            P = P.substr(0, 1) + "*****";
        return P;
    }

    template <class T> const T& Pick(const std::vector<T>& From) {
        return From[static_cast<std::size_t>(Below(static_cast<int>(From.size())))];
    }

    std::string Slot(const TPlainModel& Plain) {
        const int Roll = Below(100);
        if (Roll < 40)
            return Vary(Pick(Plain.Coatings).Code);
        if (Roll < 62)
            return "******";
        if (Roll < 72)
            return Pattern(Pick(Plain.Coatings).Code);
        if (Roll < 85)
            return "";
        if (Roll < 90)
            return "  ";
        return NewCode("QX", 1, 2);
    }

    std::string LensCode(const TPlainModel& Plain) {
        const int Roll = Below(100);
        if (Roll < 55)
            return Vary(Pick(Plain.Lenses).Code);
        if (Roll < 70)
            return "******";
        if (Roll < 88)
            return Pattern(Pick(Plain.Lenses).Code);
        return NewCode("LN", 2, 2);
    }

    void Build(TCombinationModel& Real, TPlainModel& Plain) {
        const int LensCount = 2 + Below(5);
        for (int I = 0; I < LensCount; ++I) {
            TPlainLens L;
            L.Code = I > 0 && Chance(15) ? Vary(Plain.Lenses.back().Code) : NewCode("Ll12", 2, 3);
            L.Material = Chance(10) ? 0 : 1 + Below(2);
            Plain.Lenses.push_back(L);
            Real.Lens(L.Code, static_cast<Tdex6Material>(L.Material));
        }
        const int CoatingCount = 3 + Below(7);
        for (int I = 0; I < CoatingCount; ++I) {
            TPlainCoating C;
            if (Chance(8))
                C.Code = Vary(Pick(std::vector<std::string>{"P1", "Z2", "p6"}));
            else if (I > 0 && Chance(12))
                C.Code = Vary(Plain.Coatings.back().Code);
            else
                C.Code = NewCode("AaBbCc1\xC4", 1, 3);
            C.Materials = static_cast<unsigned>(Below(32));
            C.AntiReflection = Chance(30);
            C.Tint = Chance(30);
            for (unsigned Bit = 1; Bit <= 14; ++Bit)
                if (Chance(4))
                    C.Features |= 1U << Bit;
            if (C.AntiReflection)
                C.Features |= 1U;
            Plain.Coatings.push_back(C);
            AddCoating(Real, C);
        }
        const bool ThroughAddRule = Chance(50);
        const int RuleCount = Below(14);
        std::vector<TPlainRule> Added;
        for (int I = 0; I < RuleCount; ++I) {
            TPlainRule R;
            R.LB = Below(3);
            R.GE = LensCode(Plain);
            for (std::string& S : R.Slot)
                S = Slot(Plain);
            if (ThroughAddRule) {
                if (PlainFindRule(Added, R))
                    continue;
                Real.Rules().AddRule(R.GE, R.Slot[0], R.Slot[1], R.Slot[2],
                                     static_cast<Tdex6Delivery>(R.LB));
            } else {
                Tdex6DataKombination& Rule = *Real.Rules().NewRule();
                Rule.SetLB(static_cast<Tdex6Delivery>(R.LB));
                Rule.SetGE(R.GE);
                Rule.SetB1E(R.Slot[0]);
                Rule.SetB2E(R.Slot[1]);
                Rule.SetB3E(R.Slot[2]);
            }
            Added.push_back(R);
        }
        Real.Sort();
        // Stable insertion sort by SortKey.
        for (const TPlainRule& R : Added) {
            std::size_t At = Plain.Rules.size();
            while (At > 0 && CompareText(SortKeyOf(Plain.Rules[At - 1]), SortKeyOf(R)) > 0)
                --At;
            Plain.Rules.insert(Plain.Rules.begin() + static_cast<std::ptrdiff_t>(At), R);
        }
    }

    TTexts CoatingSet(const TPlainModel& Plain) {
        TTexts Set;
        const int Size = Below(5);
        for (int I = 0; I < Size; ++I) {
            const int Roll = Below(100);
            if (Roll < 88)
                Set.push_back(Vary(Pick(Plain.Coatings).Code));
            else if (Roll < 95)
                Set.push_back(NewCode("QX", 1, 2));
            else
                Set.push_back("");
        }
        return Set;
    }

private:
    static bool PlainFindRule(const std::vector<TPlainRule>& Rules, const TPlainRule& R) {
        static const std::array<std::array<int, 3>, 6> Orders{
            {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
        for (const TPlainRule& E : Rules) {
            if (!PlainSame(E.GE, R.GE))
                continue;
            for (const auto& O : Orders)
                if (PlainSame(E.Slot[0], R.Slot[O[0]]) && PlainSame(E.Slot[1], R.Slot[O[1]]) &&
                    PlainSame(E.Slot[2], R.Slot[O[2]]))
                    return true;
        }
        return false;
    }

    static void AddCoating(TCombinationModel& Real, const TPlainCoating& C) {
        Tdex6DataBeschichtung& Coating = Real.Coating(C.Code, TMaterialSet::FromBits(C.Materials));
        if (C.AntiReflection)
            Coating.ET = Tdex6AntiReflection::EinfachET;
        if (C.Tint)
            Coating.FA = Tdex6Tint::Farbig;
        bool* const Flags[] = {&Coating.PH,   &Coating.HA,  &Coating.CL,   &Coating.UV,
                               &Coating.VS,   &Coating.ADB, &Coating.AAD,  &Coating.WAL,
                               &Coating.DEZ,  &Coating.PRH, &Coating.MATT, &Coating.BENT,
                               &Coating.BTOR, &Coating.ATOR};
        for (unsigned Bit = 1; Bit <= 14; ++Bit)
            *Flags[Bit - 1] = (C.Features >> Bit & 1U) != 0;
    }

    std::mt19937 FRandom;
};

TTexts TextsOf(const TStringList& List) {
    TTexts Texts;
    for (const auto& Entry : List)
        Texts.push_back(Entry.Text);
    return Texts;
}

std::string Describe(const TPlainModel& Model) {
    std::string Text = "lenses:";
    for (const TPlainLens& L : Model.Lenses)
        Text += " " + L.Code + "/" + std::to_string(L.Material);
    Text += "\ncoatings:";
    for (const TPlainCoating& C : Model.Coatings)
        Text += " " + C.Code + "/m" + std::to_string(C.Materials) + "/k" +
                std::to_string(KindsOf(C)) + "/f" + std::to_string(C.Features);
    Text += "\nrules:";
    for (const TPlainRule& R : Model.Rules)
        Text += "\n  " + R.GE + " " + std::to_string(R.LB) + " [" + R.Slot[0] + "][" + R.Slot[1] +
                "][" + R.Slot[2] + "]";
    return Text;
}

// Counts what it is told; the check must call it once per lens lookup.
struct TCountingObserver : TCombinationObserver {
    int Lenses = 0;
    int Events = 0;
    void LensFound(const Tdex6DataGlas* /*Lens*/) override { ++Lenses; }
    void RuleTaken(const Tdex6DataKombination& /*Rule*/, bool /*Matches*/) override { ++Events; }
    void ProblemAdded(std::string_view /*Code*/) override { ++Events; }
    void ProblemRemoved(std::string_view /*Code*/) override { ++Events; }
    void RequiredOffered(std::string_view /*Code*/) override { ++Events; }
};

TEST(CheckCombinationRandom, AgreesWithThePlainReading) {
    TRandomModels Random(20240611);
    int Deliverable = 0;
    int Undeliverable = 0;
    int WithRequired = 0;
    int Observed = 0;
    for (int ModelIndex = 0; ModelIndex < 300; ++ModelIndex) {
        TCombinationModel Real;
        TPlainModel Plain;
        Random.Build(Real, Plain);
        ASSERT_EQ(Real.Rules().Count(), static_cast<int>(Plain.Rules.size()));
        for (int I = 0; I < Real.Rules().Count(); ++I)
            ASSERT_EQ(Real.Rules().GetItem(I)->SortKey(), SortKeyOf(Plain.Rules[I]))
                << "model " << ModelIndex << "\n"
                << Describe(Plain);

        std::vector<std::string> Glasses;
        for (const TPlainLens& L : Plain.Lenses)
            Glasses.push_back(Random.Vary(L.Code));
        Glasses.push_back(Plain.Lenses.front().Code + "  ");
        Glasses.push_back("NONE");

        for (const std::string& Glass : Glasses) {
            for (int Variant = 0; Variant < 4; ++Variant) {
                const bool IncludeSpecial = (Variant & 1) != 0;
                const bool WantWrong = (Variant & 2) != 0;
                TStringList Allowed(true);
                TStringList Disallowed(true);
                TStringList Wrong(true);
                Real.Rules().CoatingsOfGlass(Glass, &Allowed, &Disallowed,
                                             WantWrong ? &Wrong : nullptr, IncludeSpecial);
                const TPlainLists Expected =
                    PlainCoatingsOfGlass(Plain, Glass, IncludeSpecial, WantWrong);
                const bool Same = TextsOf(Allowed) == Expected.Allowed &&
                                  TextsOf(Disallowed) == Expected.Disallowed &&
                                  TextsOf(Wrong) == Expected.Wrong;
                ASSERT_TRUE(Same) << "model " << ModelIndex << ", lens " << Glass << ", variant "
                                  << Variant << "\n"
                                  << Describe(Plain) << "\nallowed " << Lines(Allowed)
                                  << "\ndisallowed " << Lines(Disallowed) << "\nwrong "
                                  << Lines(Wrong);
            }
            for (int SetIndex = 0; SetIndex < 8; ++SetIndex) {
                const TTexts Set = Random.CoatingSet(Plain);
                TStringList Coatings(Random.Chance(50));
                for (const std::string& C : Set)
                    Coatings.Add(C);
                const bool GiveRequired = Random.Chance(75);
                TStringList Problems;
                TStringList Required;
                const std::int32_t Result = Real.Rules().CheckCombination(
                    Glass, Coatings, Problems, GiveRequired ? &Required : nullptr);
                const TPlainCheck Expected =
                    PlainCheckCombination(Plain, Glass, TextsOf(Coatings), GiveRequired);
                // Watching the check changes nothing.
                TStringList WatchedProblems;
                TStringList WatchedRequired;
                TCountingObserver Observer;
                ASSERT_EQ(Real.Rules().CheckCombination(Glass, Coatings, WatchedProblems,
                                                        GiveRequired ? &WatchedRequired : nullptr,
                                                        &Observer),
                          Result);
                ASSERT_EQ(TextsOf(WatchedProblems), TextsOf(Problems));
                ASSERT_EQ(TextsOf(WatchedRequired), TextsOf(Required));
                ASSERT_EQ(Observer.Lenses, 1);
                Observed += Observer.Events;
                ASSERT_TRUE(Result == Expected.Result && TextsOf(Problems) == Expected.Problems &&
                            TextsOf(Required) == Expected.Required)
                    << "model " << ModelIndex << ", lens " << Glass << ", coatings "
                    << Lines(Coatings) << (GiveRequired ? " with" : " without") << " Required\n"
                    << Describe(Plain) << "\ngot " << Result << " " << Lines(Problems) << " / "
                    << Lines(Required) << "\nexpected " << Expected.Result;
                (Result == 0 ? Deliverable : Undeliverable) += 1;
                WithRequired += Required.IsEmpty() ? 0 : 1;
            }
        }
    }
    // The models must exercise both outcomes and the "nur lieferbar" offers.
    EXPECT_GT(Deliverable, 1000);
    EXPECT_GT(Undeliverable, 1000);
    EXPECT_GT(WithRequired, 200);
    EXPECT_GT(Observed, 5000);
}

} // namespace
} // namespace kr6
