#include "cli/Commands.h"
#include "cli/RowOutput.h"
#include "cli/Terminal.h"
#include "cli/UsageWords.h"
#include "cli/Utf8Arguments.h"

#include "support/FileDescriptor.h"
#include "support/Version.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr int ExitError = 1;
constexpr int ExitUsage = 2;
constexpr int ExitDiffer = 3;

// Paths in messages are UTF-8, which a Windows console shows only when given characters.
void ReportError(const char* Message) {
    const std::string Line = "kr6csv: " + std::string(Message) + "\n";
    if (!kr6::WriteToConsole(kr6::StandardErrorFd, Line, true))
        std::fputs(Line.c_str(), stderr);
}

// Runs a command under the error policy: a vanished reader is a normal end, every other
// failure one line on standard error. The command's own status passes through.
int RunWithStatus(const std::function<int()>& Command) {
    try {
        return Command();
    } catch (const kr6::EOutputClosed&) {
        return 0;
    } catch (const std::exception& Error) {
        ReportError(Error.what());
        return ExitError;
    }
}

constexpr std::string_view Program = "kr6csv";

// "-q" and the archive and output arguments are the same in every command.
void AddQuiet(CLI::App& Command, bool& Quiet, std::string_view What) {
    Command.add_flag("-q,--quiet", Quiet, std::string(What));
}

void AddArchive(CLI::App& Command, std::string& Archive) {
    Command.add_option("ARCHIVE", Archive, "KR6 archive (.zip); - reads it from standard input")
        ->required();
}

void AddOutput(CLI::App& Command, std::string& File) {
    Command
        .add_option("-o,--output", File,
                    "Write to FILE instead of standard output (- for standard output); FILE "
                    "is replaced only when everything was written")
        ->type_name("FILE");
}

int Run(const std::function<void()>& Command) {
    return RunWithStatus([&] {
        Command();
        return 0;
    });
}

// --format, --header and --names of the commands that write rows. The format's name is
// checked by name, so that a wrong one is answered with the names there are.
void AddRowLayoutOptions(CLI::App& Command, kr6::TRowLayout& Layout) {
    static const std::map<std::string, kr6::TRowSyntax> Syntaxes{{"tsv", kr6::TRowSyntax::Tsv},
                                                                 {"csv", kr6::TRowSyntax::Csv},
                                                                 {"jsonl", kr6::TRowSyntax::Jsonl}};
    Command
        .add_option_function<std::string>(
            "--format", [&Layout](const std::string& Name) { Layout.Syntax = Syntaxes.at(Name); },
            "tsv (default), csv (RFC 4180) or jsonl (one JSON object per row, UTF-8)")
        ->transform(kr6::OneOf({"tsv", "csv", "jsonl"}))
        ->option_text("tsv|csv|jsonl");
    Command.add_flag("--header", Layout.Header, "Start tsv and csv with a line of column names");
    Command.add_flag("--names", Layout.Names, "Add the lens's or coating's name after each code");
}

