#pragma once
// Price files of a security with file number n: F<n>.DAT for MASTER and EMASTER entries,
// F<n>.MWD for XMASTER entries (same layout; either name is accepted for either), with the
// optional column description F<n>.DOP (PriceColumns.h).
//
// F<n>.DAT (binary), records of L bytes (MASTER byte 3), F MBF fields each (MASTER byte 4):
//   record 1   header: off 2 uint16 N, the number of the last record (N - 1 data records)
//   record i+2 data record i, oldest first, at byte L * (i + 1)

#include "platform/FileGuard.h"
#include "platform/FolderFiles.h"
#include "quotes/MasterFile.h"
#include "quotes/PriceColumns.h"
#include "quotes/QuoteBuffer.h"

#include <cstdint>
#include <string>
#include <string_view>

constexpr int kMaxRecordFields = 19;
constexpr int kMaxRecordLength = 4 * kMaxRecordFields;
constexpr int kMinRecordLength = 4;
// Rows read when the caller asks for all of them.
constexpr int kMaxRowsAll = 16000;

// A security's price file as its index entry describes it, read without a lookup by symbol.
struct PriceSource {
    int fileNumber = 0;         // n of F<n>.DAT or F<n>.MWD
    int recordLength = 0;       // bytes per record
    int fieldCount = 0;         // 4-byte fields per record
    std::uint8_t fieldBits = 0; // EMASTER/XMASTER bitset; 0: F<n>.DOP or the record length
    bool intraday = false;      // records carry a time after the date
    bool mwd = false;           // F<n>.MWD is looked for first
};

// "F<n>.<extension>": F<n>.DAT, F<n>.DOP or F<n>.MWD.
std::string PriceFileName(int fileNumber, const char* extension);
// The data file under the name the source's index gives it: F<n>.MWD for XMASTER, else F<n>.DAT.
std::string PriceDataFileName(const PriceSource& source);

// The source a MASTER entry describes.
PriceSource MasterPriceSource(const MasterRecord& record);

// Loads rows of the security `symbol` (a symbol or a name) found from `directory` into an
// allocated buffer. `start` is the first data record, negative for the newest ones; `count` the
// rows wanted, negative for as many as the file holds (at most 16000).
Status ReadSecurity(QuoteBuffer& buffer, std::string_view directory, std::string_view symbol,
                    int start, int count);

// The same for a security whose entry is known: its price file in `directory` is read at once.
// The source header then holds a MASTER-shaped record of the entry: the file number's low byte at
// 0 and all of it at 1 (uint16), record length, field count, periodicity and `symbol`.
Status ReadPriceSource(QuoteBuffer& buffer, std::string_view directory, const PriceSource& source,
                       std::string_view symbol, int start, int count);

// The column map of a source: its field bits when it has them, else ParseDopFile's.
Status SourceColumns(const std::string& directory, const PriceSource& source,
                     std::int16_t columnMap[kColumnCount], std::int16_t firstNumbers[kColumnCount],
                     std::int16_t secondNumbers[kColumnCount]);

// The same for a source of a folder listed once: a folder that lists no F<n>.DOP is not asked for
// it.
Status SourceColumns(const CFolderFiles& folder, const PriceSource& source,
                     std::int16_t columnMap[kColumnCount], std::int16_t firstNumbers[kColumnCount],
                     std::int16_t secondNumbers[kColumnCount]);

// Opens the source's price file: F<n>.MWD or F<n>.DAT, its own extension first; `size`, when
// given, receives its size in bytes. The second form looks in a folder listed once.
CFilePtr OpenPriceData(const std::string& directory, const PriceSource& source,
                       long long* size = nullptr);
CFilePtr OpenPriceData(const CFolderFiles& folder, const PriceSource& source, long long* size);
// The same, opened as cheaply as the folder's listing allows (CFolderFiles::OpenForReading).
CReadOnlyFile ReadPriceData(const CFolderFiles& folder, const PriceSource& source);

// The number of the last record of a price file from its header's N (taken unsigned) and the
// whole records the file holds: N is believed as far as the file goes, N = 0 means no data, and a
// file of 65,536 records or more, whose N has wrapped around, counts all its records.
long long LastRecordNumber(int headerLast, long long fileRecords);
