#include "support/ZipArchive.h"

#include "helpers/TestArchive.h"
#include "support/StringList.h"

#include <gtest/gtest.h>

#include <zip.h>

#include <ctime>
#include <filesystem>
#include <string>

namespace kr6 {
namespace {

using test::ReadFileBytes;
using test::TTempFile;

TStringList PriceLines() {
    TStringList Lines(false, TStringList::TDuplicates::Accept);
    for (int I = 0; I < 4000; ++I)
        Lines.Add("GK6001" + std::to_string(60 + I % 3) + "   " + std::to_string(10 + I % 40) +
                  "00000" + std::to_string(100000 + I * 7));
    return Lines;
}

std::time_t NewYear2025() {
    std::tm Fixed{};
    Fixed.tm_year = 2025 - 1900;
    Fixed.tm_mday = 1;
    Fixed.tm_isdst = -1;
    return std::mktime(&Fixed);
}

void Write(const std::string& Path, int Level) {
    std::filesystem::remove(Path);
    TOXVCLZip Zip;
    Zip.SetZipName(Path);
    Zip.SetMemberTime(NewYear2025());
    Zip.SetCompressionLevel(Level);
    TStringList Head;
    Head.Add("version                       6.9.0");
    Zip.StringsToTextfile("Head.dat", Head);
    Zip.StringsToTextfile("LensPrice.Dat", PriceLines());
}

struct TMemberStat {
    std::time_t Time = 0;
    std::uint64_t Compressed = 0;
};

TMemberStat Stat(const std::string& Path, const char* Member) {
    int Error = 0;
    zip_t* Zip = zip_open(Path.c_str(), ZIP_RDONLY, &Error);
    EXPECT_NE(Zip, nullptr);
    if (Zip == nullptr)
        return {};
    zip_stat_t Info;
    zip_stat_init(&Info);
    EXPECT_EQ(zip_stat(Zip, Member, 0, &Info), 0);
    zip_discard(Zip);
    return {Info.mtime, Info.comp_size};
}

TEST(ZipWriteOptions, FixedTimeAndLevelMakeRepeatableArchives) {
    const TTempFile First, Second, Smallest;
    Write(First.Path(), 1);
    Write(Second.Path(), 1);
    Write(Smallest.Path(), 9);

    EXPECT_EQ(ReadFileBytes(First.Path()), ReadFileBytes(Second.Path()));
    EXPECT_EQ(Stat(First.Path(), "Head.dat").Time, NewYear2025());
    EXPECT_EQ(Stat(First.Path(), "LensPrice.Dat").Time, NewYear2025());
    EXPECT_GT(Stat(First.Path(), "LensPrice.Dat").Compressed,
              Stat(Smallest.Path(), "LensPrice.Dat").Compressed);

    TOXVCLZip Zip;
    Zip.SetZipName(Smallest.Path());
    TStringList Read;
    Zip.ExtractTextfileToStrings("LensPrice.Dat", Read);
    EXPECT_EQ(Read.Text(), PriceLines().Text());
}

} // namespace
} // namespace kr6
