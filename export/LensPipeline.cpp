#include "export/LensPipeline.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace kr6 {

unsigned EffectiveThreads(unsigned Threads) {
    if (Threads > 0)
        return Threads;
    const unsigned Cores = std::thread::hardware_concurrency();
    return Cores > 0 ? Cores : 1;
}

void RunLensesInOrder(std::size_t Count, unsigned Threads,
                      const std::function<void(std::size_t, TLensOutcome&)>& Work,
                      const std::function<void(std::size_t, TLensOutcome&)>& Emit) {
    Threads = EffectiveThreads(Threads);
    if (Threads == 1 || Count < 2) {
        TLensOutcome Outcome;
        for (std::size_t Lens = 0; Lens < Count; ++Lens) {
            Work(Lens, Outcome);
            Emit(Lens, Outcome);
        }
        return;
    }

    // Outcomes wait in a ring of slots; a worker takes the next lens only while its slot
    // is free, that is while it is less than a ring ahead of the next lens to emit.
    const std::size_t RingSize = std::size_t{4} * Threads;
    std::vector<TLensOutcome> Ring(RingSize);
    std::vector<bool> Ready(RingSize, false);
    std::mutex Mutex;
    std::condition_variable Changed;
    std::size_t NextToTake = 0;
    std::size_t NextToEmit = 0;
    bool Stop = false;
    std::exception_ptr Failure;

    const auto Worker = [&] {
        while (true) {
            std::size_t Lens = 0;
            {
                std::unique_lock Lock(Mutex);
                Changed.wait(Lock, [&] {
                    return Stop || NextToTake >= Count || NextToTake < NextToEmit + RingSize;
                });
                if (Stop || NextToTake >= Count)
                    return;
                Lens = NextToTake++;
            }
            TLensOutcome& Outcome = Ring[Lens % RingSize];
            try {
                Work(Lens, Outcome);
            } catch (...) {
                const std::lock_guard Lock(Mutex);
                if (!Failure)
                    Failure = std::current_exception();
                Stop = true;
                Changed.notify_all();
                return;
            }
            const std::lock_guard Lock(Mutex);
            Ready[Lens % RingSize] = true;
            Changed.notify_all();
        }
    };

    std::vector<std::jthread> Workers;
    Workers.reserve(Threads);
    for (unsigned I = 0; I < Threads; ++I)
        Workers.emplace_back(Worker);

    const auto StopWorkers = [&] {
        {
            const std::lock_guard Lock(Mutex);
            Stop = true;
        }
        Changed.notify_all();
        Workers.clear();
    };

    try {
        while (NextToEmit < Count) {
            {
                std::unique_lock Lock(Mutex);
                Changed.wait(Lock, [&] { return Stop || Ready[NextToEmit % RingSize]; });
                if (Failure)
                    break;
            }
            const std::size_t Slot = NextToEmit % RingSize;
            Emit(NextToEmit, Ring[Slot]);
            const std::lock_guard Lock(Mutex);
            Ready[Slot] = false;
            ++NextToEmit;
            Changed.notify_all();
        }
    } catch (...) {
        StopWorkers();
        throw;
    }
    StopWorkers();
    if (Failure)
        std::rethrow_exception(Failure);
}

} // namespace kr6
