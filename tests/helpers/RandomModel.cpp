#include "helpers/RandomModel.h"

#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/DeliveryRanges.h"
#include "model/Formulas.h"
#include "model/Glasses.h"
#include "model/Info.h"
#include "model/OrderOptions.h"
#include "model/Protocol.h"
#include "model/Root.h"
#include "model/RuleCodes.h"
#include "model/Variables.h"
#include "support/DateTimeText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kr6::test {
namespace {

using M = Tdex6Material;
using D = Tdex6Delivery;

// Small pools so that models share codes, differ in letter case only ("\xE4" and "\xC4"
// are one letter for the sorted lists but not for the code lookups), exceed six characters
// or end in a blank. The odd codes split or reorder key fields and send their lenses to
// the literal evaluation.
const std::vector<std::string> CoatingPool = {
    "AR",    "ar",    "AR2", "HC", "hc", "HC1",     "UV",      "T1",  "t1",   "BR",
    "\xE4X", "\xC4X", "Z1",  "z1", "P3", "ABCDEFG", "ABCDEFH", "AR ", "X\x1F"};
const std::vector<std::string> OddCoatingPool = {"A\tB", "C\x05"};
const std::vector<std::string> LensPool = {"L1",    "l1",    "L2",        "12AB",     "12CD",
                                           "\xE4L", "\xC4L", "LONGLENS1", "LONGLENS2"};
const std::vector<std::string> OddLensPool = {"L\t1", "L\x01"};
const std::vector<std::string> PatternPool = {"******", "L*", "*1", "12****", "QQ", "l*****"};
const std::vector<std::string> SlotPool = {"A*****", "*R", "H*", "a*", "", "  ", "QQ"};
const std::vector<std::string> TextPool = {
    "", "Einst\xE4rken 1.5", "a<b & \"c\" 'd' >", "zwei\r\nZeilen", "{|}~\x7F", "\x80\xFF", "  "};

class TRandom {
public:
    explicit TRandom(std::uint32_t Seed) : FEngine(Seed) {}

    int Below(int N) { return static_cast<int>(FEngine() % static_cast<std::uint32_t>(N)); }
    bool Chance(int Percent) { return Below(100) < Percent; }
    const std::string& Pick(const std::vector<std::string>& Pool) {
        return Pool[static_cast<std::size_t>(Below(static_cast<int>(Pool.size())))];
    }
    // The same code, its letters' case changed at random.
    std::string Recase(std::string Code) {
        for (char& C : Code) {
            if (!Chance(30))
                continue;
            if (C >= 'a' && C <= 'z')
                C = static_cast<char>(C - 'a' + 'A');
            else if (C >= 'A' && C <= 'Z')
                C = static_cast<char>(C - 'A' + 'a');
            else if (C == '\xE4')
                C = '\xC4';
            else if (C == '\xC4')
                C = '\xE4';
        }
        return Code;
    }

private:
    std::mt19937 FEngine;
};

} // namespace

