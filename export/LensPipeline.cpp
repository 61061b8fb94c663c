#include "export/LensPipeline.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kr6 {
namespace {

// Outcomes done but not yet emitted may hold this many bytes of rows before the workers
// wait; one lens is always taken, however large.
constexpr std::size_t WaitingBytes = std::size_t{1} << 20;
// Once outcomes done hold this many, any worker emits them, not only the one that made
// them.
constexpr std::size_t LaggingBytes = WaitingBytes / 2;
// A lens that is not the oldest in work waits with rows of this size until it is.
constexpr std::size_t LaterLensBytes = std::size_t{512} << 10;
// A worker whose last lenses had rows of this size takes one lens at a time.
constexpr std::size_t LargeBatchBytes = std::size_t{64} << 10;
// A batch of lenses taken at once that is done in less time may grow.
constexpr std::chrono::microseconds QuickBatch{200};
// Pages of emitted rows a thread keeps for its next lenses: more than the budgets above let
// wait, so that no page is freed only to be allocated again.
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

// The state of a run on several threads. Outcomes wait in a ring of slots; a worker takes
// the next lenses only while their slots are free, that is while they are less than a
// ring ahead of the next lens to emit, and while the waiting outcomes are small. Lenses
// with few rows go out in batches that grow while they stay small, and an emitting thread
// that waits is woken once per batch: waking a thread costs more than testing such a lens.
class TOrderedRun {
public:
    TOrderedRun(std::size_t Count, unsigned Threads, const TLensWork& Work, const TLensEmit& Emit,
                std::size_t PartBytes, TEmitThread EmitOn);

    void Run();

private:
    static constexpr std::size_t MaxBatch = 32;

    TLensOutcome& Slot(std::size_t Lens) { return FRing[Lens % FRing.size()].Outcome; }
    // The end of the lenses that may be in the ring: a full ring of ready outcomes would
    // otherwise lead a run past them onto the oldest's slot again, and on to lenses never
    // worked on.
    std::size_t RingEnd() const { return std::min(FCount, FNextToEmit + FRing.size()); }
    void Work(unsigned Worker);
    // Marks Lens done; false once the run stops.
    bool Finished(std::size_t Lens, std::size_t Held, unsigned Worker);
    void HandOver(std::size_t Lens, TLensOutcome& Part, unsigned Worker);
    // With TEmitThread::Any, whether Worker is to emit the oldest lens: one thread emits at
    // a time, and a lens's rows are best read on the core that made them, so each worker
    // emits its own outcomes, unless the outcomes waiting grow many or no lens is left to
    // take, when any worker emits any.
    bool MayEmit(std::size_t Lens, unsigned Worker) const;
    bool MustEmit(unsigned Worker) const;
    // Emits the run of outcomes ready from the oldest on that Worker may emit, again and
    // again while more get ready, unless another thread emits. Called and returns with
    // Lock held.
    void EmitReady(std::unique_lock<std::mutex>& Lock, unsigned Worker);
    // Emits the ready outcomes from the oldest up to RunEnd, without the lock; returns
    // the bytes they held.
    std::size_t EmitRun(std::size_t RunEnd);
    // Frees their slots and moves on to the next lens; with the lock held.
    void MarkEmitted(std::size_t RunEnd, std::size_t Bytes);
    // The calling thread's part with TEmitThread::Calling.
    void EmitUntilDone();
    void Fail();
    void FailLocked();
    void Stop();

    const std::size_t FCount;
    const unsigned FThreads;
    const TLensWork& FWork;
    const TLensEmit& FEmit;
    const std::size_t FPartBytes;
    const TEmitThread FEmitOn;

