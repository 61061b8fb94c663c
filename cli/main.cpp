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

// Runs a command under the error policy: a vanished reader is a normal end, every other
// failure one line on standard error.
int Run(const std::function<void()>& Command) {
    try {
        Command();
        return 0;
    } catch (const kr6::EOutputClosed&) {
        return 0;
    } catch (const std::exception& Error) {
        std::fprintf(stderr, "kr6csv: %s\n", Error.what());
        return ExitError;
    }
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

    kr6::TInfoOptions Info;
    CLI::App* InfoCommand = App.add_subcommand("info", "Summarise the price list.");
    InfoCommand->add_option("ARCHIVE", Info.Archive, "KR6 archive (.zip)")->required();
    InfoCommand->add_flag("--utf8", Info.Utf8, "Write UTF-8 instead of Windows-1252");

    kr6::TXmlOptions Xml;
    CLI::App* XmlCommand =
        App.add_subcommand("xml", "Write the whole loaded model in its element form.");
    XmlCommand->add_option("ARCHIVE", Xml.Archive, "KR6 archive (.zip)")->required();
    XmlCommand
        ->add_option("-o,--output", Xml.OutputFile, "Write to FILE instead of standard output")
        ->type_name("FILE");

    kr6::TCheckOptions Check;
    CLI::App* CheckCommand = App.add_subcommand(
        "check", "Explain why a lens with these coatings is deliverable or not (exit status 3 "
                 "when not); without coatings, what the lens can be combined with.");
    CheckCommand->add_option("ARCHIVE", Check.Archive, "KR6 archive (.zip)")->required();
    CheckCommand->add_option("LENS", Check.Lens, "Lens code")->required();
    CheckCommand->add_option("COATING", Check.Coatings, "Coating codes, in any order and case");
    CheckCommand->add_flag("--json", Check.Json, "Write one JSON object");

    try {
        App.parse(argc, argv);
    } catch (const CLI::ParseError& Error) {
        // Help and version end with 0; everything else is a usage error.
        const int Status = App.exit(Error);
        return Status == 0 ? 0 : ExitUsage;
    }

    if (EvaluateCommand->parsed())
        return Run([&] { kr6::RunEvaluate(Evaluate); });
    if (CheckCommand->parsed()) {
        int Status = 0;
        const int Failure = Run([&] { Status = kr6::RunCheck(Check); });
        return Failure != 0 ? Failure : Status;
    }
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
