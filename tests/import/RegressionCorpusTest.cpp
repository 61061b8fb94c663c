#include "helpers/FuzzEntries.h"
#include "helpers/RandomModel.h"
#include "helpers/TestArchive.h"

#include "export/EvaluateCombinations.h"
#include "import/Kr6Findings.h"
#include "import/Kr6LensRecords.h"
#include "model/Coatings.h"
#include "model/ElementReader.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/ZipArchive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace kr6 {
namespace {

std::string ModelOutcome(const Tdex6Dataobject& Root, const TKr6Findings& Findings) {
    return std::to_string(Root.Glasliste()->Count()) + " lenses, " +
           std::to_string(Root.Beschichtungsliste()->Count()) + " coatings, " +
           CountsText(Findings.Counts());
}

// Read with the fuzz target's limit on a member's size, which a decompression bomb meets.
std::string ArchiveOutcome(const std::string& Path) {
    Tdex6Dataobject Root;
    TKr6Findings Findings;
    try {
        TOXVCLZip Archive({.MaxBytes = 1 << 20});
        Archive.SetZipName(Path);
        ReadKr6Archive(Root, Archive, {}, &Findings);
    } catch (const EArchiveError& Error) {
        // The path in the message is the test machine's.
        std::string Message = Error.what();
        Message.replace(Message.find(Path), Path.size(), "<input>");
        return Message;
    }
    return ModelOutcome(Root, Findings);
}

std::string ImportOutcome(const std::string& Path) {
    Tdex6Dataobject Root;
    TKr6Findings Findings;
    BuildKr6Model(Root, test::FuzzImportFiles(test::ReadFileBytes(Path)), &Findings);
    TStringList Rows;
    EvaluateCombinations(Root, Rows);
    return ModelOutcome(Root, Findings) + ", " + std::to_string(Rows.Count()) + " rows";
}

std::string RecordOutcome(const std::string& Path) {
    TKr6DataLensType Lens;
    ParseKr6LensType(Lens, test::ReadFileBytes(Path));
    return "lens " + test::Visible(Lens.Code) + " named " + test::Visible(Lens.Name);
}

std::string ElementOutcome(const std::string& Path) {
    Tdex6Dataobject Root;
    try {
        TElementReader().Read(test::ReadFileBytes(Path), Root);
    } catch (const EElementFormError& Error) {
        return Error.what();
    }
    return std::to_string(Root.Glasliste()->Count()) + " lenses";
}

struct TTarget {
    std::function<void(std::string_view)> Replay;
    std::function<std::string(const std::string&)> Outcome;
};

// Every input that once crashed or misbehaved in a fuzz target, and hand-made hostile
// samples of the same kinds (tests/data/regressions/<target>/<input>): each passes its
// target's entry point, and gives what it gave when it was last looked at. A new input
// needs its outcome here.
TEST(RegressionCorpus, SavedInputsPassTheirTargetAndGiveTheirOutcome) {
    const std::map<std::string, TTarget> Targets = {
        {"Archive", {test::FuzzArchiveBytes, ArchiveOutcome}},
        {"Records", {test::FuzzRecordLine, RecordOutcome}},
        {"Import", {test::FuzzImport, ImportOutcome}},
        {"ElementReader", {test::FuzzElementText, ElementOutcome}}};
    const std::map<std::string, std::string> Expected = {
        {"Archive/directory-past-end.zip",
         "cannot open '<input>': damaged ZIP archive (inconsistent directory)"},
        {"Archive/line-end-bomb.zip",
         "cannot read 'LensType.Dat' in '<input>': member is larger than 1048576 bytes"},
        {"Archive/truncated.zip", "cannot open '<input>': not a ZIP archive"},
        {"ElementReader/unclosed-nesting.xml",
         "cannot read element text: no element found at line 1, column 38"},
        // Every line, empty ones too, makes a lens without code; the nine coatings are the
        // defaults every list has.
        {"Import/empty-lenstype-lines", "4 lenses, 9 coatings, 4 warnings, 0 rows"},
        // The tab belongs to the name: a code is six characters, blanks trimmed right.
        {"Records/tab-in-code", "lens \"ABC123\" named \"\\tX\\r\""}};
    const std::filesystem::path Root = std::filesystem::path(KR6_TEST_DATA_DIR) / "regressions";
    std::map<std::string, std::string> Outcomes;
    for (const auto& [Name, Target] : Targets) {
        for (const auto& File : std::filesystem::directory_iterator(Root / Name)) {
            const std::string Path = File.path().string();
            SCOPED_TRACE(Path);
            EXPECT_NO_THROW(Target.Replay(test::ReadFileBytes(Path)));
            Outcomes[Name + "/" + File.path().filename().string()] = Target.Outcome(Path);
        }
    }
    EXPECT_EQ(Outcomes, Expected);
}

} // namespace
} // namespace kr6
