#include "chart/QuoteText.h"

#include "platform/FloatText.h"
#include "quotes/Dates.h"

#include <initializer_list>

QuoteRecord RecordOf(const QuoteBuffer& buffer, int row) {
    return QuoteRecord{buffer.date.Number(row),  buffer.time.Number(row),
                       buffer.open.Value(row),   buffer.high.Value(row),
                       buffer.low.Value(row),    buffer.close.Value(row),
                       buffer.volume.Value(row), buffer.openInterest.Value(row)};
}

char* PutIsoDate(char* out, std::int16_t day) {
    if (day == 0)
        return out;
    int year, month, dayOfMonth;
    DayToYmd(static_cast<std::uint16_t>(day), year, month, dayOfMonth);
    out = PutFixedDigits(out, static_cast<unsigned>(year + 1900), 4);
    *out++ = '-';
    out = PutFixedDigits(out, static_cast<unsigned>(month), 2);
    *out++ = '-';
    return PutFixedDigits(out, static_cast<unsigned>(dayOfMonth), 2);
}

char* PutTimeOfDay(char* out, std::int16_t time) {
    const unsigned seconds = 2u * static_cast<std::uint16_t>(time);
    out = PutFixedDigits(out, seconds / 3600, 2);
    *out++ = ':';
    out = PutFixedDigits(out, seconds / 60 % 60, 2);
    *out++ = ':';
    return PutFixedDigits(out, seconds % 60, 2);
}

char* PutQuoteCsvRow(char* out, const QuoteRecord& record) {
    out = PutIsoDate(out, record.date);
    *out++ = ',';
    out = PutTimeOfDay(out, record.time);
    for (const float value :
         {record.open, record.high, record.low, record.close, record.volume, record.openInterest}) {
        *out++ = ',';
        out = PutShortestFloat(out, value);
    }
    *out++ = '\n';
    return out;
}
