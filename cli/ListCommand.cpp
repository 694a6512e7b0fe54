// tickvane-cli list: the entries of a quote folder in directory order, as the chart object lists
// them: index, symbol, name and, when there is one, the long name.

#include "chart/Bars.h"
#include "cli/CliCommands.h"
#include "cli/CliMessages.h"
#include "platform/MemorySettings.h"

#include <cstdio>
#include <string>

namespace {

std::string WithoutTrailingBlanks(const char* text) {
    std::string result(text);
    while (!result.empty() && result.back() == ' ')
        result.pop_back();
    return result;
}

} // namespace

int RunListCommand(const Arguments& arguments) {
    bool repair = false;
    std::vector<std::string> paths;
    for (const std::string& argument : arguments) {
        if (argument == "--repair")
            repair = true;
        else if (argument.size() > 2 && argument.compare(0, 2, "--") == 0)
            return UsageError("unknown option " + argument);
        else
            paths.push_back(argument);
    }
    if (paths.size() != 1)
        return UsageError("list needs a quote folder or its MASTER, EMASTER or XMASTER");

    CMemorySettings settings; // the user's own settings are not the command line's business
    CCliMessages messages;
    CBars bars(settings, messages);
    bars.m_bMasterFix = repair ? 1 : 0;
    if (!OpenMasterFile(bars, paths[0], messages))
        return 1;
    std::string listing;
    for (int i = 0; i < bars.GetSymbolCount(); ++i) {
        listing += std::to_string(i) + '\t' + WithoutTrailingBlanks(bars.GetSymbol(i)) + '\t' +
                   WithoutTrailingBlanks(bars.GetShortName(i));
        // Folders without long names list exactly as they always did, in three columns.
        if (const std::string longName = WithoutTrailingBlanks(bars.GetLongName(i));
            !longName.empty())
            listing += '\t' + longName;
        listing += '\n';
    }
    std::fwrite(listing.data(), 1, listing.size(), stdout);
    // A file named MASTER that is none fails the listing, though EMASTER or XMASTER gave entries.
    const bool whole = bars.GetMasterProblem().empty();
    return std::fflush(stdout) == 0 && whole ? 0 : 1;
}