int Main(int argc, char** argv) {
    kr6::IgnoreBrokenPipe();

    CLI::App App{"Evaluates the lens and coating combinations of KR6 price lists.",
                 std::string(Program)};
    App.set_version_flag("--version", std::string(Program) + " " + std::string(kr6::Kr6Version()),
                         "Show the version");
    App.require_subcommand(1);
    // On Windows the parser would take "/Preise/liste.zip" for an option "/Preise"; the
    // options are the same dashed ones on every system, so a slash starts a path there too.
    App.allow_windows_style_options(false);
    App.footer("Exit status: 0 success, 1 error, 2 usage error; diff: 3 when the rows differ, "
               "check: 3 when not deliverable, lint: 3 when the list has errors or warnings.");

    kr6::TEvaluateOptions Evaluate;
    CLI::App* EvaluateCommand =
        App.add_subcommand("evaluate", "Write the deliverable combinations as tab-separated rows.");
    AddArchive(*EvaluateCommand, Evaluate.Archive);
    AddOutput(*EvaluateCommand, Evaluate.OutputFile);
    EvaluateCommand->add_flag("--lf", Evaluate.Lf, "End rows with a line feed only");
    EvaluateCommand->add_flag("--utf8", Evaluate.Utf8, "Write UTF-8 instead of Windows-1252");
    AddQuiet(*EvaluateCommand, Evaluate.Quiet, "No progress line and no summary, only errors");
    std::string EngineName = "fast";
    EvaluateCommand
        ->add_option("--engine", EngineName,
                     "fast (default) or literal, the step-by-step reference")
        ->transform(kr6::OneOf({"fast", "literal"}))
        ->option_text("fast|literal");
    EvaluateCommand
        ->add_option("--threads", Evaluate.Evaluation.Threads,
                     "Threads of the fast engine (default: one per core for a large list)")
        ->check(kr6::NumberFrom(1, 1024))
        ->option_text("N");
    AddRowLayoutOptions(*EvaluateCommand, Evaluate.Layout);

    kr6::TDiffOptions Diff;
    CLI::App* DiffCommand = App.add_subcommand(
        "diff", "Compare two price lists: model changes, then rows only in NEW (+) or OLD (-). "
                "Exit status 0: same rows, 3: rows differ.");
    DiffCommand
        ->add_option("OLD", Diff.OldArchive, "Older KR6 archive (.zip); - for standard input")
        ->required();
    DiffCommand
        ->add_option("NEW", Diff.NewArchive, "Newer KR6 archive (.zip); - for standard input")
        ->required();
    AddOutput(*DiffCommand, Diff.OutputFile);
    DiffCommand->add_flag("--lf", Diff.Lf, "End lines with a line feed only");
    DiffCommand->add_flag("--utf8", Diff.Utf8, "Write UTF-8 instead of Windows-1252");
    AddQuiet(*DiffCommand, Diff.Quiet, "No progress line and no summary line, only errors");
    CLI::Option* RowsOnly =
        DiffCommand->add_flag("--rows-only", Diff.RowsOnly, "Leave out the model summary");
    DiffCommand->add_flag("--summary", Diff.SummaryOnly, "Write the model summary only")
        ->excludes(RowsOnly);
    DiffCommand
        ->add_option("--threads", Diff.Threads, "Threads of the evaluation (default: one per core)")
        ->check(kr6::NumberFrom(1, 1024))
        ->option_text("N");
    AddRowLayoutOptions(*DiffCommand, Diff.Layout);
    DiffCommand->parse_complete_callback([&Diff] {
        if (Diff.OldArchive == "-" && Diff.NewArchive == "-")
            throw CLI::ValidationError("only one of the two lists can come from standard input");
    });

    kr6::TInfoOptions Info;
    CLI::App* InfoCommand = App.add_subcommand("info", "Summarise the price list.");
    AddArchive(*InfoCommand, Info.Archive);
    InfoCommand->add_flag("--utf8", Info.Utf8, "Write UTF-8 instead of Windows-1252");
    AddQuiet(*InfoCommand, Info.Quiet, "No progress line, only errors");
    InfoCommand->add_flag("--json", Info.Json, "Write one JSON object (UTF-8)");

    kr6::TXmlOptions Xml;
    CLI::App* XmlCommand =
        App.add_subcommand("xml", "Write the whole loaded model in its element form.");
    AddArchive(*XmlCommand, Xml.Archive);
    AddOutput(*XmlCommand, Xml.OutputFile);
    AddQuiet(*XmlCommand, Xml.Quiet, "No progress line, only errors");

    kr6::TCheckOptions Check;
    CLI::App* CheckCommand = App.add_subcommand(
        "check", "Explain why a lens with these coatings is deliverable or not (exit status 3 "
                 "when not); without coatings, what the lens can be combined with.");
    AddArchive(*CheckCommand, Check.Archive);
    CheckCommand->add_option("LENS", Check.Lens, "Lens code")->required();
    CheckCommand->add_option("COATING", Check.Coatings, "Coating codes, in any order and case");
    CheckCommand->add_flag("--json", Check.Json, "Write one JSON object");

    kr6::TLintOptions Lint;
    CLI::App* LintCommand = App.add_subcommand(
        "lint", "List what the import leaves out or reads differently (exit status 3 when "
                "anything is an error or a warning).");
    AddArchive(*LintCommand, Lint.Archive);
    LintCommand->add_flag("--json", Lint.Json, "Write one JSON object per finding (JSON Lines)");
    AddQuiet(*LintCommand, Lint.Quiet, "No progress line and no summary line");

    std::string HelpTopic;
    CLI::App* HelpCommand = App.add_subcommand("help", "Show the help of kr6csv or of a command.");
    HelpCommand->add_option("COMMAND", HelpTopic, "The command to explain");

    kr6::UseProgramWords(App, Program, std::vector<std::string>(argv + 1, argv + argc));
    try {
        App.parse(argc, argv);
    } catch (const CLI::ParseError& Error) {
        // Help and version end with 0; everything else is a usage error.
        const int Status = App.exit(Error);
        return Status == 0 ? 0 : ExitUsage;
    }

    if (HelpCommand->parsed()) {
        if (HelpTopic.empty()) {
            std::fputs(App.get_formatter()
                           ->make_help(&App, std::string(Program), CLI::AppFormatMode::Normal)
                           .c_str(),
                       stdout);
            return 0;
        }
        const std::vector<const CLI::App*> Topics = std::as_const(App).get_subcommands(
            [&](const CLI::App* Command) { return Command->get_name() == HelpTopic; });
        if (Topics.empty()) {
            std::fputs(kr6::UsageFailure(Program, kr6::UnknownCommand(App, HelpTopic), "").c_str(),
                       stderr);
            return ExitUsage;
        }
        std::fputs(Topics.front()->help(std::string(Program)).c_str(), stdout);
        return 0;
    }
    Evaluate.Evaluation.Engine =
        EngineName == "literal" ? kr6::TEvaluationEngine::Literal : kr6::TEvaluationEngine::Fast;
    if (EvaluateCommand->parsed())
        return Run([&] { kr6::RunEvaluate(Evaluate); });
    if (DiffCommand->parsed())
        return RunWithStatus([&] { return kr6::RunDiff(Diff) ? ExitDiffer : 0; });
    if (CheckCommand->parsed())
        return RunWithStatus([&] { return kr6::RunCheck(Check); });
    if (LintCommand->parsed())
        return RunWithStatus([&] { return kr6::RunLint(Lint); });
    if (InfoCommand->parsed())
        return Run([&] { kr6::RunInfo(Info); });
    return Run([&] { kr6::RunXml(Xml); });
}

} // namespace

int main(int argc, char** argv) {
    // Setting up the options can fail too (out of memory); it ends like any other error.
    try {
        kr6::TUtf8Arguments Arguments(argc, argv);
        return Main(Arguments.Count(), Arguments.Values());
    } catch (const std::exception& Error) {
        ReportError(Error.what());
        return ExitError;
    }
}
