#include "model/Combinations.h"

#include "helpers/CombinationModel.h"
#include "helpers/RandomModel.h"
#include "support/TextCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Only ASCII letters fold, as in the code lookups.
bool PlainSame(std::string_view A, std::string_view B) {
    const auto Fold = [](char C) {
        return C >= 'a' && C <= 'z' ? static_cast<char>(C - 32) : C;
    };
    return std::equal(A.begin(), A.end(), B.begin(), B.end(),
                      [&](char X, char Y) { return Fold(X) == Fold(Y); });
}

bool Has(const TTexts& List, std::string_view S) {
    return std::any_of(List.begin(), List.end(),
                       [&](const std::string& E) { return EqualText(E, S); });
}

void RemoveFirst(TTexts& List, std::string_view S) {
    const auto It = std::find_if(List.begin(), List.end(),
                                 [&](const std::string& E) { return EqualText(E, S); });
    if (It != List.end())
        List.erase(It);
}

void SetAdd(TTexts& Set, std::string_view S) {
    if (!Has(Set, S))
        Set.insert(std::find_if(Set.begin(), Set.end(),
                                [&](const std::string& E) { return CompareText(E, S) >= 0; }),
                   std::string(S));
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
    S.erase(S.find_last_not_of(' ') + 1);
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

unsigned KindsOf(const TPlainCoating& C) {
    bool Special = false;
    for (std::string_view G : {"Z1", "Z2", "Z3", "P1", "P2", "P3", "P4", "P5", "P6"})
        Special = Special || PlainSame(C.Code, G);
    return (C.AntiReflection ? 1U : 0U) | (C.Tint ? 2U : 0U) |
           (!Special && !C.AntiReflection && !C.Tint ? 4U : 0U) | (Special ? 8U : 0U);
}

// The last lens or coating of the code.
template <class T> const T* FindLast(const std::vector<T>& Items, std::string_view Code) {
    const T* Found = nullptr;
    for (const T& Item : Items)
        if (PlainSame(Item.Code, Code))
            Found = &Item;
    return Found;
}

TTexts CodesFor(const TPlainModel& Model, unsigned Materials, unsigned Kinds) {
    TTexts Set;
    for (const TPlainCoating& C : Model.Coatings)
        if ((C.Materials & Materials) != 0 && (KindsOf(C) & Kinds) != 0)
            SetAdd(Set, C.Code);
    return Set;
}

int AnyCount(const TPlainRule& R) {
    return static_cast<int>(std::count(R.Slot.begin(), R.Slot.end(), "******"));
}

int BlankCount(const TPlainRule& R) {
    return static_cast<int>(std::count_if(R.Slot.begin(), R.Slot.end(), [](const std::string& S) {
        return TrimmedRight(S).empty();
    }));
}

bool RuleMatches(const TPlainRule& R, const TTexts& Coatings) {
    const TTexts Work = SetOf(Coatings);
    const int Blank = BlankCount(R);
    if (Blank > 0 && static_cast<int>(Work.size()) > 3 - Blank)
        return false;
    for (const std::string& S : R.Slot)
        if (!TrimmedRight(S).empty() &&
            std::none_of(Work.begin(), Work.end(),
                         [&](const std::string& C) { return CodesMatch(S, C); }))
            return false;
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
    const auto Six = [](std::string S) {
        S.resize(6, ' ');
        return S;
    };
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
    if (const TPlainLens* Lens = FindLast(Model.Lenses, TrimmedRight(Glass))) {
        Result = CodesFor(Model, 1U << Lens->Material, Kinds);
        Wrong = Minus(CodesFor(Model, AllMaterials, 15U), Result);
        for (const TPlainRule* R : PlainRulesOfGlass(Model, Glass)) {
            if (R->LB == 0) {
                const int Any = AnyCount(*R);
                if (Any == 3) {
                    Result.clear();
                } else if (Any == 2) {
                    const std::string Named =
                        *std::find_if(R->Slot.begin(), R->Slot.end(),
                                      [](const auto& S) { return S != "******"; });
                    if (!HasStar(Named))
                        RemoveFirst(Result, Named);
                    else
                        std::erase_if(Result,
                                      [&](const std::string& C) { return CodesMatch(Named, C); });
                }
                continue;
            }
            if (std::any_of(R->Slot.begin(), R->Slot.end(),
                            [&](const std::string& S) { return !HasStar(S) && Has(Wrong, S); }))
                continue;
            for (const std::string& S : R->Slot)
                if (!HasStar(S))
                    SetAdd(Result, S);
        }
    }
    TPlainLists Lists{Result, Minus(CodesFor(Model, AllMaterials, Kinds), Result), {}};
    if (WantWrong) {
        Lists.Wrong = Wrong;
        Lists.Disallowed = Minus(Lists.Disallowed, Wrong);
    }
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
        } else if (Matches && R->LB == 0) {
            for (const std::string& S : R->Slot)
                for (const std::string& C : Work)
                    if (CodesMatch(S, C) && S != "******") {
                        Out.Problems.push_back(S);
                        std::erase_if(Req, [&](const std::string& E) { return CodesMatch(S, E); });
                    }
            SetAdd(Forbidden, KeyOf(*R));
        } else if (Matches && R->LB == 1) {
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
        TTexts Fields(3);
        std::size_t Field = 0;
        for (char Ch : Key) {
            if (Ch == '\t')
                ++Field;
            else if (Field < 3)
                Fields[Field] += Ch;
        }
        if (!Key.empty() && std::all_of(Fields.begin(), Fields.end(), [&](const std::string& F) {
                return F.empty() || Has(Work, F);
            }))
            for (const std::string& F : Fields)
                if (!F.empty())
                    Out.Problems.push_back(F);
    }
    for (std::size_t I = 0; I < Work.size(); ++I)
        for (std::size_t J = I + 1; J < Work.size(); ++J) {
            const TPlainCoating* A = FindLast(Model.Coatings, Work[I]);
            const TPlainCoating* B = FindLast(Model.Coatings, Work[J]);
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
    template <class T> const T& Pick(const std::vector<T>& From) {
        return From[static_cast<std::size_t>(Below(static_cast<int>(From.size())))];
    }

    // The same code, its letters' case changed at random.
    std::string Vary(std::string Code) {
        for (char& C : Code) {
            if (!Chance(40))
                continue;
            if (C >= 'a' && C <= 'z')
                C = static_cast<char>(C - 'a' + 'A');
            else if (C >= 'A' && C <= 'Z')
                C = static_cast<char>(C - 'A' + 'a');
            else if (C == '\xC4' || C == '\xE4')
                C = static_cast<char>(C ^ 0x20);
        }
        return Code;
    }

    std::string NewCode(std::string_view Letters, int MinLength, int MaxLength) {
        std::string Code;
        for (int I = MinLength + Below(MaxLength - MinLength + 1); I > 0; --I)
            Code += Letters[static_cast<std::size_t>(Below(static_cast<int>(Letters.size())))];
        return Code;
    }

    std::string Pattern(std::string Code) {
        if (!Chance(50))
            return Code.substr(0, 1) + "*****";
        Code[static_cast<std::size_t>(Below(static_cast<int>(Code.size())))] = '*';
        return Code;
    }

    std::string Slot(const TPlainModel& Plain) {
        const int Roll = Below(100);
        return Roll < 40   ? Vary(Pick(Plain.Coatings).Code)
               : Roll < 62 ? "******"
               : Roll < 72 ? Pattern(Pick(Plain.Coatings).Code)
               : Roll < 85 ? ""
               : Roll < 90 ? "  "
                           : NewCode("QX", 1, 2);
    }

    std::string LensCode(const TPlainModel& Plain) {
        const int Roll = Below(100);
        return Roll < 55   ? Vary(Pick(Plain.Lenses).Code)
               : Roll < 70 ? "******"
               : Roll < 88 ? Pattern(Pick(Plain.Lenses).Code)
                           : NewCode("LN", 2, 2);
    }

    void Build(TCombinationModel& Real, TPlainModel& Plain) {
        for (int I = 0, Count = 2 + Below(5); I < Count; ++I) {
            TPlainLens L{I > 0 && Chance(15) ? Vary(Plain.Lenses.back().Code)
                                             : NewCode("Ll12", 2, 3),
                         Chance(10) ? 0 : 1 + Below(2)};
            Plain.Lenses.push_back(L);
            Real.Lens(L.Code, static_cast<Tdex6Material>(L.Material));
        }
        for (int I = 0, Count = 3 + Below(7); I < Count; ++I) {
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
        std::vector<TPlainRule> Added;
        for (int I = 0, Count = Below(14); I < Count; ++I) {
            TPlainRule R{Below(3), LensCode(Plain), {}};
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
        // Stable insertion sort by the sort key.
        for (const TPlainRule& R : Added) {
            std::size_t At = Plain.Rules.size();
            while (At > 0 && CompareText(SortKeyOf(Plain.Rules[At - 1]), SortKeyOf(R)) > 0)
                --At;
            Plain.Rules.insert(Plain.Rules.begin() + static_cast<std::ptrdiff_t>(At), R);
        }
    }

    TTexts CoatingSet(const TPlainModel& Plain) {
        TTexts Set;
        for (int I = Below(5); I > 0; --I) {
            const int Roll = Below(100);
            Set.push_back(Roll < 88   ? Vary(Pick(Plain.Coatings).Code)
                          : Roll < 95 ? NewCode("QX", 1, 2)
                                      : "");
        }
        return Set;
    }

private:
    // A rule of the same lens whose slots are a permutation of R's.
    static bool PlainFindRule(const std::vector<TPlainRule>& Rules, const TPlainRule& R) {
        for (const TPlainRule& E : Rules) {
            std::array<int, 3> O{0, 1, 2};
            do {
                if (PlainSame(E.GE, R.GE) && PlainSame(E.Slot[0], R.Slot[O[0]]) &&
                    PlainSame(E.Slot[1], R.Slot[O[1]]) && PlainSame(E.Slot[2], R.Slot[O[2]]))
                    return true;
            } while (std::next_permutation(O.begin(), O.end()));
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
        const std::string Context =
            "model " + std::to_string(ModelIndex) + "\n" + test::Describe(Real.Root);
        ASSERT_EQ(Real.Rules().Count(), static_cast<int>(Plain.Rules.size()));
        for (int I = 0; I < Real.Rules().Count(); ++I)
            ASSERT_EQ(Real.Rules().GetItem(I)->SortKey(), SortKeyOf(Plain.Rules[I])) << Context;

        std::vector<std::string> Glasses;
        for (const TPlainLens& L : Plain.Lenses)
            Glasses.push_back(Random.Vary(L.Code));
        Glasses.push_back(Plain.Lenses.front().Code + "  ");
        Glasses.push_back("NONE");
        for (const std::string& Glass : Glasses) {
            for (const bool IncludeSpecial : {false, true})
                for (const bool WantWrong : {false, true}) {
                    TStringList Allowed(true);
                    TStringList Disallowed(true);
                    TStringList Wrong(true);
                    Real.Rules().CoatingsOfGlass(Glass, &Allowed, &Disallowed,
                                                 WantWrong ? &Wrong : nullptr, IncludeSpecial);
                    const TPlainLists Expected =
                        PlainCoatingsOfGlass(Plain, Glass, IncludeSpecial, WantWrong);
                    ASSERT_TRUE(TextsOf(Allowed) == Expected.Allowed &&
                                TextsOf(Disallowed) == Expected.Disallowed &&
                                TextsOf(Wrong) == Expected.Wrong)
                        << Context << "lens " << Glass << (IncludeSpecial ? " special" : "")
                        << (WantWrong ? " wrong" : "") << "\nallowed " << Lines(Allowed)
                        << "\ndisallowed " << Lines(Disallowed) << "\nwrong " << Lines(Wrong);
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
                ASSERT_TRUE(Result == Expected.Result && TextsOf(Problems) == Expected.Problems &&
                            TextsOf(Required) == Expected.Required)
                    << Context << "lens " << Glass << ", coatings " << Lines(Coatings)
                    << (GiveRequired ? " with" : " without") << " Required\ngot " << Result << " "
                    << Lines(Problems) << " / " << Lines(Required) << "\nexpected "
                    << Expected.Result;
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
