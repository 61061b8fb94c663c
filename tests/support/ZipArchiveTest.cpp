#include "support/ZipArchive.h"

#include "helpers/HostileArchives.h"
#include "helpers/TestArchive.h"
#include "support/StringList.h"
#include "support/SystemCalls.h"

#include <gtest/gtest.h>

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace kr6 {
namespace {

using test::ArchiveError;
using test::TTempArchive;
using test::TTempFile;

// The lines of Member, each ended by CR LF.
std::string ReadLines(TOXVCLZip& Zip, std::string_view Member) {
    TStringList List;
    Zip.ExtractTextfileToStrings(Member, List);
    return List.Text();
}

std::string ReadLines(const std::string& Path, std::string_view Member,
                      std::uint64_t Limit = MaxMemberSize) {
    TOXVCLZip Zip({.MaxBytes = Limit});
    Zip.SetZipName(Path);
    return ReadLines(Zip, Member);
}

std::string DataPath(std::string_view Name) {
    return std::string(KR6_TEST_DATA_DIR) + "/zip/" + std::string(Name);
}

std::string ReadError(const std::string& Path, std::string_view Member,
                      std::uint64_t Limit = MaxMemberSize) {
    return ArchiveError([&] { ReadLines(Path, Member, Limit); });
}

TEST(ZipArchive, ReadsMembersWhateverTheirCase) {
    const TTempArchive Archive({{"Head.dat", "a\rb\nc\r\n\r\nd"},
                                {"Head.dat.bak", "other"},
                                {"empty", ""},
                                {"Bild.png", "\x89PNG"}},
                               test::Stored);
    TOXVCLZip Zip;
    Zip.SetZipName(Archive.Path());
    EXPECT_EQ(ReadLines(Zip, "head.DAT"), "a\r\nb\r\nc\r\n\r\nd\r\n");
    EXPECT_TRUE(Zip.FileExists("hEaD.dAt"));
    EXPECT_EQ(Zip.UncompressedFilesizeFromFilename("HEAD.dat"), 10U);
    std::string Picture;
    EXPECT_TRUE(Zip.ExtractBitmapFromZip("Bild.png", Picture));
    EXPECT_EQ(Picture, "\x89PNG");
    TStringList List;
    List.Add("old");
    Zip.ExtractTextfileToStrings("empty", List);
    EXPECT_TRUE(List.IsEmpty());

    // A missing member leaves the list and the picture alone.
    List.Add("kept");
    Zip.ExtractTextfileToStrings("LensGeo.Dat", List);
    EXPECT_EQ(List.Text(), "kept\r\n");
    EXPECT_FALSE(Zip.ExtractBitmapFromZip("Bild.jpg", Picture));
    EXPECT_EQ(Picture, "\x89PNG");
    EXPECT_FALSE(Zip.FileExists("LensGeo.Dat"));

    // The same bytes held in memory read alike; a file called like the name is not touched.
    Zip.OpenBytes(Archive.Read(), "-");
    EXPECT_EQ(Zip.ZipName(), "-");
    EXPECT_EQ(ReadLines(Zip, "HEAD.dat"), "a\r\nb\r\nc\r\n\r\nd\r\n");
    EXPECT_EQ(ArchiveError([&] { Zip.CompressBitmapToZip("Bild.png", "png"); }),
              "cannot write '-': the archive was read from memory");
    EXPECT_FALSE(std::filesystem::exists("-"));
    EXPECT_EQ(ArchiveError([&] { Zip.OpenBytes("no archive at all, not at all", "stdin"); }),
              "cannot open 'stdin': not a ZIP archive");
}

// Equal names of any member are refused on opening (names equal but for case, when looked
// up): two readers that pick different copies are how an archive smuggles content past a
// check.
TEST(ZipArchive, TwoMembersOfOneNameAreRefused) {
    const TTempFile Equal(
        test::ZipOf({test::StoredMember("Head.dat", "a"), test::StoredMember("readme.txt", "b"),
                     test::StoredMember("readme.txt", "c")}));
    EXPECT_EQ(ReadError(Equal.Path(), "Head.dat"),
              "'" + Equal.Path() + "' holds two members named 'readme.txt'");
}

// A member is replaced whatever the case of its name; a fixed time and level make the same
// bytes again.
TEST(ZipArchive, WritesRepeatableArchives) {
    TStringList Prices;
    for (int I = 0; I < 4000; ++I)
        Prices.Add("GK6001" + std::to_string(60 + I % 3) + "   " + std::to_string(10 + I % 40) +
                   "00000" + std::to_string(100000 + I * 7));
    std::tm Fixed{};
    Fixed.tm_year = 2025 - 1900;
    Fixed.tm_mday = 1;
    Fixed.tm_isdst = -1;
    const std::time_t NewYear = std::mktime(&Fixed);
    const TTempFile First, Second, Smallest;
    for (const auto& [File, Level] : {std::pair{&First, 1}, {&Second, 1}, {&Smallest, 9}}) {
        std::filesystem::remove(File->Path());
        TOXVCLZip Zip;
        Zip.SetZipName(File->Path());
        Zip.SetMemberTime(NewYear);
        Zip.SetCompressionLevel(Level);
        Zip.StringsToTextfile("LensPrice.Dat", Prices);
        Zip.CompressBitmapToZip("bild.PNG", "old");
        Zip.CompressBitmapToZip("Bild.png", std::string("\x89PNG\0\x01", 6));
    }
    EXPECT_EQ(First.Read(), Second.Read());
    EXPECT_GT(First.Read().size(), Smallest.Read().size());
    EXPECT_EQ(ReadLines(Smallest.Path(), "LensPrice.Dat"), Prices.Text());
    zip_t* Zip = zip_open(First.Path().c_str(), ZIP_RDONLY, nullptr);
    zip_stat_t Info;
    zip_stat_init(&Info);
    EXPECT_EQ(zip_stat(Zip, "LensPrice.Dat", 0, &Info), 0);
    EXPECT_EQ(Info.mtime, NewYear);
    EXPECT_EQ(zip_get_num_entries(Zip, 0), 2);
    zip_discard(Zip);
}

TEST(ZipArchive, ReadsArchivesOfInfoZip) {
    // Written from files; from standard input (member renamed, Zip64 local header);
    // to a pipe (data descriptors behind the data).
    for (const char* Name : {"infozip-files.zip", "infozip-stdin.zip", "infozip-stream.zip"})
        EXPECT_EQ(ReadLines(DataPath(Name), "Head.dat"),
                  "version                       6.9.0\r\nmanufacturer-name             Muster\r\n")
            << Name;
    EXPECT_EQ(ReadLines(DataPath("infozip-files.zip"), "LensType.Dat"),
              "ABC123Glas eins\r\nDEF456Glas zwei\r\n");
}

TEST(ZipArchive, UnreadableArchivesAndMembersAreNamedErrors) {
    const TTempFile Scratch;
    const std::string Missing = Scratch.Path() + ".missing";
    EXPECT_EQ(ReadError(Missing, "Head.dat"), "cannot open '" + Missing + "': file not found");
    const std::string Dir = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(ReadError(Dir, "Head.dat"), "cannot open '" + Dir + "': is a directory");

    TTempArchive Deflated({{"LensType.Dat", std::string(500, 'a')}});
    std::string Bytes = Deflated.Read();
    Bytes[30 + std::string_view("LensType.Dat").size()] = '\xFF'; // reserved block type
    Deflated.Write(Bytes);
    EXPECT_EQ(ReadError(Deflated.Path(), "LensType.Dat"), "cannot read 'LensType.Dat' in '" +
                                                              Deflated.Path() +
                                                              "': compressed data are damaged");

    // Both headers declaring a size other than the 500 bytes of the member: 100 bytes, or
    // nearly 4 GiB, which is refused before reading as a bomb would be.
    const std::pair<std::string, std::string> Lies[] = {
        {std::string("\x64\0\0\0", 4), "member size does not match the archive directory"},
        {"\xF0\xFF\xFF\xFF",
         "member is larger than 67108864 bytes and more than 200 times its compressed size"}};
    for (const auto& [Declared, Cause] : Lies) {
        TTempArchive Lying({{"LensType.Dat", std::string(500, 'a')}});
        Bytes = Lying.Read();
        Bytes.replace(22, 4, Declared);
        Bytes.replace(Bytes.find("PK\x01\x02") + 24, 4, Declared);
        Lying.Write(Bytes);
        EXPECT_EQ(ReadError(Lying.Path(), "LensType.Dat"),
                  "cannot read 'LensType.Dat' in '" + Lying.Path() + "': " + Cause);
    }
}

// A truncated archive has lost its end record, which names the members: whatever the cut,
// it is no archive at all.
TEST(ZipArchive, TruncatedArchiveIsNoArchive) {
    const std::string Whole = test::ReadFileBytes(KR6_SOURCE_DIR "/examples/demo-kr6.zip");
    for (std::size_t Length = 0; Length < Whole.size(); ++Length) {
        TOXVCLZip Zip;
        EXPECT_EQ(ArchiveError([&] { Zip.OpenBytes(Whole.substr(0, Length), "cut.zip"); }),
                  "cannot open 'cut.zip': not a ZIP archive")
            << Length;
    }
}

// An archive file as the failing disk below serves it: its bytes, until reading fails.
struct TFailingDisk {
    std::string Bytes;
    zip_uint64_t Offset = 0;
    bool ReadsFail = false;
    zip_error_t Error{};
};
TFailingDisk Disk;

zip_int64_t ServeDisk(void*, void* Data, zip_uint64_t Length, zip_source_cmd_t Command) {
    switch (Command) {
    case ZIP_SOURCE_OPEN:
        Disk.Offset = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        if (Disk.ReadsFail) {
            zip_error_set(&Disk.Error, ZIP_ER_READ, EIO);
            return -1;
        }
        const zip_uint64_t Count = std::min<zip_uint64_t>(Length, Disk.Bytes.size() - Disk.Offset);
        std::memcpy(Data, Disk.Bytes.data() + Disk.Offset, Count);
        Disk.Offset += Count;
        return static_cast<zip_int64_t>(Count);
    }
    case ZIP_SOURCE_SEEK: {
        const zip_int64_t To = zip_source_seek_compute_offset(Disk.Offset, Disk.Bytes.size(), Data,
                                                              Length, &Disk.Error);
        if (To < 0)
            return -1;
        Disk.Offset = static_cast<zip_uint64_t>(To);
        return 0;
    }
    case ZIP_SOURCE_TELL:
        return static_cast<zip_int64_t>(Disk.Offset);
    case ZIP_SOURCE_STAT: {
        auto* Stat = static_cast<zip_stat_t*>(Data);
        zip_stat_init(Stat);
        Stat->size = Disk.Bytes.size();
        Stat->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&Disk.Error, Data, Length);
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(
            ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR,
            ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL, ZIP_SOURCE_SUPPORTS, -1);
    default:
        return 0;
    }
}

zip_source* FailingDiskSource(const char*, zip_error* Error) {
    return zip_source_function_create(ServeDisk, nullptr, Error);
}

zip_source* UnreadableFileSource(const char*, zip_error* Error) {
    zip_error_set(Error, ZIP_ER_OPEN, EACCES);
    return nullptr;
}

// The system's reasons reach the messages in its words: a file that cannot be opened, a
// disk that fails while the directory or a member is read.
TEST(ZipArchive, SystemErrorsAreNamedInTheSystemsWords) {
    const TTempArchive Archive({{"Head.dat", std::string(5000, 'h')}}, test::Stored);
    {
        TSystemCalls Calls = SystemCalls();
        Calls.ArchiveFileSource = UnreadableFileSource;
        const TSystemCallsReplaced Unreadable(Calls);
        EXPECT_EQ(ReadError(Archive.Path(), "Head.dat"),
                  "cannot open '" + Archive.Path() + "': permission denied");
    }
    TSystemCalls Calls = SystemCalls();
    Calls.ArchiveFileSource = FailingDiskSource;
    const TSystemCallsReplaced Failing(Calls);
    Disk = {Archive.Read(), 0, true, {}};
    EXPECT_EQ(ReadError(Archive.Path(), "Head.dat"),
              "cannot open '" + Archive.Path() + "': read error (input/output error)");
    Disk.ReadsFail = false;
    TOXVCLZip Zip;
    Zip.SetZipName(Archive.Path());
    Disk.ReadsFail = true;
    EXPECT_EQ(ArchiveError([&] { ReadLines(Zip, "Head.dat"); }),
              "cannot read 'Head.dat' in '" + Archive.Path() +
                  "': read error (input/output error)");
    zip_error_fini(&Disk.Error);
}

// Every method this libzip writes reads back the same, up to a limit of exactly the
// member's size; Info-ZIP's BZip2 archive stands for the tools that write what libzip only
// reads.
TEST(ZipArchive, ReadsEveryMethodThisLibzipReads) {
    std::string Text;
    for (int I = 0; I < 2000; ++I)
        Text += "GL" + std::to_string(I % 97) + "  Glas " + std::to_string(I) + "\r\n";
    TStringList Expected;
    Expected.SetText(Text);
    int Written = 0;
    for (const std::int32_t Method :
         {ZIP_CM_STORE, ZIP_CM_DEFLATE, ZIP_CM_BZIP2, ZIP_CM_LZMA, ZIP_CM_XZ, 93 /* Zstandard */}) {
        if (zip_compression_method_supported(Method, 1) == 0)
            continue;
        SCOPED_TRACE(Method);
        ++Written;
        const TTempArchive Archive({{"LensType.Dat", Text}}, Method);
        EXPECT_EQ(ReadLines(Archive.Path(), "LensType.Dat", Text.size()), Expected.Text());
        const std::uint64_t Limit = Text.size() - 1;
        EXPECT_EQ(ReadError(Archive.Path(), "LensType.Dat", Limit),
                  "cannot read 'LensType.Dat' in '" + Archive.Path() + "': member is larger than " +
                      std::to_string(Limit) + " bytes");
    }
    EXPECT_GE(Written, 2);

    if (zip_compression_method_supported(ZIP_CM_BZIP2, 0) != 0) {
        TStringList Read;
        Read.SetText(ReadLines(DataPath("infozip-bzip2.zip"), "LensType.Dat"));
        ASSERT_EQ(Read.Count(), 40);
        EXPECT_TRUE(Read[39].starts_with("ABC123Glas eins")) << Read[39];
    }
}

// Beyond the free bytes a member may expand only so much; a member whose compressed bytes
// would allow more than the most bytes read stops at those.
TEST(ZipArchive, MembersBeyondTheFreeBytesMustNotExpandTooMuch) {
    std::string Numbers;
    for (int I = 0; I < 300; ++I)
        Numbers += std::to_string(I * 7919 % 100003) + "\n";
    const TTempArchive Archive({{"zeros", std::string(4000, '0')},
                                {"few zeros", std::string(1000, '0')},
                                {"numbers", Numbers}});
    TOXVCLZip Zip({.FreeBytes = 1000, .MaxRatio = 10});
    Zip.SetZipName(Archive.Path());
    std::pmr::string Text;
    EXPECT_EQ(Zip.ExtractTextfile("numbers", Text), 300U);
    EXPECT_EQ(Zip.ExtractTextfile("few zeros", Text), 1U);
    EXPECT_EQ(ArchiveError([&] { Zip.ExtractTextfile("zeros", Text); }),
              "cannot read 'zeros' in '" + Archive.Path() +
                  "': member is larger than 1000 bytes and more than 10 times its compressed size");
    TOXVCLZip Capped({.MaxBytes = Numbers.size() - 1, .FreeBytes = 100, .MaxRatio = 10});
    Capped.SetZipName(Archive.Path());
    EXPECT_EQ(ArchiveError([&] { Capped.ExtractTextfile("numbers", Text); }),
              "cannot read 'numbers' in '" + Archive.Path() + "': member is larger than " +
                  std::to_string(Numbers.size() - 1) + " bytes");
}

} // namespace
} // namespace kr6
