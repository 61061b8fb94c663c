#include "export/RowSpool.h"

#include <algorithm>
#include <cstring>

namespace kr6 {
namespace {

constexpr std::size_t BufferSize = std::size_t{1024} * 1024;
constexpr std::size_t LengthBytes = 4;

} // namespace

TRowSpool::TRowSpool() {
    FBuffer.reserve(BufferSize);
}

void TRowSpool::AppendRow(std::string& Block, const TRow& Row) {
    for (const std::string_view Field : Row) {
        const auto Length = static_cast<std::uint32_t>(Field.size());
        char Bytes[LengthBytes];
        std::memcpy(Bytes, &Length, LengthBytes);
        Block.append(Bytes, LengthBytes).append(Field);
    }
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
    FFile.Write(FBuffer);
    FBuffer.clear();
}

void TRowSpool::ReadLens(std::size_t Index, std::string& Buffer, std::vector<TRow>& Rows) const {
    const TLens& Lens = FLenses.at(Index);
    Buffer.resize(Lens.Bytes);
    FFile.ReadAt(Lens.Offset, Buffer.data(), Buffer.size());
    Rows.clear();
    std::string_view Rest = Buffer;
    const auto ReadField = [&Rest](std::string_view& Field) {
        std::uint32_t Length = 0;
        if (Rest.size() < LengthBytes)
            return false;
        std::memcpy(&Length, Rest.data(), LengthBytes);
        Rest.remove_prefix(LengthBytes);
        if (Length > Rest.size())
            return false;
        Field = Rest.substr(0, Length);
        Rest.remove_prefix(Length);
        return true;
    };
    while (!Rest.empty()) {
        TRow Row;
        if (!std::all_of(Row.begin(), Row.end(), ReadField))
            break;
        Rows.push_back(Row);
    }
    if (!Rest.empty() || static_cast<std::int64_t>(Rows.size()) != Lens.Rows)
        throw EScratchError("a temporary file of rows does not hold what was written");
}

} // namespace kr6
