#include "helpers/FuzzEntries.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace kr6 {
namespace {

// Every input that once crashed or misbehaved in a fuzz target, and hand-made hostile
// samples of the same kinds, replayed through the target's entry point:
// tests/data/regressions/<target>/<input>.
TEST(RegressionCorpus, SavedInputsPassTheirTarget) {
    const std::pair<const char*, std::function<void(std::string_view)>> Targets[] = {
        {"Archive", test::FuzzArchiveBytes},
        {"Records", test::FuzzRecordLine},
        {"Import", test::FuzzImport},
        {"ElementReader", test::FuzzElementText}};
    const std::filesystem::path Root = std::filesystem::path(KR6_TEST_DATA_DIR) / "regressions";
    int Replayed = 0;
    for (const auto& [Target, Entry] : Targets) {
        const std::filesystem::path Dir = Root / Target;
        if (!std::filesystem::is_directory(Dir))
            continue;
        for (const auto& File : std::filesystem::directory_iterator(Dir)) {
            SCOPED_TRACE(File.path().string());
            EXPECT_NO_THROW(Entry(test::ReadFileBytes(File.path().string())));
            ++Replayed;
        }
    }
    EXPECT_GT(Replayed, 0);
}

} // namespace
} // namespace kr6
