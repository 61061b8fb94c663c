#pragma once

#include <stdexcept>
#include <string>

namespace kr6 {

// A failure to open or write an output; the text names the output and the cause.
class EOutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that appears whole or not at all. The bytes go to a temporary file in the target's
// folder, which Commit() flushes to disk and renames over the target; until then the target
// keeps what it had. An uncommitted temporary file is removed on destruction and when the
// program is stopped by SIGINT, SIGTERM or SIGHUP (on Windows by Ctrl-C, Ctrl-Break or closing
// the console), so an interrupted run leaves nothing behind.
// A target that exists and is not a regular file (a device, a pipe) is written directly:
// there is nothing to replace. A symbolic link is followed, so the file it names is replaced.
class TOutputFile {
public:
    explicit TOutputFile(const std::string& Path);
    ~TOutputFile();
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    int Fd() const { return FFd; }
    // "'PATH'", for messages.
    const std::string& Name() const { return FName; }
    // Makes the written bytes the target's content; throws EOutputError when that fails,
    // leaving the target as it was.
    void Commit();

private:
    std::string FName;
    std::string FTarget;
    std::string FTemporary;
    int FFd = -1;
    int FSlot = -1;
};

// True when both paths name one existing file, through links of either kind.
bool IsSameFile(const std::string& First, const std::string& Second);
// True when the descriptor Fd has a regular file open that Path names: standard input read
// from a file is that file.
bool IsFileOfDescriptor(int Fd, const std::string& Path);

} // namespace kr6
