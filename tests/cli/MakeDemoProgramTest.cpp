#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kr6 {
namespace {

namespace fs = std::filesystem;
using test::MakeDemoKr6;
using test::TRun;

// The generator writes like kr6csv -o: a folder is refused and stays, whatever it holds;
// "-" is standard output, with the bytes of the file.
TEST(MakeDemoProgram, NeverReplacesAFolderAndWritesStandardOutput) {
    const test::TTempDir Dir;
    fs::create_directory(Dir / "empty");
    fs::create_directory(Dir / "full");
    test::WriteFileBytes(Dir / "full/keep.txt", "kept\n");
    for (const char* Folder : {"empty", "full"}) {
        const TRun Run = MakeDemoKr6(Dir / Folder);
        EXPECT_EQ(Run.Status, 1) << Folder;
        EXPECT_EQ(Run.Err, "make-demo-kr6: cannot open '" + (Dir / Folder) + "': is a directory\n");
        EXPECT_TRUE(fs::is_directory(Dir / Folder)) << Folder;
    }
    EXPECT_EQ(test::ReadFileBytes(Dir / "full/keep.txt"), "kept\n");

    const TRun ToFile = MakeDemoKr6(Dir / "list.zip");
    ASSERT_EQ(ToFile.Status, 0) << ToFile.Err;
    const TRun ToOutput = MakeDemoKr6("-");
    ASSERT_EQ(ToOutput.Status, 0) << ToOutput.Err;
    EXPECT_TRUE(ToOutput.Out == test::ReadFileBytes(Dir / "list.zip"));
    EXPECT_TRUE(ToOutput.Out == test::ReadFileBytes(test::DemoArchive))
        << "the example list is no longer what the generator writes";
    EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"empty", "full", "list.zip"}));
}

// Usage errors in the project's words, as those of kr6csv.
TEST(MakeDemoProgram, UsageErrorsExitWithTwo) {
    const std::pair<std::string, std::string> Cases[] = {
        {"", "no OUT given"},
        {"--lenses x out.zip", "--lenses: 'x' is not a number from 1 to 40000"},
        {"--shape round out.zip", "--shape: 'round' is not one of standard, deep, one-lens, large"},
        {"out.zip --seed", "--seed needs a value (N)"},
        {"a.zip b.zip", "unexpected argument 'b.zip'"}};
    for (const auto& [Args, Fault] : Cases) {
        const TRun Run = MakeDemoKr6(Args);
        EXPECT_EQ(Run.Status, 2) << Args;
        EXPECT_EQ(Run.Out, "") << Args;
        EXPECT_EQ(Run.Err, "make-demo-kr6: " + Fault + "\nTry 'make-demo-kr6 --help'\n");
    }
    EXPECT_EQ(MakeDemoKr6("--help").Status, 0);
}

} // namespace
} // namespace kr6
