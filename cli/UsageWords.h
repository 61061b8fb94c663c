#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

// The command line's help and usage errors in the program's own words rather than CLI11's:
// its formatter names the parts of a command as kr6csv does, and its failure message says
// what is wrong with the arguments, one line, then where to look. Set up once every command
// and option is added; Program is the name in the messages, Arguments those of the run.
void UseProgramWords(CLI::App& App, std::string_view Program, std::vector<std::string> Arguments);

// The usage error for Fault: "PROGRAM: FAULT" and a line naming the help to read (that of
// Command, or of the program when it is empty).
std::string UsageFailure(std::string_view Program, std::string_view Fault,
                         std::string_view Command);

// "unknown command 'WORD'", with the nearest command of App when one is close.
std::string UnknownCommand(const CLI::App& App, std::string_view Word);

// Checks of an option's value that say in the program's words what was wrong with it.
// A whole number from First to Last:
CLI::Validator NumberFrom(unsigned First, unsigned Last);
// One of Names, letter case ignored; the value becomes the name as listed.
CLI::Validator OneOf(std::vector<std::string> Names);

} // namespace kr6
