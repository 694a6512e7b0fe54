// tickvane-cli: reads MetaStock directories from the command line.

#include "cli/CliCommands.h"
#include "cli/CliUsage.h"

#include <charconv>
#include <cstdio>
#include <string_view>

int UsageError(const std::string& message) {
    std::fprintf(stderr, "tickvane-cli: %s\n%s", message.c_str(),
                 UsageSynopsis(CliUsage()).c_str());
    return 2;
}

bool ParseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end && !text.empty();
}

int main(int argc, char** argv) {
    if (argc < 2)
        return UsageError("no command given");
    const std::string_view command = argv[1];
    const Arguments arguments(argv + 2, argv + argc);
    if (command == "list")
        return RunListCommand(arguments);
    if (command == "quotes")
        return RunQuotesCommand(arguments);
    if (command == "render")
        return RunRenderCommand(arguments);
    if (command == "export")
        return RunExportCommand(arguments);
    if (command == "studies")
        return RunStudiesCommand(arguments);
    if (command == "summary")
        return RunSummaryCommand(arguments);
    if (command == "check")
        return RunCheckCommand(arguments);
    if (command == "--help" || command == "-h") {
        std::fputs(HelpText(CliUsage()).c_str(), stdout);
        return 0;
    }
    return UsageError("unknown command " + std::string(command));
}
