#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kr6 {
namespace {

// What kr6csv with Arguments writes to its standard output when that is a terminal of the
// locale Locale; standard error goes to /dev/null.
std::string OnTerminal(const char* Locale, std::vector<const char*> Arguments) {
    Arguments.insert(Arguments.begin(), KR6CSV_BINARY);
    Arguments.push_back(nullptr);
    int Master = -1;
    const pid_t Child = forkpty(&Master, nullptr, nullptr, nullptr);
    if (Child == 0) {
        dup2(open("/dev/null", O_WRONLY), STDERR_FILENO);
        unsetenv("LC_CTYPE");
        unsetenv("LANG");
        setenv("LC_ALL", Locale, 1);
        execv(KR6CSV_BINARY, const_cast<char* const*>(Arguments.data()));
        _exit(127);
    }
    std::string Screen;
    char Buffer[4096];
    for (ssize_t N; (N = read(Master, Buffer, sizeof Buffer)) != 0;) {
        if (N > 0)
            Screen.append(Buffer, static_cast<std::size_t>(N));
        else if (errno != EINTR)
            break; // EIO once the terminal's other side has closed
    }
    close(Master);
    int Status = 0;
    waitpid(Child, &Status, 0);
    return Status == 0 ? Screen : "status " + std::to_string(Status);
}

// A terminal shows the names in its locale's encoding; the rows keep their bytes elsewhere,
// as the other tests see.
TEST(TerminalOutput, NamesComeInTheTerminalsEncoding) {
    const char* Demo = KR6_SOURCE_DIR "/examples/demo-kr6.zip";
    const std::string Rows = OnTerminal("C.UTF-8", {"evaluate", "-q", "--names", Demo});
    EXPECT_NE(Rows.find("Einst\xC3\xA4rken sph\xC3\xA4risch 1.525 Silikat"), std::string::npos)
        << Rows.substr(0, 200);
    EXPECT_EQ(Rows.find("Einst\xE4rken"), std::string::npos);
    // Asked for UTF-8, the text is converted once, not twice.
    EXPECT_EQ(OnTerminal("C.UTF-8", {"evaluate", "-q", "--names", "--utf8", Demo}), Rows);
    const std::string Json =
        OnTerminal("C.UTF-8", {"evaluate", "-q", "--names", "--format", "jsonl", Demo});
    EXPECT_NE(Json.find("\"Einst\xC3\xA4rken"), std::string::npos) << Json.substr(0, 200);
    EXPECT_NE(OnTerminal("C.UTF-8", {"info", Demo}).find("Beispielhersteller"), std::string::npos);

    // A terminal of a locale that is not UTF-8 gets the bytes as they are.
    const std::string Plain = OnTerminal("C", {"evaluate", "-q", "--names", Demo});
    EXPECT_NE(Plain.find("Einst\xE4rken"), std::string::npos) << Plain.substr(0, 200);
}

} // namespace
} // namespace kr6
