#include "chart/RecordSource.h"

#include "chart/QuoteHistory.h"

#include <algorithm>

namespace {

NumberColumn NumbersOf(const QuoteColumn& column) {
    return NumberColumn{static_cast<const std::int16_t*>(column.pData) + column.nOffset,
                        column.nStride};
}

} // namespace

ValueColumn ValuesOf(const QuoteColumn& column) {
    return ValueColumn{static_cast<const float*>(column.pData) + column.nOffset, column.nStride};
}

bool CRecordSource::HasColumn(ColumnIndex column) const {
    return HasStoredColumn(pSourceHeader, column);
}

QuoteRecord CRecordSource::Record(int i) const {
    return QuoteRecord{date[i], time[i],  open[i],   high[i],
                       low[i],  close[i], volume[i], openInterest[i]};
}

CRecordSource SourceOfBuffer(const QuoteBuffer& buffer) {
    CRecordSource source;
    source.nCount = std::max<int>(buffer.count, 0);
    source.nFirstInFile = std::max(buffer.total - buffer.count, 0);
    source.pSourceHeader = buffer.sourceHeader;
    if (source.nCount == 0)
        return source;
    source.date = NumbersOf(buffer.date);
    source.time = NumbersOf(buffer.time);
    source.open = ValuesOf(buffer.open);
    source.high = ValuesOf(buffer.high);
    source.low = ValuesOf(buffer.low);
    source.close = ValuesOf(buffer.close);
    source.volume = ValuesOf(buffer.volume);
    source.openInterest = ValuesOf(buffer.openInterest);
    return source;
}

CRecordSource SourceOfHistory(const CQuoteHistory& history) {
    CRecordSource source;
    source.nCount = history.Count();
    source.pSourceHeader = history.SourceHeader();
    source.nStamp = history.Stamp();
    if (source.nCount == 0)
        return source;
    source.date = NumberColumn{history.DateTimes(), 2};
    source.time = NumberColumn{history.DateTimes() + 1, 2};
    source.open = ValueColumn{history.Values(CQuoteHistory::kOpen), 1};
    source.high = ValueColumn{history.Values(CQuoteHistory::kHigh), 1};
    source.low = ValueColumn{history.Values(CQuoteHistory::kLow), 1};
    source.close = ValueColumn{history.Values(CQuoteHistory::kClose), 1};
    source.volume = ValueColumn{history.Values(CQuoteHistory::kVolume), 1};
    source.openInterest = ValueColumn{history.Values(CQuoteHistory::kOpenInterest), 1};
    return source;
}