    // A page goes back to the thread that filled it, whose core still has it in its cache;
    // one the next lens takes from another core would be fetched line by line.
    std::vector<std::unique_ptr<TRowBlock::TPagePool>> FPools;
    std::vector<TSlot> FRing;
    std::vector<bool> FReady;
    std::vector<unsigned> FOwners; // the worker of each lens in the ring
    std::mutex FMutex;
    std::condition_variable FEmitterWake; // the calling thread waits here
    std::condition_variable FWorkerWake;
    std::size_t FNextToTake = 0;
    std::size_t FNextToEmit = 0;
    std::size_t FWaiting = 0;  // bytes of the outcomes done and not yet emitted
    bool FPartWaiting = false; // the lens FNextToEmit has handed over a part
    bool FEmitting = false;    // a worker emits
    bool FStop = false;
    std::exception_ptr FFailure;
};

TOrderedRun::TOrderedRun(std::size_t Count, unsigned Threads, const TLensWork& Work,
                         const TLensEmit& Emit, std::size_t PartBytes, TEmitThread EmitOn)
    : FCount(Count), FThreads(Threads), FWork(Work), FEmit(Emit), FPartBytes(PartBytes),
      FEmitOn(EmitOn), FRing(std::size_t{4} * Threads * MaxBatch), FReady(FRing.size(), false),
      FOwners(FRing.size(), 0) {
    for (unsigned I = 0; I < Threads; ++I)
        FPools.push_back(std::make_unique<TRowBlock::TPagePool>(KeptPageBytes));
}

void TOrderedRun::Run() {
    const unsigned Helpers = FEmitOn == TEmitThread::Any ? FThreads - 1 : FThreads;
    std::vector<std::jthread> Workers;
    Workers.reserve(Helpers);
    for (unsigned I = 0; I < Helpers; ++I)
        Workers.emplace_back([this, I] { Work(I); });
    if (FEmitOn == TEmitThread::Any) {
        Work(Helpers);
    } else {
        try {
            EmitUntilDone();
        } catch (...) {
            Fail();
        }
        Stop();
    }
    Workers.clear();
    if (FFailure)
        std::rethrow_exception(FFailure);
}

void TOrderedRun::Work(unsigned Worker) {
    TRowBlock::TPagePool& Pool = *FPools[Worker];
    std::size_t Take = 1;
    while (true) {
        std::size_t First = 0;
        std::size_t Last = 0;
        {
            std::unique_lock Lock(FMutex);
            for (;;) {
                FWorkerWake.wait(Lock, [&] {
                    return FStop || FNextToTake >= FCount || MustEmit(Worker) ||
                           (FNextToTake < FNextToEmit + FRing.size() && FWaiting <= WaitingBytes);
                });
                if (!MustEmit(Worker))
                    break;
                EmitReady(Lock, Worker);
            }
            if (FStop || FNextToTake >= FCount)
                return;
            First = FNextToTake;
            Last = std::min({First + Take, FCount, FNextToEmit + FRing.size()});
            FNextToTake = Last;
            for (std::size_t Lens = First; Lens < Last; ++Lens)
                FOwners[Lens % FRing.size()] = Worker;
        }
        const auto Started = std::chrono::steady_clock::now();
        std::size_t Done = 0;
        for (std::size_t Lens = First; Lens < Last; ++Lens) {
            TLensOutcome& Outcome = Slot(Lens);
            Outcome.Rows = TRowBlock(&Pool);
            try {
                if (FPartBytes > 0) {
                    Outcome.HandOverBytes = FPartBytes;
                    Outcome.HandOver = [this, Lens, Worker](TLensOutcome& Part) {
                        HandOver(Lens, Part, Worker);
                    };
                }
                FWork(Lens, Outcome);
            } catch (...) {
                Fail();
                return;
            }
            const std::size_t Held = HeldBytes(Outcome);
            Done += Held;
            if (!Finished(Lens, Held, Worker))
                return;
        }
        // Lenses with many rows one at a time, so that few of them wait at once; the
        // batch grows while it is quick and shrinks when it is not, so that the emitter
        // does not wait long for its first lens.
        const bool Quick = std::chrono::steady_clock::now() - Started < QuickBatch;
        Take = Done > LargeBatchBytes ? 1
               : Quick                ? std::min(2 * Take, MaxBatch)
                                      : std::max<std::size_t>(Take / 2, 1);
    }
}

bool TOrderedRun::Finished(std::size_t Lens, std::size_t Held, unsigned Worker) {
    std::unique_lock Lock(FMutex);
    FReady[Lens % FRing.size()] = true;
    FWaiting += Held;
    if (FEmitOn == TEmitThread::Any)
        EmitReady(Lock, Worker);
    // The emitting thread goes on from the oldest lens through all that are ready, so it
    // needs waking only for the oldest.
    else if (Lens == FNextToEmit)
        FEmitterWake.notify_one();
    return !FStop;
}

// The worker of the oldest lens hands its rows over and goes on once they are out; a
// later lens keeps its rows until it is the oldest, and waits for that once they are many.
void TOrderedRun::HandOver(std::size_t Lens, TLensOutcome& Part, unsigned Worker) {
    std::unique_lock Lock(FMutex);
    // Lenses before this one may wait for this thread to emit them.
    while (Lens != FNextToEmit && Part.Rows.Bytes() >= LaterLensBytes && !FStop) {
        FWorkerWake.wait(Lock, [&] { return Lens == FNextToEmit || FStop || MustEmit(Worker); });
        if (MustEmit(Worker))
            EmitReady(Lock, Worker);
    }
    if (Lens != FNextToEmit || FStop) {
        Part.HandOverBytes = Part.Rows.Bytes() + FPartBytes;
        return;
    }
    Part.HandOverBytes = FPartBytes;
    if (FEmitOn == TEmitThread::Calling) {
        FPartWaiting = true;
        FEmitterWake.notify_one();
        FWorkerWake.wait(Lock, [&] { return !FPartWaiting || FStop; });
        return;
    }
    // No other thread emits: the emitting one stops as soon as the oldest lens is not
    // ready, in the same hold of the lock in which it makes it the oldest.
    FEmitting = true;
    Lock.unlock();
    try {
        FEmit(Lens, Part, false);
    } catch (...) {
        Lock.lock();
        FEmitting = false;
        throw;
    }
    EmptyPart(Part);
    Lock.lock();
    FEmitting = false;
}

bool TOrderedRun::MayEmit(std::size_t Lens, unsigned Worker) const {
    return FOwners[Lens % FRing.size()] == Worker || FWaiting > LaggingBytes ||
           FNextToTake >= FCount;
}

bool TOrderedRun::MustEmit(unsigned Worker) const {
    return FEmitOn == TEmitThread::Any && !FEmitting && !FStop && FNextToEmit < FCount &&
           FReady[FNextToEmit % FRing.size()] && MayEmit(FNextToEmit, Worker);
}

std::size_t TOrderedRun::EmitRun(std::size_t RunEnd) {
    std::size_t Emitted = 0;
    for (std::size_t Lens = FNextToEmit; Lens < RunEnd; ++Lens) {
        Emitted += HeldBytes(Slot(Lens));
        FEmit(Lens, Slot(Lens), true);
        EmptyAfterEmit(Slot(Lens));
    }
    return Emitted;
}

void TOrderedRun::MarkEmitted(std::size_t RunEnd, std::size_t Bytes) {
    for (std::size_t Lens = FNextToEmit; Lens < RunEnd; ++Lens)
        FReady[Lens % FRing.size()] = false;
    FWaiting -= Bytes;
    FNextToEmit = RunEnd;
    FWorkerWake.notify_all();
}

void TOrderedRun::EmitReady(std::unique_lock<std::mutex>& Lock, unsigned Worker) {
    if (FEmitting)
        return;
    FEmitting = true;
    while (!FStop) {
        std::size_t RunEnd = FNextToEmit;
        while (RunEnd < RingEnd() && FReady[RunEnd % FRing.size()] && MayEmit(RunEnd, Worker))
            ++RunEnd;
        if (RunEnd == FNextToEmit)
            break;
        Lock.unlock();
        std::size_t Emitted = 0;
        try {
            Emitted = EmitRun(RunEnd);
        } catch (...) {
            Lock.lock();
            FailLocked();
            break;
        }
        Lock.lock();
        MarkEmitted(RunEnd, Emitted);
    }
    FEmitting = false;
    // The oldest lens may be done by a worker that waits: it emits it now.
    if (FNextToEmit < FCount && FReady[FNextToEmit % FRing.size()])
        FWorkerWake.notify_all();
}

void TOrderedRun::EmitUntilDone() {
    while (FNextToEmit < FCount) {
        // A part of the oldest lens, or the run of outcomes ready from it on.
        std::size_t RunEnd = FNextToEmit;
        bool Part = false;
        {
            std::unique_lock Lock(FMutex);
            FEmitterWake.wait(
                Lock, [&] { return FStop || FPartWaiting || FReady[FNextToEmit % FRing.size()]; });
            if (FStop)
                return;
            Part = FPartWaiting;
            while (!Part && RunEnd < RingEnd() && FReady[RunEnd % FRing.size()])
                ++RunEnd;
        }
        if (Part) {
            TLensOutcome& Outcome = Slot(FNextToEmit);
            FEmit(FNextToEmit, Outcome, false);
            EmptyPart(Outcome);
            const std::lock_guard Lock(FMutex);
            FPartWaiting = false;
            FWorkerWake.notify_all();
            continue;
        }
        const std::size_t Emitted = EmitRun(RunEnd);
        const std::lock_guard Lock(FMutex);
        MarkEmitted(RunEnd, Emitted);
    }
}

void TOrderedRun::Fail() {
    const std::lock_guard Lock(FMutex);
    FailLocked();
}

void TOrderedRun::FailLocked() {
    if (!FFailure)
        FFailure = std::current_exception();
    FStop = true;
    FEmitterWake.notify_one();
    FWorkerWake.notify_all();
}

void TOrderedRun::Stop() {
    {
        const std::lock_guard Lock(FMutex);
        FStop = true;
    }
    FWorkerWake.notify_all();
}

} // namespace

unsigned EffectiveThreads(unsigned Threads) {
    if (Threads > 0)
        return Threads;
    const unsigned Cores = std::thread::hardware_concurrency();
    return Cores > 0 ? Cores : 1;
}

void RunLensesInOrder(std::size_t Count, unsigned Threads, const TLensWork& Work,
                      const TLensEmit& Emit, std::size_t PartBytes, TEmitThread EmitOn) {
    Threads = EffectiveThreads(Threads);
    if (Threads == 1 || Count < 2) {
        RunOnThisThread(Count, Work, Emit, PartBytes);
        return;
    }
    TOrderedRun(Count, Threads, Work, Emit, PartBytes, EmitOn).Run();
}

} // namespace kr6
