#include "cli/ArchiveInput.h"

#include "cli/ProgressLine.h"

#include "import/Kr6Import.h"
#include "support/FileDescriptor.h"
#include "support/OutputFile.h"
#include "support/SystemReason.h"

#include <stdexcept>

namespace kr6 {
namespace {

constexpr std::string_view StandardInput = "-";

std::string ReadStandardInput() {
    SetBinaryMode(StandardInputFd);
    std::string Bytes;
    char Buffer[1 << 16];
    for (;;) {
        std::error_code Error;
        const std::size_t Read = ReadSome(StandardInputFd, Buffer, sizeof Buffer, Error);
        if (Error)
            throw std::runtime_error("cannot read standard input: " + SystemReason(Error));
        if (Read == 0)
            return Bytes;
        Bytes.append(Buffer, Read);
    }
}

} // namespace

std::string LoadArchive(Tdex6Dataobject& Root, const std::string& Archive, TProgressLine* Line,
                        TKr6ImportObserver* Observer) {
    TImportProgressFn Progress;
    if (Line != nullptr)
        Progress = [Line](const TImportProgress& Step) {
            Line->UpdateImport(Step.Stage, Step.Fraction);
        };
    if (Archive == StandardInput)
        return LoadKr6Data(Root, ReadStandardInput(), ArchiveName(Archive), Progress, Observer)
            .Version;
    return LoadKr6File(Root, Archive, Progress, Observer).Version;
}

std::string ArchiveName(const std::string& Archive) {
    return Archive == StandardInput ? "standard input" : Archive;
}

void RefuseOutputOverInput(const std::string& Output, const std::string& Archive) {
    if (Output.empty() || Output == StandardInput)
        return;
    if (Archive == StandardInput) {
        if (IsFileOfDescriptor(StandardInputFd, Output))
            throw EOutputError("the output '" + Output +
                               "' is the archive on standard input itself; choose another "
                               "output file");
        return;
    }
    if (IsSameFile(Output, Archive))
        throw EOutputError("the output '" + Output + "' is the archive '" + Archive +
                           "' itself; choose another output file");
}

} // namespace kr6
