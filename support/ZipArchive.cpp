#include "support/ZipArchive.h"

#include "support/PoolMemory.h"
#include "support/StringList.h"
#include "support/SystemCalls.h"
#include "support/SystemReason.h"
#include "support/TextCompare.h"
#include "support/TextLines.h"
#include "support/Utf8Path.h"

#include <zip.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>
#include <unordered_set>

namespace kr6 {

namespace {

std::string Quoted(std::string_view Name) {
    std::string Text(1, '\'');
    Text.append(Name).push_back('\'');
    return Text;
}

// The operation that failed and the system's reason, as "write error (No space left on
// device)".
std::string SystemCause(zip_error_t* Error) {
    const int Code = zip_error_system_type(Error) == ZIP_ET_SYS ? zip_error_code_system(Error) : 0;
    std::string Reason = Code != 0 ? SystemReason(Code) : "";
    // Opening is what the message already says: the reason alone ("permission denied").
    if (zip_error_code_zip(Error) == ZIP_ER_OPEN && !Reason.empty())
        return Reason;
    std::string Operation;
    switch (zip_error_code_zip(Error)) {
    case ZIP_ER_OPEN:
        Operation = "cannot open the file";
        break;
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
        Operation = "read error";
        break;
    case ZIP_ER_TMPOPEN:
        Operation = "cannot create a temporary file";
        break;
    case ZIP_ER_RENAME:
        Operation = "cannot replace the file";
        break;
    case ZIP_ER_REMOVE:
        Operation = "cannot remove the file";
        break;
    default:
        Operation = "write error";
        break;
    }
    return Reason.empty() ? Operation : Operation + " (" + Reason + ")";
}

// Plain words for every cause an archive or the file system can provoke; what remains
// are misuses of the library, which the text marks as such.
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
    case ZIP_ER_EXISTS:
        return "two members have the same name";
    case ZIP_ER_MEMORY:
        return "out of memory";
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
    case ZIP_ER_RENAME:
    case ZIP_ER_REMOVE:
    case ZIP_ER_TMPOPEN:
        return SystemCause(Error);
    default:
        return std::string("unexpected error of the ZIP library (") + zip_error_strerror(Error) +
               ")";
    }
}

std::string DescribeCode(int Code) {
    zip_error_t Error;
    zip_error_init_with_code(&Error, Code);
    std::string Text = Describe(&Error);
    zip_error_fini(&Error);
    return Text;
}

// The names under which the methods this libzip may lack are known from the tools that
// offer them.
std::string MethodName(std::int32_t Method) {
    switch (Method) {
    case ZIP_CM_SHRINK:
        return "Shrink";
    case ZIP_CM_REDUCE_1:
    case ZIP_CM_REDUCE_2:
    case ZIP_CM_REDUCE_3:
    case ZIP_CM_REDUCE_4:
        return "Reduce";
    case ZIP_CM_IMPLODE:
        return "Implode";
    case ZIP_CM_DEFLATE64:
        return "Deflate64";
    case ZIP_CM_PKWARE_IMPLODE:
        return "PKWARE DCL Implode";
    case ZIP_CM_BZIP2:
        return "BZip2";
    case ZIP_CM_LZMA:
        return "LZMA";
    case ZIP_CM_TERSE:
        return "IBM TERSE";
    case ZIP_CM_LZ77:
        return "IBM LZ77";
    case 20: // the number Zstandard had before 93 was assigned
    case 93:
        return "Zstandard";
    case 94:
        return "MP3";
    case ZIP_CM_XZ:
        return "XZ";
    case ZIP_CM_JPEG:
        return "JPEG";
    case ZIP_CM_WAVPACK:
        return "WavPack";
    case ZIP_CM_PPMD:
        return "PPMd";
    default:
        return {};
    }
}

bool IsAes(std::uint16_t Encryption) {
    switch (Encryption) {
    case ZIP_EM_AES_128:
    case ZIP_EM_AES_192:
    case ZIP_EM_AES_256:
        return true;
    default:
        return false;
    }
}

