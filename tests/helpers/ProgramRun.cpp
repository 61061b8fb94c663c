#include "helpers/ProgramRun.h"

#include "helpers/TestArchive.h"

#include <cstdlib>
#include <sys/wait.h>

namespace kr6::test {

namespace {

TRun RunProgram(const std::string& Binary, const std::string& Args) {
    const TTempFile Out("", ".out");
    const TTempFile Err("", ".err");
    const std::string Command =
        Binary + " </dev/null " + Args + " >" + Out.Path() + " 2>" + Err.Path();
    const int Raw = std::system(Command.c_str());
    return {WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, Out.Read(), Err.Read()};
}

} // namespace

TRun Kr6csv(const std::string& Args) {
    return RunProgram(KR6CSV_BINARY, Args);
}

TRun MakeDemoKr6(const std::string& Args) {
    return RunProgram(MAKE_DEMO_KR6_BINARY, Args);
}

} // namespace kr6::test
