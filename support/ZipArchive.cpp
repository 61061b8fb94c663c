#include "support/ZipArchive.h"

#include "support/StringList.h"
#include "support/TextCompare.h"
#include "support/Utf8Path.h"

#include <zip.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kr6 {

namespace {

std::string Quoted(std::string_view Name) {
    return "'" + std::string(Name) + "'";
}

// Plain words for the causes a user meets; libzip's own text for the rest.
std::string Describe(zip_error_t* Error) {
    switch (zip_error_code_zip(Error)) {
    case ZIP_ER_NOENT:
        return "file not found";
    case ZIP_ER_NOZIP:
        return "not a ZIP archive";
    case ZIP_ER_INCONS:
        return "damaged ZIP archive (inconsistent directory)";
    case ZIP_ER_EOF:
        return "archive is truncated";
    case ZIP_ER_CRC:
        return "CRC error";
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        return "compressed data are damaged";
    case ZIP_ER_COMPNOTSUPP:
        return "unsupported compression method";
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return "member is encrypted";
    case ZIP_ER_MULTIDISK:
        return "multi-disk archives are not supported";
    default:
        return zip_error_strerror(Error);
    }
}

std::string DescribeCode(int Code) {
    zip_error_t Error;
    zip_error_init_with_code(&Error, Code);
    std::string Text = Describe(&Error);
    zip_error_fini(&Error);
    return Text;
}

// libzip removes an archive whose last member is deleted; an empty archive is kept as
// its end-of-directory record instead, so the file stays a valid archive.
void WriteEmptyArchive(const std::string& Path) {
    static constexpr char EndOfDirectory[22] = {'P', 'K', 5, 6};
    std::ofstream File(PathFromUtf8(Path), std::ios::binary | std::ios::trunc);
    File.write(EndOfDirectory, sizeof EndOfDirectory);
    if (!File)
        throw EArchiveError("cannot write " + Quoted(Path) + ": write error");
}

// The lines that TStringList::SetText makes of Text.
std::uint64_t LineCount(std::string_view Text) {
    Text = Text.substr(0, Text.find('\0'));
    std::uint64_t Count = 0;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == '\n' || (Text[I] == '\r' && (I + 1 == Text.size() || Text[I + 1] != '\n')))
            ++Count;
    }
    if (!Text.empty() && Text.back() != '\n' && Text.back() != '\r')
        ++Count;
    return Count;
}

} // namespace

void TOXVCLZip::TZipCloser::operator()(zip* Archive) const {
    zip_discard(Archive);
}

TOXVCLZip::TOXVCLZip(std::uint64_t MemberLimit, std::uint64_t LineLimit)
    : FMemberLimit(MemberLimit), FLineLimit(LineLimit) {}

TOXVCLZip::~TOXVCLZip() = default;

void TOXVCLZip::SetZipName(std::string_view Name) {
    if (FReader && SameText(Name, FZipName))
        return;
    FReader.reset();
    FZipName = Name;
    Reopen();
}

void TOXVCLZip::Reopen() {
    FReader.reset();
    std::error_code Ec;
    const std::filesystem::path Path = PathFromUtf8(FZipName);
    if (!std::filesystem::exists(Path, Ec))
        return;
    if (std::filesystem::is_directory(Path, Ec))
        throw EArchiveError("cannot open " + Quoted(FZipName) + ": is a directory");
    // libzip accepts an empty file as an empty archive; for reading it is no archive.
    if (std::filesystem::is_regular_file(Path, Ec) && std::filesystem::file_size(Path, Ec) == 0)
        throw EArchiveError("cannot open " + Quoted(FZipName) + ": not a ZIP archive");
    int Error = 0;
    FReader.reset(zip_open(FZipName.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &Error));
    // Info-ZIP writing to a pipe puts the uncompressed size into a local header that is
    // followed by a data descriptor, which this libzip's strict check calls inconsistent.
    // Such archives are read without that check; every member is still verified by its
    // CRC and length when read, and reads are capped.
    if (!FReader && Error == ZIP_ER_INCONS)
        FReader.reset(zip_open(FZipName.c_str(), ZIP_RDONLY, &Error));
    if (!FReader)
        throw EArchiveError("cannot open " + Quoted(FZipName) + ": " + DescribeCode(Error));
}

zip* TOXVCLZip::Reader() const {
    if (FZipName.empty())
        throw EArchiveError("no archive name given");
    if (!FReader)
        throw EArchiveError("cannot open " + Quoted(FZipName) + ": file not found");
    return FReader.get();
}

