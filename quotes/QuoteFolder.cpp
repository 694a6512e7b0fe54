#include "quotes/QuoteFolder.h"

#include "platform/FileNames.h"
#include "platform/RegularFile.h"
#include "quotes/IndexFiles.h"
#include "quotes/MasterCheck.h"
#include "quotes/MasterFile.h"

#include <cstring>

namespace {

std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The records of the folder's MASTER, or false when it has none that can be used.
bool ReadMasterOf(const std::string& folder, const FolderVisitor& visitor,
                  std::vector<MasterRecord>& records) {
    const CFilePtr file = OpenFileNoCase(folder, "MASTER", "rb");
    if (!file) {
        const std::string name = ExistingNameNoCase(folder, "MASTER");
        if (!name.empty())
            visitor.note(FolderNoteKind::kLost, name + ": " + UnreadableReason(folder + name));
        return false;
    }
    MasterContents contents = ReadMasterContents(file.get());
    if (const std::string why = WhyNotAMaster(contents); !why.empty()) {
        visitor.note(FolderNoteKind::kLost, "MASTER: not a MASTER file: " + why);
        return false;
    }
    records = std::move(contents.records);
    return true;
}

FolderSecurity FromIndex(const IndexSecurity& security) {
    const std::string_view longName = WithoutTrailingBlanks(security.longName);
    return {security.source, security.symbol,
            longName.empty() ? WithoutTrailingBlanks(security.name) : longName};
}

} // namespace

bool ReadQuoteFolder(const std::string& folder, const FolderVisitor& visitor,
                     std::vector<std::string>& subdirectories) {
    std::vector<MasterRecord> master;
    const bool masterUsable = ReadMasterOf(folder, visitor, master);

    std::vector<EmasterEntry> emaster;
    const IndexFileState emasterState = ReadEmaster(folder, [&](const IndexSecurity& security) {
        if (masterUsable)
            emaster.push_back({security.source.fileNumber, std::string(security.symbol),
                               std::string(WithoutTrailingBlanks(security.longName))});
        else
            visitor.security(FromIndex(security));
    });
    bool agrees = false;
    if (emasterState == IndexFileState::kUnusable) {
        visitor.note(masterUsable ? FolderNoteKind::kIgnored : FolderNoteKind::kLost,
                     "EMASTER: cannot be used (not a regular file, or shorter than its header "
                     "count needs)");
    } else if (masterUsable && emasterState == IndexFileState::kRead) {
        agrees = EmasterAgrees(master, emaster);
        if (!agrees)
            visitor.note(FolderNoteKind::kIgnored,
                         "EMASTER does not agree with MASTER; its long names are not used");
    }

    for (std::size_t i = 0; i < master.size(); ++i) {
        const MasterRecord& record = master[i];
        if (IsDirectoryEntry(record.bytes)) {
            std::string name = MasterSubdirectoryName(record.bytes);
            if (!name.empty())
                subdirectories.push_back(std::move(name));
            continue;
        }
        char name[kMasterNameSize + 1];
        char symbol[kMasterSymbolSize + 1];
        TakeMasterName(record.bytes, name);
        TakeListedSymbol(record.bytes, symbol);
        std::string_view shown = WithoutTrailingBlanks(name);
        if (agrees && !emaster[i].longName.empty())
            shown = emaster[i].longName;
        // A damaged entry goes by its name, as `list` shows it: without the name's blanks.
        visitor.security({MasterPriceSource(record), WithoutTrailingBlanks(symbol), shown});
    }

    const IndexFileState xmasterState = ReadXmaster(
        folder, [&](const IndexSecurity& security) { visitor.security(FromIndex(security)); });
    if (xmasterState == IndexFileState::kUnusable)
        visitor.note(FolderNoteKind::kLost,
                     "XMASTER: cannot be used (not a regular file, or shorter than its header "
                     "count needs)");
    return masterUsable || emasterState == IndexFileState::kRead ||
           xmasterState == IndexFileState::kRead;
}
