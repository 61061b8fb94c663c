#ifndef _WIN32

#include "support/OutputFile.h"

#include "support/SystemCalls.h"
#include "support/SystemReason.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kr6 {
namespace {

std::string ErrorText(int Error) {
    return SystemReason(Error);
}

// The temporary files to remove when a signal stops the program. The handler may only
// read them: each slot holds a path that stays valid until its owner has emptied the slot
// again, and a block of slots, once linked in, stays for the rest of the run. When every
// slot is taken another block is linked in, so any number of files can be open at once.
struct TPendingBlock {
    static constexpr std::size_t Size = 16;
    std::array<std::atomic<const char*>, Size> Paths{};
    std::atomic<TPendingBlock*> Next{nullptr};
};
TPendingBlock FirstPendingBlock;

extern "C" void RemovePendingFilesAndStop(int Signal) {
    for (TPendingBlock* Block = &FirstPendingBlock; Block != nullptr; Block = Block->Next.load())
        for (auto& Slot : Block->Paths)
            if (const char* Path = Slot.load())
                unlink(Path);
    std::signal(Signal, SIG_DFL);
    std::raise(Signal);
}

constexpr std::array<int, 3> StopSignals{SIGINT, SIGTERM, SIGHUP};

class TStopSignalsBlocked {
public:
    TStopSignalsBlocked() {
        sigset_t Stops;
        sigemptyset(&Stops);
        for (const int Signal : StopSignals)
            sigaddset(&Stops, Signal);
        pthread_sigmask(SIG_BLOCK, &Stops, &FPrevious);
    }
    ~TStopSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &FPrevious, nullptr); }
    TStopSignalsBlocked(const TStopSignalsBlocked&) = delete;
    TStopSignalsBlocked& operator=(const TStopSignalsBlocked&) = delete;

private:
    sigset_t FPrevious{};
};

void InstallStopHandlers() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        for (const int Signal : StopSignals) {
            struct sigaction Action {};
            Action.sa_handler = RemovePendingFilesAndStop;
            sigemptyset(&Action.sa_mask);
            struct sigaction Previous {};
            // A signal the caller chose to ignore stays ignored.
            if (sigaction(Signal, nullptr, &Previous) == 0 && Previous.sa_handler != SIG_IGN)
                sigaction(Signal, &Action, nullptr);
        }
    });
}

std::atomic<const char*>& PendingSlot(int Slot) {
    TPendingBlock* Block = &FirstPendingBlock;
    for (int Skipped = Slot / static_cast<int>(TPendingBlock::Size); Skipped > 0; --Skipped)
        Block = Block->Next.load();
    return Block->Paths[static_cast<std::size_t>(Slot) % TPendingBlock::Size];
}

int RegisterPending(const char* Path) {
    InstallStopHandlers();
    int First = 0;
    for (TPendingBlock* Block = &FirstPendingBlock;;
         First += static_cast<int>(TPendingBlock::Size)) {
        for (std::size_t I = 0; I < TPendingBlock::Size; ++I) {
            const char* Empty = nullptr;
            if (Block->Paths[I].compare_exchange_strong(Empty, Path))
                return First + static_cast<int>(I);
        }
        TPendingBlock* Next = Block->Next.load();
        if (Next == nullptr) {
            // Of two threads that link a block in at once, the other one's block serves both.
            auto Added = std::make_unique<TPendingBlock>();
            if (Block->Next.compare_exchange_strong(Next, Added.get()))
                Next = Added.release();
        }
        Block = Next;
    }
}

void Unregister(int Slot) {
    if (Slot >= 0)
        PendingSlot(Slot).store(nullptr);
}

// The mode a newly created file gets, as open() with 0666 would give it.
mode_t NewFileMode() {
    const mode_t Mask = umask(0);
    umask(Mask);
    return 0666 & ~Mask;
}

} // namespace

TOutputFile::TOutputFile(const std::string& Path) : FName("'" + Path + "'"), FTarget(Path) {
    std::error_code Error;
    if (std::filesystem::is_symlink(FTarget, Error)) {
        const std::filesystem::path Resolved = std::filesystem::weakly_canonical(FTarget, Error);
        if (!Error)
            FTarget = Resolved.string();
    }

    struct stat Existing {};
    const bool Exists = stat(FTarget.c_str(), &Existing) == 0;
    if (Exists && !S_ISREG(Existing.st_mode)) {
        FFd = open(FTarget.c_str(), O_WRONLY | O_CLOEXEC);
        if (FFd < 0)
            throw EOutputError("cannot open " + FName + ": " + ErrorText(errno));
        return;
    }

    const std::filesystem::path Target(FTarget);
    // A hidden name beside the target; built in place, as GCC 12 warns of an overlap that
    // is not there when it is concatenated.
    std::string Hidden = Target.filename().string();
    Hidden.insert(0, 1, '.');
    Hidden += ".XXXXXX";
    FTemporary = (Target.parent_path() / Hidden).string();
    {
        // A stop between creating and registering the file would leave it behind.
        const TStopSignalsBlocked Blocked;
        FFd = mkostemp(FTemporary.data(), O_CLOEXEC);
        if (FFd < 0)
            throw EOutputError("cannot create " + FName + ": " + ErrorText(errno));
        FSlot = RegisterPending(FTemporary.c_str());
    }
    // The replacement keeps the mode of the file it replaces.
    fchmod(FFd, Exists ? (Existing.st_mode & 07777) : NewFileMode());
}

TOutputFile::~TOutputFile() {
    if (FFd >= 0)
        close(FFd);
    if (!FTemporary.empty()) {
        Unregister(FSlot);
        unlink(FTemporary.c_str());
    }
}

void TOutputFile::Commit() {
    const int Fd = FFd;
    FFd = -1;
    const bool Regular = !FTemporary.empty();
    int Error = 0;
    // Without the flush a crash right after the rename could leave an empty file behind.
    if (Regular && SystemCalls().Fsync(Fd) != 0)
        Error = errno;
    if (SystemCalls().Close(Fd) != 0 && Error == 0)
        Error = errno;
    if (Error != 0)
        throw EOutputError("cannot write to " + FName + ": " + ErrorText(Error));
    if (!Regular)
        return;
    if (SystemCalls().Rename(FTemporary.c_str(), FTarget.c_str()) != 0)
        throw EOutputError("cannot replace " + FName + ": " + ErrorText(errno));
    Unregister(FSlot);
    FTemporary.clear();
}

bool IsSameFile(const std::string& First, const std::string& Second) {
    struct stat A {};
    struct stat B {};
    return stat(First.c_str(), &A) == 0 && stat(Second.c_str(), &B) == 0 && A.st_dev == B.st_dev &&
           A.st_ino == B.st_ino;
}

bool IsFileOfDescriptor(int Fd, const std::string& Path) {
    struct stat A {};
    struct stat B {};
    return fstat(Fd, &A) == 0 && S_ISREG(A.st_mode) && stat(Path.c_str(), &B) == 0 &&
           A.st_dev == B.st_dev && A.st_ino == B.st_ino;
}

} // namespace kr6

#endif
