#include "cli/Commands.h"
#include "cli/RowOutput.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <string>

namespace {

constexpr int ExitError = 1;
constexpr int ExitUsage = 2;
constexpr int ExitDiffer = 3;

// Runs a command under the error policy: a vanished reader is a normal end, every other
// failure one line on standard error. The command's own status passes through.
int RunWithStatus(const std::function<int()>& Command) {
    try {
        return Command();
    } catch (const kr6::EOutputClosed&) {
        return 0;
    } catch (const std::exception& Error) {
        std::fprintf(stderr, "kr6csv: %s\n", Error.what());
        return ExitError;
    }
}

int Run(const std::function<void()>& Command) {
    return RunWithStatus([&] {
        Command();
        return 0;
    });
}

// --format, --header and --names of the commands that write rows.
void AddRowLayoutOptions(CLI::App& Command, kr6::TRowLayout& Layout) {
    Command
        .add_option("--format", Layout.Syntax,
                    "tsv (default), csv (RFC 4180) or jsonl (one JSON object per row, UTF-8)")
        ->transform(CLI::CheckedTransformer(
            std::map<std::string, kr6::TRowSyntax>{{"tsv", kr6::TRowSyntax::Tsv},
                                                   {"csv", kr6::TRowSyntax::Csv},
                                                   {"jsonl", kr6::TRowSyntax::Jsonl}},
            CLI::ignore_case))
        ->option_text("tsv|csv|jsonl");
    Command.add_flag("--header", Layout.Header, "Start tsv and csv with a line of column names");
    Command.add_flag("--names", Layout.Names, "Add the lens's or coating's name after each code");
}

int Main(int argc, char** argv) {
    kr6::IgnoreBrokenPipe();

    CLI::App App{"Evaluates the lens and coating combinations of KR6 price lists.", "kr6csv"};
    App.set_version_flag("--version", "kr6csv " KR6CSV_VERSION);
    App.require_subcommand(1);

    kr6::TEvaluateOptions Evaluate;
    CLI::App* EvaluateCommand =
        App.add_subcommand("evaluate", "Write the deliverable combinations as tab-separated rows.");
    EvaluateCommand->add_option("ARCHIVE", Evaluate.Archive, "KR6 archive (.zip)")->required();
    EvaluateCommand
        ->add_option("-o,--output", Evaluate.OutputFile,
                     "Write the rows to FILE instead of standard output")
        ->type_name("FILE");
    EvaluateCommand->add_flag("--lf", Evaluate.Lf, "End rows with a line feed only");
    EvaluateCommand->add_flag("--utf8", Evaluate.Utf8, "Write UTF-8 instead of Windows-1252");
    EvaluateCommand->add_flag("-q,--quiet", Evaluate.Quiet, "No summary at the end");
    EvaluateCommand
        ->add_option("--engine", Evaluate.Evaluation.Engine,
                     "fast (default) or literal, the step-by-step reference")
        ->transform(CLI::CheckedTransformer(
            std::map<std::string, kr6::TEvaluationEngine>{
                {"fast", kr6::TEvaluationEngine::Fast},
                {"literal", kr6::TEvaluationEngine::Literal}},
            CLI::ignore_case))
        ->option_text("fast|literal");
    EvaluateCommand
        ->add_option("--threads", Evaluate.Evaluation.Threads,
                     "Threads of the fast engine (default: one per core)")
        ->check(CLI::Range(1U, 1024U))
        ->option_text("N");
    AddRowLayoutOptions(*EvaluateCommand, Evaluate.Layout);

    kr6::TDiffOptions Diff;
    CLI::App* DiffCommand = App.add_subcommand(
        "diff", "Compare two price lists: model changes, then rows only in NEW (+) or OLD (-). "
                "Exit status 0: same rows, 3: rows differ.");
    DiffCommand->add_option("OLD", Diff.OldArchive, "Older KR6 archive (.zip)")->required();
    DiffCommand->add_option("NEW", Diff.NewArchive, "Newer KR6 archive (.zip)")->required();
    DiffCommand
        ->add_option("-o,--output", Diff.OutputFile, "Write to FILE instead of standard output")
        ->type_name("FILE");
    DiffCommand->add_flag("--lf", Diff.Lf, "End lines with a line feed only");
    DiffCommand->add_flag("--utf8", Diff.Utf8, "Write UTF-8 instead of Windows-1252");
    DiffCommand->add_flag("-q,--quiet", Diff.Quiet, "No summary line at the end");
    CLI::Option* RowsOnly =
        DiffCommand->add_flag("--rows-only", Diff.RowsOnly, "Leave out the model summary");
    DiffCommand->add_flag("--summary", Diff.SummaryOnly, "Write the model summary only")
        ->excludes(RowsOnly);
    DiffCommand
        ->add_option("--threads", Diff.Threads, "Threads of the evaluation (default: one per core)")
        ->check(CLI::Range(1U, 1024U))
        ->option_text("N");
    AddRowLayoutOptions(*DiffCommand, Diff.Layout);

    kr6::TInfoOptions Info;
    CLI::App* InfoCommand = App.add_subcommand("info", "Summarise the price list.");
    InfoCommand->add_option("ARCHIVE", Info.Archive, "KR6 archive (.zip)")->required();
    InfoCommand->add_flag("--utf8", Info.Utf8, "Write UTF-8 instead of Windows-1252");
    InfoCommand->add_flag("--json", Info.Json, "Write one JSON object (UTF-8)");

    kr6::TXmlOptions Xml;
    CLI::App* XmlCommand =
        App.add_subcommand("xml", "Write the whole loaded model in its element form.");
    XmlCommand->add_option("ARCHIVE", Xml.Archive, "KR6 archive (.zip)")->required();
    XmlCommand
        ->add_option("-o,--output", Xml.OutputFile, "Write to FILE instead of standard output")
        ->type_name("FILE");

    try {
        App.parse(argc, argv);
    } catch (const CLI::ParseError& Error) {
        // Help and version end with 0; everything else is a usage error.
        const int Status = App.exit(Error);
        return Status == 0 ? 0 : ExitUsage;
    }

    if (EvaluateCommand->parsed())
        return Run([&] { kr6::RunEvaluate(Evaluate); });
    if (DiffCommand->parsed())
        return RunWithStatus([&] { return kr6::RunDiff(Diff) ? ExitDiffer : 0; });
    if (InfoCommand->parsed())
        return Run([&] { kr6::RunInfo(Info); });
    return Run([&] { kr6::RunXml(Xml); });
}

} // namespace

int main(int argc, char** argv) {
    // Setting up the options can fail too (out of memory); it ends like any other error.
    try {
        return Main(argc, argv);
    } catch (const std::exception& Error) {
        std::fprintf(stderr, "kr6csv: %s\n", Error.what());
        return ExitError;
    }
}
