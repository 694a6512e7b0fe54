#include "cli/CliUsage.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

namespace {

// The option names that a synopsis shows: its words that start with a minus sign, out of their
// brackets ("[--symbol S | --index I]" gives --symbol and --index).
std::set<std::string> SynopsisOptions(const std::string& synopsis) {
    std::string words = synopsis;
    for (char& c : words)
        if (c == '[' || c == ']' || c == '|')
            c = ' ';
    std::set<std::string> options;
    std::istringstream in(words);
    for (std::string word; in >> word;)
        if (word.size() > 1 && word[0] == '-')
            options.insert(word);
    return options;
}

// The synopsis is written by hand beside the options: each names the same options.
TEST(UsageTextTest, EveryCommandsSynopsisShowsItsOptions) {
    for (const UsageCommand& command : CliUsage().commands) {
        std::set<std::string> documented;
        for (const UsageOption& option : command.options)
            documented.insert(option.name);
        EXPECT_EQ(SynopsisOptions(command.synopsis), documented) << command.name;
    }
}

TEST(UsageTextTest, UsageFitsATerminal) {
    std::istringstream help(HelpText(CliUsage()));
    for (std::string line; std::getline(help, line);)
        EXPECT_LE(line.size(), 79u) << line;
}

TEST(UsageTextTest, ManualPageEscapesWhatTroffWouldRead) {
    const UsageOption options[] = {{"--x", "A|B", ".starts with a dot, has a \\ and a - sign"}};
    const UsageCommand commands[] = {{"cmd", "[--x A|B]", "one line", "", options}};
    const ProgramUsage usage = {"prog", "summary", "'quoted start", commands, {}, "x(1)"};
    const std::string page = ManPage(usage, "1.0", "2026-01-01");
    EXPECT_NE(
        page.find(
            "\n\\fB\\-\\-x\\fR \\fIA|B\\fR\n\\&.starts with a dot, has a \\e and a \\- sign\n"),
        std::string::npos)
        << page;
    EXPECT_NE(page.find("\n\\&'quoted start\n"), std::string::npos) << page;
    EXPECT_EQ(ValueChoices(options[0]), "A B");
}

} // namespace
