#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <memory_resource>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct zip;
struct zip_file;

namespace kr6 {

class TStringList;

// An archive that cannot be opened, read or written; the text names the archive and the cause.
class EArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a member may hold and still be read; whatever its directory declares, reading stops
// at the first byte past its limit. The largest member of a large maker's price list, its
// lens prices, holds some hundreds of megabytes of fixed-column text, which Deflate
// shrinks at most about 25-fold and BZip2 about 70-fold; a decompression bomb expands
// two hundredfold (Deflate at its fastest) to a thousandfold and more.
inline constexpr std::uint64_t MaxMemberSize = std::uint64_t{2} << 30;
struct TMemberLimits {
    // Never more bytes than this.
    std::uint64_t MaxBytes = MaxMemberSize;
    // Up to FreeBytes whatever the compression; beyond, at most MaxRatio times the
    // member's compressed size.
    std::uint64_t FreeBytes = std::uint64_t{64} << 20;
    std::uint64_t MaxRatio = 200;
    // Up to FreeLines lines; beyond, one for every MinLineBytes bytes at most. A line may
    // make an object of the model, a lens some 1.7 KB, which is far more than an empty
    // line's two bytes; the shortest records, order options, take 14 with their line end.
    std::uint64_t FreeLines = 100000;
    std::uint64_t MinLineBytes = 8;
};

// A ZIP archive read and written member by member in memory. Member names are matched
// without regard to case (SameText). An archive with two members of one name does not
// open, and looking up a name that two members share in other case is refused: two
// readers that pick different copies are how an archive smuggles content past a check.
// Members are read in every compression method that libzip decompresses, each within the
// same limits; the others are refused by name.
class TOXVCLZip {
public:
    // Members are read in chunks of this size; reading a member takes room for its declared
    // size and one chunk more.
    static constexpr std::uint64_t ReadChunkBytes = std::uint64_t{64} * 1024;

    explicit TOXVCLZip(const TMemberLimits& Limits = {});
    ~TOXVCLZip();
    TOXVCLZip(const TOXVCLZip&) = delete;
    TOXVCLZip& operator=(const TOXVCLZip&) = delete;

    const std::string& ZipName() const { return FZipName; }
    // Opens the named archive; the name of the open archive (in any case) does nothing.
    // A file that does not exist yet is accepted so that it can be written; reading from
    // it fails.
    void SetZipName(std::string_view Name);
    // Opens the archive whose bytes are Bytes; Name stands for it in messages. Such an
    // archive is only read: writing to it is refused.
    void OpenBytes(std::string Bytes, std::string_view Name);

    // For members written from now on: a fixed modification time instead of the current
    // one (0 goes back to the current time), so that equal content gives equal archive
    // bytes; and the deflate level, 1 (fastest) to 9 (smallest), 0 for libzip's default.
    void SetMemberTime(std::time_t Time) { FMemberTime = Time; }
    void SetCompressionLevel(int Level) { FCompressionLevel = Level; }

    // Replaces Text with the text of member Name, whose lines (as TTextLines takes them
    // apart) are within the limits, and gives their number; none (Text unchanged) when
    // there is no such member. The text's memory comes from Text's memory resource.
    std::optional<std::size_t> ExtractTextfile(std::string_view Name, std::pmr::string& Text);
    // Refuses the text of member Name, Bytes long and of Lines lines, when it holds more
    // lines than the limits let through.
    void CheckLines(std::string_view Name, std::uint64_t Lines, std::uint64_t Bytes) const;

    // A member read a piece at a time, with the checks of a whole read: reading stops one
    // byte past the member's limit or its declared size, and the read that finds the end
    // checks the size and the CRC. The archive reads nothing else meanwhile.
    class TMemberReader {
    public:
        std::optional<std::uint64_t> DeclaredSize() const { return FDeclared; }
        // Reads up to Bytes of the member into Into and gives how many; 0 at its end.
        std::size_t Read(char* Into, std::size_t Bytes);

    private:
        friend class TOXVCLZip;
        EArchiveError Fail(std::string_view Cause) const {
            return EArchiveError(FFailure + std::string(Cause));
        }
        static constexpr std::string_view SizeMismatch =
            "member size does not match the archive directory";

        struct TFileCloser {
            void operator()(zip_file* File) const;
        };
        std::unique_ptr<zip_file, TFileCloser> FFile;
        // "cannot read 'Name' in 'Archive': ", which every cause follows.
        std::string FFailure;
        std::string FTooLarge;
        std::optional<std::uint64_t> FDeclared;
        // The most bytes the member may hold: its declared size or its limit, which a byte
        // beyond goes past when FPastLimit.
        std::uint64_t FStop = 0;
        bool FPastLimit = false;
        std::uint64_t FSize = 0;
    };
    // Member Name opened for reading; none when there is no such member.
    std::optional<TMemberReader> OpenMember(std::string_view Name);
    // Replaces Strings with the lines of member Name; a missing member leaves Strings
    // as it was.
    void ExtractTextfileToStrings(std::string_view Name, TStringList& Strings);
    // Stores the lines of Strings, each ended by CR LF, as member Name.
    void StringsToTextfile(std::string_view Name, const TStringList& Strings);
    // Replaces Picture with the bytes of member Name; false (Picture unchanged) when the
    // archive holds no such member.
    bool ExtractBitmapFromZip(std::string_view Name, std::string& Picture);
    void CompressBitmapToZip(std::string_view Name, std::string_view Picture);
    // Deletes every member called Name; none is not an error.
    void DeletefileFromZip(std::string_view Name);
    bool FileExists(std::string_view Name);
    // The stored names of all members, in directory order.
    void GetMemberNames(TStringList& Names);
    // Declared uncompressed size of member Name; 0 when there is none.
    std::uint64_t UncompressedFilesizeFromFilename(std::string_view Name);

private:
    struct TZipCloser {
        void operator()(zip* Archive) const;
    };
    using TZipHandle = std::unique_ptr<zip, TZipCloser>;

    zip* Reader() const;
    // Index of the one member called Name, or -1; a second one is an error.
    std::int64_t MemberIndex(std::string_view Name);
    bool ReadMember(std::string_view Name, std::pmr::string& Data);
    void StoreMember(std::string_view Name, std::string_view Data);
    void Reopen();
    // Opens the file or the bytes for reading. Null, with Error set, only for the two
    // causes that opening without the consistency check gets past; any other ends in an
    // EArchiveError.
    TZipHandle OpenReader(int Flags, int& Error) const;
    [[noreturn]] void FailOnDuplicate(zip* Archive) const;
    void RefuseWritingFromMemory() const;

    std::string FZipName;
    // The archive's bytes when it was opened from memory; libzip reads them in place.
    std::string FBytes;
    bool FFromMemory = false;
    TZipHandle FReader;
    TMemberLimits FLimits;
    // Bytes of the open archive, an upper bound for a member's compressed size; the most
    // a number holds when the file system cannot tell.
    std::uint64_t FArchiveSize = 0;
    std::time_t FMemberTime = 0;
    int FCompressionLevel = 0;
};

// A member of an archive to be made, as ArchiveBytes stores it.
struct TArchiveMember {
    std::string Name;
    std::string Bytes;
};

// The bytes of a new archive of Members, in their order, each deflated at CompressionLevel
// (1 to 9, 0 for libzip's default) with the modification time MemberTime (0: now). Made in
// memory, so that they can go to a file as a whole (TOutputFile) or to standard output.
std::string ArchiveBytes(const std::vector<TArchiveMember>& Members, std::time_t MemberTime,
                         int CompressionLevel);

} // namespace kr6
