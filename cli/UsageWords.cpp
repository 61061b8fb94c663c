#include "cli/UsageWords.h"

#include "cli/NearestWords.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <utility>

namespace kr6 {
namespace {

// What an option's value is called: its own text, else its type's name where it takes a
// value; nothing for an argument, whose name says it.
std::string ValueText(const CLI::Option& Option) {
    if (!Option.get_option_text().empty() || Option.get_positional() || Option.get_type_size() == 0)
        return Option.get_option_text();
    return Option.get_type_name();
}

// Option names and values as they are shown: the option's value only where it has one
// (option_text), no types, and no "REQUIRED" on the arguments that every command needs.
class TProgramFormatter : public CLI::Formatter {
public:
    TProgramFormatter() {
        label("Usage", "Usage");
        label("OPTIONS", "OPTIONS");
        label("SUBCOMMAND", "COMMAND");
        label("Positionals", "Arguments");
    }
    std::string make_option_opts(const CLI::Option* Option) const override {
        std::string Text = ValueText(*Option);
        if (!Text.empty())
            Text.insert(0, " ");
        // An argument that may be given many times.
        if (Option->get_positional() && Option->get_expected_max() > 1)
            Text += " ...";
        if (const std::string& Default = Option->get_default_str(); !Default.empty())
            Text += " (default " + Default + ")";
        return Text;
    }
};

std::vector<std::string> CommandNames(const CLI::App& App) {
    std::vector<std::string> Names;
    for (const CLI::App* Command : App.get_subcommands([](const CLI::App*) { return true; }))
        Names.push_back(Command->get_name());
    return Names;
}

// The command being parsed when the error came, or the program itself.
const CLI::App& FailedCommand(const CLI::App& App) {
    const std::vector<const CLI::App*> Parsed =
        App.get_subcommands([](const CLI::App* Command) { return Command->parsed(); });
    return Parsed.empty() ? App : *Parsed.back();
}

std::string Joined(const std::vector<std::string>& Words, std::string_view Separator) {
    std::string Text;
    for (const std::string& Word : Words)
        Text += (Text.empty() ? "" : std::string(Separator)) + Word;
    return Text;
}

// A value option given as the last argument, with nothing after it.
const CLI::Option* OptionWithoutValue(const CLI::App& Command,
                                      const std::vector<std::string>& Arguments) {
    for (const CLI::Option* Option : Command.get_options()) {
        if (Option->get_positional() || Option->get_type_size_min() == 0 || Option->count() != 0)
            continue;
        if (std::any_of(Arguments.begin(), Arguments.end(),
                        [&](const std::string& Argument) { return Option->check_name(Argument); }))
            return Option;
    }
    return nullptr;
}

std::string Fault(const CLI::App& App, const CLI::Error& Error,
                  const std::vector<std::string>& Arguments) {
    const CLI::App& Command = FailedCommand(App);
    // A program of commands that did not get as far as one.
    const bool NoCommand = &Command == &App && !CommandNames(App).empty();
    const std::vector<std::string> Extra = Command.remaining();
    if (dynamic_cast<const CLI::ExtrasError*>(&Error) != nullptr || (NoCommand && !Extra.empty())) {
        const std::string& First = Extra.empty() ? std::string() : Extra.front();
        if (First.starts_with("-"))
            return "unknown option '" + First + "'";
        if (NoCommand)
            return UnknownCommand(App, First);
        return "unexpected argument '" + First + "'";
    }
    if (dynamic_cast<const CLI::RequiredError*>(&Error) != nullptr) {
        if (NoCommand)
            return "no command given";
        for (const CLI::Option* Option : Command.get_options())
            if (Option->get_required() && Option->count() == 0)
                return "no " + Option->get_name() + " given";
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&Error) != nullptr) {
        if (const CLI::Option* Option = OptionWithoutValue(Command, Arguments))
            return Option->get_name() + " needs a value (" + ValueText(*Option) + ")";
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&Error) != nullptr) {
        for (const CLI::Option* Option : Command.get_options())
            for (const CLI::Option* Excluded : Option->get_excludes())
                if (Option->count() != 0 && Excluded->count() != 0)
                    return Excluded->get_name() + " and " + Option->get_name() +
                           " cannot be given together";
    }
    // The checks of the values (NumberFrom, OneOf) and of the commands speak for themselves.
    return Error.what();
}

} // namespace

std::string UsageFailure(std::string_view Program, std::string_view Fault,
                         std::string_view Command) {
    const std::string Help =
        std::string(Program) + (Command.empty() ? "" : " ") + std::string(Command) + " --help";
    return std::string(Program) + ": " + std::string(Fault) + "\nTry '" + Help + "'\n";
}

std::string UnknownCommand(const CLI::App& App, std::string_view Word) {
    std::string Text = "unknown command '" + std::string(Word) + "'";
    if (const std::vector<std::string> Nearest = NearestWords(Word, CommandNames(App));
        !Nearest.empty())
        Text += "; did you mean '" + Nearest.front() + "'?";
    return Text;
}

void UseProgramWords(CLI::App& App, std::string_view Program, std::vector<std::string> Arguments) {
    const auto Formatter = std::make_shared<TProgramFormatter>();
    App.formatter(Formatter);
    App.set_help_flag("-h,--help", "Show this help");
    for (CLI::App* Command : App.get_subcommands([](const CLI::App*) { return true; })) {
        Command->formatter(Formatter);
        Command->group("Commands");
        Command->set_help_flag("-h,--help", "Show this help");
    }
    App.failure_message([Program = std::string(Program), Arguments = std::move(Arguments)](
                            const CLI::App* Failed, const CLI::Error& Error) {
        const CLI::App& Command = FailedCommand(*Failed);
        const std::string Name = &Command == Failed ? std::string() : Command.get_name();
        return UsageFailure(Program, Fault(*Failed, Error, Arguments), Name);
    });
}

CLI::Validator NumberFrom(unsigned First, unsigned Last) {
    const std::string Range = std::to_string(First) + " to " + std::to_string(Last);
    return CLI::Validator(
        [First, Last, Range](std::string& Value) -> std::string {
            const bool Digits = !Value.empty() && Value.size() <= 9 &&
                                std::all_of(Value.begin(), Value.end(),
                                            [](char C) { return C >= '0' && C <= '9'; });
            const unsigned long Number = Digits ? std::stoul(Value) : 0;
            if (Digits && Number >= First && Number <= Last)
                return {};
            return "'" + Value + "' is not a number from " + Range;
        },
        "N");
}

CLI::Validator OneOf(std::vector<std::string> Names) {
    std::string Choices = Joined(Names, "|");
    return CLI::Validator(
        [Names = std::move(Names)](std::string& Value) -> std::string {
            for (const std::string& Name : Names)
                if (SameText(Name, Value)) {
                    Value = Name;
                    return {};
                }
            return "'" + Value + "' is not one of " + Joined(Names, ", ");
        },
        std::move(Choices));
}

} // namespace kr6
