#include "support/OutputFile.h"

#include "support/FileDescriptor.h"
#include "support/Utf8Path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace kr6 {
namespace {

namespace fs = std::filesystem;

// A fresh folder below the temporary one whose name is not ASCII, as a user names one
// ("Preise/Härtel"); removed with everything in it.
class TFolder {
public:
    TFolder() {
        static std::mt19937_64 Generator{std::random_device{}()};
        FPath = fs::temp_directory_path() / ("kr6test-" + std::to_string(Generator())) /
                PathFromUtf8("Preise/H\xC3\xA4rtel");
        fs::create_directories(FPath);
    }
    ~TFolder() {
        std::error_code Ignored;
        fs::remove_all(FPath.parent_path().parent_path(), Ignored);
    }
    TFolder(const TFolder&) = delete;
    TFolder& operator=(const TFolder&) = delete;

    // The path of Name in the folder, as UTF-8 text like the command line gives it.
    std::string File(std::string_view Name) const { return Utf8FromPath(FPath / Name); }
    std::size_t Entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(FPath), fs::directory_iterator()));
    }

private:
    fs::path FPath;
};

std::string Read(const std::string& Path) {
    std::ifstream File(PathFromUtf8(Path), std::ios::binary);
    return {std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
}

void Write(TOutputFile& File, std::string_view Bytes) {
    std::error_code Error;
    while (!Bytes.empty() && !Error)
        Bytes.remove_prefix(WriteSome(File.Fd(), Bytes, Error));
    ASSERT_FALSE(Error) << Error.message();
}

TEST(OutputFile, TargetChangesOnlyOnCommitAndNoTemporaryStays) {
    const TFolder Folder;
    const std::string Target = Folder.File("rows.txt");
    std::string Committed;
    for (const auto& [Bytes, Commit] :
         {std::pair{"old\r\n", true}, {"new\r\n", false}, {"new\r\n", true}}) {
        {
            TOutputFile File(Target);
            Write(File, Bytes);
            EXPECT_EQ(Read(Target), Committed);
            if (Commit)
                File.Commit();
        }
        Committed = Commit ? Bytes : Committed;
        EXPECT_EQ(Read(Target), Committed);
    }
    EXPECT_EQ(Folder.Entries(), 1U);
}

// Paths in a folder whose name is not ASCII, given as UTF-8, reach the same file, also
// under a roundabout path.
TEST(OutputFile, SameFileIsFoundUnderAnotherPath) {
    const TFolder Folder;
    const std::string First = Folder.File("a.zip");
    for (const std::string& Path : {First, Folder.File("b.zip")}) {
        TOutputFile File(Path);
        Write(File, "PK");
        File.Commit();
    }
    EXPECT_EQ(Read(First), "PK");
    const std::string Roundabout = Utf8FromPath(PathFromUtf8(Folder.File("")) / ".." /
                                                PathFromUtf8("H\xC3\xA4rtel") / "a.zip");
    EXPECT_TRUE(IsSameFile(First, Roundabout));
    EXPECT_FALSE(IsSameFile(First, Folder.File("b.zip")));
    EXPECT_FALSE(IsSameFile(First, Folder.File("missing.zip")));
}

} // namespace
} // namespace kr6
