#include "app/CommandLine.h"

#include "app/ProgramUsage.h"

#include <algorithm>

namespace {

CCommandLine Error(const std::string& text) {
    return CCommandLine{StartAction::Error, {}, text};
}

} // namespace

CCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
    for (auto it = arguments.begin(); it != optionsEnd; ++it) {
        if (*it == "--help" || *it == "-h")
            return CCommandLine{StartAction::Help, {}, {}};
        if (*it == "--version")
            return CCommandLine{StartAction::Version, {}, {}};
    }
    CCommandLine line;
    bool print = false;
    bool haveFile = false;
    bool options = true;
    for (const std::string& argument : arguments) {
        if (options && argument == "--") {
            options = false;
            continue;
        }
        if (options && argument == "-p") {
            print = true;
            continue;
        }
        if (options && argument.size() > 1 && argument[0] == '-')
            return Error("unknown option " + argument);
        if (haveFile)
            return Error("more than one file named");
        line.file = argument;
        haveFile = true;
    }
    if (print && !haveFile)
        return Error("-p needs the file to print");
    line.action = print ? StartAction::Print : haveFile ? StartAction::Open : StartAction::Run;
    return line;
}

std::string UsageText() {
    return HelpText(TickvaneUsage());
}

std::string UsageSynopsisText() {
    return UsageSynopsis(TickvaneUsage());
}
