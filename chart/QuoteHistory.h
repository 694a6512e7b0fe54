#pragma once
// The whole history of one security in compact columns: every record of its price file, oldest
// first, 28 bytes a record (date and time side by side, six float columns), so 65,000 records
// take 1.8 MB.
//
// It is read through ReadSecurity, so it finds and decodes the price file exactly as the chart's
// 800-row buffer does: in chunks of at most kMaxQuoteRows rows, each written straight into the
// columns through a QuoteBuffer whose columns point into them.

#include "chart/BarBuilder.h"
#include "chart/QuoteText.h"
#include "quotes/PriceFile.h"
#include "quotes/QuoteBuffer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Whether the price file of a buffer's source header (the column map after the MasterRecord)
// stores the column; absent columns read as -1.
bool HasStoredColumn(const std::uint8_t* sourceHeader, ColumnIndex column);

class CQuoteHistory {
public:
    // Reads `count` rows from data record `start` on into an allocated buffer, as ReadSecurity
    // does for the current security.
    using RowReader = std::function<Status(QuoteBuffer& buffer, int start, int count)>;

    // The number of data records the price file holds now, without reading them.
    static Status CountRecords(const RowReader& read, int& count);

    // Reads every record afresh. A file that ends early (it shrank while being read) gives the
    // records read up to its end. On failure the history is empty.
    Status Read(const RowReader& read);
    // Forgets the records and gives their memory back.
    void Clear();
    // Turns the records read into the bars the rules build (BarBuilder.h), in place; Read starts
    // from the file again.
    void Build(const BarRules& rules);

    bool IsLoaded() const { return m_bLoaded; }
    int Count() const { return m_nCount; }             // records, or bars once built
    int SourceCount() const { return m_nSourceCount; } // records of the price file as read
    const BarRules& Rules() const { return m_rules; }
    const LeftOutCounts& LeftOut() const { return m_leftOut; }
    bool HasColumn(ColumnIndex column) const { return HasStoredColumn(m_sourceHeader, column); }
    std::size_t MemoryBytes() const;

    enum ValueColumnIndex { kOpen, kHigh, kLow, kClose, kVolume, kOpenInterest, kValueColumns };
    // The columns themselves: the date and time of record i at 2i and 2i + 1, the values of a
    // column one after another.
    const std::int16_t* DateTimes() const { return m_dateTime.data(); }
    const float* Values(ValueColumnIndex column) const { return m_values[column].data(); }
    const std::uint8_t* SourceHeader() const { return m_sourceHeader; }
    // Changes whenever the records change (read, built, cleared), for what is computed from them.
    std::uint64_t Stamp() const { return m_nStamp; }

    std::int16_t Date(int i) const { return m_dateTime[2 * static_cast<std::size_t>(i)]; }
    float Value(int column, int i) const { return m_values[column][static_cast<std::size_t>(i)]; }
    float Open(int i) const { return Value(kOpen, i); }
    float High(int i) const { return Value(kHigh, i); }
    float Low(int i) const { return Value(kLow, i); }
    float Close(int i) const { return Value(kClose, i); }
    float Volume(int i) const { return Value(kVolume, i); }
    QuoteRecord Record(int i) const;

private:
    // A buffer of `rows` rows whose columns start at record `first` of the history.
    QuoteBuffer ViewAt(int first, int rows);

    std::vector<std::int16_t> m_dateTime; // date and time number of each record
    std::vector<float> m_values[kValueColumns];
    int m_nCount = 0;
    int m_nSourceCount = 0;
    BarRules m_rules;
    LeftOutCounts m_leftOut;
    std::uint64_t m_nStamp = 0;
    bool m_bLoaded = false;
    std::uint8_t m_sourceHeader[kSourceHeaderSize] = {};
};
