#pragma once
// Which field of a price record holds which column.
//
// F<n>.DOP (optional text): one line per column, `"NAME",first,second`; recognised names (DATE,
// TIME, OPEN, HIGH, LOW, CLOSE, VOL, OI, matched on their length ignoring case) take positions
// 1, 2, 3, ... in file order. A DOS end-of-file byte (0x1A) ends the text.
//
// Without F<n>.DOP the record length decides (see PriceColumns.cpp). EMASTER and XMASTER entries
// carry a field bitset instead:
//   0x01 date  0x80 time  0x20 open  0x02 high  0x04 low  0x08 close  0x10 volume  0x40 oi
// the fields being stored in the order date, time, open, high, low, close, volume, oi.

#include "quotes/Status.h"

#include <cstdint>
#include <string>

// Positions (1-based fields, 0 for absent) in the order of the column map.
enum ColumnIndex { kColDate, kColTime, kColOpen, kColHigh, kColLow, kColClose, kColVol, kColOi };
constexpr int kColumnCount = 8;

// Fills the column map from the F<n>.DOP at `path` or, when there is none, from the record length
// `recordLength`; in that case `path` is changed to name F<n>.DAT. Records of an `intraday`
// security carry a time after the date. 0, or kStatusBadColumns.
Status ParseDopFile(std::string& path, std::int16_t columnMap[kColumnCount],
                    std::int16_t firstNumbers[kColumnCount],
                    std::int16_t secondNumbers[kColumnCount], int recordLength,
                    bool intraday = false);

// The column map that the record length gives when there is no F<n>.DOP; `datPath` names the
// data file, whose first record decides between the two layouts of 20-byte records.
Status ColumnsFromRecordLength(const std::string& datPath, std::int16_t columnMap[kColumnCount],
                               int recordLength, bool intraday);

// Fills the column map from an EMASTER or XMASTER field bitset; kStatusBadColumns when it names
// no date.
Status ColumnsFromFieldBits(std::uint8_t bits, std::int16_t columnMap[kColumnCount]);
