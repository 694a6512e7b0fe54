// Reading the symbol directory: the MASTER entries as they have always been listed, their long
// names from an EMASTER that agrees with MASTER, then the securities of XMASTER. A folder without
// a usable MASTER is listed from EMASTER and XMASTER alone.

#include "chart/Bars.h"
#include "platform/FileNames.h"
#include "platform/MessageService.h"
#include "platform/RegularFile.h"
#include "platform/TextEncoding.h"
#include "quotes/IndexFiles.h"
#include "quotes/MasterCheck.h"
#include "quotes/MasterFile.h"

#include <string>
#include <utility>

namespace {

constexpr char kOthersShown[] = " Only the securities that EMASTER and XMASTER list are shown.";

// An EMASTER or XMASTER security: its symbol as stored (the start of its name when it has none,
// as for a MASTER entry), its names decoded.
void AddIndexSecurity(CSymbolTable& table, const IndexSecurity& security) {
    std::string_view symbol = security.symbol;
    if (symbol.empty())
        symbol = security.name.substr(0, kMasterNameSize);
    table.Add(symbol, Windows1252ToUtf8(security.name), Windows1252ToUtf8(security.longName),
              &security.source);
}

} // namespace

CBars::MasterOutcome CBars::ReadMasterRecords(std::vector<MasterRecord>& records) {
    m_strMasterProblem.clear();
    MasterContents contents;
    {
        // Closed before a repair replaces the file.
        const CFilePtr file = OpenRegularFile(m_strMasterPath, "rb");
        if (!file)
            return MasterOutcome::kNotOpened;
        contents = ReadMasterContents(file.get());
    }
    // Nothing is listed, and above all nothing repaired, before the file is known to be a MASTER.
    m_strMasterProblem = WhyNotAMaster(contents);
    if (!m_strMasterProblem.empty())
        return MasterOutcome::kNotAMaster;
    bool damaged = false;
    for (const MasterRecord& record : contents.records) {
        char symbol[kMasterSymbolSize + 1];
        damaged = !TakeListedSymbol(record.bytes, symbol) || damaged;
    }
    if (damaged && !RepairMaster())
        return MasterOutcome::kFailed;
    records = std::move(contents.records);
    return MasterOutcome::kListed;
}

void CBars::ListMasterEntries(const std::vector<MasterRecord>& records,
                              const std::vector<EmasterEntry>* longNames,
                              CSymbolTable& table) const {
    const std::size_t listed = std::min<std::size_t>(records.size(), kMaxSymbols);
    for (std::size_t i = 0; i < listed; ++i) {
        char name[kMasterNameSize + 1];
        char symbol[kMasterSymbolSize + 1];
        TakeMasterName(records[i].bytes, name);
        TakeListedSymbol(records[i].bytes, symbol);
        table.Add(symbol, Windows1252ToUtf8(name),
                  longNames ? Windows1252ToUtf8((*longNames)[i].longName) : std::string(), nullptr);
    }
}

int CBars::ReadMaster() {
    if (!m_bMasterPathSet)
        return 1;
    std::vector<MasterRecord> master;
    const MasterOutcome outcome = ReadMasterRecords(master);
    const bool listed = outcome == MasterOutcome::kListed;
    std::string folder = m_strDataDirectory;
    AppendSeparator(folder);

    CSymbolTable table;
    std::vector<EmasterEntry> emaster;
    const IndexFileState emasterState = ReadEmaster(folder, [&](const IndexSecurity& security) {
        if (listed)
            emaster.push_back({security.source.fileNumber, std::string(security.symbol),
                               std::string(security.longName)});
        else
            AddIndexSecurity(table, security);
    });
    if (listed) {
        const bool agrees = emasterState == IndexFileState::kRead && EmasterAgrees(master, emaster);
        ListMasterEntries(master, agrees ? &emaster : nullptr, table);
    } else if (emasterState != IndexFileState::kRead) {
        table.Clear();
    }
    // A damaged XMASTER adds nothing and never costs the entries before it.
    const CSymbolTable::Mark beforeXmaster = table.GetMark();
    if (ReadXmaster(folder, [&](const IndexSecurity& security) {
            AddIndexSecurity(table, security);
        }) != IndexFileState::kRead)
        table.Rollback(beforeXmaster);

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
    const int records = static_cast<int>(master.size());
    if (records > kMaxSymbols)
        m_pMessages->Show("The master file\n" + m_strMasterPath + "\nlists " +
                              std::to_string(records) + " securities. Only the first " +
                              std::to_string(kMaxSymbols) + " are shown; " +
                              std::to_string(records - kMaxSymbols) + " are left out.",
                          MessageIcon::Information);
    return 0;
}
