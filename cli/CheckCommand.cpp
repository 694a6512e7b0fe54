// tickvane-cli check: the health of a quote folder (quotes/FolderCheck.h), one finding a line,
// level TAB where TAB code TAB message. Exit code 0 when nothing was found, 1 when something was.

#include "cli/CliCommands.h"
#include "cli/FolderWalk.h"
#include "cli/OutputSink.h"
#include "platform/TextEncoding.h"
#include "quotes/FolderCheck.h"

#include <cstdio>
#include <string>

namespace {

// Tabs and line breaks inside a field would cut the line into wrong fields.
std::string Field(const std::string& text) {
    std::string field = Windows1252ToUtf8(text);
    for (char& c : field)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return field;
}

} // namespace

int RunCheckCommand(const Arguments& arguments) {
    if (arguments.size() != 1 || (arguments[0].size() > 1 && arguments[0][0] == '-'))
        return UsageError("check needs one quote folder (or its MASTER, EMASTER or XMASTER)");
    std::string folder;
    if (!QuoteFolderOf(arguments[0], folder)) {
        std::fprintf(stderr,
                     "tickvane-cli: %s is neither a quote folder nor its MASTER, EMASTER or "
                     "XMASTER\n",
                     arguments[0].c_str());
        return 2;
    }
    COutputSink out;
    out.UseStandardOutput();
    const std::size_t found = CheckFolder(folder, [&](const Finding& finding) {
        out.Append(std::string(FindingLevelName(finding.level)) + '\t' + Field(finding.where) +
                   '\t' + finding.code + '\t' + Field(finding.message) + '\n');
    });
    if (!out.Finish()) {
        std::fprintf(stderr, "tickvane-cli: %s\n", out.Problem().c_str());
        return 1;
    }
    return found == 0 ? 0 : 1;
}
