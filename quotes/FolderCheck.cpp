#include "quotes/FolderCheck.h"

#include "platform/FileNames.h"
#include "platform/FolderFiles.h"
#include "platform/RegularFile.h"
#include "quotes/FolderIndex.h"
#include "quotes/PriceFile.h"
#include "quotes/RecordCheck.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// A price entry of the folder, kept until the index files are read.
struct CheckedEntry {
    IndexFileKind file;
    PriceSource source;
    std::string symbol;
    float firstDate;
    float lastDate;
};

// The (file number, symbol) of each position of MASTER or EMASTER, for saying where they differ.
struct Position {
    int fileNumber;
    std::string symbol;
};

const char* IndexName(IndexFileKind file) {
    switch (file) {
    case IndexFileKind::kMaster:
        return "MASTER";
    case IndexFileKind::kEmaster:
        return "EMASTER";
    case IndexFileKind::kXmaster:
        break;
    }
    return "XMASTER";
}

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

class CFolderChecker {
public:
    CFolderChecker(const std::string& folder, const FindingSink& report)
        : m_strFolder(folder), m_report(report), m_files(folder) {}

    std::size_t Run();

private:
    void Report(FindingLevel level, std::string where, const char* code, std::string message,
                std::string symbol = {}) {
        ++m_nFound;
        m_report({level, std::move(where), code, std::move(message), std::move(symbol)});
    }
    void ReadIndexFiles();
    void ReportEmasterDifference();
    void CheckSymbols(const CheckedEntry& entry);
    void CheckEntry(const CheckedEntry& entry);
    bool Columns(const CheckedEntry& entry, std::int16_t columns[kColumnCount]);
    void CheckRecords(const CheckedEntry& entry, const std::int16_t columns[kColumnCount],
                      const std::vector<std::uint8_t>& bytes, long long records);
    void CheckIndexDates(const CheckedEntry& entry, const CRecordCheck& records);
    void ReportUnlistedFiles();

    const std::string& m_strFolder;
    const FindingSink& m_report;
    const CFolderFiles m_files;
    std::size_t m_nFound = 0;
    std::vector<CheckedEntry> m_entries;
    std::vector<Position> m_master;
    std::vector<Position> m_emaster;
    std::unordered_set<int> m_listed;
    std::unordered_map<std::string, std::string> m_symbolUsers; // folded symbol -> first file
    bool m_bEmasterDisagrees = false;
};

void CFolderChecker::ReadIndexFiles() {
    bool masterUsed = false;
    FolderIndexVisitor visitor;
    visitor.master = [&](const MasterFound& found) {
        if (found.state == MasterState::kUnreadable)
            Report(FindingLevel::kError, found.name, "index-damaged",
                   "it cannot be read: " + found.problem);
        else if (found.state == MasterState::kNotAMaster)
            Report(FindingLevel::kError, "MASTER", "index-damaged",
                   "it is not a MASTER file: " + found.problem);
        else if (found.state == MasterState::kRead && found.damaged)
            Report(FindingLevel::kWarning, "MASTER", "index-damaged",
                   "entries have lost their symbols and are listed by their names");
        masterUsed = found.state == MasterState::kRead;
        return true;
    };
    visitor.entry = [&](const FolderEntry& entry) {
        if (entry.file == IndexFileKind::kMaster)
            m_master.push_back({entry.source.fileNumber, std::string(entry.symbol)});
        if (entry.record && IsDirectoryEntry(entry.record->bytes))
            return;
        m_listed.insert(entry.source.fileNumber);
        m_entries.push_back(
            {entry.file, entry.source, std::string(entry.symbol), entry.firstDate, entry.lastDate});
    };
    visitor.indexFile = [&](const IndexFileRead& read) {
        if (read.state == IndexFileState::kUnusable)
            Report(FindingLevel::kError, IndexName(read.file), "index-damaged",
                   "it is no regular file, or shorter than its header's count of entries needs, "
                   "so its securities are not read");
        else if (read.file == IndexFileKind::kEmaster && read.state == IndexFileState::kRead &&
                 masterUsed && !read.agrees)
            m_bEmasterDisagrees = true;
    };
    const FolderIndexResult result = ReadFolderIndex(m_strFolder, std::string(), visitor);
    if (!result.masterUsed && result.emaster == IndexFileState::kAbsent &&
        result.xmaster == IndexFileState::kAbsent && m_nFound == 0)
        Report(FindingLevel::kError, m_strFolder.empty() ? "." : m_strFolder, "index-damaged",
               "the folder has no MASTER, EMASTER or XMASTER");
    // The files that EMASTER lists count as listed even where MASTER is read in its place.
    ReadEmaster(m_strFolder, [&](const IndexSecurity& security) {
        m_listed.insert(security.source.fileNumber);
        m_emaster.push_back(
            {security.source.fileNumber, std::string(FirstSymbolWord(security.symbol))});
    });
    if (m_bEmasterDisagrees)
        ReportEmasterDifference();
}

