#include "import/Kr6StreamedMember.h"

#include "support/TextLines.h"
#include "support/ZipArchive.h"

#include <algorithm>

namespace kr6 {
namespace {

// Where the whole lines of Text end, 0 when it holds none. A CR at its very end may be
// the first half of a CR LF and ends no line yet.
std::size_t WholeLinesEnd(std::string_view Text) {
    std::size_t End = Text.find_last_of("\r\n");
    if (End != std::string_view::npos && End + 1 == Text.size() && Text[End] == '\r')
        End = End == 0 ? std::string_view::npos : Text.find_last_of("\r\n", End - 1);
    return End == std::string_view::npos ? 0 : End + 1;
}

} // namespace

TKr6StreamedMember::TKr6StreamedMember(TOXVCLZip& Archive, std::string_view Name,
                                       std::size_t Blocks)
    : FArchive(Archive), FName(Name), FBlocks(std::max<std::size_t>(Blocks, 2)),
      FLines(FBlocks.size()), FThread(&TKr6StreamedMember::Read, this) {}

TKr6StreamedMember::~TKr6StreamedMember() {
    Stop();
}

void TKr6StreamedMember::Read() {
    try {
        std::uint64_t Bytes = 0;
        if (std::optional<TOXVCLZip::TMemberReader> Member = FArchive.OpenMember(FName))
            Bytes = ReadLines(*Member);
        const std::lock_guard Lock(FMutex);
        FBytes = Bytes;
        FDone = true;
    } catch (const TStopped&) {
        return;
    } catch (...) {
        const std::lock_guard Lock(FMutex);
        FError = std::current_exception();
    }
    FReady.notify_one();
}

std::uint64_t TKr6StreamedMember::ReadLines(TOXVCLZip::TMemberReader& Member) {
    std::uint64_t Bytes = 0;
    std::uint64_t Index = 0;
    std::string* Block = &FreeBlock(Index);
    std::size_t Filled = 0;
    bool Zero = false;
    for (;;) {
        if (Filled == Block->size()) {
            const std::string_view Text = *Block;
            const std::size_t End = WholeLinesEnd(Text);
            if (End == 0) {
                // A line longer than the block.
                Block->resize(2 * Block->size());
                continue;
            }
            // The whole lines go to the building, the start of the next line begins the
            // next block.
            Publish(Index, End);
            std::string& Next = FreeBlock(++Index);
            const std::string_view Rest = Text.substr(End);
            if (Next.size() <= 2 * Rest.size())
                Next.resize(2 * Rest.size());
            std::copy(Rest.begin(), Rest.end(), Next.begin());
            Filled = Rest.size();
            Block = &Next;
        }
        const std::size_t Got = Member.Read(Block->data() + Filled, Block->size() - Filled);
        Bytes += Got;
        if (Got == 0)
            break;
        const std::size_t Found = std::string_view(Block->data() + Filled, Got).find('\0');
        if (Found != std::string_view::npos) {
            Filled += Found;
            Zero = true;
            break;
        }
        Filled += Got;
    }
    Publish(Index, Filled);
    // What follows a zero byte is read for the member's checks alone.
    if (Zero) {
        std::string Ignored(TOXVCLZip::ReadChunkBytes, '\0');
        while (const std::size_t Got = Member.Read(Ignored.data(), Ignored.size())) {
            Bytes += Got;
            const std::lock_guard Lock(FMutex);
            if (FStop)
                throw TStopped{};
        }
    }
    return Bytes;
}

std::string& TKr6StreamedMember::FreeBlock(std::uint64_t Index) {
    std::unique_lock Lock(FMutex);
    FFree.wait(Lock, [&] { return FStop || Index < FLetGo + FBlocks.size(); });
    if (FStop)
        throw TStopped{};
    std::string& Block = FBlocks[Index % FBlocks.size()];
    if (Block.size() < BatchBytes)
        Block.resize(BatchBytes);
    return Block;
}

void TKr6StreamedMember::Publish(std::uint64_t Index, std::size_t Bytes) {
    if (Bytes == 0)
        return;
    {
        const std::lock_guard Lock(FMutex);
        const std::size_t Block = Index % FBlocks.size();
        FLines[Block] = std::string_view(FBlocks[Block]).substr(0, Bytes);
        FPublished = Index + 1;
    }
    FReady.notify_one();
}

std::optional<TKr6MemberLines> TKr6StreamedMember::Next() {
    std::unique_lock Lock(FMutex);
    // The batch given last time is built.
    if (FLetGo < FGiven) {
        FLetGo = FGiven;
        FFree.notify_one();
    }
    FReady.wait(Lock, [&] { return FError || FDone || FPublished > FGiven; });
    if (FError)
        std::rethrow_exception(FError);
    if (FPublished == FGiven) {
        // Every line was given: the member is within its line limit, or refused now.
        FArchive.CheckLines(FName, FLinesGiven, FBytes);
        return std::nullopt;
    }
    const std::string_view Lines = FLines[FGiven++ % FLines.size()];
    Lock.unlock();
    // Counted here rather than by the reader, which inflating keeps busier.
    const std::size_t Count = TTextLines(Lines).Count();
    FLinesGiven += Count;
    return TKr6MemberLines(Lines, Count);
}

void TKr6StreamedMember::Stop() {
    {
        const std::lock_guard Lock(FMutex);
        FStop = true;
    }
    FFree.notify_one();
    if (FThread.joinable())
        FThread.join();
}

void TKr6StreamedMember::Release() {
    Stop();
    FLines.clear();
    FBlocks.clear();
    FBlocks.shrink_to_fit();
}

} // namespace kr6
