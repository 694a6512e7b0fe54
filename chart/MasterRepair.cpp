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

// True when the work file holds all of `bytes` on the disk; `created` tells whether it was made.
bool WriteWorkFile(const std::string& work, const std::vector<std::uint8_t>& bytes, bool& created) {
    CFilePtr out{std::fopen(work.c_str(), "wb")};
    created = out != nullptr;
    if (!out)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size() &&
                         FlushToDisk(out.get());
    // Closing the copy is its last write, so its result counts.
    return std::fclose(out.release()) == 0 && written;
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
    const std::string work = m_strMasterPath + ".bak";
    bool created = false;
    if (WriteWorkFile(work, bytes, created) && m_fnReplaceFile(work, m_strMasterPath))
        return 1;
    if (created)
        std::remove(work.c_str());
    return 0;
}
