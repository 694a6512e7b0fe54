// Repair of a MASTER whose entries lost their symbols: each such entry gets its name as its
// symbol. Only those 16-byte symbol areas change; the master is replaced in one step, so a
// failure at any point leaves it as it was.

#include "chart/Bars.h"
#include "platform/FileGuard.h"
#include "platform/MessageService.h"
#include "platform/RegularFile.h"
#include "platform/SafeFiles.h"
#include "quotes/MasterFile.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr char kRepairQuestion[] =
    "The master file\n%s\nappears corrupted.\n\nShould Tickvane try to repair this file "
    "now?\n\n(Hint: There is a control for this in\nthe View > Options dialog.)";

// Gives a damaged entry its name as its symbol, the way the directory lists it.
void RepairRecord(std::uint8_t* record) {
    char symbol[kMasterSymbolSize + 1];
    if (!TakeListedSymbol(record, symbol))
        std::memcpy(record + kMasterSymbolOffset, symbol, kMasterSymbolSize);
}

// Copies the master into `out`, repaired; a trailing piece shorter than a record is kept as it is.
bool CopyRepaired(std::FILE* in, std::FILE* out) {
    std::uint8_t record[kMasterRecordSize];
    if (std::fread(record, 1, kMasterRecordSize, in) != kMasterRecordSize ||
        std::fwrite(record, 1, kMasterRecordSize, out) != kMasterRecordSize)
        return false;
    for (;;) {
        const std::size_t got = std::fread(record, 1, kMasterRecordSize, in);
        if (got == kMasterRecordSize)
            RepairRecord(record);
        if (got > 0 && std::fwrite(record, 1, got, out) != got)
            return false;
        if (got < kMasterRecordSize)
            return !std::ferror(in);
    }
}

} // namespace

int CBars::RepairMaster() {
    if (!m_bMasterFix) {
        char question[sizeof kRepairQuestion + kPathTextSize];
        std::snprintf(question, sizeof question, kRepairQuestion, m_szMasterPath);
        if (!m_pMessages->AskYesNo(question))
            return 0;
    }
    const std::string work = std::string(m_szMasterPath) + ".bak";
    bool done = false;
    bool wroteWork = false;
    {
        const CFilePtr in = OpenRegularFile(m_szMasterPath, "rb");
        CFilePtr out{in ? std::fopen(work.c_str(), "wb") : nullptr};
        wroteWork = out != nullptr;
        done = in && out && CopyRepaired(in.get(), out.get()) && FlushToDisk(out.get());
        // Closing the copy is its last write, so its result counts.
        done = (!out || std::fclose(out.release()) == 0) && done;
    }
    done = done && m_fnReplaceFile(work, m_szMasterPath);
    if (!done && wroteWork)
        std::remove(work.c_str());
    return done ? 1 : 0;
}
