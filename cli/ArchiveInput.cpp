#include "cli/ArchiveInput.h"

#include "cli/ProgressLine.h"

#include "import/Kr6Head.h"
#include "import/Kr6Import.h"
#include "support/OutputFile.h"
#include "support/StringList.h"
#include "support/ZipArchive.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace kr6 {
namespace {

constexpr std::string_view StandardInput = "-";

std::string ReadStandardInput() {
    std::string Bytes;
    char Buffer[1 << 16];
    for (;;) {
        const ssize_t Read = ::read(STDIN_FILENO, Buffer, sizeof Buffer);
        if (Read == 0)
            return Bytes;
        if (Read < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error(std::string("cannot read standard input: ") +
                                     std::strerror(errno));
        }
        Bytes.append(Buffer, static_cast<std::size_t>(Read));
    }
}

} // namespace

std::string LoadArchive(Tdex6Dataobject& Root, const std::string& Archive, TProgressLine* Line) {
    TImportProgressFn Progress;
    if (Line != nullptr)
        Progress = [Line](const TImportProgress& Step) {
            Line->UpdateImport(Step.Stage, Step.Fraction);
        };
    TOXVCLZip Zip;
    if (Archive == StandardInput)
        Zip.OpenBytes(ReadStandardInput(), "standard input");
    else
        Zip.SetZipName(Archive);
    ReadKr6Archive(Root, Zip, Progress);

    TStringList HeadLines;
    Zip.ExtractTextfileToStrings("Head.dat", HeadLines);
    TKr6DataHead Head;
    ParseKr6Head(Head, HeadLines);
    return Head.Version;
}

void RefuseOutputOverInput(const std::string& Output, const std::string& Archive) {
    if (Output.empty() || Output == StandardInput || Archive == StandardInput)
        return;
    if (IsSameFile(Output, Archive))
        throw EOutputError("the output '" + Output + "' is the archive '" + Archive +
                           "' itself; choose another output file");
}

} // namespace kr6
