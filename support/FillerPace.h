#pragma once

#include <atomic>
#include <cstddef>
#include <limits>

namespace kr6 {

// How far the users of memory have come, for a thread that makes the memory present a
// few items ahead of them and no further, so that room set aside in excess costs little.
class TFillerPace {
public:
    std::size_t Reached() const { return FReached.load(std::memory_order_relaxed); }
    // The users have come to Count items.
    void Reach(std::size_t Count) {
        FReached.store(Count);
        FReached.notify_one();
    }
    // Ends the filler's wait for good.
    void Stop() { Reach(Stopped); }
    void Restart() { FReached.store(0); }

    // For the filler: waits until item Index is fewer than Ahead items beyond the users;
    // false once stopped.
    bool WaitForTurn(std::size_t Index, std::size_t Ahead) const {
        std::size_t Count = FReached.load();
        while (Count != Stopped && Index >= Count + Ahead) {
            FReached.wait(Count);
            Count = FReached.load();
        }
        return Count != Stopped;
    }

private:
    static constexpr std::size_t Stopped = std::numeric_limits<std::size_t>::max();
    std::atomic<std::size_t> FReached{0};
};

} // namespace kr6
