#pragma once

#include "import/Kr6MemberLines.h"

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory_resource>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace kr6 {

class TImportArena;
class TOXVCLZip;

// A member read on a thread of its own while the lines read so far are built, so that
// inflating the largest member and building from it take the time of the slower one, not
// of both. The archive is this reader's alone until the member is read whole.
class TKr6StreamedMember {
public:
    // Lines handed out together: few enough to build while the next are read, many enough
    // that a glass's prices seldom come in two.
    static constexpr std::size_t MinBatchBytes = std::size_t{1} << 20;

    // Starts reading member Name of Archive into the open arena Memory, which is this
    // reader's alone until Release.
    TKr6StreamedMember(TOXVCLZip& Archive, std::string_view Name, TImportArena& Memory);
    // Stops reading when it has not ended.
    ~TKr6StreamedMember();
    TKr6StreamedMember(const TKr6StreamedMember&) = delete;
    TKr6StreamedMember& operator=(const TKr6StreamedMember&) = delete;

    // The lines read since the last call, at least MinBatchBytes of them unless the member
    // ends first, waiting for them; none once every line was given. The lines are taken
    // apart as TTextLines takes the whole member: a zero byte ends them. A member that
    // cannot be read, or is refused, throws as TOXVCLZip::ExtractTextfile does, at the
    // latest when the lines after the last are asked for.
    std::optional<TKr6MemberLines> Next();
    // Waits for the read to end, frees the text and closes the arena, which gives its room
    // back.
    void Release();

private:
    // Thrown through the archive's read to stop it.
    struct TStopped {};

    void Read(TOXVCLZip& Archive, const std::string& Name);

    TImportArena& FMemory;
    std::mutex FMutex;
    std::condition_variable FChanged;
    // Read into while lines are given out, which stay where they are even when the read
    // fails.
    std::pmr::string FText;
    // The bytes read so far, up to the end of their last whole line.
    const char* FData = nullptr;
    std::size_t FReady = 0;
    bool FDone = false;
    bool FStop = false;
    std::exception_ptr FError;
    // Given out by Next; a zero byte ends the lines, not the read.
    std::size_t FGiven = 0;
    bool FEnded = false;
    std::thread FThread;
};

} // namespace kr6
