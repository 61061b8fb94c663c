#pragma once

#include "export/LensPipeline.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string_view>
#include <vector>

namespace kr6 {

class TFastEvaluator;

// How the fast engine runs over a list of lenses, and what is done with what it finds.
struct TEvaluationRun {
    // 0: one per core, unless the list has so few combinations that one thread is quicker.
    unsigned Threads = 0;
    // A lens with more keys is cut into pieces of about this many, which the threads share.
    std::int64_t PieceKeys = std::numeric_limits<std::int64_t>::max();
    // The oldest lens hands its rows over in parts of about this size; 0: each lens whole.
    std::size_t PartBytes = 0;
    TEmitThread EmitOn = TEmitThread::Calling;
    // After each lens is counted, in lens order, with the keys of the lenses counted so far.
    std::function<void(std::int64_t Total)> Counted;
    // On the thread that tested a piece of a lens, right after (the whole lens unless
    // PieceKeys cuts it); may be empty.
    TLensWork Tested;
    // The rows of each lens in lens order, the parts of a lens in order; LensDone marks the
    // last part. Only a lens without any rows comes as an empty part.
    TLensEmit Rows;
};

// Tests Lenses in two passes: the first counts every lens's keys, so that the total is known
// from the first test on, and cuts the lenses into pieces; the second tests the pieces.
void RunEvaluation(const TFastEvaluator& Evaluator, const std::vector<std::string_view>& Lenses,
                   const TEvaluationRun& Run);

} // namespace kr6
