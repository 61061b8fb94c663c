#pragma once

#include <string>

namespace kr6::test {

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs the built kr6csv through the shell, Args being shell words; a run that takes far
// too long ends by the timeout (status 124) instead of hanging the tests.
TRun Kr6csv(const std::string& Args);

} // namespace kr6::test
