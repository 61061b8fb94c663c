// One small price list per kind of rule and per outcome the two questions tell apart: which
// coatings a lens allows, and whether a lens is deliverable with a set of coatings. The random
// agreement of the checks with the evaluation is the export tests' business.
#include "model/Combinations.h"

#include "helpers/CombinationModel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kr6 {
namespace {

using test::Codes;
using test::Lines;
using enum Tdex6Delivery;

constexpr TMaterialSet Plastic{Tdex6Material::Kunststoff};
constexpr TMaterialSet Glass{Tdex6Material::Silikat};

// Lens L1 of plastic; hard coat HC and primer PR of kind "other", anti-reflection coatings
// AR1 and AR2, tints T1 and T2, all for plastic; MG only for glass.
class TRules : public test::TCombinationModel {
public:
    TRules() {
        Lens("L1", Tdex6Material::Kunststoff);
        for (std::string_view Code : {"HC", "PR"})
            Coating(Code, Plastic);
        for (std::string_view Code : {"AR1", "AR2"})
            AntiReflection(Code, Plastic);
        for (std::string_view Code : {"T1", "T2"})
            Tint(Code, Plastic);
        Coating("MG", Glass);
    }

    // The problems joined by commas, then " +" and the required coatings when there are any.
    std::string Check(std::string_view Lens, std::initializer_list<std::string_view> Coatings,
                      bool WithRequired = true) {
        TStringList Problems(true);
        TStringList Required(true);
        const std::int32_t Count = Rules().CheckCombination(Lens, Codes(Coatings), Problems,
                                                            WithRequired ? &Required : nullptr);
        EXPECT_EQ(Count, Problems.Count() + Required.Count()) << Lines(Problems);
        std::string Answer = Lines(Problems);
        if (!Required.IsEmpty())
            Answer += " +" + Lines(Required);
        return Answer;
    }

