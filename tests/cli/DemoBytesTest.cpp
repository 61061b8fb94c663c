#include "helpers/ProgramRun.h"
#include "support/ZipArchive.h"

#include <gtest/gtest.h>

#include <string>

namespace kr6 {
namespace {

using test::DemoArchive;

// The element form and the rows of the example list, as the program wrote them when they were
// last checked by hand; any change to a byte of either must be deliberate.
std::string Expected(std::string_view Member) {
    TOXVCLZip Pinned;
    Pinned.SetZipName(KR6_TEST_DATA_DIR "/demo-kr6-expected.zip");
    std::string Bytes;
    EXPECT_TRUE(Pinned.ExtractBitmapFromZip(Member, Bytes)) << Member;
    return Bytes;
}

TEST(DemoBytes, ElementFormAndRowsOfTheExampleList) {
    const std::string Rows = Expected("demo-kr6.rows");
    for (const char* Options : {"", "--engine literal", "--format tsv"}) {
        const test::TRun Run =
            test::Kr6csv("evaluate -q " + std::string(Options) + " " + DemoArchive);
        EXPECT_EQ(Run.Status, 0) << Run.Err;
        EXPECT_EQ(Run.Out, Rows) << Options << ": the rows differ";
    }
    const test::TRun Xml = test::Kr6csv("xml " + DemoArchive);
    EXPECT_EQ(Xml.Status, 0) << Xml.Err;
    EXPECT_EQ(Xml.Out, Expected("demo-kr6.xml")) << "the element form differs";
}

} // namespace
} // namespace kr6
