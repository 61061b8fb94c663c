#include "import/Kr6Import.h"

#include "helpers/ElementTestSupport.h"
#include "helpers/HostileArchives.h"
#include "helpers/Kr6Lines.h"
#include "helpers/TestArchive.h"
#include "import/Kr6StreamedMember.h"
#include "model/GlassPrices.h"
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

// The lens prices are built while they are read, in batches of whole lines. A glass whose
// lines fall into two batches, a glass that comes back after another, lines of both line
// ends and a zero byte far into the member, which ends its lines, build what the lines
// themselves build, identifiers included.
TEST(Kr6ArchiveImport, LensPricesBuiltWhileReadBuildWhatTheirLinesBuild) {
    TKr6Files F;
    F.Head = HeadLines("version=6.9.0;pricefield-01=20;pricefield-02=21");
    for (const char* Code : {"G1", "G2", "G3"})
        F.LensType.Add(LensTypeLine(Code));
    const auto AddLines = [](TStringList& To, std::string_view Code, int First, int Count) {
        for (int I = First; I < First + Count; ++I)
            To.Add(LensPriceLine(Code, std::to_string(40 + I / 2500), I % 50, I / 50 % 50, 0,
                                 {"0001000", std::to_string(1000000 + I)}));
    };
    // Some three batches of lines; the second run of G1 both replaces prices and adds some.
    TKr6Files Lines = F;
    AddLines(Lines.LensPrice, "G1", 0, 25000);
    AddLines(Lines.LensPrice, "G2", 0, 20000);
    AddLines(Lines.LensPrice, "G1", 24000, 2000);
    ASSERT_GT(Lines.LensPrice.Text().size(), 2 * TKr6StreamedMember::BatchBytes);
    // What the member holds beyond: a line that a zero byte cuts short, and more lines.
    TKr6Files Member = Lines;
    Lines.LensPrice.Add("G3");
    Member.LensPrice.Add(std::string("G3\0", 3) + LensPriceLine("G3", "65", 1, 1, 0, {}).Text());
    AddLines(Member.LensPrice, "G3", 0, 100);
    TMembers Members = MembersOf(Member);
    for (auto& [Name, Text] : Members)
        if (Name == "LensPrice.Dat")
            Text.replace(Text.find("\r\n"), 2, "\n");
    const TTempArchive Archive(Members);

    Tdex6Dataobject Read, Built;
    LoadKr6File(Read, Archive.Path());
    BuildKr6Model(Built, Lines);
    EXPECT_EQ(Read.Glasliste()->FindByEDV("G1")->GlasPreisListe()->Count(), 2 * 26000);
    EXPECT_EQ(Read.Glasliste()->FindByEDV("G3")->GlasPreisListe()->Count(), 2);
    EXPECT_EQ(XmlOf(Read), XmlOf(Built));
}

// Lens prices that turn out damaged once many are built leave an empty model, not a part
// of the list, and the error names the member.
TEST(Kr6ArchiveImport, LensPricesFoundDamagedLeaveAnEmptyModel) {
    TKr6Files F;
    F.Head = HeadLines("version=6.9.0;pricefield-01=20");
    F.LensType.Add(LensTypeLine("G1"));
    for (int I = 0; I < 30000; ++I)
        F.LensPrice.Add(LensPriceLine("G1", "65", I % 50, I / 50 % 50, 0, {"0001000"}));
    std::vector<TRawMember> Raw;
    for (const auto& [Name, Text] : MembersOf(F))
        Raw.push_back(StoredMember(Name, Text));
    Raw.back().Crc ^= 1;
    ASSERT_EQ(Raw.back().Name, "LensPrice.Dat");
    const TTempFile File(ZipOf(Raw));

    Tdex6Dataobject Root;
    LoadKeptModel(Root);
    EXPECT_EQ(ArchiveError([&] { LoadKr6File(Root, File.Path()); }),
              "cannot read 'LensPrice.Dat' in '" + File.Path() + "': CRC error");
    EXPECT_EQ(Root.Glasliste()->Count(), 0);
}

} // namespace
} // namespace kr6
