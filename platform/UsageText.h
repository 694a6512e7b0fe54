#pragma once
// How a program is called, kept in one table per program (cli/CliUsage.cpp, app/ProgramUsage.cpp)
// from which its --help, its manual page and its shell completion are all made, so that they
// cannot tell different stories. Texts are ASCII; paragraphs are separated by an empty line.

#include <span>
#include <string>

struct UsageOption {
    const char* name;  // "--style", "-o"
    const char* value; // nullptr for a flag; "a|b|c" for one of those words; else its placeholder,
                       // FILE or DIR for a path
    const char* text;
    bool repeated = false; // may be given more than once
};

struct UsageCommand {
    const char* name;     // "render"; nullptr for a program without commands
    const char* synopsis; // the arguments as the usage shows them; a line break between forms
    const char* summary;  // one line
    const char* text;     // paragraphs; may be empty
    std::span<const UsageOption> options;
};

struct UsageSection {
    const char* title; // "Exit status"
    const char* text;
};

struct ProgramUsage {
    const char* name;
    const char* summary; // the manual page's one line
    const char* description;
    std::span<const UsageCommand> commands;
    std::span<const UsageSection> sections; // after the commands
    const char* seeAlso;                    // "tickvane-cli(1)"
};

// "usage: NAME SYNOPSIS", one line per form, wrapped to 79 columns: the answer to bad usage.
std::string UsageSynopsis(const ProgramUsage& usage);
// All of it as plain text, for --help.
std::string HelpText(const ProgramUsage& usage);
// All of it as a manual page of section 1 (troff with the man macros).
std::string ManPage(const ProgramUsage& usage, const std::string& version, const std::string& date);
// The choices of an option's value ("bars|ohlc" gives "bars ohlc"), or empty when it has none.
std::string ValueChoices(const UsageOption& option);
