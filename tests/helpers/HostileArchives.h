#pragma once

// Archive files as they may arrive damaged, built by careless tools or hostile.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kr6::test {

// One member as it stands in the archive; sizes and CRC are written as given, the extra
// field into both headers.
struct TRawMember {
    std::string Name;
    std::string Data;
    std::string Extra;
    std::uint16_t Method = 0;
    std::uint16_t Flags = 0;
    std::uint32_t Crc = 0;
    std::uint32_t Size = 0;
};

std::uint32_t Crc32(std::string_view Bytes);
// A stored member with correct CRC and size.
TRawMember StoredMember(std::string_view Name, std::string_view Data);
// A member encrypted by AES as 7-Zip and WinZip write it: method 99 and the extra field
// that names the real method. The data are not really encrypted.
TRawMember AesMember(std::string_view Name, std::string_view Data);
// Local headers and data, central directory, end record.
std::string ZipOf(const std::vector<TRawMember>& Members);

struct THostileArchive {
    std::string Name;
    std::string Bytes;
    // Empty for an input that is legal and must import; otherwise the cause that the
    // error message must name.
    std::string Cause;
};

// Sizes of the legal cases.
inline constexpr int ManyHeaderKeys = 20000;
// Every empty LensType line makes a glass, each placed first by its sort number 0.
// Small enough for the sanitizer build: the benchmarks prove that large lists scale.
inline constexpr int EmptyLensTypeLines = 10000;
inline constexpr std::size_t LongLineLength = 1 << 20;

// Every case: empty file, random bytes, truncated archive, directory past the end, wrong
// CRC, encrypted member, members of methods this libzip cannot read, AES encryption, the
// KR6 members in a folder, deflate bomb (a "LensType.Dat" of zeros just past the free
// bytes), a member called "../Head.dat", a header of ManyHeaderKeys unknown keys, lines of
// LongLineLength bytes, a "LensType.Dat" of EmptyLensTypeLines empty lines and one of more
// empty lines than a member may have. (Members of one name are the zip tests' and the
// import's.)
std::vector<THostileArchive> HostileArchives();

} // namespace kr6::test
