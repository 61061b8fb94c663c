// The combination check and the coating lists of a lens against a second, plain reading of
// the rules on vectors of texts, on random small models. The plain reading is deliberately
// unoptimised: every lookup is a linear scan.
#include "model/Combinations.h"

#include "helpers/CombinationModel.h"
#include "helpers/RandomModel.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace kr6 {
namespace {

using test::Lines;
using TTexts = std::vector<std::string>;

// Only ASCII letters fold, as in the code lookups.
bool PlainSame(std::string_view A, std::string_view B) {
    const auto Fold = [](char C) {
        return C >= 'a' && C <= 'z' ? static_cast<char>(C - 32) : C;
    };
    return std::equal(A.begin(), A.end(), B.begin(), B.end(),
                      [&](char X, char Y) { return Fold(X) == Fold(Y); });
}

template <class TList> auto Find(TList& List, std::string_view S) {
    return std::find_if(List.begin(), List.end(),
                        [&](const std::string& E) { return EqualText(E, S); });
}

bool Has(const TTexts& List, std::string_view S) {
    return Find(List, S) != List.end();
}

void RemoveFirst(TTexts& List, std::string_view S) {
    if (const auto It = Find(List, S); It != List.end())
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

bool IsBlank(const std::string& S) {
    return S.find_first_not_of(' ') == std::string::npos;
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

struct TPlainRule {
    int LB = 0;
    std::string GE;
    std::array<std::string, 3> Slot;

    // The slots without a star, in slot order.
    TTexts Named() const {
        TTexts Codes;
        for (const std::string& S : Slot)
            if (!HasStar(S))
                Codes.push_back(S);
        return Codes;
    }
};

// The lenses and coatings are read from the real lists' fields, the rules in their sorted
// order.
struct TPlainModel {
    const Tdex6Dataobject& Root;
    std::vector<TPlainRule> Rules;
};

using TCoating = Tdex6DataBeschichtung;

unsigned KindsOf(const TCoating& C) {
    bool Special = false;
    for (std::string_view G : {"Z1", "Z2", "Z3", "P1", "P2", "P3", "P4", "P5", "P6"})
        Special = Special || PlainSame(C.EDV(), G);
    const bool AntiReflection = C.ET != Tdex6AntiReflection::Keine;
    const bool Tint = C.FA != Tdex6Tint::Keine;
    return (AntiReflection ? 1U : 0U) | (Tint ? 2U : 0U) |
           (!Special && !AntiReflection && !Tint ? 4U : 0U) | (Special ? 8U : 0U);
}

// Bit 0 an anti-reflection type, bits 1 to 14 the exclusive flags.
unsigned FeaturesOf(const TCoating& C) {
    unsigned Features = C.ET != Tdex6AntiReflection::Keine ? 1U : 0U;
    unsigned Bit = 2;
    for (bool TCoating::*Flag :
         {&TCoating::PH, &TCoating::HA, &TCoating::CL, &TCoating::UV, &TCoating::VS, &TCoating::ADB,
          &TCoating::AAD, &TCoating::WAL, &TCoating::DEZ, &TCoating::PRH, &TCoating::MATT,
          &TCoating::BENT, &TCoating::BTOR, &TCoating::ATOR}) {
        Features |= C.*Flag ? Bit : 0U;
        Bit <<= 1;
    }
    return Features;
}

// The last lens or coating of the code.
template <class TList> auto FindLast(const TList& List, std::string_view Code) {
    decltype(List.Items(0)) Found = nullptr;
    for (const auto& Item : List)
        if (PlainSame(Item->EDV(), Code))
            Found = Item.get();
    return Found;
}

TTexts CodesFor(const TPlainModel& Model, unsigned Materials, unsigned Kinds) {
    TTexts Set;
    for (const auto& C : *Model.Root.Beschichtungsliste())
        if ((C->MAT.Bits() & Materials) != 0 && (KindsOf(*C) & Kinds) != 0)
            SetAdd(Set, C->EDV());
    return Set;
}

bool RuleMatches(const TPlainRule& R, const TTexts& Coatings) {
    const TTexts Work = SetOf(Coatings);
    const int Blank = static_cast<int>(std::count_if(R.Slot.begin(), R.Slot.end(), IsBlank));
    if (Blank > 0 && static_cast<int>(Work.size()) > 3 - Blank)
        return false;
    return std::all_of(R.Slot.begin(), R.Slot.end(), [&](const std::string& S) {
        return IsBlank(S) || std::any_of(Work.begin(), Work.end(),
                                         [&](const std::string& C) { return CodesMatch(S, C); });
    });
}

std::string KeyOf(const TPlainRule& R) {
    std::string Key;
    for (const std::string& S : SetOf(R.Named()))
        Key += S + "\t";
    while (!Key.empty() && Key.back() == '\t')
        Key.pop_back();
    return Key;
}

std::string SortKeyOf(const TPlainRule& R) {
    std::string Key = R.GE;
    Key.resize(6, ' ');
    Key += std::to_string(R.LB);
    for (std::string S : R.Slot) {
        S.resize(6, ' ');
        Key += S;
    }
    return Key;
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
    if (const auto* Lens = FindLast(*Model.Root.Glasliste(), TrimRightBlanks(Glass))) {
        Result = CodesFor(Model, 1U << static_cast<int>(Lens->MAT), Kinds);
        Wrong = Minus(CodesFor(Model, AllMaterials, 15U), Result);
        for (const TPlainRule* R : PlainRulesOfGlass(Model, Glass)) {
            const TTexts Named = R->Named();
            if (R->LB == 0) {
                const auto Any = std::count(R->Slot.begin(), R->Slot.end(), "******");
                if (Any == 3) {
                    Result.clear();
                } else if (Any == 2) {
                    const std::string One =
                        *std::find_if(R->Slot.begin(), R->Slot.end(),
                                      [](const auto& S) { return S != "******"; });
                    std::erase_if(Result, [&](const std::string& C) {
                        return HasStar(One) ? CodesMatch(One, C) : EqualText(One, C);
                    });
                }
            } else if (std::none_of(Named.begin(), Named.end(),
                                    [&](const std::string& S) { return Has(Wrong, S); })) {
                for (const std::string& S : Named)
                    SetAdd(Result, S);
            }
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
            AnyMatched = AnyMatched || Matches;
            for (const std::string& S : R->Named()) {
                if (Matches)
                    RemoveFirst(Out.Problems, S);
                if (!Has(D, S))
                    SetAdd(Req, S);
            }
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
        for (std::size_t At = 0, Field = 0; At < Key.size(); ++At)
            if (Key[At] == '\t')
                ++Field;
            else if (Field < 3)
                Fields[Field] += Key[At];
        if (!Key.empty() && std::all_of(Fields.begin(), Fields.end(), [&](const std::string& F) {
                return F.empty() || Has(Work, F);
            }))
            for (const std::string& F : Fields)
                if (!F.empty())
                    Out.Problems.push_back(F);
    }
    for (std::size_t I = 0; I < Work.size(); ++I)
        for (std::size_t J = I + 1; J < Work.size(); ++J) {
            const TCoating* A = FindLast(*Model.Root.Beschichtungsliste(), Work[I]);
            const TCoating* B = FindLast(*Model.Root.Beschichtungsliste(), Work[J]);
            if (A != nullptr && B != nullptr && (FeaturesOf(*A) & FeaturesOf(*B)) != 0)
                Out.Problems.insert(Out.Problems.end(), {Work[I], Work[J]});
        }
    Out.Result = static_cast<int>(Out.Problems.size());
    if (WithRequired && !AnyMatched && !Req.empty()) {
        Out.Required = Req;
        Out.Result += static_cast<int>(Req.size());
    }
    return Out;
}

// Further random features and the material "any", which the random models leave out.
void AddFeatures(Tdex6Dataobject& Root, std::mt19937& Random) {
    for (const auto& C : *Root.Beschichtungsliste()) {
        if (Random() % 5 == 0)
            C->MAT.Include(Tdex6Material::Egal);
        for (bool TCoating::*Flag :
             {&TCoating::CL, &TCoating::VS, &TCoating::ADB, &TCoating::AAD, &TCoating::WAL,
              &TCoating::DEZ, &TCoating::PRH, &TCoating::MATT, &TCoating::BENT, &TCoating::BTOR,
              &TCoating::ATOR})
            (*C).*Flag = Random() % 25 == 0;
    }
}

// The same code, its letters' case changed at random.
std::string Vary(std::string Code, std::mt19937& Random) {
    for (char& C : Code)
        if ((std::isalpha(static_cast<unsigned char>(C)) != 0 || C == '\xC4' || C == '\xE4') &&
            Random() % 3 == 0)
            C = static_cast<char>(C ^ 0x20);
    return Code;
}

// Up to four codes: mostly coatings of the model, now and then unknown or empty ones.
TTexts CoatingSet(const Tdex6DataBeschichtungsliste& Coatings, std::mt19937& Random) {
    TTexts Set;
    for (unsigned I = Random() % 5; I > 0; --I) {
        const unsigned Roll = Random() % 100;
        const int Any = static_cast<int>(Random() % Coatings.Count());
        Set.push_back(Roll < 88 ? Vary(Coatings.Items(Any)->EDV(), Random) : Roll < 95 ? "QX" : "");
    }
    return Set;
}

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
    std::mt19937 Random(20240611);
    std::array<int, 4> Seen{}; // deliverable, undeliverable, with required, observed events
    for (std::uint32_t Seed = 1; Seed <= 400; ++Seed) {
        Tdex6Dataobject Root;
        test::BuildRandomModel(Seed, Root);
        AddFeatures(Root, Random);
        TPlainModel Plain{Root, {}};
        for (const auto& R : *Root.KombinationsListe())
            Plain.Rules.push_back({Code(R->LB()), R->GE(), {R->B1E(), R->B2E(), R->B3E()}});
        Tdex6DataKombinationsListe& Rules = *Root.KombinationsListe();
        const std::string Context = "seed " + std::to_string(Seed) + "\n" + test::Describe(Root);
        for (std::size_t I = 1; I < Plain.Rules.size(); ++I)
            ASSERT_LE(CompareText(SortKeyOf(Plain.Rules[I - 1]), SortKeyOf(Plain.Rules[I])), 0)
                << Context;

        std::vector<std::string> Glasses{Root.Glasliste()->Items(0)->EDV() + "  ", "NONE"};
        for (const auto& L : *Root.Glasliste())
            Glasses.push_back(Vary(L->EDV(), Random));
        for (const std::string& Glass : Glasses) {
            for (const int Flags : {0, 1, 2, 3}) {
                const bool IncludeSpecial = (Flags & 1) != 0;
                const bool WantWrong = (Flags & 2) != 0;
                TStringList Allowed(true);
                TStringList Disallowed(true);
                TStringList Wrong(true);
                Rules.CoatingsOfGlass(Glass, &Allowed, &Disallowed, WantWrong ? &Wrong : nullptr,
                                      IncludeSpecial);
                const TPlainLists Expected =
                    PlainCoatingsOfGlass(Plain, Glass, IncludeSpecial, WantWrong);
                ASSERT_TRUE(TextsOf(Allowed) == Expected.Allowed &&
                            TextsOf(Disallowed) == Expected.Disallowed &&
                            TextsOf(Wrong) == Expected.Wrong)
                    << Context << "lens " << Glass << " flags " << Flags << "\nallowed "
                    << Lines(Allowed) << "\ndisallowed " << Lines(Disallowed) << "\nwrong "
                    << Lines(Wrong);
            }
            for (int SetIndex = 0; SetIndex < 8; ++SetIndex) {
                TStringList Coatings(Random() % 2 == 0);
                for (const std::string& C : CoatingSet(*Root.Beschichtungsliste(), Random))
                    Coatings.Add(C);
                const bool GiveRequired = Random() % 4 != 0;
                // Watching the check changes nothing.
                std::array<TStringList, 4> Lists; // problems, required, then watched
                TCountingObserver Observer;
                const std::int32_t Result = Rules.CheckCombination(
                    Glass, Coatings, Lists[0], GiveRequired ? &Lists[1] : nullptr);
                ASSERT_EQ(Rules.CheckCombination(Glass, Coatings, Lists[2],
                                                 GiveRequired ? &Lists[3] : nullptr, &Observer),
                          Result);
                const TPlainCheck Expected =
                    PlainCheckCombination(Plain, Glass, TextsOf(Coatings), GiveRequired);
                ASSERT_TRUE(Result == Expected.Result && TextsOf(Lists[0]) == Expected.Problems &&
                            TextsOf(Lists[1]) == Expected.Required &&
                            TextsOf(Lists[2]) == Expected.Problems &&
                            TextsOf(Lists[3]) == Expected.Required && Observer.Lenses == 1)
                    << Context << "lens " << Glass << ", coatings " << Lines(Coatings)
                    << (GiveRequired ? " with" : " without") << " Required\ngot " << Result << " "
                    << Lines(Lists[0]) << " / " << Lines(Lists[1]) << "\nexpected "
                    << Expected.Result;
                Seen[Result == 0 ? 0 : 1] += 1;
                Seen[2] += Lists[1].IsEmpty() ? 0 : 1;
                Seen[3] += Observer.Events;
            }
        }
    }
    // The models must exercise both outcomes and the "nur lieferbar" offers.

    EXPECT_GT(Seen[0], 1000);
    EXPECT_GT(Seen[1], 1000);
    EXPECT_GT(Seen[2], 200);
    EXPECT_GT(Seen[3], 5000);
}

} // namespace
} // namespace kr6
