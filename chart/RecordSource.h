#pragma once
// The records a chart is drawn from, whatever holds them: the chart object's buffer of the newest
// records of the price file, or the whole history in compact columns (records as stored, or bars
// built by period). It is a view: columns into the holder's own memory, which must outlive it.
// The drawing, the crosshair, the exports and every series computed over the records read them
// through it, so none of them knows which holder it is.

#include "chart/QuoteText.h"
#include "quotes/PriceColumns.h"
#include "quotes/QuoteBuffer.h"

#include <cstddef>
#include <cstdint>

class CQuoteHistory;

// Element i of a column lies at pData[i * nStride].
template <typename T> struct StridedColumn {
    const T* pData = nullptr;
    std::ptrdiff_t nStride = 1;
    T operator[](std::ptrdiff_t i) const { return pData[i * nStride]; }
};
using ValueColumn = StridedColumn<float>;
using NumberColumn = StridedColumn<std::int16_t>;

// A buffer's column as a view.
ValueColumn ValuesOf(const QuoteColumn& column);

struct CRecordSource {
    NumberColumn date, time; // day and time numbers
    ValueColumn open, high, low, close, volume, openInterest;
    int nCount = 0;
    // The record of the price file that record 0 is, when the records are the file's own (the
    // buffer holds the newest of them); 0 for built bars, which count from the first.
    int nFirstInFile = 0;
    // The source header of the reading (the column map after the MasterRecord): which columns
    // the price file stores.
    const std::uint8_t* pSourceHeader = nullptr;
    // Tells records apart that sit at the same place: another stamp, other records. 0 for the
    // buffer, whose records nothing computes over but the averages.
    std::uint64_t nStamp = 0;

    bool HasColumn(ColumnIndex column) const;
    QuoteRecord Record(int i) const;
};

CRecordSource SourceOfBuffer(const QuoteBuffer& buffer);
CRecordSource SourceOfHistory(const CQuoteHistory& history);