    std::string Allowed(std::string_view Lens, bool IncludeSpecial = false) {
        TStringList List(true);
        Rules().CoatingsOfGlass(Lens, &List, nullptr, nullptr, IncludeSpecial);
        return Lines(List);
    }
};

TEST(CheckCombination, WithoutRulesTheLensTakesEveryCoatingOfItsMaterial) {
    TRules M;
    EXPECT_EQ(M.Allowed("L1"), "AR1,AR2,HC,PR,T1,T2");
    EXPECT_EQ(M.Check("L1", {}), "");
    EXPECT_EQ(M.Check("L1", {"HC", "T1"}), "");
    EXPECT_EQ(M.Check("L1", {"MG", "HC"}), "MG") << "made for glass only";
    EXPECT_EQ(M.Check("L1", {"QX"}), "") << "a code no coating has is not judged";
    EXPECT_EQ(M.Check("L9", {"HC", "MG"}), "HC,MG") << "a lens no glass has allows nothing";
    EXPECT_EQ(M.Allowed("L9"), "");
}

TEST(CheckCombination, CoatingListsSeparateTheWrongMaterialWhenAskedFor) {
    TRules M;
    M.Rule("L1", "HC", "******", "******", NichtLieferbar);
    M.Sort();
    TStringList Allowed(true);
    TStringList Disallowed(true);
    TStringList Wrong(true);
    M.Rules().CoatingsOfGlass("L1", &Allowed, &Disallowed, &Wrong, false);
    EXPECT_EQ(Lines(Allowed), "AR1,AR2,PR,T1,T2");
    EXPECT_EQ(Lines(Disallowed), "HC");
    EXPECT_EQ(Lines(Wrong), "MG");
    M.Rules().CoatingsOfGlass("L1", &Allowed, &Disallowed, nullptr, false);
    EXPECT_EQ(Lines(Disallowed), "HC,MG");
}

TEST(CheckCombination, SpecialCoatingsTakePartOnlyWhenAskedFor) {
    TRules M;
    M.Coating("Z1", Plastic);
    EXPECT_EQ(M.Allowed("L1"), "AR1,AR2,HC,PR,T1,T2");
    EXPECT_EQ(M.Allowed("L1", true), "AR1,AR2,HC,PR,T1,T2,Z1");
    M.Rule("L1", "Z1", "******", "******", NichtLieferbar);
    M.Sort();
    EXPECT_EQ(M.Check("L1", {"Z1"}), "Z1") << "the check always includes them";
}

TEST(CheckCombination, NotDeliverableTakesOneCoatingOff) {
    TRules M;
    M.Rule("L1", "******", "HC", "******", NichtLieferbar);
    M.Sort();
    EXPECT_EQ(M.Allowed("L1"), "AR1,AR2,PR,T1,T2");
    EXPECT_EQ(M.Check("L1", {"HC"}), "HC");
    EXPECT_EQ(M.Check("L1", {"HC", "T1"}), "HC");
    EXPECT_EQ(M.Check("L1", {"PR", "T1"}), "");
}

TEST(CheckCombination, NotDeliverableWithAPatternTakesEveryMatchingCoatingOff) {
    TRules M;
    M.Rule("L1", "AR*", "******", "******", NichtLieferbar);
    M.Sort();
    EXPECT_EQ(M.Allowed("L1"), "HC,PR,T1,T2");
    // The pattern is named beside the coating it met.
    EXPECT_EQ(M.Check("L1", {"AR2"}), "AR*,AR2");
    EXPECT_EQ(M.Check("L1", {"HC"}), "");
}

TEST(CheckCombination, NotDeliverableWithAnyCoatingLeavesOnlyTheBareLens) {
    TRules M;
    M.Rule("L1", "******", "******", "******", NichtLieferbar);
    M.Sort();
    EXPECT_EQ(M.Allowed("L1"), "");
    EXPECT_EQ(M.Check("L1", {}), "");
    EXPECT_EQ(M.Check("L1", {"HC", "T1"}), "HC,T1");
}

// A rule naming two coatings forbids them together; each alone stays deliverable.
TEST(CheckCombination, NotDeliverableForATwoCoatingSetForbidsOnlyTheSet) {
    TRules M;
    M.Rule("L1", "HC", "T1", "******", NichtLieferbar);
    M.Sort();
    EXPECT_EQ(M.Allowed("L1"), "AR1,AR2,HC,PR,T1,T2");
    EXPECT_EQ(M.Check("L1", {"HC"}), "");
    EXPECT_EQ(M.Check("L1", {"T1"}), "");
    EXPECT_EQ(M.Check("L1", {"T1", "HC"}), "HC,T1");
    EXPECT_EQ(M.Check("L1", {"T1", "HC", "PR"}), "HC,T1");
    EXPECT_EQ(M.Check("L1", {"T2", "HC"}), "");
}

// A blank slot stands for no coating: "HC" and two blanks is HC on its own.
TEST(CheckCombination, BlankSlotsLimitHowManyCoatingsTheRuleMeets) {
    TRules M;
    M.Rule("L1", "HC", "", "", NichtLieferbar);
    M.Rule("L1", "T1", "PR", "", NichtLieferbar);
    M.Sort();
    EXPECT_EQ(M.Allowed("L1"), "AR1,AR2,HC,PR,T1,T2");
    EXPECT_EQ(M.Check("L1", {"HC"}), "HC");
    EXPECT_EQ(M.Check("L1", {"HC", "AR1"}), "");
    EXPECT_EQ(M.Check("L1", {"PR", "T1"}), "PR,T1");
    EXPECT_EQ(M.Check("L1", {"PR", "T1", "HC"}), "");
}

TEST(CheckCombination, DeliverablePutsACoatingBackAfterNotDeliverable) {
    TRules M;
    M.Rule("L1", "******", "******", "******", NichtLieferbar);
    M.Rule("L1", "HC", "******", "******", Lieferbar);
    M.Rule("L1", "PR", "T1", "******", Lieferbar);
    M.Sort();
    EXPECT_EQ(M.Allowed("L1"), "HC,PR,T1");
    EXPECT_EQ(M.Check("L1", {"HC"}), "");
    EXPECT_EQ(M.Check("L1", {"HC", "AR1"}), "AR1");
    // The list takes T1 in whatever PR does; the check of T1 alone finds no rule against it.
    EXPECT_EQ(M.Check("L1", {"T1"}), "");
    EXPECT_EQ(M.Check("L1", {"T1", "PR"}), "");
}

// Only a rule for the same set lifts it; "L*" sorts before "L1" and "L2".
TEST(CheckCombination, DeliverableLiftsAForbiddenSet) {
    TRules M;
    M.Lens("L2", Tdex6Material::Kunststoff);
    M.Rule("L*", "HC", "T1", "******", NichtLieferbar);
    M.Rule("L1", "T1", "HC", "******", Lieferbar);
    M.Rule("L2", "HC", "******", "******", Lieferbar);
    M.Sort();
    EXPECT_EQ(M.Check("L1", {"HC", "T1"}), "");
    EXPECT_EQ(M.Check("L1", {"HC", "T1", "PR"}), "");
    EXPECT_EQ(M.Check("L2", {"HC", "T1"}), "HC,T1");
    EXPECT_EQ(M.Check("L2", {"HC"}), "");
}

TEST(CheckCombination, DeliverableIsPassedOverForACoatingOfTheWrongMaterial) {
    TRules M;
    M.Rule("L1", "MG", "******", "******", Lieferbar);
    M.Sort();
    EXPECT_EQ(M.Allowed("L1"), "AR1,AR2,HC,PR,T1,T2");
    // The check of a set the rule meets still clears the coating.
    EXPECT_EQ(M.Check("L1", {"MG"}), "");
}

TEST(CheckCombination, OnlyDeliverableRequiresOneOfItsCoatings) {
    TRules M;
    M.Rule("L1", "HC", "******", "******", NurLieferbar);
    M.Rule("L1", "PR", "T1", "******", NurLieferbar);
    M.Sort();
    EXPECT_EQ(M.Check("L1", {}), " +HC,PR,T1");
    EXPECT_EQ(M.Check("L1", {"T1"}), " +HC,PR,T1");
    EXPECT_EQ(M.Check("L1", {"HC", "AR1"}), "");
    EXPECT_EQ(M.Check("L1", {"T1", "PR"}), "");
    EXPECT_EQ(M.Check("L1", {}, false), "") << "without Required the rules do nothing";
}

// Its coatings go back on the allowed ones, except one of the wrong material, which only the
// check of a set the rule meets clears. Coatings that are not allowed are not offered; a
// blank slot offers the empty text, no further coating.
TEST(CheckCombination, OnlyDeliverableClearsTheProblemsOfTheCoatingsItMeets) {
    TRules M;
    M.Rule("L1", "******", "******", "******", NichtLieferbar);
    M.Rule("L1", "HC", "******", "******", NurLieferbar);
    M.Rule("L1", "MG", "******", "", NurLieferbar);
    M.Sort();
    EXPECT_EQ(M.Allowed("L1"), "HC");
    EXPECT_EQ(M.Check("L1", {"HC"}), "");
    EXPECT_EQ(M.Check("L1", {"MG"}), "");
    EXPECT_EQ(M.Check("L1", {"MG"}, false), "MG");
    EXPECT_EQ(M.Check("L1", {"MG", "PR", "T1"}), "MG,PR,T1 +<>,HC");
    EXPECT_EQ(M.Check("L1", {"PR"}), "PR +<>,HC");
}

TEST(CheckCombination, NotDeliverableWithdrawsWhatIsOffered) {
    TRules M;
    M.Rule("L1", "T1", "HC", "******", NurLieferbar);
    M.Rule("L1*", "T1", "PR", "******", NichtLieferbar);
    M.Sort();
    EXPECT_EQ(M.Check("L1", {}), " +HC,T1");
    EXPECT_EQ(M.Check("L1", {"T1"}), " +HC,T1");
    EXPECT_EQ(M.Check("L1", {"T1", "PR"}), "PR,T1 +HC");
}

TEST(CheckCombination, LensPatternsAndAnyLensReachEveryLensTheyMatch) {
    TRules M;
    M.Lens("L2", Tdex6Material::Kunststoff);
    M.Lens("M1", Tdex6Material::Kunststoff);
    M.Rule("L*", "HC", "******", "******", NichtLieferbar);
    M.Rule("******", "T2", "******", "******", NichtLieferbar);
    M.Sort();
    EXPECT_EQ(M.Check("L2", {"HC", "T2"}), "HC,T2");
    EXPECT_EQ(M.Check("M1", {"HC", "T2"}), "T2");
}

TEST(CheckCombination, CodesAreComparedIgnoringLetterCase) {
    TRules M;
    M.Rule("l1", "hc", "******", "******", NichtLieferbar);
    M.Rule("L1", "pr", "t1", "******", NichtLieferbar);
    M.Rule("L1", "t2", "******", "******", NurLieferbar);
    M.Sort();
    EXPECT_EQ(M.Allowed("l1"), "AR1,AR2,PR,T1,T2");
    EXPECT_EQ(M.Check("l1", {"Hc", "T2"}), "Hc");
    EXPECT_EQ(M.Check("L1", {"Pr", "T1", "t2"}), "pr,t1");
    EXPECT_EQ(M.Check("L1", {"ar1"}), " +t2");
}

// At most one anti-reflection coating, and no two coatings that carry the same exclusive
// feature; tints and plain coatings combine freely.
TEST(CheckCombination, CoatingsSharingAFeatureExcludeEachOther) {
    TRules M;
    M.Coating("UV1", Plastic).UV = true;
    M.Coating("UV2", Plastic).UV = true;
    M.Coating("PH", Plastic).PH = true;
    EXPECT_EQ(M.Check("L1", {"AR1", "AR2"}), "AR1,AR2");
    EXPECT_EQ(M.Check("L1", {"AR1", "T1", "T2", "HC", "PR"}), "");
    EXPECT_EQ(M.Check("L1", {"UV2", "HC", "UV1"}), "UV1,UV2");
    EXPECT_EQ(M.Check("L1", {"UV1", "PH", "AR1"}), "");
}

// Counts the rule events of an observed check.
struct TCountingObserver : TCombinationObserver {
    int Lenses = 0;
    std::string Added;
    void LensFound(const Tdex6DataGlas* /*Lens*/) override { ++Lenses; }
    void ProblemAdded(std::string_view Code) override { Added += Code; }
};

TEST(CheckCombination, WatchingTheCheckChangesNothing) {
    TRules M;
    M.Rule("L1", "HC", "T1", "******", NichtLieferbar);
    M.Rule("L1", "PR", "******", "******", NurLieferbar);
    M.Sort();
    TStringList Problems(true);
    TStringList Required(true);
    TCountingObserver Observer;
    EXPECT_EQ(M.Rules().CheckCombination("L1", Codes({"HC", "T1"}), Problems, &Required, &Observer),
              3);
    EXPECT_EQ(Lines(Problems) + " +" + Lines(Required), "HC,T1 +PR");
    EXPECT_EQ(Observer.Lenses, 1);
    EXPECT_EQ(Observer.Added, "HCT1");
}

} // namespace
} // namespace kr6
