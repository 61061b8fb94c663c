#include "helpers/TestArchive.h"

#include "support/Utf8Path.h"
#include "support/ZipArchive.h"

#include <gtest/gtest.h>

#include <zip.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace kr6::test {
namespace {

// 64 random bits: a name already taken is not worth looking for.
std::string RandomTempName(std::string_view Suffix) {
    static std::mt19937_64 Generator{std::random_device{}()};
    return (std::filesystem::temp_directory_path() /
            ("kr6test-" + std::to_string(Generator()) + std::string(Suffix)))
        .string();
}

} // namespace

std::string ArchiveError(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const EArchiveError& Error) {
        return Error.what();
    }
    ADD_FAILURE() << "no archive error";
    return {};
}

std::string ReadFileBytes(const std::string& Path) {
    std::ifstream File(PathFromUtf8(Path), std::ios::binary);
    if (!File)
        throw std::runtime_error("cannot read " + Path);
    return {std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& Path, std::string_view Bytes) {
    std::ofstream File(PathFromUtf8(Path), std::ios::binary | std::ios::trunc);
    File.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    if (!File)
        throw std::runtime_error("cannot write " + Path);
}

TTempFile::TTempFile(std::string_view Bytes, std::string_view Suffix)
    : FPath(RandomTempName(Suffix)) {
    Write(Bytes);
}

TTempFile::~TTempFile() {
    std::error_code Ignored;
    std::filesystem::remove(FPath, Ignored);
}

std::string TTempFile::Read() const {
    return ReadFileBytes(FPath);
}

void TTempFile::Write(std::string_view Bytes) const {
    WriteFileBytes(FPath, Bytes);
}

TTempDir::TTempDir() : FTop(RandomTempName("")), FPath(FTop + "/Preise/H\xC3\xA4rtel") {
    std::filesystem::create_directories(PathFromUtf8(FPath));
}

TTempDir::~TTempDir() {
    std::error_code Ignored;
    std::filesystem::remove_all(PathFromUtf8(FTop), Ignored);
}

std::string TTempDir::operator/(std::string_view Name) const {
    return Utf8FromPath(PathFromUtf8(FPath) / PathFromUtf8(Name));
}

std::vector<std::string> TTempDir::Names() const {
    std::vector<std::string> Result;
    for (const auto& Entry : std::filesystem::directory_iterator(PathFromUtf8(FPath)))
        Result.push_back(Utf8FromPath(Entry.path().filename()));
    std::sort(Result.begin(), Result.end());
    return Result;
}

TTempArchive::TTempArchive(const TMembers& Members, std::int32_t Method) {
    int Error = 0;
    zip_t* Archive = zip_open(Path().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &Error);
    if (Archive == nullptr)
        throw std::runtime_error("cannot create test archive " + Path());
    for (const auto& [Name, Bytes] : Members) {
        zip_source_t* Source = zip_source_buffer(Archive, Bytes.data(), Bytes.size(), 0);
        const zip_int64_t Index =
            Source ? zip_file_add(Archive, Name.c_str(), Source, 0) : zip_int64_t{-1};
        if (Index < 0 ||
            zip_set_file_compression(Archive, static_cast<zip_uint64_t>(Index), Method, 0) != 0) {
            if (Source != nullptr && Index < 0)
                zip_source_free(Source);
            zip_discard(Archive);
            throw std::runtime_error("cannot add " + Name + " to test archive");
        }
    }
    if (zip_close(Archive) != 0) {
        zip_discard(Archive);
        throw std::runtime_error("cannot write test archive " + Path());
    }
    // libzip writes no file for an archive without members.
    if (Members.empty())
        Write(std::string_view("PK\x05\x06\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 22));
}

} // namespace kr6::test
