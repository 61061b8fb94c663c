#include "cli/RowOutput.h"

#include "helpers/TestArchive.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kr6 {
namespace {

std::string WriteRows(const std::vector<std::string>& Rows, TRowFormat Format) {
    const test::TTempFile File("", ".txt");
    TRowOutput Output(File.Path(), Format);
    for (const auto& Row : Rows)
        Output.WriteRow(Row);
    Output.Finish();
    return File.Read();
}

TEST(RowOutput, EndsRowsAndConvertsAsAsked) {
    const std::vector<std::string> Rows{"GL1\tAR\t\t\t", "\x80\xE4\xC4\xDF"};
    EXPECT_EQ(WriteRows(Rows, {}), "GL1\tAR\t\t\t\r\n\x80\xE4\xC4\xDF\r\n");
    EXPECT_EQ(WriteRows(Rows, {TLineEnd::Lf, false}), "GL1\tAR\t\t\t\n\x80\xE4\xC4\xDF\n");
    EXPECT_EQ(WriteRows(Rows, {TLineEnd::CrLf, true}),
              "GL1\tAR\t\t\t\r\n\xE2\x82\xAC\xC3\xA4\xC3\x84\xC3\x9F\r\n");
    EXPECT_EQ(WriteRows({}, {}), "");
}

TEST(RowOutput, KeepsEveryByteAcrossChunks) {
    std::vector<std::string> Rows;
    std::string Expected;
    std::string ExpectedUtf8;
    for (int I = 0; I < 60000; ++I) {
        Rows.push_back("L" + std::to_string(I) + "\t\xE4" + std::string(I % 7, 'x'));
        Expected += Rows.back() + "\r\n";
        ExpectedUtf8 += "L" + std::to_string(I) + "\t\xC3\xA4" + std::string(I % 7, 'x') + "\n";
    }
    ASSERT_GT(Expected.size(), 2 * TRowOutput::ChunkSize);
    EXPECT_EQ(WriteRows(Rows, {}), Expected);
    EXPECT_EQ(WriteRows(Rows, {TLineEnd::Lf, true}), ExpectedUtf8);

    const test::TTempFile File("", ".txt");
    TRowOutput Output(File.Path());
    Output.WriteRow("a");
    Output.Write(std::string(TRowOutput::ChunkSize * 2 + 5, 'z'));
    Output.Finish();
    EXPECT_EQ(File.Read(), "a\r\n" + std::string(TRowOutput::ChunkSize * 2 + 5, 'z'));
}

// Windows names a pipe without reader in words of its own; it must end the program as quietly.
// Other write errors are seen in the program tests.
TEST(RowOutput, ClosedPipeStopsQuietly) {
    IgnoreBrokenPipe();
    int Pipe[2];
#ifdef _WIN32
    ASSERT_EQ(_pipe(Pipe, 4096, _O_BINARY), 0);
#else
    ASSERT_EQ(pipe(Pipe), 0);
#endif
    close(Pipe[0]);
    {
        TRowOutput Output(Pipe[1], "standard output");
        Output.WriteRow("GL1\t\t\t\t");
        EXPECT_THROW(Output.Finish(), EOutputClosed);
    }
    close(Pipe[1]);
}

} // namespace
} // namespace kr6
