#pragma once
// The index files that MetaStock keeps beside MASTER. Each is a header and then one record per
// security; record k starts at k times the record size. Texts are NUL-terminated single-byte
// Windows-1252, with left-over bytes after the NUL.
//
// EMASTER (192-byte records) repeats the MASTER entries (file numbers 1..255) with long names:
//   header  off  0  uint16  number of records
//   record  off  2  uint8   file number n of F<n>.DAT
//           off  6  uint8   fields per record (record length 4 x fields)
//           off  7  uint8   field bitset (PriceColumns.h)
//           off 11  21      symbol (14 characters at most in practice)
//           off 32  16      name
//           off 60  char    periodicity: 'I' intraday, 'D' daily
//           off 64  float   first date, IEEE, (C)YYMMDD
//           off 72  float   last date, IEEE, (C)YYMMDD
//           off 139 52      long name, empty when the name is whole
//
// XMASTER (150-byte records) lists the securities beyond MASTER (file numbers 256..65535):
//   header  off  0  4       5D FE 58 4D
//           off 10  uint16  number of records
//   record  off  1  15      symbol
//           off 16  46      name
//           off 62  char    periodicity
//           off 65  uint16  file number n of F<n>.MWD
//           off 70  uint8   field bitset; the fields per record are its bits set
//           off 108 uint32  first date, YYYYMMDD
//           off 116 uint32  last date, YYYYMMDD

#include "quotes/MasterFile.h"
#include "quotes/PriceFile.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

constexpr int kEmasterRecordSize = 192;
constexpr int kXmasterRecordSize = 150;

// One security of EMASTER or XMASTER. The texts are the stored bytes up to their NUL and stay
// valid only while the reader's callback runs.
struct IndexSecurity {
    PriceSource source;
    std::string_view symbol;
    std::string_view name;     // EMASTER: the 16-byte name; XMASTER: the name
    std::string_view longName; // EMASTER: the long name, maybe empty; XMASTER: the name
    // The dates of the first and last records as the index has them, in the (C)YYMMDD form of
    // the records' own dates.
    float firstDate = 0;
    float lastDate = 0;
};

enum class IndexFileState {
    kAbsent,   // no file of that name
    kUnusable, // not a regular file, shorter than its header count needs, or unreadable
    kRead,     // every record given
};

// Gives every record of the EMASTER (XMASTER) of `directory` (empty or ending in a separator) to
// `take`, in file order. Only the records that the header counts are read, and only when the file
// holds all of them; a read that fails on the way ends with kUnusable after some were given.
IndexFileState ReadEmaster(const std::string& directory,
                           const std::function<void(const IndexSecurity&)>& take);
IndexFileState ReadXmaster(const std::string& directory,
                           const std::function<void(const IndexSecurity&)>& take);

// An EMASTER entry kept for comparing it with MASTER.
struct EmasterEntry {
    int fileNumber;
    std::string symbol;
    std::string longName;
};

// EMASTER agrees with MASTER when it has as many entries and, position by position, the same
// file number and the same symbol: the symbol as the directory lists it, which is the first word
// of each (vendors keep flags in the symbol area's last bytes). Only then are its long names those
// of the MASTER entries.
bool EmasterAgrees(const std::vector<MasterRecord>& master,
                   const std::vector<EmasterEntry>& emaster);

// The text up to its first blank, control byte or byte of 0x80 and above, as a MASTER symbol is
// listed.
std::string_view FirstSymbolWord(std::string_view text);
