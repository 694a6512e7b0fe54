// Reading the symbol directory: the MASTER entries as they have always been listed, their long
// names from an EMASTER that agrees with MASTER, then the securities of XMASTER. A folder without
// a usable MASTER is listed from EMASTER and XMASTER alone.

#include "chart/Bars.h"
#include "platform/FileNames.h"
#include "platform/MessageService.h"
#include "platform/TextEncoding.h"
#include "quotes/FolderIndex.h"
#include "quotes/MasterCheck.h"

#include <optional>
#include <string>
#include <utility>

namespace {

constexpr char kOthersShown[] = " Only the securities that EMASTER and XMASTER list are shown.";

enum class MasterOutcome { kListed, kNotOpened, kNotAMaster, kFailed };

// An EMASTER or XMASTER security: its symbol as stored (the start of its name when it has none,
// as for a MASTER entry), its names decoded.
void AddIndexSecurity(CSymbolTable& table, const FolderEntry& entry) {
    std::string_view symbol = entry.symbol;
    if (symbol.empty())
        symbol = entry.name.substr(0, kMasterNameSize);
    table.Add(symbol, Windows1252ToUtf8(entry.name), Windows1252ToUtf8(entry.longName),
              &entry.source);
}

} // namespace

int CBars::ReadMaster() {
    if (!m_bMasterPathSet)
        return 1;
    m_strMasterProblem.clear();
    ++m_nDirectoryReads;
    std::string folder = m_strDataDirectory;
    AppendSeparator(folder);

    MasterOutcome outcome = MasterOutcome::kNotOpened;
    std::size_t records = 0;
    std::size_t masterListed = 0;
    CSymbolTable table;
    std::optional<CSymbolTable::Mark> beforeXmaster;
    FolderIndexVisitor visitor;
    // Nothing is listed, and above all nothing repaired, before the file is known to be a MASTER.
    visitor.master = [&](const MasterFound& found) {
        if (found.state == MasterState::kNotAMaster) {
            m_strMasterProblem = found.problem;
            outcome = MasterOutcome::kNotAMaster;
        }
        if (found.state != MasterState::kRead)
            return false;
        if (found.damaged && !RepairMaster()) {
            outcome = MasterOutcome::kFailed;
            return false;
        }
        outcome = MasterOutcome::kListed;
        records = found.entries;
        return true;
    };
    visitor.entry = [&](const FolderEntry& entry) {
        if (entry.file == IndexFileKind::kMaster) {
            if (masterListed++ < static_cast<std::size_t>(kMaxSymbols))
                table.Add(entry.symbol, Windows1252ToUtf8(entry.name),
                          Windows1252ToUtf8(entry.longName), nullptr);
            return;
        }
        if (entry.file == IndexFileKind::kXmaster && !beforeXmaster)
            beforeXmaster = table.GetMark();
        AddIndexSecurity(table, entry);
    };
    visitor.indexFile = [&](const IndexFileRead& read) {
        // EMASTER stands for MASTER only when it is read whole; a damaged XMASTER adds nothing and
        // never costs the entries before it.
        if (read.file == IndexFileKind::kEmaster && outcome != MasterOutcome::kListed &&
            read.state != IndexFileState::kRead)
            table.Clear();
        else if (read.file == IndexFileKind::kXmaster && read.state != IndexFileState::kRead &&
                 beforeXmaster)
            table.Rollback(*beforeXmaster);
    };
    ReadFolderIndex(folder, m_strMasterPath, visitor);
    const bool listed = outcome == MasterOutcome::kListed;

    const std::string refusal = outcome == MasterOutcome::kNotAMaster
                                    ? NotAMasterMessage(m_strMasterPath, m_strMasterProblem)
                                    : std::string();
    if (!listed && table.Count() == 0) {
        if (outcome == MasterOutcome::kFailed || outcome == MasterOutcome::kNotAMaster) {
            m_pMessages->Show(refusal.empty() ? "File read failed" : refusal, MessageIcon::Stop);
            m_table.Clear();
            m_nSymbolCount = 0;
        }
        return 1;
    }
    if (outcome == MasterOutcome::kFailed)
        m_pMessages->Show("The master file\n" + m_strMasterPath + "\ncannot be read." +
                              kOthersShown,
                          MessageIcon::Information);
    else if (!refusal.empty())
        m_pMessages->Show(refusal + kOthersShown, MessageIcon::Information);
    m_table = std::move(table);
    m_nSymbolCount = m_table.Count();
    const int count = static_cast<int>(records);
    if (count > kMaxSymbols)
        m_pMessages->Show("The master file\n" + m_strMasterPath + "\nlists " +
                              std::to_string(count) + " securities. Only the first " +
                              std::to_string(kMaxSymbols) + " are shown; " +
                              std::to_string(count - kMaxSymbols) + " are left out.",
                          MessageIcon::Information);
    return 0;
}
