#include "support/OutputFile.h"

#include "helpers/TestArchive.h"
#include "support/FileDescriptor.h"
#include "support/Utf8Path.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kr6 {
namespace {

// The file's bytes; none while there is no file.
std::string Read(const std::string& Path) {
    return std::filesystem::exists(PathFromUtf8(Path)) ? test::ReadFileBytes(Path) : "";
}

void Write(TOutputFile& File, std::string_view Bytes) {
    std::error_code Error;
    while (!Bytes.empty() && !Error)
        Bytes.remove_prefix(WriteSome(File.Fd(), Bytes, Error));
    ASSERT_FALSE(Error) << Error.message();
}

TEST(OutputFile, TargetChangesOnlyOnCommitAndNoTemporaryStays) {
    const test::TTempDir Folder;
    const std::string Target = Folder / "rows.txt";
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
    EXPECT_EQ(Folder.Names().size(), 1U);
}

// Paths in a folder whose name is not ASCII, given as UTF-8, reach the same file, also
// under a roundabout path.
TEST(OutputFile, SameFileIsFoundUnderAnotherPath) {
    const test::TTempDir Folder;
    const std::string First = Folder / "a.zip";
    for (const std::string& Path : {First, Folder / "b.zip"}) {
        TOutputFile File(Path);
        Write(File, "PK");
        File.Commit();
    }
    EXPECT_EQ(Read(First), "PK");
    const std::string Roundabout =
        Utf8FromPath(PathFromUtf8(Folder / "") / ".." / PathFromUtf8("H\xC3\xA4rtel") / "a.zip");
    EXPECT_TRUE(IsSameFile(First, Roundabout));
    EXPECT_FALSE(IsSameFile(First, Folder / "b.zip"));
    EXPECT_FALSE(IsSameFile(First, Folder / "missing.zip"));
}

} // namespace
} // namespace kr6
