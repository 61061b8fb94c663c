#include "cli/Terminal.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace kr6 {
namespace {

#ifdef _WIN32
constexpr const char* NullDevice = "NUL";
#else
constexpr const char* NullDevice = "/dev/null";
#endif

// Output sent to the null device must not be taken for a terminal: the C runtime's isatty()
// on Windows says it is one, and a progress line would then go to nowhere instead of
// nothing, and rows would be converted as for a console.
TEST(Console, NullDeviceIsNoTerminal) {
    const std::unique_ptr<std::FILE, decltype(&std::fclose)> Null(std::fopen(NullDevice, "wb"),
                                                                  &std::fclose);
    ASSERT_NE(Null, nullptr);
    const int Fd = fileno(Null.get());
    EXPECT_FALSE(IsTerminal(Fd));
    EXPECT_FALSE(TerminalErases(Fd));
    EXPECT_EQ(TerminalColumns(Fd), 0U);
    EXPECT_FALSE(WriteToConsole(Fd, "GL1\r\n", false));
}

} // namespace
} // namespace kr6
