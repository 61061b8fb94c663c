#include "export/LensPipeline.h"

#include <algorithm>
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

    // Outcomes wait in a ring of slots; a worker takes the next lenses only while their
    // slots are free, that is while they are less than a ring ahead of the next lens to
    // emit. Lenses go out in small batches and come back in runs, so that the threads
    // meet at the lock once per batch rather than once per lens.
    constexpr std::size_t Batch = 4;
    const std::size_t RingSize = std::size_t{8} * Threads * Batch;
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
            std::size_t First = 0;
            std::size_t Last = 0;
            {
                std::unique_lock Lock(Mutex);
                Changed.wait(Lock, [&] {
                    return Stop || NextToTake >= Count || NextToTake < NextToEmit + RingSize;
                });
                if (Stop || NextToTake >= Count)
                    return;
                First = NextToTake;
                Last = std::min({First + Batch, Count, NextToEmit + RingSize});
                NextToTake = Last;
            }
            try {
                for (std::size_t Lens = First; Lens < Last; ++Lens)
                    Work(Lens, Ring[Lens % RingSize]);
            } catch (...) {
                const std::lock_guard Lock(Mutex);
                if (!Failure)
                    Failure = std::current_exception();
                Stop = true;
                Changed.notify_all();
                return;
            }
            const std::lock_guard Lock(Mutex);
            for (std::size_t Lens = First; Lens < Last; ++Lens)
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
            // The run of outcomes ready from the next lens on.
            std::size_t RunEnd = NextToEmit;
            {
                std::unique_lock Lock(Mutex);
                Changed.wait(Lock, [&] { return Stop || Ready[NextToEmit % RingSize]; });
                if (Failure)
                    break;
                while (RunEnd < Count && RunEnd < NextToEmit + RingSize && Ready[RunEnd % RingSize])
                    ++RunEnd;
            }
            for (std::size_t Lens = NextToEmit; Lens < RunEnd; ++Lens)
                Emit(Lens, Ring[Lens % RingSize]);
            const std::lock_guard Lock(Mutex);
            for (std::size_t Lens = NextToEmit; Lens < RunEnd; ++Lens)
                Ready[Lens % RingSize] = false;
            NextToEmit = RunEnd;
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
