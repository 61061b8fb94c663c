#include "helpers/ProgramRun.h"
#include "helpers/TestArchive.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace kr6 {
namespace {

namespace fs = std::filesystem;
using test::LinesOf;

// A command of the README and the lines it shows after it.
struct TExample {
    std::size_t Line = 0;
    std::string Command;
    std::vector<std::string> Shown;
};

const std::string& Readme() {
    static const std::string Text = test::ReadFileBytes(KR6_SOURCE_DIR "/README.md");
    return Text;
}

// Every "$ command" in the README's code blocks, with the lines up to the next command or
// the end of the block.
std::vector<TExample> Examples() {
    std::vector<TExample> Result;
    bool InBlock = false;
    bool InExample = false;
    const std::vector<std::string> Lines = LinesOf(Readme());
    for (std::size_t I = 0; I < Lines.size(); ++I) {
        const std::string& Line = Lines[I];
        if (Line.starts_with("```")) {
            InBlock = !InBlock;
            InExample = false;
        } else if (InBlock && Line.starts_with("$ ")) {
            Result.push_back({I + 1, Line.substr(2), {}});
            InExample = true;
        } else if (InExample) {
            Result.back().Shown.push_back(Line);
        }
    }
    return Result;
}

// A folder laid out like the repository root after ./run.sh: the example list, the
// generator under build/tools/, kr6csv on the PATH. The examples run in it one after the
// other, as a reader would type them.
class TReadmeShell {
public:
    TReadmeShell() {
        fs::create_symlink(KR6_SOURCE_DIR "/examples", FDir / "examples");
        fs::create_directories(FDir / "build/tools");
        fs::create_symlink(MAKE_DEMO_KR6_BINARY, FDir / "build/tools/make-demo-kr6");
    }

    // What the command writes, standard output first, then standard error.
    std::string Run(const std::string& Command) {
        if (Command == "echo $?")
            return std::to_string(FStatus) + "\n";
        test::WriteFileBytes(FDir / ".command", Command + "\n");
        const std::string Shell = "cd '" + FDir / "" + "' && PATH='" +
                                  fs::path(KR6CSV_BINARY).parent_path().string() +
                                  "':\"$PATH\" bash .command >.out 2>.err";
        const int Raw = std::system(Shell.c_str());
        FStatus = WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1;
        return test::ReadFileBytes(FDir / ".out") + test::ReadFileBytes(FDir / ".err");
    }

private:
    test::TTempDir FDir;
    int FStatus = 0;
};

// Carriage returns before line ends are not shown, and durations differ from run to run.
std::string Comparable(std::string Line) {
    if (Line.ends_with('\r'))
        Line.pop_back();
    static const std::regex Seconds("[0-9]+\\.[0-9] s\\b");
    return std::regex_replace(Line, Seconds, "#.# s");
}

// The shown lines match the output: a line "..." (indented or not) stands for any number of
// lines, "[... 12 lines ...]" for exactly that many.
bool Matches(const std::vector<std::string>& Shown, const std::vector<std::string>& Output) {
    static const std::regex Counted(R"(^\[\.\.\. ([0-9]+) lines \.\.\.\]$)");
    static const std::regex Any(R"(^ *\.\.\.$)");
    std::size_t Out = 0;
    for (std::size_t I = 0; I < Shown.size(); ++I) {
        std::smatch Match;
        if (std::regex_match(Shown[I], Match, Counted)) {
            Out += std::stoul(Match[1]);
            continue;
        }
        if (std::regex_match(Shown[I], Any)) {
            if (I + 1 == Shown.size())
                return true;
            while (Out < Output.size() && Comparable(Output[Out]) != Comparable(Shown[I + 1]))
                ++Out;
            continue;
        }
        if (Out >= Output.size() || Comparable(Output[Out]) != Comparable(Shown[I]))
            return false;
        ++Out;
    }
    return Out == Output.size();
}

TEST(ReadmeExamples, EveryExampleShowsWhatTheProgramWrites) {
    const std::vector<TExample> All = Examples();
    ASSERT_GE(All.size(), 10U);
    TReadmeShell Shell;
    for (const TExample& Example : All) {
        const std::string Output = Shell.Run(Example.Command);
        EXPECT_TRUE(Matches(Example.Shown, LinesOf(Output)))
            << "README.md line " << Example.Line << ": $ " << Example.Command << "\nwrites:\n"
            << Output;
    }
}

// The names and the fixed values (verdicts, actions, reasons, kinds) of JSON the programs
// write.
void CollectNames(const nlohmann::json& Value, std::set<std::string>& Names) {
    if (Value.is_object()) {
        for (const auto& [Key, Member] : Value.items()) {
            Names.insert(Key);
            if ((Key == "verdict" || Key == "action" || Key == "reason") && Member.is_string())
                Names.insert(Member.get<std::string>());
            if (Key == "kinds")
                for (const auto& Kind : Member)
                    Names.insert(Kind.get<std::string>());
            // The suggestions and the finding counts are keyed by codes.
            if (Key != "suggestions" && Key != "by_code")
                CollectNames(Member, Names);
        }
    } else if (Value.is_array()) {
        for (const auto& Item : Value)
            CollectNames(Item, Names);
    }
}

// Every member of every JSON output is named in the README's JSON section.
TEST(ReadmeExamples, JsonSectionNamesEveryMember) {
    const std::string& Text = Readme();
    const std::size_t Start = Text.find("### JSON output");
    ASSERT_NE(Start, std::string::npos);
    const std::string Section = Text.substr(Start, Text.find("\n## ", Start) - Start);

    TReadmeShell Shell;
    Shell.Run("build/tools/make-demo-kr6 demo-next.zip --changes 1");
    std::set<std::string> Names;
    for (const char* Command :
         {"kr6csv info --json examples/demo-kr6.zip",
          "kr6csv evaluate -q --format jsonl --names examples/demo-kr6.zip",
          "kr6csv diff -q --format jsonl --names examples/demo-kr6.zip demo-next.zip",
          "kr6csv diff -q --format jsonl --summary examples/demo-kr6.zip demo-next.zip",
          "kr6csv check --json examples/demo-kr6.zip GK6001 AREF01 TNFA01",
          "kr6csv check --json examples/demo-kr6.zip GK6001 TNFA01 HCST01 CLCT01 ARMF01",
          "kr6csv check --json examples/demo-kr6.zip GK6001 AREF01 ARSP01",
          "kr6csv check --json examples/demo-kr6.zip GK6O01 ARMF0",
          "kr6csv check --json examples/demo-kr6.zip GK6001",
          "kr6csv check --json examples/demo-kr6.zip ES5201 TNFA01 VSSI01",
          "kr6csv check --json demo-next.zip ES60Z1 ARMF01 ARRS01"}) {
        for (const std::string& Line : LinesOf(Shell.Run(Command)))
            if (Line.starts_with("{"))
                CollectNames(nlohmann::json::parse(Line), Names);
    }
    for (const std::string& Name : Names)
        EXPECT_NE(Section.find("`" + Name + "`"), std::string::npos) << Name;
}

} // namespace
} // namespace kr6
