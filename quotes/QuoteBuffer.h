#pragma once
// One security's rows in memory as eight columns. Row r of a column is element
// r * nStride + nOffset of its data: 16-bit day and time numbers for the date and time columns,
// floats for the others.
//
// Interleaved layout (n * 28 below 65000 bytes): one block of 28-byte rows
//   off 0 date (int16)  off 2 time (int16)  off 4..27 open high low close volume oi (float)
// Separate layout: one array of date/time pairs and one float array per value column.

#include "quotes/Status.h"

#include <cstdint>

struct QuoteColumn {
    void* pData;
    std::int16_t nRows;
    std::int16_t nStride;
    std::int16_t nOffset;

    float& Value(int row) const { return static_cast<float*>(pData)[row * nStride + nOffset]; }
    std::int16_t& Number(int row) const {
        return static_cast<std::int16_t*>(pData)[row * nStride + nOffset];
    }
};

constexpr int kQuoteDirectorySize = 71; // 70 characters and a NUL
constexpr int kQuoteSymbolSize = 21;    // 20 characters and a NUL
constexpr int kSourceHeaderSize = 101;
constexpr int kMetaStockSource = 3;
// Largest row count a buffer can hold (its counts are 16-bit).
constexpr int kMaxQuoteRows = 32767;

// Source header: the MasterRecord found (dates IEEE), then the column map, the second and the
// first numbers of the F<n>.DOP columns.
constexpr int kSourceMapOffset = 53;
constexpr int kSourceSecondNumbersOffset = 69;
constexpr int kSourceFirstNumbersOffset = 85;

struct QuoteBuffer {
    QuoteColumn date;
    QuoteColumn time;
    QuoteColumn open;
    QuoteColumn high;
    QuoteColumn low;
    QuoteColumn close;
    QuoteColumn volume;
    QuoteColumn openInterest;
    char directory[kQuoteDirectorySize];
    char symbol[kQuoteSymbolSize];
    std::int16_t count;
    std::int16_t capacity;
    std::int32_t total;
    std::uint16_t sourceKind;
    std::uint16_t sourceHeaderSize;
    std::uint8_t* sourceHeader;
};

// Sets up an empty buffer (all fields zero, or freed before) for n rows.
Status AllocQuoteBuffer(QuoteBuffer& buffer, int rows);
Status FreeQuoteBuffer(QuoteBuffer& buffer);
// Sets the count and the row count of all eight columns; kStatusMalloc when n exceeds capacity.
Status SetQuoteCount(QuoteBuffer& buffer, int rows);
Status AllocColumn(QuoteColumn& column, int rows);
void FreeColumn(QuoteColumn& column);
