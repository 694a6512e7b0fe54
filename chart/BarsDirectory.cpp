// The directory side of the chart object: the entries of the open MASTER and the current
// security's rows.

#include "chart/Bars.h"
#include "platform/FileGuard.h"
#include "platform/FileNames.h"
#include "platform/MessageService.h"
#include "quotes/MasterFile.h"
#include "quotes/PriceFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr char kMasterName[] = "MASTER";
constexpr int kMasterNameLength = 6;
constexpr int kMaxMasterPathLength = kPathTextSize - 2;

std::string Format(const char* pattern, const char* text) {
    char message[512];
    std::snprintf(message, sizeof message, pattern, text);
    return message;
}

} // namespace

void CBars::ResetDirectory() {
    FreeBuffers();
    for (int i = 0; i < kMaxSymbols; ++i) {
        std::strcpy(m_szSymbols[i], " ");
        std::strcpy(m_szNames[i], " ");
    }
    m_szMasterPath[0] = '\0';
    m_szDataDirectory[0] = '\0';
    m_nSymbolCount = 0;
    m_nCurrentIndex = 0;
    m_bMasterPathSet = 0;
    m_nMA1Length = 10;
    m_nMA2Length = 20;
}

int CBars::SetMasterPath(const char* path) {
    if (!path)
        return 0;
    const std::size_t length = std::strlen(path);
    if (length > kMaxMasterPathLength || length < kMasterNameLength)
        return 0;
    for (int i = 0; i < kMasterNameLength; ++i)
        if (AsciiUpper(path[length - kMasterNameLength + i]) != kMasterName[i])
            return 0;
    std::memcpy(m_szMasterPath, path, length + 1);
    std::memcpy(m_szDataDirectory, path, length + 1);
    std::size_t cut = length;
    while (cut > 0 && !IsPathSeparator(m_szDataDirectory[cut - 1]))
        --cut;
    // The data directory is the path before its last separator; the root keeps its separator.
    m_szDataDirectory[cut > 1 ? cut - 1 : cut] = '\0';
    m_bMasterPathSet = 1;
    return 1;
}

int CBars::ReadMaster() {
    if (!m_bMasterPathSet)
        return 1;
    bool failed = false;
    int count = 0;
    int records = 0;
    bool damaged = false;
    {
        // Closed before a repair replaces the file.
        const CFilePtr file{std::fopen(m_szMasterPath, "rb")};
        if (!file)
            return 1;
        std::uint8_t record[kMasterRecordSize];
        failed = std::fread(record, 1, kMasterRecordSize, file.get()) != kMasterRecordSize;
        count = failed ? 0 : MasterHeaderCount(record);
        for (; !failed && std::fread(record, 1, kMasterRecordSize, file.get()) == kMasterRecordSize;
             ++records) {
            char name[kSymbolTextSize];
            char symbol[kSymbolTextSize];
            TakeMasterName(record, name);
            damaged = !TakeListedSymbol(record, symbol) || damaged;
            if (records < kMaxSymbols) {
                std::strcpy(m_szNames[records], name);
                std::strcpy(m_szSymbols[records], symbol);
            }
        }
    }
    failed = failed || (damaged && !RepairMaster()) || records != count;
    if (failed) {
        m_messages.Show("File read failed", MessageIcon::Stop);
        m_nSymbolCount = 0;
        return 1;
    }
    m_nSymbolCount = std::min(records, kMaxSymbols);
    if (records > kMaxSymbols) {
        char message[512];
        std::snprintf(message, sizeof message,
                      "The master file\n%s\nlists %d securities. Only the first %d are shown; "
                      "%d are left out.",
                      m_szMasterPath, records, kMaxSymbols, records - kMaxSymbols);
        m_messages.Show(message, MessageIcon::Information);
    }
    return 0;
}

int CBars::ReadCurrentSymbol() {
    if (m_nSymbolCount <= 0)
        return 1;
    m_window.Reset();
    if (!m_bBuffersAllocated && AllocateBuffers(kChartRows) != 0)
        return 1;
    const char* symbol = m_szSymbols[m_nCurrentIndex];
    if (ReadSecurity(m_quotes, m_szDataDirectory, symbol, -1, kChartRows) != kStatusSuccess) {
        m_messages.Show(Format("Read failed for symbol %s", symbol), MessageIcon::Stop);
        FreeBuffers();
        return 1;
    }
    MovingAverage(m_quotes.close, m_ma1, m_nMA1Length, 0);
    MovingAverage(m_quotes.close, m_ma2, m_nMA2Length, 0);
    return 0;
}

int CBars::StepSymbol(int step) {
    if (m_nSymbolCount <= 0)
        return 1;
    const long long wanted = static_cast<long long>(m_nCurrentIndex) + step;
    const bool clamped = wanted < 0 || wanted >= m_nSymbolCount;
    m_nCurrentIndex = static_cast<int>(std::clamp<long long>(wanted, 0, m_nSymbolCount - 1));
    ReadCurrentSymbol();
    return clamped ? 1 : 0;
}

void CBars::SearchSetSymbolIndex(const char* symbol) {
    for (int i = 0; symbol && i < m_nSymbolCount; ++i) {
        if (std::strcmp(m_szSymbols[i], symbol) == 0) {
            m_nCurrentIndex = i;
            ReadCurrentSymbol();
            return;
        }
    }
    m_messages.Show("Failure in SearchSetSymbolIndex", MessageIcon::Stop);
}

bool CBars::HasNextSymbol() const {
    return m_nSymbolCount > 0 && m_nCurrentIndex < m_nSymbolCount - 1;
}

bool CBars::HasPreviousSymbol() const {
    return m_nSymbolCount > 0 && m_nCurrentIndex > 0;
}

const char* CBars::GetSymbol(int index) const {
    return (index < 0 || index >= m_nSymbolCount) ? nullptr : m_szSymbols[index];
}

const char* CBars::GetName(int index) const {
    return (index < 0 || index >= m_nSymbolCount) ? nullptr : m_szNames[index];
}

const char* CBars::GetMasterPath() const {
    return m_bMasterPathSet ? m_szMasterPath : nullptr;
}

const char* CBars::GetDataDirectory() const {
    return m_bMasterPathSet ? m_szDataDirectory : nullptr;
}

int CBars::AllocateBuffers(int rows) {
    FreeBuffers();
    const bool quotes = AllocQuoteBuffer(m_quotes, rows) == kStatusSuccess;
    const bool ma1 = AllocColumn(m_ma1, rows) == kStatusSuccess;
    const bool ma2 = AllocColumn(m_ma2, rows) == kStatusSuccess;
    if (quotes && ma1 && ma2) {
        m_bBuffersAllocated = 1;
        return 0;
    }
    if (quotes)
        FreeQuoteBuffer(m_quotes);
    FreeColumn(m_ma1);
    FreeColumn(m_ma2);
    return (quotes || ma1 || ma2) ? 1 : 100;
}

int CBars::FreeBuffers() {
    if (!m_bBuffersAllocated)
        return 0;
    const int status = FreeQuoteBuffer(m_quotes);
    FreeColumn(m_ma1);
    FreeColumn(m_ma2);
    m_bBuffersAllocated = 0;
    return status;
}
