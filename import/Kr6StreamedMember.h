#pragma once

#include "import/Kr6MemberLines.h"
#include "support/ZipArchive.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kr6 {

// A member read on a thread of its own while the lines read so far are built, so that
// inflating the largest member and building from it take the time of the slower one, not
// of both. The text goes through blocks that are filled again once built, so that hundreds
// of megabytes of lines never take more than those blocks' memory. The archive is this
// reader's alone until the member is read whole.
class TKr6StreamedMember {
public:
    // Lines handed out together: few enough to build while the next are read, and to stay
    // in the cache between the two threads, many enough that a glass's prices seldom come
    // in two.
    static constexpr std::size_t BatchBytes = std::size_t{1} << 20;
    // The blocks a member goes through: one built, one ready, one being filled. Measured,
    // more blocks, which let inflating run ahead while the lenses are built, cost more in
    // fresh memory than they gain.
    static constexpr std::size_t DefaultBlocks = 3;

    // Starts reading member Name of Archive, at most Blocks batches (two at least) ahead of
    // the building, counting the one it builds.
    TKr6StreamedMember(TOXVCLZip& Archive, std::string_view Name,
                       std::size_t Blocks = DefaultBlocks);
    // Stops reading when it has not ended.
    ~TKr6StreamedMember();
    TKr6StreamedMember(const TKr6StreamedMember&) = delete;
    TKr6StreamedMember& operator=(const TKr6StreamedMember&) = delete;

    // The next lines, about BatchBytes of them (a longer line comes whole), waiting for
    // them; none once every line was given. They stay where they are until the next call.
    // The lines are taken apart as TTextLines takes the whole member: a zero byte ends
    // them. A member that cannot be read, or is refused, throws as
    // TOXVCLZip::ExtractTextfile does, at the latest when the lines after the last are
    // asked for.
    std::optional<TKr6MemberLines> Next();
    // Stops reading and frees the text.
    void Release();

private:
    // Thrown through the read to stop it.
    struct TStopped {};

    void Read();
    // Hands the member's lines over batch by batch and gives the member's bytes.
    std::uint64_t ReadLines(TOXVCLZip::TMemberReader& Member);
    // Waits until block Index may be filled, which the building has let go.
    std::string& FreeBlock(std::uint64_t Index);
    // Hands the first Bytes of block Index to the building, when there are any.
    void Publish(std::uint64_t Index, std::size_t Bytes);
    void Stop();

    TOXVCLZip& FArchive;
    const std::string FName;
    std::mutex FMutex;
    std::condition_variable FReady;
    std::condition_variable FFree;
    // Block I of N holds the text of batches I, I + N, I + 2 N, ...; FLines[I] the whole
    // lines of the batch it holds. A block takes memory when first filled.
    std::vector<std::string> FBlocks;
    std::vector<std::string_view> FLines;
    // Batches handed over by the reader, given out by Next, and let go again.
    std::uint64_t FPublished = 0;
    std::uint64_t FGiven = 0;
    std::uint64_t FLetGo = 0;
    // The member's bytes, once read whole, and the lines given out, which a zero byte ends:
    // their line limit.
    std::uint64_t FBytes = 0;
    std::uint64_t FLinesGiven = 0;
    bool FDone = false;
    bool FStop = false;
    std::exception_ptr FError;
    std::thread FThread;
};

} // namespace kr6
