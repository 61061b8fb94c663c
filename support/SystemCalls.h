#pragma once

struct zip_source;
struct zip_error;

namespace kr6 {

// The calls through which the output files and the archive reader reach the system. They
// are the real ones; a test puts in one that fails, as a full disk, a failing device or an
// unreadable file would, to see what the program makes of it (TSystemCallsReplaced).
struct TSystemCalls {
#ifndef _WIN32
    int (*Fsync)(int Fd);
    int (*Close)(int Fd);
    int (*Rename)(const char* From, const char* To);
#endif
    // The source from which libzip reads the archive file Path; null with Error set when it
    // cannot be made.
    zip_source* (*ArchiveFileSource)(const char* Path, zip_error* Error);
};

TSystemCalls& SystemCalls();

// Replaces the calls while it lives and puts the real ones back.
class TSystemCallsReplaced {
public:
    explicit TSystemCallsReplaced(const TSystemCalls& Calls) : FSaved(SystemCalls()) {
        SystemCalls() = Calls;
    }
    ~TSystemCallsReplaced() { SystemCalls() = FSaved; }
    TSystemCallsReplaced(const TSystemCallsReplaced&) = delete;
    TSystemCallsReplaced& operator=(const TSystemCallsReplaced&) = delete;

private:
    TSystemCalls FSaved;
};

} // namespace kr6
