#include "quotes/FolderIndex.h"

#include "platform/FileNames.h"
#include "platform/RegularFile.h"
#include "quotes/MasterCheck.h"
#include "quotes/Mbf.h"

#include <cerrno>
#include <utility>
#include <vector>

namespace {

// MASTER's records once it is known to be one; the file is closed before the caller is asked,
// since a repair replaces it.
MasterFound ReadMaster(const std::string& folder, const std::string& masterPath,
                       std::vector<MasterRecord>& records) {
    MasterFound found;
    MasterContents contents;
    {
        const CFilePtr file = masterPath.empty() ? OpenFileNoCase(folder, "MASTER", "rb")
                                                 : OpenRegularFile(masterPath, "rb");
        if (!file) {
            // The name under which it exists: found in any case, or the path given.
            if (!masterPath.empty())
                found.name = errno == ENOENT ? std::string() : masterPath;
            else
                found.name = ExistingNameNoCase(folder, "MASTER");
            if (!found.name.empty()) {
                found.state = MasterState::kUnreadable;
                found.problem =
                    UnreadableReason(masterPath.empty() ? folder + found.name : masterPath);
            }
            return found;
        }
        contents = ReadMasterContents(file.get());
    }
    found.problem = WhyNotAMaster(contents);
    if (!found.problem.empty()) {
        found.state = MasterState::kNotAMaster;
        return found;
    }
    found.state = MasterState::kRead;
    found.entries = contents.records.size();
    for (const MasterRecord& record : contents.records) {
        char symbol[kMasterSymbolSize + 1];
        found.damaged = !TakeListedSymbol(record.bytes, symbol) || found.damaged;
    }
    records = std::move(contents.records);
    return found;
}

FolderEntry EntryOf(IndexFileKind file, const IndexSecurity& security) {
    return {file,    security.source,    security.symbol,  security.name, security.longName,
            nullptr, security.firstDate, security.lastDate};
}

} // namespace

FolderIndexResult ReadFolderIndex(const std::string& folder, const std::string& masterPath,
                                  const FolderIndexVisitor& visitor) {
    FolderIndexResult result;
    std::vector<MasterRecord> master;
    const MasterFound found = ReadMaster(folder, masterPath, master);
    result.masterUsed = visitor.master(found) && found.state == MasterState::kRead;

    std::vector<EmasterEntry> emaster;
    result.emaster = ReadEmaster(folder, [&](const IndexSecurity& security) {
        if (result.masterUsed)
            emaster.push_back({security.source.fileNumber, std::string(security.symbol),
                               std::string(security.longName)});
        else
            visitor.entry(EntryOf(IndexFileKind::kEmaster, security));
    });
    const bool agrees = result.masterUsed && result.emaster == IndexFileState::kRead &&
                        EmasterAgrees(master, emaster);
    visitor.indexFile({IndexFileKind::kEmaster, result.emaster, agrees});

    if (result.masterUsed) {
        for (std::size_t i = 0; i < master.size(); ++i) {
            const MasterRecord& record = master[i];
            char name[kMasterNameSize + 1];
            char symbol[kMasterSymbolSize + 1];
            TakeMasterName(record.bytes, name);
            TakeListedSymbol(record.bytes, symbol);
            visitor.entry({IndexFileKind::kMaster, MasterPriceSource(record), symbol, name,
                           agrees ? std::string_view(emaster[i].longName) : std::string_view(),
                           &record, MbfToFloat(record.bytes + kMasterFirstDateOffset),
                           MbfToFloat(record.bytes + kMasterLastDateOffset)});
        }
    }

    result.xmaster = ReadXmaster(folder, [&](const IndexSecurity& security) {
        visitor.entry(EntryOf(IndexFileKind::kXmaster, security));
    });
    visitor.indexFile({IndexFileKind::kXmaster, result.xmaster, false});
    return result;
}
