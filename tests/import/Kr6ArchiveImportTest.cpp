#include "import/Kr6Import.h"

#include "helpers/Kr6Lines.h"
#include "helpers/TestArchive.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/ZipArchive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

using namespace test;

// A model of one glass, "KEPT", to see that a failed import leaves it alone.
void LoadKeptModel(Tdex6Dataobject& Root) {
    TKr6Files F;
    F.LensType.Add(LensTypeLine("KEPT"));
    BuildKr6Model(Root, F);
}

const std::string AllMembers =
    "Head.dat, LensType.Dat, LensGeo.Dat, LensPrice.Dat, Options.Dat, OptionsColor.Dat, "
    "OptionsPrice.Dat, Combination.Dat, LensRange.Dat, Information.Dat, OrderOptions.Dat, "
    "Productgroup.Dat, CodeSubstitution.Dat, OeCodes.Dat";

// Refused before anything is read: the model stays and no progress is reported.
TEST(Kr6ArchiveImport, ArchivesThatAreNoPriceListAreRefused) {
    const std::string None =
        "holds no KR6 price list (none of " + AllMembers + " at the top level)";
    const struct {
        TMembers Members;
        std::string Error;
    } Cases[] = {
        {{}, None},
        {{{"Liste\\HEAD.DAT", ""}}, None + "; found 'Liste\\HEAD.DAT' inside a folder"},
        // Names that merely end like a member are not in a folder.
        {{{"OldHead.dat", ""}, {"a/b/Productgroup.Dat", ""}},
         None + "; found 'a/b/Productgroup.Dat' inside a folder"},
        {{{"LensType.Dat", LensTypeLine("G1").Text()}, {"LENSTYPE.DAT", "SMUGGLED"}},
         "holds two members named 'LensType.Dat' and 'LENSTYPE.DAT'"},
    };
    for (const auto& C : Cases) {
        const TTempArchive Archive(C.Members);
        Tdex6Dataobject Root;
        LoadKeptModel(Root);
        int Reports = 0;
        EXPECT_EQ(ArchiveError([&] {
                      LoadKr6File(Root, Archive.Path(), [&](const TImportProgress&) { ++Reports; });
                  }),
                  "'" + Archive.Path() + "' " + C.Error);
        EXPECT_EQ(Reports, 0);
        ASSERT_EQ(Root.Glasliste()->Count(), 1);
        EXPECT_EQ(Root.Glasliste()->Items(0)->EDV(), "KEPT");
    }

    // Any one member at the top level makes a price list, whatever lies in folders.
    for (const std::string Name : {"OeCodes.Dat", "lenstype.dat"}) {
        const TTempArchive Archive({{"kr6/Head.dat", ""}, {Name, ""}});
        Tdex6Dataobject Root;
        LoadKeptModel(Root);
        EXPECT_NO_THROW(LoadKr6File(Root, Archive.Path())) << Name;
        EXPECT_EQ(Root.Glasliste()->Count(), 0) << Name;
    }
}

// The bytes in memory import like the file, with the same reports.
TEST(Kr6ArchiveImport, ProgressRisesThroughEveryMemberToTheEnd) {
    constexpr int PriceLines = 10000;
    TKr6Files F;
    F.Head = HeadLines("version=6.9.0;pricefield-01=20");
    F.LensType.Add(LensTypeLine("G1"));
    for (int I = 0; I < PriceLines; ++I)
        F.LensPrice.Add(LensPriceLine("G1", "65", I % 50, I / 50, 0, {"0001000"}));
    const TTempArchive Archive(MembersOf(F));
    using TReport = std::pair<std::string, double>;
    std::vector<TReport> Reports, FromMemory;
    const auto Into = [](auto& To) {
        return [&To](const TImportProgress& P) {
            To.emplace_back(P.Stage, P.Fraction);
        };
    };
    // The fractions of the reports of Stage.
    const auto FractionsOf = [&Reports](std::string_view Stage) {
        std::vector<double> Fractions;
        for (const auto& [Name, Fraction] : Reports)
            if (Name == Stage)
                Fractions.push_back(Fraction);
        return Fractions;
    };
    Tdex6Dataobject Root, Other;
    EXPECT_EQ(LoadKr6File(Root, Archive.Path(), Into(Reports)).Version, "6.9.0");
    EXPECT_EQ(LoadKr6Data(Other, Archive.Read(), "-", Into(FromMemory)).Version, "6.9.0");

    ASSERT_FALSE(Reports.empty());
    EXPECT_EQ(Reports.front(), TReport("reading Head.dat", 0));
    EXPECT_EQ(Reports.back(), TReport("done", 1));
    for (std::size_t I = 1; I < Reports.size(); ++I)
        EXPECT_GE(Reports[I].second, Reports[I - 1].second) << Reports[I].first;
    // Every member is named while it is read, missing ones too.
    for (const char* Member : {"LensType.Dat", "LensPrice.Dat", "OeCodes.Dat"})
        EXPECT_EQ(FractionsOf("reading " + std::string(Member)).size(), 1U) << Member;

    // The big member moves the fraction while it is built, and takes the largest share.
    const std::vector<double> Prices = FractionsOf("building the lens prices");
    ASSERT_GE(Prices.size(), 3U);
    EXPECT_GT(FractionsOf("building the coatings").at(0) - Prices.front(), 0.5);

    EXPECT_EQ(FromMemory, Reports);
}

} // namespace
} // namespace kr6
