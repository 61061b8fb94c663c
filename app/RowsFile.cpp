#include "app/RowsFile.h"

#include "app/ResultRows.h"
#include "support/FileDescriptor.h"
#include "support/OutputFile.h"

#include <string_view>

namespace kr6 {
namespace {

void WriteAll(const TOutputFile& File, std::string_view Bytes) {
    while (!Bytes.empty()) {
        std::error_code Error;
        const std::size_t Written = WriteSome(File.Fd(), Bytes, Error);
        if (Error || Written == 0)
            throw EOutputError("cannot write to " + File.Name() + ": " +
                               (Error ? Error.message() : std::string("nothing was written")));
        Bytes.remove_prefix(Written);
    }
}

// The rows into a file that appears whole or not at all, in large writes.
class TRowFile : public TRowWriter {
public:
    TRowFile(const std::string& Path, std::string_view LineEnd) : FFile(Path), FLineEnd(LineEnd) {
        FBuffer.reserve(ChunkSize);
    }

    void WriteRow(std::string_view Row) override {
        FBuffer.append(Row).append(FLineEnd);
        if (FBuffer.size() >= ChunkSize)
            Flush();
    }
    void Finish() {
        Flush();
        FFile.Commit();
    }

private:
    static constexpr std::size_t ChunkSize = std::size_t{1} << 20;

    void Flush() {
        WriteAll(FFile, FBuffer);
        FBuffer.clear();
    }

    TOutputFile FFile;
    std::string_view FLineEnd;
    std::string FBuffer;
};

} // namespace

void WriteRowsFile(const std::string& Path, const TResultRows& Rows, const TRowLayout& Layout,
                   const TCodeNames* Names) {
    TRowFile File(Path, Layout.Syntax == TRowSyntax::Jsonl ? "\n" : "\r\n");
    TRowEncoder Encoder(File, Layout);
    Encoder.WriteHeader();
    Rows.ForEachRow([&](std::size_t Index, std::string_view Row) {
        Encoder.WriteRow(Rows.Fields(Index, Row), 0, Names);
        return true;
    });
    File.Finish();
}

void WriteTextFile(const std::string& Path, std::string_view Text) {
    TOutputFile File(Path);
    WriteAll(File, Text);
    File.Commit();
}

} // namespace kr6
