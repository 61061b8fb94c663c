#pragma once

#include "model/KombiCounts.h"

#include <QString>

#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace kr6 {

// The counts of a progress call of the evaluation, and when it came.
struct TEvaluationProgress {
    std::string CurrentLens;
    TKombiTally ThisLens;
    TKombiTally All;
    double ElapsedSeconds = 0;
};

// Hands the latest progress of a step running on another thread to the window, which
// takes it when it next gets to paint; whatever came between is of no interest.
class TProgressMailbox {
public:
    void Post(const TEvaluationProgress& Progress) {
        const std::lock_guard Lock(FMutex);
        FProgress = Progress;
    }
    std::optional<TEvaluationProgress> TakeProgress() {
        const std::lock_guard Lock(FMutex);
        return std::exchange(FProgress, std::nullopt);
    }
    // A line on how far a step other than the evaluation is.
    void PostStatus(const QString& Text) {
        const std::lock_guard Lock(FMutex);
        FStatus = Text;
    }
    std::optional<QString> TakeStatus() {
        const std::lock_guard Lock(FMutex);
        return std::exchange(FStatus, std::nullopt);
    }

private:
    std::mutex FMutex;
    std::optional<TEvaluationProgress> FProgress;
    std::optional<QString> FStatus;
};

} // namespace kr6
