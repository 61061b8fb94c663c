#include "export/DeliveryGaps.h"

#include "helpers/Kr6Lines.h"
#include "import/Kr6Findings.h"
#include "import/Kr6Import.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

using namespace test;

TEST(DeliveryGaps, LensesAndCoatingsNoRowHolds) {
    TKr6Files F;
    F.Head = HeadLines("version=6.9.0;pricefield-01=10");
    for (const char* Lens : {"G1", "G2", "G3"})
        F.LensType.Add(LensTypeLine(Lens).Text());
    // Material 0: the evaluation does not test it, so it cannot fail to deliver.
    F.LensType.Add(LensTypeLine("G0", "", "0").Text());
    for (const char* Lens : {"G1", "G2", "G3", "G0"})
        F.LensPrice.Add(LensPriceLine(Lens, "60", 0, 0, 0, {"1000"}).Text());
    F.Options.Add(OptionsLine("C1").Text());
    // Made for Silikat only, which no lens is.
    F.Options.Add(OptionsLine("C9", "", "1000").Text());
    // Delivered with G1 only; the codes of rows compare as sorted lists do.
    F.Options.Add(OptionsLine("c2").Text());
    for (const char* Coating : {"C1", "C9", "c2"})
        F.OptionsPrice.Add(OptionsPriceLine(Coating, "", 0, 0, "1100", {"500"}).Text());
    // G2 is deliverable only with a coating not made for it: neither alone nor with any
    // coating it can have.
    F.Combination.Add(CombinationLine("G2", 2, "C9"));
    F.Combination.Add(CombinationLine("G3", 0, "C2"));
    F.Combination.Add(CombinationLine("G1", 0, "C1"));

    Tdex6Dataobject Root;
    TKr6Findings Findings;
    BuildKr6Model(Root, F, &Findings);
    const TDeliveryGaps Gaps = FindDeliveryGaps(Root);
    Findings.AddDeliveryNotes(Gaps.Lenses, Gaps.Coatings);

    std::vector<std::string> Lines;
    for (const TKr6Finding& Finding : Findings.Items())
        Lines.push_back(FindingLine(Finding));
    EXPECT_EQ(Lines, (std::vector<std::string>{
                         "LensType.Dat:2: note: lens 'G2' has no deliverable combination, not "
                         "even without coatings [lens-never-deliverable]",
                         "Options.Dat:2: note: coating 'C9' is in no deliverable combination "
                         "[coating-never-deliverable]",
                     }));
    // The surcharge groups every list has are no coatings of Options.Dat.
    EXPECT_GT(Gaps.Coatings.size(), 1U);
}

} // namespace
} // namespace kr6
