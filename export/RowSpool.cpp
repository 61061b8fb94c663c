#include "export/RowSpool.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace kr6 {
namespace {

constexpr std::size_t BufferSize = std::size_t{1024} * 1024;
constexpr std::size_t LengthBytes = 4;

std::string SpoolDirectory() {
    const char* Dir = std::getenv("TMPDIR");
    return Dir != nullptr && *Dir != '\0' ? Dir : "/tmp";
}

} // namespace

TRowSpool::TRowSpool() {
    std::string Template = SpoolDirectory() + "/kr6csv-rows-XXXXXX";
    FFd = mkstemp(Template.data());
    if (FFd < 0)
        throw ESpoolError("cannot create a temporary file in '" + SpoolDirectory() +
                          "': " + std::strerror(errno));
    // Unlinked at once, so that nothing is left behind however the program ends.
    unlink(Template.c_str());
    FPath = Template;
    FBuffer.reserve(BufferSize);
}

TRowSpool::~TRowSpool() {
    if (FFd >= 0)
        close(FFd);
}

void TRowSpool::AppendRow(std::string& Block, std::string_view Row) {
    const auto Length = static_cast<std::uint32_t>(Row.size());
    char Bytes[LengthBytes];
    std::memcpy(Bytes, &Length, LengthBytes);
    Block.append(Bytes, LengthBytes).append(Row);
}

void TRowSpool::AddLens(std::string_view Code, std::int64_t Rows, std::string_view Block) {
    FLenses.push_back({std::string(Code), Rows, FSize, Block.size()});
    FSize += Block.size();
    FRowCount += Rows;
    while (!Block.empty()) {
        const std::size_t Part = std::min(BufferSize - FBuffer.size(), Block.size());
        FBuffer.append(Block.substr(0, Part));
        Block.remove_prefix(Part);
        if (FBuffer.size() >= BufferSize)
            Flush();
    }
}

void TRowSpool::Finish() {
    Flush();
}

void TRowSpool::Flush() {
    std::string_view Bytes = FBuffer;
    while (!Bytes.empty()) {
        const ssize_t Written = ::write(FFd, Bytes.data(), Bytes.size());
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0)
            throw ESpoolError("cannot write the temporary file '" + FPath +
                              "': " + (Written < 0 ? std::strerror(errno) : "nothing was written"));
        Bytes.remove_prefix(static_cast<std::size_t>(Written));
    }
    FBuffer.clear();
}

void TRowSpool::ReadLens(std::size_t Index, std::string& Buffer,
                         std::vector<std::string_view>& Rows) const {
    const TLens& Lens = FLenses.at(Index);
    Buffer.resize(Lens.Bytes);
    std::size_t Done = 0;
    while (Done < Buffer.size()) {
        const ssize_t Read = ::pread(FFd, Buffer.data() + Done, Buffer.size() - Done,
                                     static_cast<off_t>(Lens.Offset + Done));
        if (Read < 0 && errno == EINTR)
            continue;
        if (Read <= 0)
            throw ESpoolError("cannot read the temporary file '" + FPath + "': " +
                              (Read < 0 ? std::strerror(errno) : "it is shorter than written"));
        Done += static_cast<std::size_t>(Read);
    }
    Rows.clear();
    std::string_view Rest = Buffer;
    while (Rest.size() >= LengthBytes) {
        std::uint32_t Length = 0;
        std::memcpy(&Length, Rest.data(), LengthBytes);
        Rest.remove_prefix(LengthBytes);
        if (Length > Rest.size())
            break;
        Rows.push_back(Rest.substr(0, Length));
        Rest.remove_prefix(Length);
    }
    if (!Rest.empty() || static_cast<std::int64_t>(Rows.size()) != Lens.Rows)
        throw ESpoolError("the temporary file '" + FPath + "' does not hold what was written");
}

} // namespace kr6