std::int64_t TOXVCLZip::IndexOf(zip* Archive, std::string_view Name) const {
    const zip_int64_t Count = zip_get_num_entries(Archive, 0);
    for (zip_int64_t I = 0; I < Count; ++I) {
        const char* Stored = zip_get_name(Archive, static_cast<zip_uint64_t>(I), ZIP_FL_ENC_RAW);
        if (Stored != nullptr && SameText(Stored, Name))
            return I;
    }
    return -1;
}

bool TOXVCLZip::ReadMember(std::string_view Name, std::string& Data) {
    zip* Archive = Reader();
    const std::int64_t Index = IndexOf(Archive, Name);
    if (Index < 0)
        return false;
    const auto Fail = [&](const std::string& Cause) {
        return EArchiveError("cannot read " + Quoted(Name) + " in " + Quoted(FZipName) + ": " +
                             Cause);
    };

    zip_stat_t Stat;
    zip_stat_init(&Stat);
    if (zip_stat_index(Archive, static_cast<zip_uint64_t>(Index), 0, &Stat) != 0)
        throw Fail(Describe(zip_get_error(Archive)));
    if ((Stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && Stat.encryption_method != ZIP_EM_NONE)
        throw Fail("member is encrypted");
    if ((Stat.valid & ZIP_STAT_COMP_METHOD) && Stat.comp_method != ZIP_CM_STORE &&
        Stat.comp_method != ZIP_CM_DEFLATE)
        throw Fail("unsupported compression method " + std::to_string(Stat.comp_method));

    const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> File(
        zip_fopen_index(Archive, static_cast<zip_uint64_t>(Index), 0), &zip_fclose);
    if (!File)
        throw Fail(Describe(zip_get_error(Archive)));

    // The declared size is not trusted: read in chunks and stop one byte past the limit.
    // CRC and length are checked only when zip_fread reports the end.
    constexpr std::uint64_t ChunkSize = std::uint64_t{64} * 1024;
    std::string Buffer;
    // The declared size only sets aside room (within the limit), so that a large member
    // is not copied each time the buffer grows.
    if (Stat.valid & ZIP_STAT_SIZE)
        Buffer.reserve(
            static_cast<std::size_t>(std::min<std::uint64_t>(Stat.size, FMemberLimit + 1)));
    for (;;) {
        const std::uint64_t Room = FMemberLimit + 1 - Buffer.size();
        const std::uint64_t Want = std::min(ChunkSize, Room);
        const std::size_t Old = Buffer.size();
        Buffer.resize(Old + Want);
        const zip_int64_t Got = zip_fread(File.get(), Buffer.data() + Old, Want);
        if (Got < 0)
            throw Fail(Describe(zip_file_get_error(File.get())));
        Buffer.resize(Old + static_cast<std::size_t>(Got));
        if (Got == 0)
            break;
        if (Buffer.size() > FMemberLimit)
            throw Fail("member is larger than " + std::to_string(FMemberLimit) + " bytes");
    }
    // This libzip lets data shorter than the declared size pass when the CRC matches.
    if ((Stat.valid & ZIP_STAT_SIZE) && Buffer.size() != Stat.size)
        throw Fail("member size does not match the archive directory");
    Data = std::move(Buffer);
    return true;
}

void TOXVCLZip::ExtractTextfileToStrings(std::string_view Name, TStringList& Strings) {
    std::string Data;
    if (!ReadMember(Name, Data))
        return;
    const std::uint64_t Lines = LineCount(Data);
    if (Lines > FLineLimit)
        throw EArchiveError("cannot read " + Quoted(Name) + " in " + Quoted(FZipName) +
                            ": member has more than " + std::to_string(FLineLimit) + " lines");
    // The line list of a large member in one allocation, not grown and moved many times.
    Strings.Reserve(static_cast<std::size_t>(Lines));
    Strings.SetText(Data);
}

bool TOXVCLZip::ExtractBitmapFromZip(std::string_view Name, std::string& Picture) {
    return ReadMember(Name, Picture);
}

bool TOXVCLZip::FileExists(std::string_view Name) {
    return IndexOf(Reader(), Name) >= 0;
}

std::uint64_t TOXVCLZip::UncompressedFilesizeFromFilename(std::string_view Name) {
    zip* Archive = Reader();
    const std::int64_t Index = IndexOf(Archive, Name);
    if (Index < 0)
        return 0;
    zip_stat_t Stat;
    zip_stat_init(&Stat);
    if (zip_stat_index(Archive, static_cast<zip_uint64_t>(Index), 0, &Stat) != 0 ||
        !(Stat.valid & ZIP_STAT_SIZE))
        return 0;
    return Stat.size;
}

namespace {

// One change to the archive file: opened for writing (created when missing), changed,
// and committed by Commit.
class TArchiveWriter {
public:
    explicit TArchiveWriter(const std::string& Path) : FPath(Path) {
        if (Path.empty())
            throw EArchiveError("no archive name given");
        int Error = 0;
        FArchive = zip_open(Path.c_str(), ZIP_CREATE, &Error);
        if (FArchive == nullptr)
            throw EArchiveError("cannot open " + Quoted(Path) + ": " + DescribeCode(Error));
    }
    ~TArchiveWriter() {
        if (FArchive != nullptr)
            zip_discard(FArchive);
    }
    TArchiveWriter(const TArchiveWriter&) = delete;
    TArchiveWriter& operator=(const TArchiveWriter&) = delete;

    zip* Archive() const { return FArchive; }

    [[noreturn]] void Fail() const {
        throw EArchiveError("cannot write " + Quoted(FPath) + ": " +
                            Describe(zip_get_error(FArchive)));
    }

    void Commit() {
        const bool Empty = LiveEntries() == 0;
        if (zip_close(FArchive) != 0)
            Fail();
        FArchive = nullptr;
        if (Empty)
            WriteEmptyArchive(FPath);
    }

private:
    // zip_get_num_entries still counts the entries deleted in this change.
    zip_int64_t LiveEntries() const {
        const zip_int64_t Count = zip_get_num_entries(FArchive, 0);
        zip_int64_t Live = 0;
        for (zip_int64_t I = 0; I < Count; ++I)
            Live += zip_get_name(FArchive, static_cast<zip_uint64_t>(I), 0) != nullptr;
        return Live;
    }

    std::string FPath;
    zip* FArchive = nullptr;
};

} // namespace

void TOXVCLZip::StoreMember(std::string_view Name, std::string_view Data) {
    TArchiveWriter Writer(FZipName);
    zip* Archive = Writer.Archive();
    // The buffer lives until Commit, which reads it.
    zip_source_t* Source = zip_source_buffer(Archive, Data.data(), Data.size(), 0);
    if (Source == nullptr)
        Writer.Fail();
    std::int64_t Index = IndexOf(Archive, Name);
    const bool Stored =
        Index >= 0 ? zip_file_replace(Archive, static_cast<zip_uint64_t>(Index), Source, 0) == 0
                   : (Index = zip_file_add(Archive, std::string(Name).c_str(), Source, 0)) >= 0;
    if (!Stored) {
        zip_source_free(Source);
        Writer.Fail();
    }
    const auto Entry = static_cast<zip_uint64_t>(Index);
    if (FCompressionLevel != 0 &&
        zip_set_file_compression(Archive, Entry, ZIP_CM_DEFLATE,
                                 static_cast<zip_uint32_t>(FCompressionLevel)) != 0)
        Writer.Fail();
    if (FMemberTime != 0 && zip_file_set_mtime(Archive, Entry, FMemberTime, 0) != 0)
        Writer.Fail();
    // Windows replaces no file that is open: the reader lets go while the change is made.
    FReader.reset();
    Writer.Commit();
    Reopen();
}

void TOXVCLZip::StringsToTextfile(std::string_view Name, const TStringList& Strings) {
    StoreMember(Name, Strings.Text());
}

void TOXVCLZip::CompressBitmapToZip(std::string_view Name, std::string_view Picture) {
    StoreMember(Name, Picture);
}

void TOXVCLZip::DeletefileFromZip(std::string_view Name) {
    TArchiveWriter Writer(FZipName);
    zip* Archive = Writer.Archive();
    std::int64_t Index = IndexOf(Archive, Name);
    if (Index < 0)
        return;
    for (; Index >= 0; Index = IndexOf(Archive, Name)) {
        if (zip_delete(Archive, static_cast<zip_uint64_t>(Index)) != 0)
            Writer.Fail();
    }
    // Windows replaces no file that is open: the reader lets go while the change is made.
    FReader.reset();
    Writer.Commit();
    Reopen();
}

} // namespace kr6
