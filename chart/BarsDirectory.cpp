// The directory side of the chart object: the path of the open MASTER, stepping through its
// entries and the current security's rows. BarsReadMaster.cpp reads the entries.

#include "chart/Bars.h"
#include "chart/MasterPath.h"
#include "chart/ViewOptions.h"
#include "platform/FileNames.h"
#include "platform/MessageService.h"
#include "quotes/MovingAverage.h"
#include "quotes/PriceFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr char kMasterName[] = "MASTER";
constexpr int kMasterNameLength = 6;

} // namespace

void CBars::ResetDirectory() {
    FreeBuffers();
    m_table.Clear();
    ++m_nDirectoryReads;
    m_strMasterPath.clear();
    m_strDataDirectory.clear();
    m_strMasterProblem.clear();
    m_nSymbolCount = 0;
    m_nCurrentIndex = 0;
    m_bMasterPathSet = 0;
    m_nMA1Length = kDefaultMA1Length;
    m_nMA2Length = kDefaultMA2Length;
}

int CBars::SetMasterPath(const char* path) {
    if (!path)
        return 0;
    const std::size_t length = std::strlen(path);
    if (length < kMasterNameLength)
        return 0;
    for (int i = 0; i < kMasterNameLength; ++i)
        if (AsciiUpper(path[length - kMasterNameLength + i]) != kMasterName[i])
            return 0;
    // EMASTER and XMASTER stand for their folder, which is read through its MASTER.
    std::string master = path;
    if (length > kMasterNameLength) {
        const std::size_t nameStart = length - kMasterNameLength - 1;
        const char first = AsciiUpper(path[nameStart]);
        if ((first == 'E' || first == 'X') &&
            (nameStart == 0 || IsPathSeparator(path[nameStart - 1])))
            master = MasterPathToOpen(master);
    }
    const std::size_t cut = FileNameStart(master);
    // The data directory is the path before its last separator; the root keeps its separator.
    m_strDataDirectory = master.substr(0, cut > 1 ? cut - 1 : cut);
    m_strMasterPath = std::move(master);
    m_bMasterPathSet = 1;
    return 1;
}

int CBars::ReadCurrentSymbol() {
    if (m_nSymbolCount <= 0)
        return 1;
    m_window.Reset();
    if (!m_bBuffersAllocated && AllocateBuffers(kChartRows) != 0)
        return 1;
    const char* symbol = m_table.Symbol(m_nCurrentIndex);
    if (ReadCurrentRows(m_quotes, -1, kChartRows) != kStatusSuccess) {
        m_pMessages->Show("Read failed for symbol " + std::string(symbol), MessageIcon::Stop);
        FreeBuffers();
        return 1;
    }
    ComputeAverages();
    return 0;
}

bool CBars::ReloadNewestRows() {
    if (!m_bBuffersAllocated || ReadCurrentRows(m_quotes, -1, kChartRows) != kStatusSuccess)
        return false;
    ComputeAverages();
    return true;
}

void CBars::ComputeAverages() {
    MovingAverage(m_quotes.close, m_ma1, m_nMA1Length, 0);
    MovingAverage(m_quotes.close, m_ma2, m_nMA2Length, 0);
}

Status CBars::ReadCurrentRows(QuoteBuffer& buffer, int start, int count) const {
    if (m_nCurrentIndex < 0 || m_nCurrentIndex >= m_nSymbolCount)
        return kStatusFileNotFound;
    const char* symbol = m_table.Symbol(m_nCurrentIndex);
    // An entry of XMASTER (or of EMASTER without MASTER) is read straight from its price file:
    // looking it up by symbol would scan every entry on every step.
    if (const PriceSource* source = m_table.Source(m_nCurrentIndex))
        return ReadPriceSource(buffer, m_strDataDirectory, *source, symbol, start, count);
    return ReadSecurity(buffer, m_strDataDirectory, symbol, start, count);
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
        if (std::strcmp(m_table.Symbol(i), symbol) == 0) {
            m_nCurrentIndex = i;
            ReadCurrentSymbol();
            return;
        }
    }
    m_pMessages->Show("Failure in SearchSetSymbolIndex", MessageIcon::Stop);
}

bool CBars::HasNextSymbol() const {
    return m_nSymbolCount > 0 && m_nCurrentIndex < m_nSymbolCount - 1;
}

bool CBars::HasPreviousSymbol() const {
    return m_nSymbolCount > 0 && m_nCurrentIndex > 0;
}

const char* CBars::GetSymbol(int index) const {
    return (index < 0 || index >= m_nSymbolCount) ? nullptr : m_table.Symbol(index);
}

const PriceSource* CBars::GetSource(int index) const {
    return (index < 0 || index >= m_nSymbolCount) ? nullptr : m_table.Source(index);
}

const char* CBars::GetName(int index) const {
    if (index < 0 || index >= m_nSymbolCount)
        return nullptr;
    const char* longName = m_table.LongName(index);
    return *longName ? longName : m_table.Name(index);
}

const char* CBars::GetShortName(int index) const {
    return (index < 0 || index >= m_nSymbolCount) ? nullptr : m_table.Name(index);
}

const char* CBars::GetLongName(int index) const {
    return (index < 0 || index >= m_nSymbolCount) ? nullptr : m_table.LongName(index);
}

const char* CBars::GetMasterPath() const {
    return m_bMasterPathSet ? m_strMasterPath.c_str() : nullptr;
}

const char* CBars::GetDataDirectory() const {
    return m_bMasterPathSet ? m_strDataDirectory.c_str() : nullptr;
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