void BuildRandomModel(std::uint32_t Seed, Tdex6Dataobject& Root, const TRandomSize& Size) {
    TRandom Random(Seed);
    std::vector<std::string> LensCodes;
    std::vector<std::string> CoatingCodes;

    const int Lenses = 1 + Random.Below(Size.Lenses);
    for (int I = 0; I < Lenses; ++I) {
        Tdex6DataGlas& Glass = *Root.Glasliste()->NewGlas();
        Glass.SetEDV(Random.Chance(4) ? Random.Pick(OddLensPool) : Random.Pick(LensPool));
        Glass.MAT = static_cast<M>(Random.Chance(15) ? 0 : 1 + Random.Below(4));
        LensCodes.push_back(Glass.EDV());
    }

    const int Coatings = 1 + Random.Below(Size.Coatings);
    for (int I = 0; I < Coatings; ++I) {
        Tdex6DataBeschichtung& Coating = *Root.Beschichtungsliste()->NewItem();
        if (I >= 8 && Random.Chance(50))
            Coating.SetEDV("D" + std::to_string(I));
        else
            Coating.SetEDV(Random.Chance(3) ? Random.Pick(OddCoatingPool)
                                            : Random.Pick(CoatingPool));
        for (int Material = 1; Material <= 4; ++Material) {
            if (Random.Chance(65))
                Coating.MAT.Include(static_cast<M>(Material));
        }
        const int Kind = Random.Below(100);
        if (Kind < 35 || Kind >= 90)
            Coating.ET = static_cast<Tdex6AntiReflection>(1 + Random.Below(4));
        if ((Kind >= 35 && Kind < 55) || Kind >= 90)
            Coating.FA = static_cast<Tdex6Tint>(1 + Random.Below(5));
        Coating.HA = Random.Chance(25);
        Coating.UV = Random.Chance(15);
        Coating.PH = Random.Chance(5);
        CoatingCodes.push_back(Coating.EDV());
    }

    const auto LensSlot = [&] {
        return Random.Chance(60) ? Random.Recase(LensCodes[static_cast<std::size_t>(
                                       Random.Below(static_cast<int>(LensCodes.size())))])
                                 : Random.Pick(Random.Chance(70) ? PatternPool : LensPool);
    };
    const auto CoatingSlot = [&]() -> std::string {
        const int Choice = Random.Below(100);
        if (Choice < 40)
            return std::string(AnyCode);
        if (Choice < 75)
            return Random.Recase(CoatingCodes[static_cast<std::size_t>(
                Random.Below(static_cast<int>(CoatingCodes.size())))]);
        return Random.Pick(Choice < 85 ? CoatingPool : SlotPool);
    };

    Tdex6DataKombinationsListe& RuleList = *Root.KombinationsListe();
    RuleList.SetSortEnabled(false);
    struct TRuleText {
        std::string Glass, C1, C2, C3;
    };
    std::vector<TRuleText> Added;
    const int Rules = Random.Below(Size.Rules);
    for (int I = 0; I < Rules; ++I) {
        TRuleText Text{LensSlot(), CoatingSlot(), CoatingSlot(), CoatingSlot()};
        // Often a rule answers an earlier one for the same set, its codes written in
        // another case and its slots in another order.
        if (!Added.empty() && Random.Chance(30)) {
            const TRuleText& Earlier =
                Added[static_cast<std::size_t>(Random.Below(static_cast<int>(Added.size())))];
            Text = {Random.Recase(Earlier.Glass), Random.Recase(Earlier.C3),
                    Random.Recase(Earlier.C1), Random.Recase(Earlier.C2)};
        }
        Added.push_back(Text);
        const auto& [Glass, C1, C2, C3] = Text;
        const auto LB = static_cast<D>(Random.Below(3));
        if (Random.Chance(70)) {
            RuleList.AddRule(Glass, C1, C2, C3, LB);
        } else {
            // Bypasses the duplicate check of AddRule.
            Tdex6DataKombination& Rule = *RuleList.NewRule();
            Rule.SetGE(Glass);
            Rule.SetB1E(C1);
            Rule.SetB2E(C2);
            Rule.SetB3E(C3);
            Rule.SetLB(LB);
        }
    }
    RuleList.SetSortEnabled(true);
}

