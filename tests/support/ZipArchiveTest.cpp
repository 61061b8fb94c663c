#include "support/ZipArchive.h"

#include "helpers/HostileArchives.h"
#include "helpers/TestArchive.h"
#include "support/StringList.h"

#include <gtest/gtest.h>

#include <zip.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

namespace kr6 {
namespace {

using test::TTempArchive;
using test::TTempFile;

std::vector<std::string> Lines(const TStringList& List) {
    std::vector<std::string> Result;
    for (const auto& Entry : List)
        Result.push_back(Entry.Text);
    return Result;
}

std::vector<std::string> ReadLines(TOXVCLZip& Zip, std::string_view Member) {
    TStringList List;
    Zip.ExtractTextfileToStrings(Member, List);
    return Lines(List);
}

std::string DataPath(std::string_view Name) {
    return std::string(KR6_TEST_DATA_DIR) + "/zip/" + std::string(Name);
}

// The message of the EArchiveError that Action throws; fails the test when none is thrown.
std::string ArchiveError(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const EArchiveError& Error) {
        return Error.what();
    }
    ADD_FAILURE() << "no EArchiveError";
    return {};
}

std::string ReadError(const std::string& Path, std::string_view Member,
                      std::uint64_t Limit = MaxMemberSize) {
    return ArchiveError([&] {
        TOXVCLZip Zip(Limit);
        Zip.SetZipName(Path);
        TStringList List;
        Zip.ExtractTextfileToStrings(Member, List);
    });
}

// Offset of the first member's data behind its local header.
std::size_t FirstDataOffset(const std::string& Bytes) {
    const auto U16 = [&](std::size_t At) {
        return static_cast<std::size_t>(static_cast<unsigned char>(Bytes[At])) |
               static_cast<std::size_t>(static_cast<unsigned char>(Bytes[At + 1])) << 8;
    };
    return 30 + U16(26) + U16(28);
}

TEST(ZipArchive, ReadsStoredAndDeflatedMembers) {
    for (const std::int32_t Method : {test::Stored, test::Deflated}) {
        const TTempArchive Archive({{"Head.dat", "eins\r\nzwei\r\n"}, {"Bild.png", "\x89PNG"}},
                                   Method);
        TOXVCLZip Zip;
        Zip.SetZipName(Archive.Path());
        EXPECT_EQ(ReadLines(Zip, "Head.dat"), (std::vector<std::string>{"eins", "zwei"}));
        std::string Picture;
        EXPECT_TRUE(Zip.ExtractBitmapFromZip("Bild.png", Picture));
        EXPECT_EQ(Picture, "\x89PNG");
        EXPECT_TRUE(Zip.FileExists("Bild.png"));
        EXPECT_EQ(Zip.UncompressedFilesizeFromFilename("Head.dat"), 12U);
        EXPECT_EQ(Zip.UncompressedFilesizeFromFilename("Nope.dat"), 0U);
    }
}

TEST(ZipArchive, TextMembersSplitIntoLines) {
    const TTempArchive Archive({{"mixed", "a\rb\nc\r\n\r\nd"},
                                {"ended", "a\r\nb\n"},
                                {"empty", ""},
                                {"nul", std::string("a\nb\0c\nd", 7)}});
    TOXVCLZip Zip;
    Zip.SetZipName(Archive.Path());
    using L = std::vector<std::string>;
    EXPECT_EQ(ReadLines(Zip, "mixed"), (L{"a", "b", "c", "", "d"}));
    EXPECT_EQ(ReadLines(Zip, "ended"), (L{"a", "b"}));
    EXPECT_EQ(ReadLines(Zip, "nul"), (L{"a", "b"}));
    TStringList List;
    List.Add("old");
    Zip.ExtractTextfileToStrings("empty", List);
    EXPECT_TRUE(List.IsEmpty());

    // A missing member leaves the list alone.
    List.Add("kept");
    Zip.ExtractTextfileToStrings("LensGeo.Dat", List);
    EXPECT_EQ(Lines(List), std::vector<std::string>{"kept"});
    std::string Picture = "kept";
    EXPECT_FALSE(Zip.ExtractBitmapFromZip("Bild.png", Picture));
    EXPECT_EQ(Picture, "kept");
    EXPECT_FALSE(Zip.FileExists("LensGeo.Dat"));
}

TEST(ZipArchive, NamesIgnoreCaseButNoTwoMembersShareOne) {
    const TTempArchive Single({{"Head.dat", "first"}, {"Head.dat.bak", "other"}});
    TOXVCLZip Zip;
    Zip.SetZipName(Single.Path());
    EXPECT_EQ(ReadLines(Zip, "head.DAT"), std::vector<std::string>{"first"});
    EXPECT_TRUE(Zip.FileExists("hEaD.dAt"));
    EXPECT_EQ(Zip.UncompressedFilesizeFromFilename("HEAD.dat"), 5U);

    // Names that differ in case only: whichever a lookup asks for is refused.
    const TTempArchive Cased({{"Head.dat", "first"}, {"HEAD.DAT", "second!"}});
    const std::string Shared =
        "'" + Cased.Path() + "' holds two members named 'Head.dat' and 'HEAD.DAT'";
    EXPECT_EQ(ReadError(Cased.Path(), "head.dat"), Shared);
    EXPECT_EQ(ArchiveError([&] {
                  TOXVCLZip Other;
                  Other.SetZipName(Cased.Path());
                  Other.FileExists("Head.dat");
              }),
              Shared);

    // Equal names, of any member, are refused on opening.
    const TTempFile Equal(
        test::ZipOf({test::StoredMember("Head.dat", "a"), test::StoredMember("readme.txt", "b"),
                     test::StoredMember("readme.txt", "c")}));
    EXPECT_EQ(ReadError(Equal.Path(), "Head.dat"),
              "'" + Equal.Path() + "' holds two members named 'readme.txt'");
}

TEST(ZipArchive, SameNameInOtherCaseKeepsTheOpenArchive) {
    const TTempArchive First({{"Head.dat", "first"}});
    const TTempArchive Second({{"Head.dat", "second"}});
    TOXVCLZip Zip;
    Zip.SetZipName(First.Path());
    // Would the name be opened again, the file would be gone.
    std::string Upper = First.Path();
    for (char& C : Upper)
        C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    Zip.SetZipName(Upper);
    EXPECT_EQ(Zip.ZipName(), First.Path());
    EXPECT_EQ(ReadLines(Zip, "Head.dat"), std::vector<std::string>{"first"});
    Zip.SetZipName(Second.Path());
    EXPECT_EQ(ReadLines(Zip, "Head.dat"), std::vector<std::string>{"second"});
}

TEST(ZipArchive, WritesNewAndExistingArchives) {
    const TTempFile Scratch;
    const std::string Path = Scratch.Path() + ".new.zip";
    {
        TOXVCLZip Zip;
        Zip.SetZipName(Path);
        TStringList Text;
        Text.Add("a");
        Text.Add("b");
        Zip.StringsToTextfile("Head.dat", Text);
        const std::string Picture("\x89PNG\0\x01", 6);
        Zip.CompressBitmapToZip("Bild.png", Picture);
        EXPECT_EQ(ReadLines(Zip, "Head.dat"), (std::vector<std::string>{"a", "b"}));
        std::string Read;
        EXPECT_TRUE(Zip.ExtractBitmapFromZip("bild.PNG", Read));
        EXPECT_EQ(Read, Picture);

        TStringList Other;
        Other.Add("c");
        Zip.StringsToTextfile("HEAD.DAT", Other);
        EXPECT_EQ(ReadLines(Zip, "Head.dat"), std::vector<std::string>{"c"});
        EXPECT_EQ(Zip.UncompressedFilesizeFromFilename("Head.dat"), 3U);
        Zip.DeletefileFromZip("head.dat");
        EXPECT_FALSE(Zip.FileExists("Head.dat"));
        EXPECT_TRUE(Zip.FileExists("Bild.png"));
        Zip.DeletefileFromZip("Bild.png");
    }
    // Without members the file stays a readable archive. (Closed before the removal, which
    // Windows refuses for an open file.)
    {
        TOXVCLZip Reopened;
        Reopened.SetZipName(Path);
        EXPECT_FALSE(Reopened.FileExists("Bild.png"));
    }
    std::filesystem::remove(Path);

    const TTempArchive Existing({{"Head.dat", "kept"}});
    TOXVCLZip Zip;
    Zip.SetZipName(Existing.Path());
    Zip.CompressBitmapToZip("Bild.png", "png");
    TOXVCLZip Check;
    Check.SetZipName(Existing.Path());
    EXPECT_EQ(ReadLines(Check, "Head.dat"), std::vector<std::string>{"kept"});
    EXPECT_TRUE(Check.FileExists("Bild.png"));
}

TEST(ZipArchive, ReadsArchivesOfInfoZip) {
    const std::vector<std::string> Head = {"version                       6.9.0",
                                           "manufacturer-name             Muster"};
    // Written from files; from standard input (member renamed, Zip64 local header);
    // to a pipe (data descriptors behind the data).
    for (const char* Name : {"infozip-files.zip", "infozip-stdin.zip", "infozip-stream.zip"}) {
        SCOPED_TRACE(Name);
        TOXVCLZip Zip;
        Zip.SetZipName(DataPath(Name));
        EXPECT_EQ(ReadLines(Zip, "Head.dat"), Head);
    }
    TOXVCLZip Zip;
    Zip.SetZipName(DataPath("infozip-files.zip"));
    EXPECT_EQ(ReadLines(Zip, "LensType.Dat"),
              (std::vector<std::string>{"ABC123Glas eins", "DEF456Glas zwei"}));
}

TEST(ZipArchive, UnreadableArchivesAreNamedErrors) {
    const TTempFile Scratch;
    const std::string Missing = Scratch.Path() + ".missing";
    EXPECT_EQ(ReadError(Missing, "Head.dat"), "cannot open '" + Missing + "': file not found");

    const std::string Dir = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(ReadError(Dir, "Head.dat"), "cannot open '" + Dir + "': is a directory");

    const TTempFile Text("this is no archive, but long enough to look for one");
    EXPECT_EQ(ReadError(Text.Path(), "Head.dat"),
              "cannot open '" + Text.Path() + "': not a ZIP archive");
    const TTempFile Empty;
    EXPECT_EQ(ReadError(Empty.Path(), "Head.dat"),
              "cannot open '" + Empty.Path() + "': not a ZIP archive");

    const TTempArchive Archive({{"Head.dat", std::string(200, 'x')}});
    const std::string Bytes = Archive.Read();
    for (const std::size_t Keep : {Bytes.size() - 10, Bytes.size() / 2}) {
        const TTempFile Cut(std::string_view(Bytes).substr(0, Keep));
        EXPECT_NE(ReadError(Cut.Path(), "Head.dat").find("cannot open '" + Cut.Path() + "': "),
                  std::string::npos);
    }
}

TEST(ZipArchive, DamagedMembersAreNamedErrors) {
    TTempArchive Deflated({{"LensType.Dat", std::string(500, 'a')}});
    std::string Bytes = Deflated.Read();
    Bytes[FirstDataOffset(Bytes)] = '\xFF'; // reserved block type
    Deflated.Write(Bytes);
    EXPECT_EQ(ReadError(Deflated.Path(), "LensType.Dat"), "cannot read 'LensType.Dat' in '" +
                                                              Deflated.Path() +
                                                              "': compressed data are damaged");

    TTempArchive Stored({{"LensType.Dat", "ABC123 Glas\r\n"}}, test::Stored);
    Bytes = Stored.Read();
    Bytes[FirstDataOffset(Bytes) + 2] = 'X';
    Stored.Write(Bytes);
    EXPECT_EQ(ReadError(Stored.Path(), "LensType.Dat"),
              "cannot read 'LensType.Dat' in '" + Stored.Path() + "': CRC error");

    // Both headers declaring a size other than the 500 bytes of the member: 100 bytes or
    // nearly 4 GiB.
    for (const std::string& Declared :
         {std::string("\x64\0\0\0", 4), std::string("\xF0\xFF\xFF\xFF")}) {
        TTempArchive Lying({{"LensType.Dat", std::string(500, 'a')}});
        Bytes = Lying.Read();
        Bytes.replace(22, 4, Declared);
        Bytes.replace(Bytes.find("PK\x01\x02") + 24, 4, Declared);
        Lying.Write(Bytes);
        EXPECT_EQ(ReadError(Lying.Path(), "LensType.Dat"),
                  "cannot read 'LensType.Dat' in '" + Lying.Path() +
                      "': member size does not match the archive directory");
    }

    EXPECT_NE(ReadError(DataPath("infozip-encrypted.zip"), "Head.dat").find("member is encrypted"),
              std::string::npos);
}

// Every method this libzip writes reads back the same, within the same limits; Info-ZIP's
// BZip2 archive stands for the tools that write what libzip only reads.
TEST(ZipArchive, ReadsEveryMethodThisLibzipReads) {
    std::string Text;
    for (int I = 0; I < 2000; ++I)
        Text += "GL" + std::to_string(I % 97) + "  Glas " + std::to_string(I) + "\r\n";
    TStringList Expected;
    Expected.SetText(Text);
    const std::int32_t Methods[] = {ZIP_CM_STORE, ZIP_CM_DEFLATE, ZIP_CM_BZIP2,
                                    ZIP_CM_LZMA,  ZIP_CM_XZ,      93 /* Zstandard */};
    int Written = 0;
    for (const std::int32_t Method : Methods) {
        if (zip_compression_method_supported(Method, 1) == 0)
            continue;
        SCOPED_TRACE(Method);
        ++Written;
        const TTempArchive Archive({{"LensType.Dat", Text}}, Method);
        TOXVCLZip Zip;
        Zip.SetZipName(Archive.Path());
        EXPECT_EQ(ReadLines(Zip, "LensType.Dat"), Lines(Expected));
        const std::uint64_t Limit = Text.size() - 1;
        EXPECT_EQ(ReadError(Archive.Path(), "LensType.Dat", Limit),
                  "cannot read 'LensType.Dat' in '" + Archive.Path() + "': member is larger than " +
                      std::to_string(Limit) + " bytes");
    }
    EXPECT_GE(Written, 2);

    if (zip_compression_method_supported(ZIP_CM_BZIP2, 0) != 0) {
        TOXVCLZip Zip;
        Zip.SetZipName(DataPath("infozip-bzip2.zip"));
        const std::vector<std::string> Read = ReadLines(Zip, "LensType.Dat");
        EXPECT_EQ(Read.size(), 40U);
        EXPECT_TRUE(Read.back().starts_with("ABC123Glas eins")) << Read.back();
    }
}

// The message names what the user's tool calls the method and says what to do; nothing
// of the member's data is read.
TEST(ZipArchive, MethodsThisLibzipCannotReadAreNamed) {
    const std::pair<std::uint16_t, std::string> Methods[] = {
        {ZIP_CM_DEFLATE64, "Deflate64 compression"},
        {ZIP_CM_LZMA, "LZMA compression"},
        {ZIP_CM_PPMD, "PPMd compression"},
        {93, "Zstandard compression"},
        {ZIP_CM_XZ, "XZ compression"},
        {ZIP_CM_BZIP2, "BZip2 compression"},
        {ZIP_CM_IMPLODE, "Implode compression"},
        {77, "compression method 77"}};
    int Refused = 0;
    for (const auto& [Method, Name] : Methods) {
        if (zip_compression_method_supported(Method, 0) != 0)
            continue;
        ++Refused;
        const TTempFile File(
            test::ZipOf({test::MemberOfMethod("LensType.Dat", "not really compressed", Method)}));
        EXPECT_EQ(ReadError(File.Path(), "LensType.Dat"),
                  "cannot read 'LensType.Dat' in '" + File.Path() + "': member uses " + Name +
                      ", which kr6csv cannot read; re-pack the archive with Deflate (the usual "
                      "ZIP setting)");
    }
    EXPECT_GE(Refused, 3);

    const TTempFile Aes(test::ZipOf({test::AesMember("Head.dat", "secret")}));
    EXPECT_EQ(ReadError(Aes.Path(), "Head.dat"),
              "cannot read 'Head.dat' in '" + Aes.Path() +
                  "': member is encrypted (AES); re-pack the archive without a password");
}

TEST(ZipArchive, OpensArchivesHeldInMemory) {
    const TTempArchive Archive({{"Head.dat", "eins\r\nzwei\r\n"}});
    TOXVCLZip Zip;
    Zip.OpenBytes(Archive.Read(), "-");
    EXPECT_EQ(Zip.ZipName(), "-");
    EXPECT_EQ(ReadLines(Zip, "Head.dat"), (std::vector<std::string>{"eins", "zwei"}));
    // A file called like the name is not touched.
    EXPECT_EQ(ArchiveError([&] { Zip.CompressBitmapToZip("Bild.png", "png"); }),
              "cannot write '-': the archive was read from memory");
    EXPECT_FALSE(std::filesystem::exists("-"));

    for (const std::string& Bytes : {std::string(), std::string("no archive at all, not at all")}) {
        EXPECT_EQ(ArchiveError([&] {
                      TOXVCLZip Other;
                      Other.OpenBytes(Bytes, "standard input");
                  }),
                  "cannot open 'standard input': not a ZIP archive");
    }

    // Opening a file afterwards reads the file.
    const TTempArchive Other({{"Head.dat", "drei"}});
    Zip.SetZipName(Other.Path());
    EXPECT_EQ(ReadLines(Zip, "Head.dat"), std::vector<std::string>{"drei"});
}

TEST(ZipArchive, MembersAboveTheLimitAreRefused) {
    const TTempArchive Archive(
        {{"Fits", std::string(64, 'a')}, {"Bomb", std::string(1 << 20, '\0')}});
    TOXVCLZip Zip(64);
    Zip.SetZipName(Archive.Path());
    std::string Data;
    EXPECT_TRUE(Zip.ExtractBitmapFromZip("Fits", Data));
    EXPECT_EQ(Data.size(), 64U);
    EXPECT_EQ(ReadError(Archive.Path(), "Bomb", 64),
              "cannot read 'Bomb' in '" + Archive.Path() + "': member is larger than 64 bytes");
}

} // namespace
} // namespace kr6
