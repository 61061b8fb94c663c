#include "export/LensPipeline.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace kr6 {
namespace {

// Outcomes done but not yet emitted may hold this many bytes of rows before the workers
// wait; one lens is always taken, however large.
constexpr std::size_t WaitingBytes = std::size_t{1} << 20;
// A lens that is not the oldest in work waits with rows of this size until it is.
constexpr std::size_t LaterLensBytes = std::size_t{512} << 10;
// A worker whose last lenses had rows of this size takes one lens at a time.
constexpr std::size_t LargeBatchBytes = std::size_t{64} << 10;
// A batch of lenses taken at once that is done in less time may grow.
constexpr std::chrono::microseconds QuickBatch{200};
// Pages of emitted rows kept for the next lenses, in all: more than the budgets above
// let wait, so that no page is freed only to be allocated again.
constexpr std::size_t KeptPageBytes = std::size_t{8} << 20;

// An outcome on cache lines of its own: its worker counts its rows with every row, and
// the neighbouring slots belong to other workers.
struct alignas(128) TSlot {
    TLensOutcome Outcome;
};

std::size_t HeldBytes(const TLensOutcome& Outcome) {
    return Outcome.Rows.Bytes() + Outcome.Rows.Count() * sizeof(std::int64_t);
}

// The pages go back to the pool for the next lenses.
void EmptyAfterEmit(TLensOutcome& Outcome) {
    Outcome.Clear();
    Outcome.Rows.Release();
}

void EmptyPart(TLensOutcome& Outcome) {
    Outcome.Rows.Clear();
}

void RunOnThisThread(std::size_t Count, const TLensWork& Work, const TLensEmit& Emit,
                     std::size_t PartBytes) {
    TRowBlock::TPagePool Pool(KeptPageBytes);
    TLensOutcome Outcome;
    Outcome.Rows = TRowBlock(&Pool);
    for (std::size_t Lens = 0; Lens < Count; ++Lens) {
        if (PartBytes > 0) {
            Outcome.HandOverBytes = PartBytes;
            Outcome.HandOver = [&](TLensOutcome& Part) {
                Emit(Lens, Part, false);
                EmptyPart(Part);
            };
        }
        Work(Lens, Outcome);
        Emit(Lens, Outcome, true);
        EmptyAfterEmit(Outcome);
    }
}

} // namespace

unsigned EffectiveThreads(unsigned Threads) {
    if (Threads > 0)
        return Threads;
    const unsigned Cores = std::thread::hardware_concurrency();
    return Cores > 0 ? Cores : 1;
}

