#include "import/Kr6StreamedMember.h"

#include "support/ZipArchive.h"

namespace kr6 {

TKr6StreamedMember::TKr6StreamedMember(TOXVCLZip& Archive, std::string_view Name,
                                       std::pmr::memory_resource* Memory)
    : FText(Memory),
      FThread(&TKr6StreamedMember::Read, this, std::ref(Archive), std::string(Name)) {}

TKr6StreamedMember::~TKr6StreamedMember() {
    {
        const std::lock_guard Lock(FMutex);
        FStop = true;
    }
    if (FThread.joinable())
        FThread.join();
}

void TKr6StreamedMember::Read(TOXVCLZip& Archive, std::string Name) {
    std::pmr::string Text(FText.get_allocator());
    try {
        const auto OnRead = [&](std::string_view SoFar) {
            const std::size_t LastFeed = SoFar.rfind('\n');
            const std::lock_guard Lock(FMutex);
            if (FStop)
                throw TStopped{};
            if (LastFeed == std::string_view::npos)
                return;
            FData = SoFar.data();
            FReady = LastFeed + 1;
            FChanged.notify_one();
        };
        Archive.ExtractTextfile(Name, Text, OnRead);
        const std::lock_guard Lock(FMutex);
        // The same memory: the lines given out stay where they are.
        FText = std::move(Text);
        FData = FText.data();
        FReady = FText.size();
        FDone = true;
    } catch (const TStopped&) {
        return;
    } catch (...) {
        const std::lock_guard Lock(FMutex);
        FError = std::current_exception();
        FDone = true;
    }
    FChanged.notify_one();
}

std::optional<TKr6MemberLines> TKr6StreamedMember::Next() {
    std::unique_lock Lock(FMutex);
    for (;;) {
        FChanged.wait(Lock, [&] { return FDone || FReady >= FGiven + MinBatchBytes; });
        if (FError)
            std::rethrow_exception(FError);
        std::string_view Batch(FData + FGiven, FReady - FGiven);
        FGiven = FReady;
        if (FEnded)
            Batch = {};
        if (const std::size_t Zero = Batch.find('\0'); Zero != std::string_view::npos) {
            Batch = Batch.substr(0, Zero);
            FEnded = true;
        }
        if (!Batch.empty())
            return TKr6MemberLines(Batch);
        if (FDone)
            return std::nullopt;
    }
}

void TKr6StreamedMember::Release() {
    if (FThread.joinable())
        FThread.join();
    std::pmr::string(FText.get_allocator()).swap(FText);
}

} // namespace kr6
