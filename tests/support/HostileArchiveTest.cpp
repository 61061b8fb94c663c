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

namespace kr6 {
namespace {

const test::THostileArchive& Case(const std::vector<test::THostileArchive>& Cases,
                                  std::string_view Name) {
    for (const auto& C : Cases)
        if (C.Name == Name)
            return C;
    throw std::logic_error("no hostile archive called " + std::string(Name));
}

TEST(HostileArchive, DamagedArchivesEndInOneNamedError) {
    for (const auto& C : test::HostileArchives()) {
        if (C.Cause.empty())
            continue;
        const test::TTempFile File(C.Bytes);
        Tdex6Dataobject Root;
        try {
            LoadKr6File(Root, File.Path());
            ADD_FAILURE() << C.Name << ": imported";
        } catch (const EArchiveError& Error) {
            const std::string Message = Error.what();
            EXPECT_NE(Message.find("'" + File.Path() + "'"), std::string::npos) << Message;
            EXPECT_NE(Message.find(C.Cause), std::string::npos) << C.Name << ": " << Message;
        }
    }
}

TEST(HostileArchive, OddButLegalArchivesImport) {
    const auto Cases = test::HostileArchives();
    const auto Load = [&](std::string_view Name, Tdex6Dataobject& Root) {
        const test::TTempFile File(Case(Cases, Name).Bytes);
        EXPECT_NO_THROW(LoadKr6File(Root, File.Path()));
    };

    // Member names match whole: "../Head.dat" is not the header.
    Tdex6Dataobject PathParts;
    Load("member name with path parts", PathParts);
    EXPECT_EQ(PathParts.Adressliste()->Items(0)->EDV, "");
    EXPECT_EQ(PathParts.Glasliste()->Count(), 1);

    Tdex6Dataobject Keys;
    Load("header of unknown keys", Keys);
    EXPECT_EQ(Keys.Adressliste()->Items(0)->EDV, "MK1");

    Tdex6Dataobject Long;
    Load("lines of 1 MiB", Long);
    EXPECT_EQ(Long.Adressliste()->Items(0)->EDV, "MK1");
    ASSERT_EQ(Long.Glasliste()->Count(), 2);
    EXPECT_NE(Long.Glasliste()->FindByEDV("GL2"), nullptr);
    // The nine prism and cylinder surcharges and the one coating of the file.
    EXPECT_EQ(Long.Beschichtungsliste()->Count(), 10);
    EXPECT_EQ(Long.KombinationsListe()->Count(), 1);

    Tdex6Dataobject Empty;
    Load("empty LensType lines", Empty);
    EXPECT_EQ(Empty.Glasliste()->Count(), test::EmptyLensTypeLines);
}

// The bomb is what it claims to be: a smaller one of the same make reads back as zeros.
TEST(HostileArchive, DeflatedZerosReadBackWhole) {
    test::TRawMember Member;
    Member.Name = "Zeros";
    Member.Method = 8;
    Member.Data = test::DeflatedZeros(100000, Member.Size);
    EXPECT_EQ(Member.Size, 1 + 387 * 258U);
    const std::string Zeros(Member.Size, '\0');
    Member.Crc = test::Crc32(Zeros);
    const test::TTempFile File(test::ZipOf({Member}));
    TOXVCLZip Zip;
    Zip.SetZipName(File.Path());
    std::string Data;
    ASSERT_TRUE(Zip.ExtractBitmapFromZip("Zeros", Data));
    EXPECT_TRUE(Data == Zeros);
}

// Lines are counted as the line list makes them, so the limit is exact.
TEST(HostileArchive, TextMembersOfTooManyLinesAreRefused) {
    const std::string Texts[] = {"a\nb\r\nc", "a\rb\r\nc\n", "\r\r\n\n", "a\nb\nc\0\nd\n"};
    const test::TTempArchive Archive(
        {{"M0", Texts[0]}, {"M1", Texts[1]}, {"M2", Texts[2]}, {"M3", Texts[3]}});
    for (int I = 0; I < 4; ++I) {
        const std::string Member = "M" + std::to_string(I);
        TStringList Expected;
        Expected.SetText(Texts[I]);
        const auto Lines = static_cast<std::uint64_t>(Expected.Count());
        TOXVCLZip Fits(MaxMemberSize, Lines);
        Fits.SetZipName(Archive.Path());
        TStringList Read;
        Fits.ExtractTextfileToStrings(Member, Read);
        EXPECT_EQ(Read.Text(), Expected.Text()) << Member;

        TOXVCLZip Short(MaxMemberSize, Lines - 1);
        Short.SetZipName(Archive.Path());
        try {
            Short.ExtractTextfileToStrings(Member, Read);
            ADD_FAILURE() << Member << " was read";
        } catch (const EArchiveError& Error) {
            EXPECT_EQ(std::string(Error.what()), "cannot read '" + Member + "' in '" +
                                                     Archive.Path() + "': member has more than " +
                                                     std::to_string(Lines - 1) + " lines");
        }
    }
}

} // namespace
} // namespace kr6
