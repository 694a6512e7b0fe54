#pragma once
// The CSV rows of one security: symbol,name,date,time,open,high,low,close,volume,oi. Dates and
// times are written as 2003-02-14 and 09:30:00, every other value as the shortest text that reads
// back as the same single-precision number; a column that the security does not store is empty.
// A stored date is written as the chart, the crosshair and `quotes` show it (through its day
// number), so that the same record always reads the same; a time that names no time of day is
// written as its number.

#include "cli/OutputSink.h"
#include "quotes/PriceColumns.h"

#include <cstdint>
#include <string>
#include <string_view>

// A CSV field: the text as it is, or quoted when it holds a comma, a quote or a line break.
void AppendCsvField(std::string& out, std::string_view text);

// Stored dates that are no calendar day the day numbers hold (1961 to 2139): how many, and the
// first of them, for a word to the user.
struct OddDates {
    long long nCount = 0;
    float fFirst = 0;
};

class CRowFormatter {
public:
    // `prefix` is the row's start, "symbol,name,"; positions past `fieldCount` count as absent.
    CRowFormatter(std::string prefix, const std::int16_t columnMap[kColumnCount], int fieldCount);

    // Writes one row for each of `count` records of `recordLength` bytes.
    void Write(COutputSink& out, const std::uint8_t* records, int count, int recordLength,
               OddDates& odd) const;

private:
    std::string m_strPrefix; // padded with NULs to whole pieces of the copy
    std::size_t m_nPrefixLength;
    int m_nOffset[kColumnCount]; // byte offset of the column's field, -1 when absent
};

// Exposed for tests: the date and time forms of a stored value. `calendar` tells whether the date
// was a calendar day from 1961 to 2139, written as stored.
char* PutStoredDate(char* out, float value, bool& calendar);
char* PutStoredTime(char* out, float value);
