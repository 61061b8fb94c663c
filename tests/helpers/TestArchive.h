#pragma once

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

// A ZIP archive written by libzip with the given members, stored or deflated.
class TTempArchive : public TTempFile {
public:
    explicit TTempArchive(const TMembers& Members, bool Deflate = true);
    explicit TTempArchive(std::initializer_list<TMembers::value_type> Members, bool Deflate = true)
        : TTempArchive(TMembers(Members), Deflate) {}
};

std::string ReadFileBytes(const std::string& Path);
void WriteFileBytes(const std::string& Path, std::string_view Bytes);

} // namespace kr6::test