void AddRandomParts(std::uint32_t Seed, Tdex6Dataobject& Root) {
    TRandom Random(Seed * 7919U + 1U);
    const auto Text = [&] {
        return Random.Pick(TextPool);
    };
    const auto Count = [&](int Max) {
        return Random.Below(Max + 1);
    };
    const auto Code = [&](const auto& List) {
        return List.IsEmpty() ? Text() : List.Items(Random.Below(List.Count()))->EDV();
    };
    const auto Common = [&](auto& Object) {
        Tdex6DataInfo& Info = *Object.Info();
        for (int N = Count(3); N > 0; --N)
            Info.SetInfoText(1 + Random.Below(Tdex6DataInfo::LanguageCount),
                             static_cast<Tdex6InfoKind>(Random.Below(Tdex6DataInfo::KindCount)),
                             Text());
        for (int N = Count(2); N > 0; --N) {
            Tdex6DataImage& Image = *Info.Images()->AddNew();
            Image.FN = Text();
            Image.BB = Text();
        }
        for (int N = Count(2); N > 0; --N)
            Object.FormelZuweisung()->Lines.Add(Text());
        TOrderOptionSet Options[3];
        for (int N = Count(4); N > 0; --N)
            Options[Random.Below(3)].Include(static_cast<Tdex6OrderOption>(1 + Random.Below(23)));
        Object.OrderOptions()->SetMUTE(Options[0]);
        Object.OrderOptions()->SetKADU(Options[1]);
        Object.OrderOptions()->SetMUDU(Options[2]);
        if (Random.Chance(30))
            Object.AddProtocol(Random.Below(4), Text(), Text(),
                               EncodeDateTime(2000 + Random.Below(40), 1 + Random.Below(12),
                                              1 + Random.Below(28), Random.Below(24)));
    };
    for (const auto& Glass : *Root.Glasliste()) {
        Common(*Glass);
        // The highest groups that are written, often.
        Glass->Preisgruppen()->SetS(Random.Chance(50) ? 50 : Random.Below(50), true);
        Glass->Preisgruppen()->SetC(Random.Chance(50) ? 10 : Random.Below(10), true);
    }
    for (const auto& Coating : *Root.Beschichtungsliste()) {
        Common(*Coating);
        for (int N = Count(2); N > 0; --N)
            Coating->SpecialPriceCodes().Add(Code(*Root.Glasliste()));
    }
    // Reading renumbers the coatings' sort numbers, as an import leaves them.
    Root.Beschichtungsliste()->Renumber();

    for (int N = Count(2); N > 0; --N)
        Root.Lieferbereichsbezeichnungsliste()->AddNumbered()->Bez = Text();
    for (int N = Count(3); N > 0; --N) {
        Tdex6DataVariable& Variable = *Root.Variableliste()->AddNew();
        Variable.Id = Random.Below(5);
        Variable.Bez = Text();
        Variable.W = Random.Below(10000) / 100.0;
    }
    for (int N = Count(2); N > 0; --N) {
        Tdex6DataFormelGruppe& Group = *Root.FormelGruppeListe()->AddNew();
        Group.SetID(Random.Below(4));
        Group.KB = Text();
        for (int I = Count(4); I > 0; --I) {
            Group.SetAZG(Random.Below(Tdex6DataFormelGruppe::GlassTypeCount), 1 + Random.Below(4),
                         true);
            Group.SetAZB(Random.Below(Tdex6DataFormelGruppe::CoatingTypeCount), 1 + Random.Below(4),
                         true);
        }
        for (int I = Count(2); I > 0; --I) {
            Tdex6DataFormelBereich& Range = *Group.Bereiche()->AddNew();
            Range.QPRV = Random.Below(10000) / 100.0;
            Range.Calc()->FI1 = static_cast<Tdex6FormulaKind11>(Random.Below(11));
            Range.Calc()->VAR2 = static_cast<std::uint16_t>(Random.Below(65536));
        }
        if (Random.Chance(50))
            Group.AddProtocol(ProtocolChanged, Text());
    }
    for (int N = Count(2); N > 0; --N)
        Root.Notes().Add(Text() + std::to_string(N));
}

std::string Visible(std::string_view Text) {
    return ::testing::PrintToString(std::string(Text));
}

// The model as text, to find the cause of a difference.
std::string Describe(const Tdex6Dataobject& Root) {
    std::string Text;
    for (const auto& Glass : *Root.Glasliste())
        Text += "lens " + Visible(Glass->EDV()) + " MAT " +
                std::to_string(static_cast<int>(Glass->MAT)) + "\n";
    for (const auto& Coating : *Root.Beschichtungsliste())
        Text += "coating " + Visible(Coating->EDV()) + " MAT " +
                std::to_string(Coating->MAT.Bits()) + " ET " +
                std::to_string(static_cast<int>(Coating->ET)) + " FA " +
                std::to_string(static_cast<int>(Coating->FA)) + (Coating->HA ? " HA" : "") +
                (Coating->UV ? " UV" : "") + (Coating->PH ? " PH" : "") + "\n";
    for (const auto& Rule : *Root.KombinationsListe())
        Text += "rule " + Visible(Rule->GE()) + " LB " +
                std::to_string(static_cast<int>(Rule->LB())) + " " + Visible(Rule->B1E()) + " " +
                Visible(Rule->B2E()) + " " + Visible(Rule->B3E()) + "\n";
    return Text;
}

} // namespace kr6::test
