#pragma once

#include "export/RowBlock.h"
#include "support/StringList.h"

#include <cstdint>
#include <functional>

namespace kr6 {

class Tdex6Dataobject;

enum class TEvaluationEngine {
    // Every key checked by the rule list on its own, step by step: the reference.
    Literal,
    // The same rows and progress, with everything that does not depend on a key's coatings
    // worked out once per lens, and lenses tested in parallel.
    Fast,
};

struct TEvaluationOptions {
    TEvaluationEngine Engine = TEvaluationEngine::Fast;
    // Threads of the fast engine; 0 means one per core for a list with many combinations.
    unsigned Threads = 0;
    // A lens with more keys is cut into pieces of about this many, whole groups of keys
    // with the same anti-reflection coating and tint each, which the threads share.
    std::int64_t PieceKeys = std::int64_t{1} << 14;
    // The progress hook and the sink may be called on any of the evaluation's threads, one
    // call at a time and in order, rather than on the calling thread only: a thread then
    // hands over the rows it made while they are still in its core's cache, and the
    // calling thread tests lenses too.
    bool CallbacksOnAnyThread = false;
};

// Receives the deliverable rows lens by lens in glass-list order. The rows of a lens may
// come in several parts, while the lens is still being evaluated; LensDone marks its
// last part. A lens without rows comes as one empty part.
using TLensRowsSink = std::function<void(const TRowBlock& Rows, bool LensDone)>;

// Tests every combination of every lens with the coatings the price list allows for it
// (at most one anti-reflection coating, one tint and two further coatings) against the
// combination rules and hands over the deliverable ones: lens code, anti-reflection
// coating, tint, first and second further coating, joined by tabs. A first pass only
// counts the combinations so that the progress hook of the root knows the total from the
// first test on. The hook and Sink are called on the calling thread unless the options
// allow any thread.
void EvaluateCombinations(Tdex6Dataobject& Root, const TLensRowsSink& Sink,
                          const TEvaluationOptions& Options = {});

// The same, replacing Rows with all deliverable rows.
void EvaluateCombinations(Tdex6Dataobject& Root, TStringList& Rows,
                          const TEvaluationOptions& Options = {});

} // namespace kr6