void CFolderChecker::ReportEmasterDifference() {
    std::string message = "it lists " + std::to_string(m_emaster.size()) + " entries and MASTER " +
                          std::to_string(m_master.size());
    const std::size_t both = std::min(m_emaster.size(), m_master.size());
    for (std::size_t i = 0; i < both; ++i) {
        const Position& e = m_emaster[i];
        const Position& m = m_master[i];
        if (e.fileNumber != m.fileNumber || e.symbol != m.symbol) {
            message += "; entry " + std::to_string(i + 1) + " is F" + std::to_string(e.fileNumber) +
                       " " + e.symbol + " in EMASTER but F" + std::to_string(m.fileNumber) + " " +
                       m.symbol + " in MASTER";
            break;
        }
    }
    Report(FindingLevel::kWarning, "EMASTER", "emaster-disagrees",
           message + "; its long names are not used");
}

void CFolderChecker::CheckSymbols(const CheckedEntry& entry) {
    if (entry.symbol.empty())
        return;
    const std::string file = PriceDataFileName(entry.source);
    const auto [it, added] = m_symbolUsers.emplace(AsciiFolded(entry.symbol), file);
    if (!added)
        Report(FindingLevel::kWarning, entry.symbol, "symbol-duplicate",
               "the entries of " + it->second + " and " + file + " share the symbol", entry.symbol);
}

bool CFolderChecker::Columns(const CheckedEntry& entry, std::int16_t columns[kColumnCount]) {
    const PriceSource& source = entry.source;
    const std::string file = PriceDataFileName(source);
    const std::string dop = PriceFileName(source.fileNumber, "DOP");
    const int fields = std::min(source.fieldCount, source.recordLength / 4);
    std::int16_t first[kColumnCount], second[kColumnCount];
    if (source.fieldBits == 0 && m_files.MayHave(dop)) {
        const std::string name = ExistingNameNoCase(m_strFolder, dop);
        if (!name.empty() && !OpenFileNoCase(m_strFolder, name, "r")) {
            Report(FindingLevel::kError, name, "dop-damaged",
                   "it cannot be read: " + UnreadableReason(m_strFolder + name), entry.symbol);
            return false;
        }
        if (!name.empty()) {
            SourceColumns(m_strFolder, source, columns, first, second);
            if (columns[kColDate] == 0) {
                Report(FindingLevel::kError, name, "dop-damaged", "it names no DATE column",
                       entry.symbol);
                return false;
            }
            for (int c = 0; c < kColumnCount; ++c)
                if (columns[c] > fields) {
                    Report(FindingLevel::kError, name, "dop-damaged",
                           "it places a column in field " + std::to_string(columns[c]) +
                               " of records of " + std::to_string(fields) + " fields",
                           entry.symbol);
                    return false;
                }
            return true;
        }
    }
    if (SourceColumns(m_files, source, columns, first, second) == kStatusSuccess)
        return true;
    Report(FindingLevel::kError, file, "fields-undeterminable",
           source.fieldBits != 0
               ? "its field bits " + Hex(source.fieldBits) + " name no date"
               : "without " + dop + " its records of " + std::to_string(source.recordLength) +
                     " bytes tell nothing of their columns",
           entry.symbol);
    return false;
}

