#include "helpers/HostileArchives.h"
#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

TEST(HostileArchiveProgram, EndsWithOneErrorLineOrImports) {
    for (const auto& C : test::HostileArchives()) {
        const test::TTempFile File(C.Bytes);
        const test::TRun Run = test::Kr6csv("evaluate --quiet '" + File.Path() + "'");
        if (C.Cause.empty()) {
            EXPECT_EQ(Run.Status, 0) << C.Name << ": " << Run.Err;
            EXPECT_EQ(Run.Err, "") << C.Name;
            continue;
        }
        EXPECT_EQ(Run.Status, 1) << C.Name;
        EXPECT_EQ(Run.Out, "") << C.Name;
        EXPECT_TRUE(Run.Err.starts_with("kr6csv: ")) << Run.Err;
        EXPECT_NE(Run.Err.find("'" + File.Path() + "'"), std::string::npos) << Run.Err;
        EXPECT_NE(Run.Err.find(C.Cause), std::string::npos) << C.Name << ": " << Run.Err;
        EXPECT_EQ(Run.Err.find('\n'), Run.Err.size() - 1) << Run.Err;
    }
}

} // namespace
} // namespace kr6
