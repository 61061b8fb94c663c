#ifndef _WIN32

#include "support/ScratchFile.h"

#include "support/SystemReason.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace kr6 {
namespace {

std::string TemporaryFolder() {
    const char* Folder = std::getenv("TMPDIR");
    return Folder != nullptr && *Folder != '\0' ? Folder : "/tmp";
}

int Fd(std::intptr_t Handle) {
    return static_cast<int>(Handle);
}

} // namespace

TScratchFile::TScratchFile() : FFolder(TemporaryFolder()) {
    std::string Template = FFolder + "/kr6csv-XXXXXX";
    const int Created = mkostemp(Template.data(), O_CLOEXEC);
    if (Created < 0)
        throw EScratchError("cannot create a temporary file in '" + FFolder +
                            "': " + SystemReason(errno));
    // Unlinked at once, so that nothing is left behind however the program ends.
    unlink(Template.c_str());
    FHandle = Created;
}

TScratchFile::~TScratchFile() {
    close(Fd(FHandle));
}

void TScratchFile::Write(std::string_view Bytes) {
    while (!Bytes.empty()) {
        const ssize_t Written = ::write(Fd(FHandle), Bytes.data(), Bytes.size());
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0)
            throw EScratchError("cannot write a temporary file in '" + FFolder + "': " +
                                (Written < 0 ? SystemReason(errno) : "nothing was written"));
        Bytes.remove_prefix(static_cast<std::size_t>(Written));
    }
}

void TScratchFile::ReadAt(std::uint64_t Offset, char* Into, std::size_t Size) const {
    std::size_t Done = 0;
    while (Done < Size) {
        const ssize_t Read =
            ::pread(Fd(FHandle), Into + Done, Size - Done, static_cast<off_t>(Offset + Done));
        if (Read < 0 && errno == EINTR)
            continue;
        if (Read <= 0)
            throw EScratchError("cannot read a temporary file in '" + FFolder + "': " +
                                (Read < 0 ? SystemReason(errno) : "it is shorter than written"));
        Done += static_cast<std::size_t>(Read);
    }
}

} // namespace kr6

#endif
