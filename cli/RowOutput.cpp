#include "cli/RowOutput.h"

#include "cli/Terminal.h"

#include "support/Cp1252.h"
#include "support/FileDescriptor.h"
#include "support/SystemReason.h"

#include <algorithm>
#include <csignal>

namespace kr6 {

void IgnoreBrokenPipe() {
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
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

std::string_view TRowOutput::LineEnd() const {
    return FFormat.LineEnd == TLineEnd::CrLf ? std::string_view("\r\n") : std::string_view("\n");
}

void TRowOutput::WriteRow(std::string_view Row) {
    const std::string_view End = LineEnd();
    // Rows come by the million: one append while the row fits.
    if (FBuffer.size() + Row.size() + End.size() < ChunkSize) {
        FBuffer.append(Row).append(End);
        return;
    }
    Write(Row);
    Write(End);
}

void TRowOutput::WriteTabbedRow(std::string_view Prefix, const TRow& Row) {
    const std::string_view End = LineEnd();
    if (FBuffer.size() + Prefix.size() + RowTextSize(Row) + End.size() >= ChunkSize) {
        TRowWriter::WriteTabbedRow(Prefix, Row);
        return;
    }
    FBuffer.append(Prefix);
    AppendRowText(FBuffer, Row);
    FBuffer.append(End);
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
    if (WriteToConsole(FFd, Bytes, FFormat.Utf8 || FFormat.Encoded))
        return;
    while (!Bytes.empty()) {
        std::error_code Error;
        const std::size_t Written = WriteSome(FFd, Bytes, Error);
        if (Error == std::errc::broken_pipe) {
            FBuffer.clear();
            throw EOutputClosed();
        }
        if (Error)
            throw EOutputError("cannot write to " + FName + ": " + SystemReason(Error));
        if (Written == 0)
            throw EOutputError("cannot write to " + FName + ": nothing was written");
        Bytes.remove_prefix(Written);
    }
}

bool IsStandardOutput(const std::string& File) {
    return File.empty() || File == "-";
}

std::unique_ptr<TRowOutput> OpenOutput(const std::string& File, TRowFormat Format) {
    if (IsStandardOutput(File)) {
        SetBinaryMode(StandardOutputFd);
        if (!Format.Encoded && TerminalTakesUtf8(StandardOutputFd))
            Format.Utf8 = true;
        return std::make_unique<TRowOutput>(StandardOutputFd, "standard output", Format);
    }
    return std::make_unique<TRowOutput>(File, Format);
}

} // namespace kr6
