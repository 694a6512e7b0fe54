#include "cli/FolderWalk.h"

#include "chart/MasterPath.h"
#include "cli/CliCommands.h"
#include "platform/FileNames.h"
#include "quotes/MasterFile.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

void WalkFolder(const std::string& folder, int depth, const FolderWalkVisitor& visitor,
                std::vector<std::string>& visited) {
    std::string identity = DirectoryIdentity(folder);
    if (std::find(visited.begin(), visited.end(), identity) != visited.end())
        return;
    visited.push_back(std::move(identity));

    const std::string shown = folder.empty() ? std::string(".") : folder;
    const CFolderFiles files(folder);
    FolderVisitor reader;
    reader.security = [&](const FolderSecurity& security) { visitor.security(files, security); };
    reader.note = [&](FolderNoteKind kind, const std::string& text) {
        visitor.problem(shown + ": " + text, kind == FolderNoteKind::kLost);
    };
    std::vector<std::string> subdirectories;
    if (!ReadQuoteFolder(folder, reader, subdirectories))
        visitor.problem(shown + ": no usable MASTER, EMASTER or XMASTER", true);
    if (depth + 1 >= kMaxMasterLevels)
        return;
    for (const std::string& name : subdirectories) {
        std::string path = ResolveSubdirectory(folder, name);
        if (path.empty()) {
            visitor.problem(shown + ": the folder " + name + " that MASTER lists is missing", true);
            continue;
        }
        AppendSeparator(path);
        WalkFolder(path, depth + 1, visitor, visited);
    }
}

} // namespace

void WalkQuoteFolders(const std::string& folder, const FolderWalkVisitor& visitor) {
    std::vector<std::string> visited;
    WalkFolder(folder, 0, visitor, visited);
}

bool QuoteFolderOf(const std::string& input, std::string& folder) {
    const std::string master = MasterPathToOpen(input);
    const std::size_t cut = FileNameStart(master);
    if (!EqualsNoCase(std::string_view(master).substr(cut), "MASTER"))
        return false;
    folder = master.substr(0, cut);
    return true;
}

bool FolderOperand(const Arguments& arguments, const char* command, int notFolderCode,
                   std::string& folder, int& exitCode) {
    if (arguments.size() != 1 || (arguments[0].size() > 1 && arguments[0][0] == '-')) {
        exitCode = UsageError(std::string(command) +
                              " needs one quote folder (or its MASTER, EMASTER or XMASTER)");
        return false;
    }
    if (!QuoteFolderOf(arguments[0], folder)) {
        std::fprintf(stderr,
                     "tickvane-cli: %s is neither a quote folder nor its MASTER, EMASTER or "
                     "XMASTER\n",
                     arguments[0].c_str());
        exitCode = notFolderCode;
        return false;
    }
    return true;
}
