#include "cli/RowOutput.h"

#include "support/Cp1252.h"
#include "support/StringList.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace kr6 {
namespace {

std::string ErrorText(int Error) {
    return std::strerror(Error);
}

} // namespace

void IgnoreBrokenPipe() {
    std::signal(SIGPIPE, SIG_IGN);
}

TRowOutput::TRowOutput(int Fd, std::string Name, TRowFormat Format)
    : FFd(Fd), FName(std::move(Name)), FFormat(Format) {
    FBuffer.reserve(ChunkSize);
}

TRowOutput::TRowOutput(const std::string& Path, TRowFormat Format)
    : FFile(std::make_unique<TOutputFile>(Path)), FFd(FFile->Fd()), FName(FFile->Name()),
      FFormat(Format) {
    FBuffer.reserve(ChunkSize);
}

TRowOutput::~TRowOutput() = default;

void TRowOutput::WriteRow(std::string_view Row) {
    Write(Row);
    Write(FFormat.LineEnd == TLineEnd::CrLf ? std::string_view("\r\n") : std::string_view("\n"));
}

void TRowOutput::WriteRows(const TStringList& Rows) {
    for (const auto& Row : Rows)
        WriteRow(Row.Text);
}

void TRowOutput::Write(std::string_view Text) {
    while (!Text.empty()) {
        const std::size_t Room = ChunkSize - FBuffer.size();
        const std::size_t Part = std::min(Room, Text.size());
        FBuffer.append(Text.substr(0, Part));
        Text.remove_prefix(Part);
        if (FBuffer.size() >= ChunkSize)
            Flush();
    }
}

void TRowOutput::Finish() {
    Flush();
    if (FFile)
        FFile->Commit();
}

void TRowOutput::Flush() {
    if (FBuffer.empty())
        return;
    if (FFormat.Utf8)
        WriteAll(Cp1252ToUtf8(FBuffer));
    else
        WriteAll(FBuffer);
    FBuffer.clear();
}

void TRowOutput::WriteAll(std::string_view Bytes) {
    while (!Bytes.empty()) {
        const ssize_t Written = ::write(FFd, Bytes.data(), Bytes.size());
        if (Written < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EPIPE) {
                FBuffer.clear();
                throw EOutputClosed();
            }
            throw EOutputError("cannot write to " + FName + ": " + ErrorText(errno));
        }
        if (Written == 0)
            throw EOutputError("cannot write to " + FName + ": nothing was written");
        Bytes.remove_prefix(static_cast<std::size_t>(Written));
    }
}

bool IsStandardOutput(const std::string& File) {
    return File.empty() || File == "-";
}

std::unique_ptr<TRowOutput> OpenOutput(const std::string& File, TRowFormat Format) {
    if (IsStandardOutput(File))
        return std::make_unique<TRowOutput>(STDOUT_FILENO, "standard output", Format);
    return std::make_unique<TRowOutput>(File, Format);
}

} // namespace kr6