// Why a member cannot be read before any of its data is, or empty when it can.
std::string UnreadableCause(const zip_stat_t& Stat) {
    // Method 99 stands for AES when the extra field naming the real method is missing.
    constexpr std::uint16_t AesMarker = 99;
    const bool Encrypted =
        (Stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && Stat.encryption_method != ZIP_EM_NONE;
    const bool Aes = (Encrypted && IsAes(Stat.encryption_method)) ||
                     ((Stat.valid & ZIP_STAT_COMP_METHOD) && Stat.comp_method == AesMarker);
    if (Aes)
        return "member is encrypted (AES); re-pack the archive without a password";
    if (Encrypted)
        return "member is encrypted; re-pack the archive without a password";
    if (!(Stat.valid & ZIP_STAT_COMP_METHOD) ||
        zip_compression_method_supported(Stat.comp_method, 0) != 0)
        return {};
    const std::string Name = MethodName(Stat.comp_method);
    return "member uses " +
           (Name.empty() ? "compression method " + std::to_string(Stat.comp_method)
                         : Name + " compression") +
           ", which kr6csv cannot read; re-pack the archive with Deflate (the usual ZIP setting)";
}

// Index of the first entry called Name, or -1; writing replaces or deletes by it.
std::int64_t FirstIndexOf(zip* Archive, std::string_view Name) {
    const zip_int64_t Count = zip_get_num_entries(Archive, 0);
    for (zip_int64_t I = 0; I < Count; ++I) {
        const char* Stored = zip_get_name(Archive, static_cast<zip_uint64_t>(I), ZIP_FL_ENC_RAW);
        if (Stored != nullptr && SameText(Stored, Name))
            return I;
    }
    return -1;
}

std::string TwoMembers(std::string_view Archive, std::string_view First, std::string_view Second) {
    std::string Text = Quoted(Archive) + " holds two members named " + Quoted(First);
    if (Second != First)
        Text += " and " + Quoted(Second);
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

// The most bytes the member of Stat may hold in an archive of ArchiveSize bytes.
std::uint64_t ReadableBytes(const TMemberLimits& Limits, const zip_stat_t& Stat,
                            std::uint64_t ArchiveSize) {
    // A directory that gives no compressed size leaves only the free bytes, and one that
    // gives more than the archive holds is believed only as far as the archive goes.
    const std::uint64_t Compressed =
        (Stat.valid & ZIP_STAT_COMP_SIZE) ? std::min(Stat.comp_size, ArchiveSize) : 0;
    const std::uint64_t ByRatio = Compressed > Limits.MaxBytes / Limits.MaxRatio
                                      ? Limits.MaxBytes
                                      : Compressed * Limits.MaxRatio;
    return std::min(Limits.MaxBytes, std::max(Limits.FreeBytes, ByRatio));
}

} // namespace

void TOXVCLZip::TZipCloser::operator()(zip* Archive) const {
    zip_discard(Archive);
}

TOXVCLZip::TOXVCLZip(const TMemberLimits& Limits) : FLimits(Limits) {}

TOXVCLZip::~TOXVCLZip() = default;

void TOXVCLZip::SetZipName(std::string_view Name) {
    if (FReader && !FFromMemory && SameText(Name, FZipName))
        return;
    FReader.reset();
    std::string().swap(FBytes);
    FFromMemory = false;
    FZipName = Name;
    Reopen();
}

void TOXVCLZip::OpenBytes(std::string Bytes, std::string_view Name) {
    FReader.reset();
    FBytes = std::move(Bytes);
    FFromMemory = true;
    FZipName = Name;
    Reopen();
}

TOXVCLZip::TZipHandle TOXVCLZip::OpenReader(int Flags, int& Error) const {
    zip_error_t SourceError;
    zip_error_init(&SourceError);
    zip_source_t* Source =
        FFromMemory ? zip_source_buffer_create(FBytes.data(), FBytes.size(), 0, &SourceError)
                    : SystemCalls().ArchiveFileSource(FZipName.c_str(), &SourceError);
    zip* Archive = nullptr;
    if (Source != nullptr) {
        Archive = zip_open_from_source(Source, Flags, &SourceError);
        if (Archive == nullptr)
            zip_source_free(Source);
    }
    Error = zip_error_code_zip(&SourceError);
    if (Archive == nullptr && Error != ZIP_ER_INCONS && Error != ZIP_ER_EXISTS) {
        const std::string Cause = Describe(&SourceError);
        zip_error_fini(&SourceError);
        throw EArchiveError("cannot open " + Quoted(FZipName) + ": " + Cause);
    }
    zip_error_fini(&SourceError);
    return TZipHandle(Archive);
}

void TOXVCLZip::Reopen() {
    FReader.reset();
    FArchiveSize = FBytes.size();
    if (!FFromMemory) {
        std::error_code Ec;
        const std::filesystem::path Path = PathFromUtf8(FZipName);
        if (!std::filesystem::exists(Path, Ec))
            return;
        if (std::filesystem::is_directory(Path, Ec))
            throw EArchiveError("cannot open " + Quoted(FZipName) + ": is a directory");
        // libzip accepts an empty file as an empty archive; for reading it is no archive.
        FArchiveSize = std::filesystem::file_size(Path, Ec);
        if (Ec)
            FArchiveSize = std::numeric_limits<std::uint64_t>::max();
        else if (FArchiveSize == 0)
            throw EArchiveError("cannot open " + Quoted(FZipName) + ": not a ZIP archive");
    } else if (FBytes.empty()) {
        throw EArchiveError("cannot open " + Quoted(FZipName) + ": not a ZIP archive");
    }
    int Error = 0;
    FReader = OpenReader(ZIP_RDONLY | ZIP_CHECKCONS, Error);
    if (FReader)
        return;
    // Info-ZIP writing to a pipe puts the uncompressed size into a local header that is
    // followed by a data descriptor, which this libzip's strict check calls inconsistent.
    // Such archives are read without that check; every member is still verified by its
    // CRC and length when read, and reads are capped. Only the strict check refuses two
    // members of one name; without it they are found and named.
    const int StrictError = Error;
    TZipHandle Lenient = OpenReader(ZIP_RDONLY, Error);
    if (!Lenient)
        throw EArchiveError("cannot open " + Quoted(FZipName) + ": " + DescribeCode(Error));
    if (StrictError == ZIP_ER_EXISTS)
        FailOnDuplicate(Lenient.get());
    FReader = std::move(Lenient);
}

void TOXVCLZip::FailOnDuplicate(zip* Archive) const {
    std::unordered_set<std::string_view> Seen;
    const zip_int64_t Count = zip_get_num_entries(Archive, 0);
    for (zip_int64_t I = 0; I < Count; ++I) {
        const char* Stored = zip_get_name(Archive, static_cast<zip_uint64_t>(I), ZIP_FL_ENC_RAW);
        if (Stored != nullptr && !Seen.insert(Stored).second)
            throw EArchiveError(TwoMembers(FZipName, Stored, Stored));
    }
    throw EArchiveError("cannot open " + Quoted(FZipName) + ": " + DescribeCode(ZIP_ER_EXISTS));
}

zip* TOXVCLZip::Reader() const {
    if (FZipName.empty())
        throw EArchiveError("no archive name given");
    if (!FReader)
        throw EArchiveError("cannot open " + Quoted(FZipName) + ": file not found");
    return FReader.get();
}

std::int64_t TOXVCLZip::MemberIndex(std::string_view Name) {
    zip* Archive = Reader();
    std::int64_t Found = -1;
    const zip_int64_t Count = zip_get_num_entries(Archive, 0);
    for (zip_int64_t I = 0; I < Count; ++I) {
        const char* Stored = zip_get_name(Archive, static_cast<zip_uint64_t>(I), ZIP_FL_ENC_RAW);
        if (Stored == nullptr || !SameText(Stored, Name))
            continue;
        if (Found >= 0)
            throw EArchiveError(TwoMembers(
                FZipName, zip_get_name(Archive, static_cast<zip_uint64_t>(Found), ZIP_FL_ENC_RAW),
                Stored));
        Found = I;
    }
    return Found;
}

void TOXVCLZip::TMemberReader::TFileCloser::operator()(zip_file* File) const {
    zip_fclose(File);
}

std::optional<TOXVCLZip::TMemberReader> TOXVCLZip::OpenMember(std::string_view Name) {
    const std::int64_t Index = MemberIndex(Name);
    if (Index < 0)
        return std::nullopt;
    zip* Archive = Reader();
    TMemberReader Member;
    Member.FFailure = "cannot read " + Quoted(Name) + " in " + Quoted(FZipName) + ": ";

    zip_stat_t Stat;
    zip_stat_init(&Stat);
    if (zip_stat_index(Archive, static_cast<zip_uint64_t>(Index), 0, &Stat) != 0)
        throw Member.Fail(Describe(zip_get_error(Archive)));
    if (const std::string Cause = UnreadableCause(Stat); !Cause.empty())
        throw Member.Fail(Cause);

    // The declared size is not trusted: whatever the method, reading stops one byte past
    // the member's limit or its declared size. A declared size beyond the limit is refused
    // before anything is read.
    const std::uint64_t Limit = ReadableBytes(FLimits, Stat, FArchiveSize);
    Member.FTooLarge = Limit == FLimits.MaxBytes
                           ? "member is larger than " + std::to_string(Limit) + " bytes"
                           : "member is larger than " + std::to_string(FLimits.FreeBytes) +
                                 " bytes and more than " + std::to_string(FLimits.MaxRatio) +
                                 " times its compressed size";
    if (Stat.valid & ZIP_STAT_SIZE) {
        if (Stat.size > Limit)
            throw Member.Fail(Member.FTooLarge);
        Member.FDeclared = Stat.size;
    }
    // A member that goes on past its declared size is known to be wrong one byte later.
    Member.FStop = Member.FDeclared.value_or(Limit);
    Member.FPastLimit = Member.FStop == Limit;

    Member.FFile.reset(zip_fopen_index(Archive, static_cast<zip_uint64_t>(Index), 0));
    if (!Member.FFile)
        throw Member.Fail(Describe(zip_get_error(Archive)));
    return Member;
}

std::size_t TOXVCLZip::TMemberReader::Read(char* Into, std::size_t Bytes) {
    // CRC and length are checked only when zip_fread reports the end.
    const std::uint64_t Want = std::min<std::uint64_t>(Bytes, FStop + 1 - FSize);
    const zip_int64_t Got = zip_fread(FFile.get(), Into, Want);
    if (Got < 0)
        throw Fail(Describe(zip_file_get_error(FFile.get())));
    FSize += static_cast<std::uint64_t>(Got);
    if (FSize > FStop)
        throw Fail(FPastLimit ? FTooLarge : SizeMismatch);
    // This libzip lets data shorter than the declared size pass when the CRC matches.
    if (Got == 0 && FDeclared && FSize != *FDeclared)
        throw Fail(SizeMismatch);
    return static_cast<std::size_t>(Got);
}

bool TOXVCLZip::ReadMember(std::string_view Name, std::pmr::string& Data) {
    std::optional<TMemberReader> Member = OpenMember(Name);
    if (!Member)
        return false;
    std::pmr::string Buffer(Data.get_allocator());
    // The declared size only sets aside room (within the limit), so that a large member
    // is not copied each time the buffer grows; one chunk more takes the read that finds
    // the end, which would otherwise copy the whole member once more.
    if (const std::optional<std::uint64_t> Declared = Member->DeclaredSize()) {
        Buffer.reserve(static_cast<std::size_t>(*Declared + ReadChunkBytes));
        // Tens of megabytes fault in faster as huge pages.
        PreferHugePages(Buffer.data(), Buffer.capacity());
    }
    for (;;) {
        const std::size_t Old = Buffer.size();
        Buffer.resize(Old + ReadChunkBytes);
        const std::size_t Got = Member->Read(Buffer.data() + Old, ReadChunkBytes);
        Buffer.resize(Old + Got);
        if (Got == 0)
            break;
    }
    Data = std::move(Buffer);
    return true;
}

std::optional<std::size_t> TOXVCLZip::ExtractTextfile(std::string_view Name,
                                                      std::pmr::string& Text) {
    std::pmr::string Data(Text.get_allocator());
    if (!ReadMember(Name, Data))
        return std::nullopt;
    const std::size_t Lines = TTextLines(Data).Count();
    CheckLines(Name, Lines, Data.size());
    Text = std::move(Data);
    return Lines;
}

void TOXVCLZip::CheckLines(std::string_view Name, std::uint64_t Lines, std::uint64_t Bytes) const {
    const std::uint64_t Limit = std::max(FLimits.FreeLines, Bytes / FLimits.MinLineBytes);
    if (Lines > Limit)
        throw EArchiveError("cannot read " + Quoted(Name) + " in " + Quoted(FZipName) +
                            ": member has more than " + std::to_string(Limit) + " lines");
}

void TOXVCLZip::ExtractTextfileToStrings(std::string_view Name, TStringList& Strings) {
    std::pmr::string Text;
    const std::optional<std::size_t> Lines = ExtractTextfile(Name, Text);
    if (!Lines)
        return;
    // The line list of a large member in one allocation, not grown and moved many times.
    Strings.Reserve(*Lines);
    Strings.SetText(Text);
}

bool TOXVCLZip::ExtractBitmapFromZip(std::string_view Name, std::string& Picture) {
    std::pmr::string Bytes;
    if (!ReadMember(Name, Bytes))
        return false;
    Picture = Bytes;
    return true;
}

bool TOXVCLZip::FileExists(std::string_view Name) {
    return MemberIndex(Name) >= 0;
}

void TOXVCLZip::GetMemberNames(TStringList& Names) {
    zip* Archive = Reader();
    Names.Clear();
    const zip_int64_t Count = zip_get_num_entries(Archive, 0);
    for (zip_int64_t I = 0; I < Count; ++I) {
        if (const char* Stored =
                zip_get_name(Archive, static_cast<zip_uint64_t>(I), ZIP_FL_ENC_RAW))
            Names.Add(Stored);
    }
}

std::uint64_t TOXVCLZip::UncompressedFilesizeFromFilename(std::string_view Name) {
    const std::int64_t Index = MemberIndex(Name);
    if (Index < 0)
        return 0;
    zip* Archive = Reader();
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

void TOXVCLZip::RefuseWritingFromMemory() const {
    if (FFromMemory)
        throw EArchiveError("cannot write " + Quoted(FZipName) +
                            ": the archive was read from memory");
}

void TOXVCLZip::StoreMember(std::string_view Name, std::string_view Data) {
    RefuseWritingFromMemory();
    TArchiveWriter Writer(FZipName);
    zip* Archive = Writer.Archive();
    // The buffer lives until Commit, which reads it.
    zip_source_t* Source = zip_source_buffer(Archive, Data.data(), Data.size(), 0);
    if (Source == nullptr)
        Writer.Fail();
    std::int64_t Index = FirstIndexOf(Archive, Name);
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
    RefuseWritingFromMemory();
    TArchiveWriter Writer(FZipName);
    zip* Archive = Writer.Archive();
    std::int64_t Index = FirstIndexOf(Archive, Name);
    if (Index < 0)
        return;
    for (; Index >= 0; Index = FirstIndexOf(Archive, Name)) {
        if (zip_delete(Archive, static_cast<zip_uint64_t>(Index)) != 0)
            Writer.Fail();
    }
    // Windows replaces no file that is open: the reader lets go while the change is made.
    FReader.reset();
    Writer.Commit();
    Reopen();
}

namespace {

// A libzip source with the buffer it writes into; freed with its last reference.
struct TSourceFree {
    void operator()(zip_source_t* Source) const { zip_source_free(Source); }
};
using TSourceHandle = std::unique_ptr<zip_source_t, TSourceFree>;

[[noreturn]] void FailToMake(zip_error_t* Error) {
    throw EArchiveError("cannot make the archive: " + Describe(Error));
}

std::string SourceBytes(zip_source_t* Source) {
    zip_stat_t Stat;
    zip_stat_init(&Stat);
    if (zip_source_stat(Source, &Stat) != 0 || !(Stat.valid & ZIP_STAT_SIZE) ||
        zip_source_open(Source) != 0)
        FailToMake(zip_source_error(Source));
    std::string Bytes(static_cast<std::size_t>(Stat.size), '\0');
    const zip_int64_t Read = zip_source_read(Source, Bytes.data(), Stat.size);
    zip_source_close(Source);
    if (Read < 0 || static_cast<zip_uint64_t>(Read) != Stat.size)
        FailToMake(zip_source_error(Source));
    return Bytes;
}

} // namespace

std::string ArchiveBytes(const std::vector<TArchiveMember>& Members, std::time_t MemberTime,
                         int CompressionLevel) {
    zip_error_t Error;
    zip_error_init(&Error);
    const TSourceHandle Source(zip_source_buffer_create(nullptr, 0, 0, &Error));
    if (!Source)
        FailToMake(&Error);
    zip* Archive = zip_open_from_source(Source.get(), ZIP_TRUNCATE, &Error);
    if (Archive == nullptr)
        FailToMake(&Error);
    // Closing the archive would free the source that holds the bytes.
    zip_source_keep(Source.get());
    const auto Fail = [Archive] {
        zip_error_t Copy;
        zip_error_init(&Copy);
        zip_error_set(&Copy, zip_error_code_zip(zip_get_error(Archive)),
                      zip_error_code_system(zip_get_error(Archive)));
        zip_discard(Archive);
        FailToMake(&Copy);
    };
    for (const TArchiveMember& Member : Members) {
        // The member's bytes live until zip_close, which reads them.
        zip_source_t* Data =
            zip_source_buffer(Archive, Member.Bytes.data(), Member.Bytes.size(), 0);
        if (Data == nullptr)
            Fail();
        const zip_int64_t Index = zip_file_add(Archive, Member.Name.c_str(), Data, 0);
        if (Index < 0) {
            zip_source_free(Data);
            Fail();
        }
        const auto Entry = static_cast<zip_uint64_t>(Index);
        if (CompressionLevel != 0 &&
            zip_set_file_compression(Archive, Entry, ZIP_CM_DEFLATE,
                                     static_cast<zip_uint32_t>(CompressionLevel)) != 0)
            Fail();
        if (MemberTime != 0 && zip_file_set_mtime(Archive, Entry, MemberTime, 0) != 0)
            Fail();
    }
    if (zip_close(Archive) != 0)
        Fail();
    return SourceBytes(Source.get());
}

} // namespace kr6
