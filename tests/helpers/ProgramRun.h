#pragma once

#include <string>
#include <vector>

namespace kr6::test {

// The example list the program tests run on.
inline const std::string DemoArchive = KR6_SOURCE_DIR "/examples/demo-kr6.zip";

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs the built kr6csv through the shell, Args being shell words (a redirection of
// standard input among them replaces the empty input it gets otherwise). No run has a time
// limit of its own, which a busy machine would exceed: a hanging run is ended by the
// test's limit in ctest.
TRun Kr6csv(const std::string& Args);
// The same for the example generator, and for any Command of shell words.
TRun MakeDemoKr6(const std::string& Args);
TRun RunProgram(const std::string& Command, const std::string& Args);

// The lines of a program's output, each without its line feed.
std::vector<std::string> LinesOf(const std::string& Text);

} // namespace kr6::test
