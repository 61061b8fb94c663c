#pragma once

#include "export/RowFormat.h"
#include "support/OutputFile.h"

#include <cstddef>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace kr6 {

// The reader of the output has gone away (EPIPE); the program stops quietly.
class EOutputClosed : public std::exception {
public:
    const char* what() const noexcept override { return "output closed"; }
};

enum class TLineEnd { CrLf, Lf };

struct TRowFormat {
    TLineEnd LineEnd = TLineEnd::CrLf;
    // Windows-1252 text converted to UTF-8.
    bool Utf8 = false;
    // Text that is UTF-8 already (JSON) and passes unchanged.
    bool Encoded = false;
};

// Writes to a closed pipe must fail with EPIPE instead of killing the process (on POSIX;
// Windows reports a closed pipe as a write error anyway).
void IgnoreBrokenPipe();

// Buffered output of Windows-1252 text to a file descriptor. Rows are collected in one
// reusable buffer and written in large chunks; with Utf8 each chunk is converted just
// before it is written. Write errors throw EOutputError, a closed pipe EOutputClosed.
class TRowOutput : public TRowWriter {
public:
    static constexpr std::size_t ChunkSize = 256 * 1024;

    // Writes to Fd without owning it; Name is used in error messages.
    TRowOutput(int Fd, std::string Name, TRowFormat Format = {});
    // Writes the file Path, which gets the bytes only when Finish() succeeds (TOutputFile).
    TRowOutput(const std::string& Path, TRowFormat Format = {});
    ~TRowOutput() override;
    TRowOutput(const TRowOutput&) = delete;
    TRowOutput& operator=(const TRowOutput&) = delete;

    // Appends Row and the line end.
    void WriteRow(std::string_view Row) override;
    void WriteTabbedRow(std::string_view Prefix, const TRow& Row) override;
    // Appends Text as it is (still converted with Utf8).
    void Write(std::string_view Text);
    // Writes everything buffered and, for a file, commits it; only after this has returned
    // is the output known to be complete. Without it a file keeps its old content.
    void Finish();

private:
    std::string_view LineEnd() const;
    void Flush();
    void WriteAll(std::string_view Bytes);

    std::unique_ptr<TOutputFile> FFile;
    int FFd;
    std::string FName;
    TRowFormat FFormat;
    std::string FBuffer;
};

// Standard output when File is empty or "-", otherwise the file, replaced when Finish()
// succeeds. Windows-1252 text for a terminal that takes UTF-8 is written in UTF-8, so that
// the names can be read there; files and pipes get the bytes of Format.
bool IsStandardOutput(const std::string& File);
std::unique_ptr<TRowOutput> OpenOutput(const std::string& File, TRowFormat Format = {});

} // namespace kr6
