#include "helpers/HostileArchives.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace kr6 {
namespace {

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

TRun EvaluateQuietly(const std::string& Archive) {
    const test::TTempFile Out("", ".out");
    const test::TTempFile Err("", ".err");
    // A run that takes far too long ends by the timeout (status 124) instead of hanging.
    const std::string Command = "timeout 60 " + std::string(KR6CSV_BINARY) + " evaluate --quiet '" +
                                Archive + "' >" + Out.Path() + " 2>" + Err.Path();
    const int Raw = std::system(Command.c_str());
    return {WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, Out.Read(), Err.Read()};
}

TEST(HostileArchiveProgram, EndsWithOneErrorLineOrImports) {
    for (const auto& C : test::HostileArchives()) {
        const test::TTempFile File(C.Bytes);
        const TRun Run = EvaluateQuietly(File.Path());
        if (C.Cause.empty()) {
            EXPECT_EQ(Run.Status, 0) << C.Name << ": " << Run.Err;
            EXPECT_EQ(Run.Err, "") << C.Name;
            continue;
        }
        EXPECT_EQ(Run.Status, 1) << C.Name;
        EXPECT_EQ(Run.Out, "") << C.Name;
        EXPECT_TRUE(Run.Err.starts_with("kr6csv: cannot ")) << Run.Err;
        EXPECT_NE(Run.Err.find("'" + File.Path() + "'"), std::string::npos) << Run.Err;
        EXPECT_NE(Run.Err.find(C.Cause), std::string::npos) << C.Name << ": " << Run.Err;
        EXPECT_EQ(Run.Err.find('\n'), Run.Err.size() - 1) << Run.Err;
    }
}

} // namespace
} // namespace kr6