void RunLensesInOrder(std::size_t Count, unsigned Threads, const TLensWork& Work,
                      const TLensEmit& Emit, std::size_t PartBytes) {
    Threads = EffectiveThreads(Threads);
    if (Threads == 1 || Count < 2) {
        RunOnThisThread(Count, Work, Emit, PartBytes);
        return;
    }

    // Outcomes wait in a ring of slots; a worker takes the next lenses only while their
    // slots are free, that is while they are less than a ring ahead of the next lens to
    // emit, and while the waiting outcomes are small. Lenses with few rows go out in
    // batches that grow while they stay small, and the emitting thread is woken once per
    // batch: waking a thread costs more than testing such a lens.
    constexpr std::size_t MaxBatch = 32;
    const std::size_t RingSize = std::size_t{4} * Threads * MaxBatch;
    TRowBlock::TPagePool Pool(KeptPageBytes);
    std::vector<TSlot> Ring(RingSize);
    for (TSlot& Slot : Ring)
        Slot.Outcome.Rows = TRowBlock(&Pool);
    std::vector<bool> Ready(RingSize, false);
    std::mutex Mutex;
    std::condition_variable EmitterWake; // the calling thread waits here
    std::condition_variable WorkerWake;
    std::size_t NextToTake = 0;
    std::size_t NextToEmit = 0;
    std::size_t Waiting = 0;  // bytes of the outcomes done and not yet emitted
    bool PartWaiting = false; // the lens NextToEmit has handed over a part
    bool Stop = false;
    std::exception_ptr Failure;

    // The worker of the oldest lens hands its rows over and waits until they are out;
    // a later lens keeps its rows until it is the oldest, and waits for that once they
    // are many.
    const auto HandOver = [&](std::size_t Lens, TLensOutcome& Part) {
        std::unique_lock Lock(Mutex);
        if (Lens != NextToEmit && Part.Rows.Bytes() >= LaterLensBytes)
            WorkerWake.wait(Lock, [&] { return Lens == NextToEmit || Stop; });
        if (Lens != NextToEmit || Stop) {
            Part.HandOverBytes = Part.Rows.Bytes() + PartBytes;
            return;
        }
        PartWaiting = true;
        EmitterWake.notify_one();
        WorkerWake.wait(Lock, [&] { return !PartWaiting || Stop; });
        Part.HandOverBytes = PartBytes;
    };

    const auto Fail = [&] {
        const std::lock_guard Lock(Mutex);
        if (!Failure)
            Failure = std::current_exception();
        Stop = true;
        EmitterWake.notify_one();
        WorkerWake.notify_all();
    };

    const auto Worker = [&] {
        std::size_t Take = 1;
        while (true) {
            std::size_t First = 0;
            std::size_t Last = 0;
            {
                std::unique_lock Lock(Mutex);
                WorkerWake.wait(Lock, [&] {
                    return Stop || NextToTake >= Count ||
                           (NextToTake < NextToEmit + RingSize && Waiting <= WaitingBytes);
                });
                if (Stop || NextToTake >= Count)
                    return;
                First = NextToTake;
                Last = std::min({First + Take, Count, NextToEmit + RingSize});
                NextToTake = Last;
            }
            const auto Started = std::chrono::steady_clock::now();
            std::size_t Done = 0;
            for (std::size_t Lens = First; Lens < Last; ++Lens) {
                TLensOutcome& Outcome = Ring[Lens % RingSize].Outcome;
                try {
                    if (PartBytes > 0) {
                        Outcome.HandOverBytes = PartBytes;
                        Outcome.HandOver = [&HandOver, Lens](TLensOutcome& Part) {
                            HandOver(Lens, Part);
                        };
                    }
                    Work(Lens, Outcome);
                } catch (...) {
                    Fail();
                    return;
                }
                // Each lens is ready as soon as it is done; the emitter, which goes on
                // from the oldest lens through all that are ready, needs waking only for
                // the oldest.
                const std::lock_guard Lock(Mutex);
                Ready[Lens % RingSize] = true;
                Waiting += HeldBytes(Outcome);
                Done += HeldBytes(Outcome);
                if (Lens == NextToEmit)
                    EmitterWake.notify_one();
            }
            // Lenses with many rows one at a time, so that few of them wait at once; the
            // batch grows while it is quick and shrinks when it is not, so that the
            // emitter does not wait long for its first lens.
            const bool Quick = std::chrono::steady_clock::now() - Started < QuickBatch;
            Take = Done > LargeBatchBytes ? 1
                   : Quick                ? std::min(2 * Take, MaxBatch)
                                          : std::max<std::size_t>(Take / 2, 1);
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
        WorkerWake.notify_all();
        Workers.clear();
    };

    try {
        while (NextToEmit < Count) {
            // A part of the oldest lens, or the run of outcomes ready from it on.
            std::size_t RunEnd = NextToEmit;
            bool Part = false;
            {
                std::unique_lock Lock(Mutex);
                EmitterWake.wait(
                    Lock, [&] { return Stop || PartWaiting || Ready[NextToEmit % RingSize]; });
                if (Failure)
                    break;
                Part = PartWaiting;
                while (!Part && RunEnd < Count && RunEnd < NextToEmit + RingSize &&
                       Ready[RunEnd % RingSize])
                    ++RunEnd;
            }
            if (Part) {
                TLensOutcome& Outcome = Ring[NextToEmit % RingSize].Outcome;
                Emit(NextToEmit, Outcome, false);
                EmptyPart(Outcome);
                const std::lock_guard Lock(Mutex);
                PartWaiting = false;
                WorkerWake.notify_all();
                continue;
            }
            std::size_t Emitted = 0;
            for (std::size_t Lens = NextToEmit; Lens < RunEnd; ++Lens) {
                TLensOutcome& Outcome = Ring[Lens % RingSize].Outcome;
                Emitted += HeldBytes(Outcome);
                Emit(Lens, Outcome, true);
                EmptyAfterEmit(Outcome);
            }
            const std::lock_guard Lock(Mutex);
            for (std::size_t Lens = NextToEmit; Lens < RunEnd; ++Lens)
                Ready[Lens % RingSize] = false;
            Waiting -= Emitted;
            NextToEmit = RunEnd;
            WorkerWake.notify_all();
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
