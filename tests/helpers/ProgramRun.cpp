#include "helpers/ProgramRun.h"

#include "helpers/TestArchive.h"

#include <cstdlib>
#include <sys/wait.h>

namespace kr6::test {

TRun Kr6csv(const std::string& Args) {
    const TTempFile Out("", ".out");
    const TTempFile Err("", ".err");
    const std::string Command =
        std::string(KR6CSV_BINARY) + " </dev/null " + Args + " >" + Out.Path() + " 2>" + Err.Path();
    const int Raw = std::system(Command.c_str());
    return {WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, Out.Read(), Err.Read()};
}

} // namespace kr6::test
