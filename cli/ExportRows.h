#pragma once
// The CSV rows of one security: symbol,name,date,time,open,high,low,close,volume,oi. Dates and
// times are written as 2003-02-14 and 09:30:00, every other value as the shortest text that reads
// back as the same single-precision number; a column that the security does not store is empty.
// A stored date is written as the chart, the crosshair and `quotes` show it (through its day
// number), so that the same record always reads the same; a time that names no time of day is
// written as its number.

#include "cli/OutputSink.h"
#include "quotes/Mbf.h"
#include "quotes/PriceColumns.h"

#include <cstdint>
#include <string>
#include <string_view>

// The date and time forms of a stored value, at most 32 characters each. `calendar` tells whether
// the date was a calendar day from 1961 to 2139, written as stored.
char* PutStoredDate(char* out, float value, bool& calendar);
char* PutStoredTime(char* out, float value);

// A CSV field: the text as it is, or quoted when it holds a comma, a quote or a line break.
void AppendCsvField(std::string& out, std::string_view text);

// Stored dates that are no calendar day the day numbers hold (1961 to 2139): how many, and the
// first of them, for a word to the user.
struct OddDates {
    long long nCount = 0;
    float fFirst = 0;
};

// Where each column lies in a price record: the byte offset of its field, -1 when the security
// does not store it. Positions past `fieldCount` count as absent.
class CRecordLayout {
public:
    CRecordLayout(const std::int16_t columnMap[kColumnCount], int fieldCount);

    bool Has(int column) const { return m_nOffset[column] >= 0; }
    // The column's value in `record`; only for a column the layout has.
    float Value(const std::uint8_t* record, int column) const {
        return MbfToFloat(record + m_nOffset[column]);
    }

private:
    int m_nOffset[kColumnCount];
};

// The texts of the stored dates of one security's records, as PutStoredDate writes them. Intraday
// records repeat their date for a whole day, so the text of the last date is kept for the next.
class CDateTexts {
public:
    static constexpr std::size_t kRoom = 32;

    // The text of `date` (kRoom bytes, of which the first Length() are the text; empty for a date
    // that names no month). A date that is no calendar day is counted in `odd`.
    const char* Text(float date, OddDates& odd) {
        if (m_nLength == 0 ||
            date != m_fLast) { // as stored: a garbage date never goes through an integer
            m_fLast = date;
            m_nLength =
                static_cast<std::size_t>(PutStoredDate(m_szText, date, m_bCalendar) - m_szText) + 1;
        }
        if (!m_bCalendar && odd.nCount++ == 0)
            odd.fFirst = date;
        return m_szText;
    }
    std::size_t Length() const { return m_nLength - 1; }

private:
    float m_fLast = 0;
    char m_szText[kRoom];
    std::size_t m_nLength = 0; // the text's length + 1; 0 before the first date
    bool m_bCalendar = true;
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
    CRecordLayout m_layout;
};
