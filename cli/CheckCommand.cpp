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
    std::string folder;
    if (int exitCode = 0; !FolderOperand(arguments, "check", 2, folder, exitCode))
        return exitCode;
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
