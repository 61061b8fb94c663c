#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kr6::test {

// A fresh file in the temporary directory, removed on destruction.
class TTempFile {
public:
    explicit TTempFile(std::string_view Bytes = {}, std::string_view Suffix = ".zip");
    ~TTempFile();
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    const std::string& Path() const { return FPath; }
    std::string Read() const;
    void Write(std::string_view Bytes) const;

private:
    std::string FPath;
};

// Member name and bytes, in directory order.
using TMembers = std::vector<std::pair<std::string, std::string>>;

inline constexpr std::int32_t Stored = 0;
inline constexpr std::int32_t Deflated = 8;

// A ZIP archive written by libzip with the given members, compressed by Method (a ZIP
// method number that this libzip can write).
class TTempArchive : public TTempFile {
public:
    explicit TTempArchive(const TMembers& Members, std::int32_t Method = Deflated);
    explicit TTempArchive(std::initializer_list<TMembers::value_type> Members,
                          std::int32_t Method = Deflated)
        : TTempArchive(TMembers(Members), Method) {}
};

// A fresh folder below the temporary one whose name is not ASCII, as a user names one
// ("Preise/Härtel"); removed with everything in it. Paths are UTF-8 text, as the command
// line gives them.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    std::string operator/(std::string_view Name) const;
    // The names of its entries, sorted.
    std::vector<std::string> Names() const;

private:
    std::string FTop;
    std::string FPath;
};

// The message of the archive error that Action throws; fails the test when none is thrown.
std::string ArchiveError(const std::function<void()>& Action);

std::string ReadFileBytes(const std::string& Path);
void WriteFileBytes(const std::string& Path, std::string_view Bytes);

} // namespace kr6::test
