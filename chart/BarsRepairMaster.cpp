// Repair of a MASTER whose entries lost their symbols: each such entry gets its name as its
// symbol. Only those 16-byte symbol areas change; the master is replaced in one step, so a
// failure at any point leaves it as it was. The file is read again, whole, and checked once more
// before anything is written: what is rewritten is exactly what was found to be a MASTER.

#include "chart/Bars.h"
#include "platform/FileGuard.h"
#include "platform/MessageService.h"
#include "platform/RegularFile.h"
#include "platform/SafeFiles.h"
#include "quotes/MasterCheck.h"
#include "quotes/MasterFile.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kRepairQuestion[] =
    "The master file\n%s\nappears corrupted.\n\nShould Tickvane try to repair this file "
    "now?\n\n(Hint: There is a control for this in\nthe View > Options dialog.)";

// The header and as many records as a 16-bit count can name, and a trailing piece.
constexpr long long kLargestMaster = 32768LL * kMasterRecordSize + kMasterRecordSize - 1;

std::string Question(const std::string& path) {
    const std::string pattern = kRepairQuestion;
    const std::size_t at = pattern.find("%s");
    return pattern.substr(0, at) + path + pattern.substr(at + 2);
}

// Gives a damaged entry its name as its symbol, the way the directory lists it.
void RepairRecord(std::uint8_t* record) {
    char symbol[kMasterSymbolSize + 1];
    if (!TakeListedSymbol(record, symbol))
        std::memcpy(record + kMasterSymbolOffset, symbol, kMasterSymbolSize);
}

// The whole master, or nothing when it cannot be read whole or is no MASTER now.
std::vector<std::uint8_t> ReadCheckedMaster(const std::string& path) {
    long long size = 0;
    const CFilePtr in = OpenRegularFile(path, "rb", &size);
    if (!in || size < kMasterRecordSize || size > kLargestMaster)
        return {};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), in.get()) != bytes.size() ||
        !WhyNotAMaster(MasterContentsOf(bytes.data(), bytes.size())).empty())
        return {};
    return bytes;
}

} // namespace

int CBars::RepairMaster() {
    if (!m_bMasterFix && !m_pMessages->AskYesNo(Question(m_strMasterPath), DefaultAnswer::No))
        return 0;
    std::vector<std::uint8_t> bytes = ReadCheckedMaster(m_strMasterPath);
    if (bytes.empty())
        return 0;
    // Whole records after the header; a trailing piece shorter than a record is kept as it is.
    for (std::size_t at = kMasterRecordSize; at + kMasterRecordSize <= bytes.size();
         at += kMasterRecordSize)
        RepairRecord(bytes.data() + at);
    // Written as MASTER.bak, as the repair always has been; it replaces MASTER once it is whole.
    CWorkFile work(m_strMasterPath, m_strMasterPath + ".bak");
    if (work.IsOpen() && std::fwrite(bytes.data(), 1, bytes.size(), work.File()) == bytes.size() &&
        work.Commit(m_fnReplaceFile) == CWorkFile::Failure::kNone)
        return 1;
    return 0;
}
