#pragma once

#include "export/LensOutcome.h"

#include <cstddef>
#include <functional>

namespace kr6 {

// Works on lens 0 to Count - 1 on Threads threads and hands every outcome to Emit on the
// calling thread, in lens order, as soon as it and all before it are done. Only a bounded
// number of outcomes waits at any time, so memory does not grow with the number of
// lenses. An exception thrown by Work ends the run and is thrown again here.
void RunLensesInOrder(std::size_t Count, unsigned Threads,
                      const std::function<void(std::size_t Lens, TLensOutcome& Outcome)>& Work,
                      const std::function<void(std::size_t Lens, TLensOutcome& Outcome)>& Emit);

// The number of threads to use for a request of Threads (0: one per core).
unsigned EffectiveThreads(unsigned Threads);

} // namespace kr6
