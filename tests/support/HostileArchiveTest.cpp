#include "helpers/HostileArchives.h"
#include "helpers/TestArchive.h"
#include "import/Kr6Import.h"
#include "model/Addresses.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/StringList.h"
#include "support/ZipArchive.h"

#include <gtest/gtest.h>

#include <map>

namespace kr6 {
namespace {

TEST(HostileArchive, DamagedArchivesEndInOneNamedErrorAndOddOnesImport) {
    std::map<std::string, Tdex6Dataobject> Legal;
    for (const auto& C : test::HostileArchives()) {
        const test::TTempFile File(C.Bytes);
        if (C.Cause.empty()) {
            EXPECT_NO_THROW(LoadKr6File(Legal[C.Name], File.Path())) << C.Name;
            continue;
        }
        Tdex6Dataobject Root;
        const std::string Message = test::ArchiveError([&] { LoadKr6File(Root, File.Path()); });
        EXPECT_NE(Message.find("'" + File.Path() + "'"), std::string::npos) << C.Name;
        EXPECT_NE(Message.find(C.Cause), std::string::npos) << C.Name << ": " << Message;
    }
    // Member names match whole: "../Head.dat" is not the header.
    const Tdex6Dataobject& PathParts = Legal["member name with path parts"];
    EXPECT_EQ(PathParts.Adressliste()->Items(0)->EDV, "");
    EXPECT_EQ(PathParts.Glasliste()->Count(), 1);
    EXPECT_EQ(Legal["header of unknown keys"].Adressliste()->Items(0)->EDV, "MK1");
    const Tdex6Dataobject& Long = Legal["lines of 1 MiB"];
    EXPECT_EQ(Long.Adressliste()->Items(0)->EDV, "MK1");
    ASSERT_EQ(Long.Glasliste()->Count(), 2);
    EXPECT_NE(Long.Glasliste()->FindByEDV("GL2"), nullptr);
    // The nine prism and cylinder surcharges and the one coating of the file.
    EXPECT_EQ(Long.Beschichtungsliste()->Count(), 10);
    EXPECT_EQ(Long.KombinationsListe()->Count(), 1);
    EXPECT_EQ(Legal["empty LensType lines"].Glasliste()->Count(), test::EmptyLensTypeLines);
}

// Lines are counted as the line list makes them, so the limit is exact; beyond it, a
// member of long enough lines is read.
TEST(HostileArchive, TextMembersOfTooManyShortLinesAreRefused) {
    const std::string Texts[] = {"a\nb\r\nc", "a\rb\r\nc\n", "\r\r\n\n", "a\nb\nc\0\nd\n",
                                 "a 16 bytes line\nand another one\nand a third one\n"};
    const test::TTempArchive Archive(
        {{"M0", Texts[0]}, {"M1", Texts[1]}, {"M2", Texts[2]}, {"M3", Texts[3]}, {"M4", Texts[4]}});
    for (int I = 0; I < 4; ++I) {
        const std::string Member = "M" + std::to_string(I);
        TStringList Expected, Read;
        Expected.SetText(Texts[I]);
        const auto Lines = static_cast<std::uint64_t>(Expected.Count());
        TOXVCLZip Fits({.FreeLines = Lines}), Short({.FreeLines = Lines - 1});
        Fits.SetZipName(Archive.Path());
        Fits.ExtractTextfileToStrings(Member, Read);
        EXPECT_EQ(Read.Text(), Expected.Text()) << Member;
        Short.SetZipName(Archive.Path());
        EXPECT_EQ(test::ArchiveError([&] { Short.ExtractTextfileToStrings(Member, Read); }),
                  "cannot read '" + Member + "' in '" + Archive.Path() +
                      "': member has more than " + std::to_string(Lines - 1) + " lines");
    }
    TOXVCLZip Long({.FreeLines = 1, .MinLineBytes = 16}),
        Longer({.FreeLines = 1, .MinLineBytes = 17});
    Long.SetZipName(Archive.Path());
    Longer.SetZipName(Archive.Path());
    TStringList Read;
    Long.ExtractTextfileToStrings("M4", Read);
    EXPECT_EQ(Read.Count(), 3);
    EXPECT_EQ(test::ArchiveError([&] { Longer.ExtractTextfileToStrings("M4", Read); }),
              "cannot read 'M4' in '" + Archive.Path() + "': member has more than 2 lines");
}

} // namespace
} // namespace kr6