void CFolderChecker::CheckEntry(const CheckedEntry& entry) {
    CheckSymbols(entry);
    const PriceSource& source = entry.source;
    const std::string file = PriceDataFileName(source);
    const int length = source.recordLength;
    if (length < kMinRecordLength || length > kMaxRecordLength) {
        Report(FindingLevel::kError, file, "record-length",
               std::string(IndexName(entry.file)) + " gives it records of " +
                   std::to_string(length) + " bytes, which no price file has",
               entry.symbol);
        return;
    }
    std::int16_t columns[kColumnCount];
    if (!Columns(entry, columns))
        return;
    CReadOnlyFile data = ReadPriceData(m_files, source);
    if (!data) {
        const std::string name = ExistingNameNoCase(m_strFolder, file);
        if (name.empty())
            Report(FindingLevel::kError, file, "price-file-missing",
                   std::string(IndexName(entry.file)) + " lists it for " + entry.symbol +
                       ", but it is absent",
                   entry.symbol);
        else
            Report(FindingLevel::kError, name, "price-file-unreadable",
                   "it is " + UnreadableReason(m_strFolder + name), entry.symbol);
        return;
    }
    const long long size = data.Size();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max(size, 0LL)));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::size_t read = data.Read(bytes.data() + got, bytes.size() - got);
        if (read == 0)
            break;
        got += read;
    }
    bytes.resize(got);
    const auto fileRecords = static_cast<long long>(got) / length;
    if (fileRecords == 0) {
        Report(FindingLevel::kError, file, "record-length",
               "it holds " + std::to_string(got) + " bytes, less than its header record of " +
                   std::to_string(length),
               entry.symbol);
        return;
    }
    if (got % static_cast<std::size_t>(length) != 0)
        Report(FindingLevel::kError, file, "record-length",
               "its " + std::to_string(got) + " bytes are no whole number of records of " +
                   std::to_string(length) + " bytes, as " + IndexName(entry.file) + " gives them",
               entry.symbol);
    const int headerLast = bytes[2] | (bytes[3] << 8);
    const long long last = LastRecordNumber(headerLast, fileRecords);
    // A file of 65,536 records or more keeps only the low bits of its count.
    const bool wrapped = fileRecords > 0xFFFF && (fileRecords & 0xFFFF) == headerLast;
    const long long counted = headerLast == 0 ? 0 : headerLast - 1;
    const long long held = fileRecords - 1;
    if (!wrapped && counted != held)
        Report(counted > held ? FindingLevel::kError : FindingLevel::kWarning, file, "record-count",
               "its header counts " + std::to_string(counted) + " records, but it holds " +
                   std::to_string(held) +
                   (counted > held ? "; the missing ones cannot be read"
                                   : "; the ones past the count are not read"),
               entry.symbol);
    CheckRecords(entry, columns, bytes, last - 1);
}

void CFolderChecker::CheckRecords(const CheckedEntry& entry,
                                  const std::int16_t columns[kColumnCount],
                                  const std::vector<std::uint8_t>& bytes, long long records) {
    const auto length = static_cast<std::size_t>(entry.source.recordLength);
    const int fields = std::min(entry.source.fieldCount, entry.source.recordLength / 4);
    CRecordCheck check(entry.symbol, columns, fields, [this](const Finding& finding) {
        ++m_nFound;
        m_report(finding);
    });
    for (long long r = 0; r < records; ++r)
        check.Check(bytes.data() + length * static_cast<std::size_t>(r + 1));
    CheckIndexDates(entry, check);
}

void CFolderChecker::CheckIndexDates(const CheckedEntry& entry, const CRecordCheck& records) {
    if (records.Records() == 0 || !records.HasDates())
        return;
    // Placeholders such as 19000101 stand for no date at all.
    const long long indexFirst = CalendarDateKey(entry.firstDate);
    const long long indexLast = CalendarDateKey(entry.lastDate);
    const long long fileFirst = CalendarDateKey(records.FirstDate());
    const long long fileLast = CalendarDateKey(records.LastDate());
    const char* index = IndexName(entry.file);
    if (indexLast > 0 && fileLast > 0 && indexLast > fileLast)
        Report(FindingLevel::kWarning, entry.symbol + " " + StoredDateText(records.LastDate()),
               "last-date-stale",
               std::string(index) + " gives the last date as " + StoredDateText(entry.lastDate) +
                   ", later than the file's last record",
               entry.symbol);
    if (indexFirst > 0 && fileFirst > 0 && indexFirst != fileFirst)
        Report(FindingLevel::kWarning, entry.symbol + " " + StoredDateText(records.FirstDate()),
               "first-date-disagrees",
               std::string(index) + " gives the first date as " + StoredDateText(entry.firstDate) +
                   ", the file's first record is of another",
               entry.symbol);
}

void CFolderChecker::ReportUnlistedFiles() {
    std::vector<std::string> names = m_files.Names();
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::make_pair(a.size(), a) < std::make_pair(b.size(), b);
    });
    for (const std::string& name : names) {
        // F<n>.DAT or F<n>.MWD, any case.
        if (name.size() < 6 || AsciiUpper(name[0]) != 'F')
            continue;
        const std::string extension = AsciiFolded(name.substr(name.size() - 4));
        if (extension != ".dat" && extension != ".mwd")
            continue;
        const std::string digits = name.substr(1, name.size() - 5);
        if (digits.empty() || digits.size() > 5 || digits[0] == '0' ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        const int number = std::stoi(digits);
        if (number <= 65535 && !m_listed.count(number))
            Report(FindingLevel::kWarning, name, "price-file-unlisted",
                   "no index file of the folder lists F" + digits);
    }
}

std::size_t CFolderChecker::Run() {
    ReadIndexFiles();
    for (const CheckedEntry& entry : m_entries)
        CheckEntry(entry);
    ReportUnlistedFiles();
    return m_nFound;
}

} // namespace

std::size_t CheckFolder(const std::string& folder, const FindingSink& report) {
    return CFolderChecker(folder, report).Run();
}
