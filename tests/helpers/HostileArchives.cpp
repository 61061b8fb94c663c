#include "helpers/HostileArchives.h"

#include "helpers/Kr6Lines.h"
#include "helpers/TestArchive.h"
#include "support/ZipArchive.h"

#include <zip.h>

#include <array>
#include <random>

namespace kr6::test {
namespace {

void Put16(std::string& Out, std::uint32_t Value) {
    Out += static_cast<char>(Value & 0xFF);
    Out += static_cast<char>(Value >> 8 & 0xFF);
}

void Put32(std::string& Out, std::uint32_t Value) {
    Put16(Out, Value & 0xFFFF);
    Put16(Out, Value >> 16);
}

std::string LibzipArchive(const TMembers& Members) {
    return TTempArchive(Members).Read();
}

std::string LegalHead() {
    return HeadLine("version", "6.9.0") + "\r\n" + HeadLine("manufacturer-code", "MK1") + "\r\n";
}

} // namespace

std::uint32_t Crc32(std::string_view Bytes) {
    static const auto Table = [] {
        std::array<std::uint32_t, 256> Result{};
        for (std::uint32_t N = 0; N < 256; ++N) {
            std::uint32_t C = N;
            for (int K = 0; K < 8; ++K)
                C = (C & 1) ? 0xEDB88320U ^ (C >> 1) : C >> 1;
            Result[N] = C;
        }
        return Result;
    }();
    std::uint32_t Crc = 0xFFFFFFFFU;
    for (const char Byte : Bytes)
        Crc = Table[(Crc ^ static_cast<unsigned char>(Byte)) & 0xFF] ^ (Crc >> 8);
    return Crc ^ 0xFFFFFFFFU;
}

TRawMember StoredMember(std::string_view Name, std::string_view Data) {
    TRawMember Member;
    Member.Name = Name;
    Member.Data = Data;
    Member.Crc = Crc32(Data);
    Member.Size = static_cast<std::uint32_t>(Data.size());
    return Member;
}

TRawMember AesMember(std::string_view Name, std::string_view Data) {
    constexpr std::uint16_t AesMethod = 99;
    constexpr std::uint16_t Encrypted = 1;
    // Salt of AES-256, password check, the data, authentication code.
    TRawMember Member =
        StoredMember(Name, std::string(18, '\x5A') + std::string(Data) + std::string(10, '\xA5'));
    Member.Method = AesMethod;
    Member.Flags = Encrypted;
    // Version AE-2 (no CRC), key strength 3 (256 bits), real method deflate.
    Member.Crc = 0;
    Put16(Member.Extra, 0x9901);
    Put16(Member.Extra, 7);
    Put16(Member.Extra, 2);
    Member.Extra += "AE";
    Member.Extra += '\x03';
    Put16(Member.Extra, 8);
    return Member;
}

std::string ZipOf(const std::vector<TRawMember>& Members) {
    constexpr std::uint32_t DosTime = 0, DosDate = (45 << 9) | (1 << 5) | 1; // 2025-01-01
    std::string Out;
    std::string Directory;
    for (const TRawMember& Member : Members) {
        const auto Offset = static_cast<std::uint32_t>(Out.size());
        const auto CompressedSize = static_cast<std::uint32_t>(Member.Data.size());
        const auto NameSize = static_cast<std::uint32_t>(Member.Name.size());

        // The fields the local header and the directory entry share, from the flags on.
        const auto PutShared = [&](std::string& To) {
            Put16(To, Member.Flags);
            Put16(To, Member.Method);
            Put16(To, DosTime);
            Put16(To, DosDate);
            Put32(To, Member.Crc);
            Put32(To, CompressedSize);
            Put32(To, Member.Size);
            Put16(To, NameSize);
            Put16(To, static_cast<std::uint32_t>(Member.Extra.size()));
        };

        Put32(Out, 0x04034B50);
        Put16(Out, 20);
        PutShared(Out);
        Out += Member.Name;
        Out += Member.Extra;
        Out += Member.Data;

        Put32(Directory, 0x02014B50);
        Put16(Directory, 20);
        Put16(Directory, 20);
        PutShared(Directory);
        Directory.append(10, '\0'); // comment length, disk, internal and external attributes
        Put32(Directory, Offset);
        Directory += Member.Name;
        Directory += Member.Extra;
    }
    const auto DirectoryOffset = static_cast<std::uint32_t>(Out.size());
    Out += Directory;
    Put32(Out, 0x06054B50);
    Out.append(4, '\0'); // this disk, the directory's disk
    Put16(Out, static_cast<std::uint32_t>(Members.size()));
    Put16(Out, static_cast<std::uint32_t>(Members.size()));
    Put32(Out, static_cast<std::uint32_t>(Directory.size()));
    Put32(Out, DirectoryOffset);
    Put16(Out, 0);
    return Out;
}

std::vector<THostileArchive> HostileArchives() {
    std::vector<THostileArchive> Cases;
    const std::string Legal =
        LibzipArchive({{"Head.dat", LegalHead()}, {"LensType.Dat", LensTypeLine("GL1").Text()}});

    Cases.push_back({"empty file", "", "not a ZIP archive"});

    std::mt19937 Random(6);
    std::string Noise(4096, '\0');
    for (char& Byte : Noise)
        Byte = static_cast<char>(Random() & 0xFF);
    Cases.push_back({"random bytes", Noise, "not a ZIP archive"});

    Cases.push_back({"truncated archive", Legal.substr(0, Legal.size() / 2), "not a ZIP archive"});

    std::string PastEnd = Legal;
    const std::size_t End = PastEnd.rfind("PK\x05\x06");
    PastEnd.replace(End + 16, 4, std::string("\xFF\xFF\x00\x01", 4));
    Cases.push_back({"directory past the end", PastEnd, "damaged ZIP archive"});

    TRawMember WrongCrc = StoredMember("LensType.Dat", LensTypeLine("GL1").Text());
    WrongCrc.Crc ^= 1;
    Cases.push_back({"wrong CRC", ZipOf({WrongCrc}), "CRC error"});

    TRawMember Encrypted = StoredMember("Head.dat", std::string(12, '\x5A') + LegalHead());
    Encrypted.Flags = 1;
    Cases.push_back({"encrypted member", ZipOf({Encrypted}), "member is encrypted"});

    // What this libzip cannot decompress is refused by name before any data are read.
    const auto Unreadable = [&](std::string Name, std::uint16_t Method, std::string Cause) {
        if (zip_compression_method_supported(Method, 0) != 0)
            return;
        TRawMember Raw = StoredMember("LensType.Dat", "not really compressed");
        Raw.Method = Method;
        Cases.push_back({std::move(Name), ZipOf({StoredMember("Head.dat", LegalHead()), Raw}),
                         std::move(Cause)});
    };
    Unreadable("imploded member", ZIP_CM_IMPLODE, "member uses Implode compression");
    Unreadable("Deflate64 member", ZIP_CM_DEFLATE64,
               "member uses Deflate64 compression, which kr6csv cannot read; re-pack the archive "
               "with Deflate (the usual ZIP setting)");
    Unreadable("LZMA member", ZIP_CM_LZMA, "member uses LZMA compression");
    Unreadable("member of an unknown method", 77, "member uses compression method 77");
    Cases.push_back({"AES-encrypted member",
                     ZipOf({StoredMember("Head.dat", LegalHead()), AesMember("LensType.Dat", "x")}),
                     "member is encrypted (AES); re-pack the archive without a password"});

    Cases.push_back({"KR6 members inside a folder",
                     LibzipArchive({{"readme.txt", "see kr6/"},
                                    {"kr6/Head.dat", LegalHead()},
                                    {"kr6/LensType.Dat", LensTypeLine("GL1").Text()}}),
                     "at the top level); found 'kr6/Head.dat' inside a folder"});

    // Zeros just past the bytes read whatever their compression shrink a thousandfold.
    Cases.push_back(
        {"deflate bomb",
         LibzipArchive({{"LensType.Dat", std::string(TMemberLimits{}.FreeBytes + 1, '\0')}}),
         "member is larger than 67108864 bytes and more than 200 times its compressed size"});

    Cases.push_back({"member name with path parts",
                     LibzipArchive({{"../Head.dat", LegalHead()},
                                    {"LensType.Dat", LensTypeLine("GL1").Text()}}),
                     ""});

    std::string Keys;
    for (int I = 0; I < ManyHeaderKeys; ++I)
        Keys += HeadLine("unknown-key-" + std::to_string(I), "value") + "\r\n";
    Cases.push_back(
        {"header of unknown keys", LibzipArchive({{"Head.dat", Keys + LegalHead()}}), ""});

    // Blanks up to the last byte, so that the fields keep their short values.
    const auto Long = [](std::string Line) {
        Line.resize(LongLineLength - 1, ' ');
        return Line + "x\r\n";
    };
    Cases.push_back({"lines of 1 MiB",
                     LibzipArchive({{"Head.dat", Long(HeadLine("manufacturer-code", "MK1"))},
                                    {"LensType.Dat", Long(LensTypeLine("GL1").Text()) +
                                                         Long(LensTypeLine("GL2").Text())},
                                    {"Options.Dat", Long(OptionsLine("AR1").Text())},
                                    {"Combination.Dat", Long(CombinationLine("GL1", 1, "AR1"))}}),
                     ""});

    std::string EmptyLines;
    for (int I = 0; I < EmptyLensTypeLines; ++I)
        EmptyLines += "\r\n";
    Cases.push_back({"empty LensType lines", LibzipArchive({{"LensType.Dat", EmptyLines}}), ""});
    std::string TooMany;
    for (std::uint64_t I = 0; I <= TMemberLimits{}.FreeLines; ++I)
        TooMany += "\r\n";
    Cases.push_back({"too many empty LensType lines", LibzipArchive({{"LensType.Dat", TooMany}}),
                     "member has more than 100000 lines"});
    return Cases;
}

} // namespace kr6::test
