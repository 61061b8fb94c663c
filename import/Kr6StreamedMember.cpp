#include "import/Kr6StreamedMember.h"

#include "model/ImportArena.h"
#include "support/ZipArchive.h"

#include <functional>

namespace kr6 {

TKr6StreamedMember::TKr6StreamedMember(TOXVCLZip& Archive, std::string_view Name,
                                       TImportArena& Memory)
    : FMemory(Memory), FText(&Memory),
      FThread(&TKr6StreamedMember::Read, this, std::ref(Archive), std::string(Name)) {}

TKr6StreamedMember::~TKr6StreamedMember() {
    {
        const std::lock_guard Lock(FMutex);
        FStop = true;
    }
    if (FThread.joinable())
        FThread.join();
}

void TKr6StreamedMember::Read(TOXVCLZip& Archive, const std::string& Name) {
    try {
        Archive.ExtractTextfile(Name, FText, [&](std::string_view SoFar) {
            const std::size_t Feed = SoFar.rfind('\n');
            const std::lock_guard Lock(FMutex);
            if (FStop)
                throw TStopped{};
            if (Feed == std::string_view::npos)
                return;
            FData = SoFar.data();
            FReady = Feed + 1;
            FChanged.notify_one();
        });
        const std::lock_guard Lock(FMutex);
        FData = FText.data();
        FReady = FText.size();
        FDone = true;
    } catch (const TStopped&) {
        return;
    } catch (...) {
        const std::lock_guard Lock(FMutex);
        FError = std::current_exception();
    }
    FChanged.notify_one();
}

std::optional<TKr6MemberLines> TKr6StreamedMember::Next() {
    std::unique_lock Lock(FMutex);
    for (;;) {
        FChanged.wait(Lock, [&] { return FError || FDone || FReady >= FGiven + MinBatchBytes; });
        if (FError)
            std::rethrow_exception(FError);
        std::string_view Lines(FData + FGiven, FReady - FGiven);
        FGiven = FReady;
        if (FEnded)
            Lines = {};
        if (const std::size_t Zero = Lines.find('\0'); Zero != std::string_view::npos) {
            Lines = Lines.substr(0, Zero);
            FEnded = true;
        }
        if (!Lines.empty())
            return TKr6MemberLines(Lines);
        if (FDone)
            return std::nullopt;
    }
}

void TKr6StreamedMember::Release() {
    if (FThread.joinable())
        FThread.join();
    std::pmr::string(FText.get_allocator()).swap(FText);
    FMemory.Close();
}

} // namespace kr6
