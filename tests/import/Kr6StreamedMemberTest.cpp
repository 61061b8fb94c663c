#include "import/Kr6StreamedMember.h"

#include "helpers/TestArchive.h"
#include "support/TextLines.h"
#include "support/ZipArchive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

using namespace test;

struct TStreamed {
    std::vector<std::string> Lines;
    int Batches = 0;
};

// Every line of member Name as the streamed reader hands them out through two blocks,
// copied, since a batch's block is filled again once the next batch is asked for.
TStreamed ReadStreamed(TOXVCLZip& Zip, std::string_view Name) {
    TStreamed Read;
    TKr6StreamedMember Member(Zip, Name, 2);
    while (const std::optional<TKr6MemberLines> Batch = Member.Next()) {
        ++Read.Batches;
        for (const std::string_view Line : *Batch)
            Read.Lines.emplace_back(Line);
    }
    Member.Release();
    return Read;
}

std::vector<std::string> WholeLines(std::string_view Text) {
    std::vector<std::string> Lines;
    for (const std::string_view Line : TTextLines(Text))
        Lines.emplace_back(Line);
    return Lines;
}

// The member goes through two blocks of BatchBytes, each filled again: a CR LF split by a
// block's end, a line longer than a block, CR line ends, empty lines and a last line
// without an end come out as the whole member's lines; so do the lines before a zero byte,
// which ends them.
TEST(Kr6StreamedMember, BatchesHoldTheLinesOfTheWholeMember) {
    constexpr std::size_t Block = TKr6StreamedMember::BatchBytes;
    const std::string First = "first\r\n";
    std::string Text = First + std::string(Block - 1 - First.size(), 'a') + "\r\n";
    ASSERT_EQ(Text[Block - 1], '\r');
    Text += std::string(Block * 5 / 2, 'b') + "\n" + "c1\rc2\r\r\n\r\nlone\r";
    for (int I = 0; I < 100000; ++I)
        Text += "line " + std::to_string(I) + (I % 3 == 0 ? "\n" : "\r\n");
    Text += "last";
    const std::string Zero = "before\r\npar" + std::string(1, '\0') + "tial\r\nafter\r\n";
    const TTempArchive Archive({{"Text.Dat", Text}, {"Zero.Dat", Zero}});
    TOXVCLZip Zip;
    Zip.SetZipName(Archive.Path());

    const TStreamed Read = ReadStreamed(Zip, "Text.Dat");
    EXPECT_GE(Read.Batches, 3);
    EXPECT_EQ(Read.Lines, WholeLines(Text));
    EXPECT_EQ(ReadStreamed(Zip, "Zero.Dat").Lines, (std::vector<std::string>{"before", "par"}));
    EXPECT_EQ(ReadStreamed(Zip, "Missing.Dat").Batches, 0);
}

// A member refused for its lines is refused once they are read, through Next.
TEST(Kr6StreamedMember, TooManyLinesAreRefusedWhenAskedForMore) {
    const TTempArchive Archive({{"Empty.Dat", std::string(200, '\n')}});
    TOXVCLZip Zip({.FreeLines = 10, .MinLineBytes = 8});
    Zip.SetZipName(Archive.Path());
    EXPECT_EQ(ArchiveError([&] { ReadStreamed(Zip, "Empty.Dat"); }),
              "cannot read 'Empty.Dat' in '" + Archive.Path() + "': member has more than 25 lines");
}

} // namespace
} // namespace kr6
