#include "quotes/QuoteFolder.h"

#include "quotes/FolderIndex.h"
#include "quotes/MasterFile.h"

namespace {

constexpr char kCannotBeUsed[] =
    ": cannot be used (not a regular file, or shorter than its header count needs)";

std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The security as a reader of the whole folder names it: by its long name when it has one.
FolderSecurity SecurityOf(const FolderEntry& entry) {
    const std::string_view longName = WithoutTrailingBlanks(entry.longName);
    const std::string_view shortName = WithoutTrailingBlanks(entry.name);
    const std::string_view name = longName.empty() ? shortName : longName;
    // A damaged MASTER entry goes by its name, as `list` shows it: without the name's blanks.
    const std::string_view symbol =
        entry.file == IndexFileKind::kMaster ? WithoutTrailingBlanks(entry.symbol) : entry.symbol;
    return {entry.source, symbol, name, shortName, longName};
}

} // namespace

bool ReadQuoteFolder(const std::string& folder, const FolderVisitor& visitor,
                     std::vector<std::string>& subdirectories) {
    bool masterUsable = false;
    FolderIndexVisitor index;
    // A damaged MASTER is read as it is: its entries go by their names, and nothing is repaired.
    index.master = [&](const MasterFound& found) {
        if (found.state == MasterState::kUnreadable)
            visitor.note(FolderNoteKind::kLost, found.name + ": " + found.problem);
        else if (found.state == MasterState::kNotAMaster)
            visitor.note(FolderNoteKind::kLost, "MASTER: not a MASTER file: " + found.problem);
        masterUsable = found.state == MasterState::kRead;
        return true;
    };
    index.entry = [&](const FolderEntry& entry) {
        if (entry.record && IsDirectoryEntry(entry.record->bytes)) {
            std::string name = MasterSubdirectoryName(entry.record->bytes);
            if (!name.empty())
                subdirectories.push_back(std::move(name));
            return;
        }
        visitor.security(SecurityOf(entry));
    };
    index.indexFile = [&](const IndexFileRead& read) {
        if (read.file == IndexFileKind::kEmaster && read.state == IndexFileState::kUnusable)
            visitor.note(masterUsable ? FolderNoteKind::kIgnored : FolderNoteKind::kLost,
                         std::string("EMASTER") + kCannotBeUsed);
        else if (read.file == IndexFileKind::kEmaster && masterUsable &&
                 read.state == IndexFileState::kRead && !read.agrees)
            visitor.note(FolderNoteKind::kIgnored,
                         "EMASTER does not agree with MASTER; its long names are not used");
        else if (read.file == IndexFileKind::kXmaster && read.state == IndexFileState::kUnusable)
            visitor.note(FolderNoteKind::kLost, std::string("XMASTER") + kCannotBeUsed);
    };
    const FolderIndexResult result = ReadFolderIndex(folder, std::string(), index);
    return result.masterUsed || result.emaster == IndexFileState::kRead ||
           result.xmaster == IndexFileState::kRead;
}
