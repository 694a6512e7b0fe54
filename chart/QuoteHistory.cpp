#include "chart/QuoteHistory.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

namespace {

QuoteColumn Column(void* data, int rows, int stride, int offset) {
    return QuoteColumn{data, static_cast<std::int16_t>(rows), static_cast<std::int16_t>(stride),
                       static_cast<std::int16_t>(offset)};
}

// Stamps are unique over every history of the process, so that no two sets of records share one.
std::uint64_t NextStamp() {
    static std::atomic<std::uint64_t> s_nLast{0};
    return ++s_nLast;
}

} // namespace

QuoteBuffer CQuoteHistory::ViewAt(int first, int rows) {
    QuoteBuffer view{};
    view.count = view.capacity = static_cast<std::int16_t>(rows);
    // The header is the history's own, so ReadSecurity never allocates one (nor frees the view).
    view.sourceHeaderSize = kSourceHeaderSize;
    view.sourceHeader = m_sourceHeader;
    if (rows == 0)
        return view;
    std::int16_t* dateTime = m_dateTime.data() + 2 * static_cast<std::size_t>(first);
    view.date = Column(dateTime, rows, 2, 0);
    view.time = Column(dateTime, rows, 2, 1);
    QuoteColumn* columns[kValueColumns] = {&view.open,  &view.high,   &view.low,
                                           &view.close, &view.volume, &view.openInterest};
    for (int c = 0; c < kValueColumns; ++c)
        *columns[c] = Column(m_values[c].data() + first, rows, 1, 0);
    return view;
}

Status CQuoteHistory::CountRecords(const RowReader& read, int& count) {
    CQuoteHistory probe;
    QuoteBuffer view = probe.ViewAt(0, 0);
    const Status status = read(view, 0, 0);
    count = status == kStatusSuccess ? std::max(view.total, 0) : 0;
    return status;
}

Status CQuoteHistory::Read(const RowReader& read) {
    Clear();
    QuoteBuffer probe = ViewAt(0, 0);
    if (const Status status = read(probe, 0, 0))
        return status;
    const int total = std::max(probe.total, 0);
    try {
        m_dateTime.resize(2 * static_cast<std::size_t>(total));
        for (std::vector<float>& column : m_values)
            column.resize(static_cast<std::size_t>(total));
    } catch (const std::bad_alloc&) {
        Clear();
        return kStatusMalloc;
    }
    int rows = 0;
    while (rows < total) {
        const int wanted = std::min(total - rows, kMaxQuoteRows);
        QuoteBuffer view = ViewAt(rows, wanted);
        const Status status = read(view, rows, wanted);
        // A file that shrank since it was counted ends the history where it ends now.
        if (status == kStatusRecordNotFound)
            break;
        if (status != kStatusSuccess) {
            Clear();
            return status;
        }
        rows += view.count;
        if (view.count < wanted)
            break;
    }
    m_nCount = m_nSourceCount = rows;
    m_bLoaded = true;
    m_nStamp = NextStamp();
    return kStatusSuccess;
}

void CQuoteHistory::Clear() {
    m_nStamp = NextStamp();
    std::vector<std::int16_t>().swap(m_dateTime);
    for (std::vector<float>& column : m_values)
        std::vector<float>().swap(column);
    m_nCount = m_nSourceCount = 0;
    m_rules = BarRules{};
    m_leftOut = LeftOutCounts{};
    m_bLoaded = false;
}

void CQuoteHistory::Build(const BarRules& rules) {
    if (!m_bLoaded || !m_rules.IsIdentity())
        return;
    const BarColumns columns{m_dateTime.data(),
                             m_values[kOpen].data(),
                             m_values[kHigh].data(),
                             m_values[kLow].data(),
                             m_values[kClose].data(),
                             m_values[kVolume].data(),
                             m_values[kOpenInterest].data()};
    m_nCount = BuildBars(columns, m_nCount, rules, m_leftOut);
    m_nStamp = NextStamp();
    m_rules = rules;
}

bool HasStoredColumn(const std::uint8_t* sourceHeader, ColumnIndex column) {
    if (!sourceHeader)
        return true;
    std::int16_t position;
    std::memcpy(&position, sourceHeader + kSourceMapOffset + 2 * column, 2);
    return position != 0;
}

std::size_t CQuoteHistory::MemoryBytes() const {
    std::size_t bytes = m_dateTime.capacity() * sizeof(std::int16_t);
    for (const std::vector<float>& column : m_values)
        bytes += column.capacity() * sizeof(float);
    return bytes;
}

QuoteRecord CQuoteHistory::Record(int i) const {
    const std::size_t at = static_cast<std::size_t>(i);
    return QuoteRecord{m_dateTime[2 * at],    m_dateTime[2 * at + 1],     m_values[kOpen][at],
                       m_values[kHigh][at],   m_values[kLow][at],         m_values[kClose][at],
                       m_values[kVolume][at], m_values[kOpenInterest][at]};
}
