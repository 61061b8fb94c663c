#include "support/OutputFile.h"

#include "helpers/TestArchive.h"
#include "support/FileDescriptor.h"
#include "support/SystemCalls.h"
#include "support/Utf8Path.h"

#include <gtest/gtest.h>

#include <filesystem>
#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#endif

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

#ifndef _WIN32

// Calls that fail as a full disk or a failing device makes them fail; close still closes.
int FailingFsync(int) {
    errno = EIO;
    return -1;
}
int FailingClose(int Fd) {
    close(Fd);
    errno = EIO;
    return -1;
}
int FailingRename(const char*, const char*) {
    errno = EXDEV;
    return -1;
}

// When putting the file in place fails, the old file stays, the temporary file goes and the
// message gives the system's reason.
TEST(OutputFile, FailureWhenPuttingInPlaceKeepsTheOldFile) {
    const test::TTempDir Folder;
    const std::string Target = Folder / "rows.txt";
    test::WriteFileBytes(Target, "old\n");
    TSystemCalls FailFsync = SystemCalls();
    FailFsync.Fsync = FailingFsync;
    TSystemCalls FailClose = SystemCalls();
    FailClose.Close = FailingClose;
    TSystemCalls FailRename = SystemCalls();
    FailRename.Rename = FailingRename;
    for (const auto& [Calls, Message] :
         {std::pair{FailFsync, "cannot write to '" + Target + "': input/output error"},
          {FailClose, "cannot write to '" + Target + "': input/output error"},
          {FailRename, "cannot replace '" + Target + "': invalid cross-device link"}}) {
        {
            TOutputFile File(Target);
            Write(File, "new\n");
            const TSystemCallsReplaced Failing(Calls);
            try {
                File.Commit();
                ADD_FAILURE() << "no error for " << Message;
            } catch (const EOutputError& Error) {
                EXPECT_EQ(std::string(Error.what()), Message);
            }
        }
        EXPECT_EQ(Read(Target), "old\n");
        EXPECT_EQ(Folder.Names(), std::vector<std::string>{"rows.txt"});
    }
}

// A device or a pipe is written directly: there is no file to replace beside it.
TEST(OutputFile, DevicesAndPipesAreWrittenDirectly) {
    {
        TOutputFile Null("/dev/null");
        Write(Null, "gone");
        Null.Commit();
    }
    const test::TTempDir Folder;
    const std::string Fifo = Folder / "rows.fifo";
    ASSERT_EQ(mkfifo(Fifo.c_str(), 0600), 0);
    std::string Received;
    std::thread Reader([&] { Received = test::ReadFileBytes(Fifo); });
    {
        TOutputFile File(Fifo);
        Write(File, "through the pipe\n");
        EXPECT_EQ(Folder.Names(), std::vector<std::string>{"rows.fifo"});
        File.Commit();
    }
    Reader.join();
    EXPECT_EQ(Received, "through the pipe\n");
    EXPECT_EQ(Folder.Names(), std::vector<std::string>{"rows.fifo"});
}

// However many output files are open, a stop removes every temporary file.
TEST(OutputFile, StopRemovesEveryOpenTemporaryFile) {
    const test::TTempDir Folder;
    const pid_t Child = fork();
    if (Child == 0) {
        std::vector<std::unique_ptr<TOutputFile>> Files;
        for (int I = 0; I < 40; ++I)
            Files.push_back(std::make_unique<TOutputFile>(Folder / std::to_string(I)));
        raise(SIGTERM);
        _exit(0);
    }
    int Status = 0;
    ASSERT_EQ(waitpid(Child, &Status, 0), Child);
    EXPECT_TRUE(WIFSIGNALED(Status) && WTERMSIG(Status) == SIGTERM) << Status;
    EXPECT_EQ(Folder.Names(), std::vector<std::string>{});
}

#endif

} // namespace
} // namespace kr6
