#pragma once
// Price files of a security with file number n.
//
// F<n>.DOP (optional text): one line per column, `"NAME",first,second`; recognised names (DATE,
// TIME, OPEN, HIGH, LOW, CLOSE, VOL, OI, matched on their length ignoring case) take positions
// 1, 2, 3, ... in file order.
//
// F<n>.DAT (binary), records of L bytes (MASTER byte 3), F MBF fields each (MASTER byte 4):
//   record 1   header: off 2 uint16 N, the number of the last record (N - 1 data records)
//   record i+2 data record i, oldest first, at byte L * (i + 1)

#include "quotes/MasterFile.h"
#include "quotes/QuoteBuffer.h"

#include <cstdint>
#include <string>
#include <string_view>

// Positions (1-based fields, 0 for absent) in the order of the column map.
enum ColumnIndex { kColDate, kColTime, kColOpen, kColHigh, kColLow, kColClose, kColVol, kColOi };
constexpr int kColumnCount = 8;

constexpr int kMaxRecordFields = 19;
constexpr int kMaxRecordLength = 4 * kMaxRecordFields;
constexpr int kMinRecordLength = 4;
// Rows read when the caller asks for all of them.
constexpr int kMaxRowsAll = 16000;

// Fills the column map from the F<n>.DOP at `path` or, when there is none, from the record length
// `recordLength`; in that case `path` is changed to name F<n>.DAT. Records of an `intraday`
// security carry a time after the date. 0, or kStatusBadColumns.
Status ParseDopFile(std::string& path, std::int16_t columnMap[kColumnCount],
                    std::int16_t firstNumbers[kColumnCount],
                    std::int16_t secondNumbers[kColumnCount], int recordLength,
                    bool intraday = false);

// Loads rows of the security `symbol` (a symbol or a name) found from `directory` into an
// allocated buffer. `start` is the first data record, negative for the newest ones; `count` the
// rows wanted, negative for as many as the file holds (at most 16000).
Status ReadSecurity(QuoteBuffer& buffer, std::string_view directory, std::string_view symbol,
                    int start, int count);
