#include "helpers/ProgramRun.h"

#include "helpers/TestArchive.h"

#include <cstdlib>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace kr6::test {

namespace {

#ifdef _WIN32
// std::system runs cmd.exe, which hands back the program's exit code as it is.
constexpr const char* NoInput = " <NUL ";
int ExitStatus(int Raw) {
    return Raw;
}
#else
constexpr const char* NoInput = " </dev/null ";
int ExitStatus(int Raw) {
    return WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1;
}
#endif

} // namespace

TRun RunProgram(const std::string& Command, const std::string& Args) {
    const TTempFile Out("", ".out");
    const TTempFile Err("", ".err");
    const std::string Line = Command + NoInput + Args + " >" + Out.Path() + " 2>" + Err.Path();
    const int Raw = std::system(Line.c_str());
    return {ExitStatus(Raw), Out.Read(), Err.Read()};
}

TRun Kr6csv(const std::string& Args) {
    return RunProgram(KR6CSV_BINARY, Args);
}

TRun MakeDemoKr6(const std::string& Args) {
    return RunProgram(MAKE_DEMO_KR6_BINARY, Args);
}

std::vector<std::string> LinesOf(const std::string& Text) {
    std::vector<std::string> Lines;
    std::size_t Start = 0;
    for (std::size_t End; (End = Text.find('\n', Start)) != std::string::npos; Start = End + 1)
        Lines.push_back(Text.substr(Start, End - Start));
    if (Start < Text.size())
        Lines.push_back(Text.substr(Start));
    return Lines;
}

} // namespace kr6::test
