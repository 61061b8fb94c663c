#pragma once

#include "export/LensOutcome.h"

#include <cstddef>
#include <functional>

namespace kr6 {

using TLensWork = std::function<void(std::size_t Lens, TLensOutcome& Outcome)>;
// LensDone is false for a part of a lens's rows handed over while the lens was evaluated.
using TLensEmit = std::function<void(std::size_t Lens, TLensOutcome& Outcome, bool LensDone)>;

enum class TEmitThread {
    // Emit runs on the calling thread, which does nothing else.
    Calling,
    // Emit runs on the threads that work on lenses, the calling thread among them, each
    // mostly emitting the lenses it made while their rows are still in its core's cache.
    // The calls still come one at a time and in order.
    Any,
};

// Works on lens 0 to Count - 1 on Threads threads and hands every outcome to Emit, in lens
// order, as soon as it and all before it are done. Outcomes wait only while they are few
// and small, so memory does not grow with the number of lenses. With PartBytes set, the
// oldest lens in work hands its rows over in parts of about that size (through
// TLensOutcome::OfferRows), so that not even one lens needs to hold all of its rows. An
// exception thrown by Work or Emit ends the run and is thrown again here.
void RunLensesInOrder(std::size_t Count, unsigned Threads, const TLensWork& Work,
                      const TLensEmit& Emit, std::size_t PartBytes = 0,
                      TEmitThread EmitOn = TEmitThread::Calling);

// The number of threads to use for a request of Threads (0: one per core).
unsigned EffectiveThreads(unsigned Threads);

} // namespace kr6
