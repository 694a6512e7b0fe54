#pragma once
// MASTER: the index of a quote directory. A 53-byte header, then one 53-byte record per entry;
// record k starts at byte 53 * k.
//
//   header  off  0  int16   number of entries that follow
//           off  2  51      not interpreted
//   record  off  0  uint8   file number n of F<n>.DAT and F<n>.DOP
//           off  3  int8    record length of F<n>.DAT in bytes
//           off  4  int8    fields per F<n>.DAT record
//           off  7  16      name, blank padded; "<DIR>" at 18 marks a subdirectory entry
//           off 25  MBF     first date (IEEE in the copy FindMasterRecord returns)
//           off 29  MBF     last date  (IEEE in the copy FindMasterRecord returns)
//           off 33  char    periodicity: 'I' intraday (rows carry a time), 'D' daily
//           off 36  16      symbol area, blank padded
//           off 52  1       not interpreted

#include "quotes/Status.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

constexpr int kMasterRecordSize = 53;
constexpr int kMasterNameOffset = 7;
constexpr int kMasterNameSize = 16;
constexpr int kMasterDirTagOffset = 18;
constexpr int kMasterFirstDateOffset = 25;
constexpr int kMasterLastDateOffset = 29;
constexpr int kMasterPeriodOffset = 33;
constexpr int kMasterSymbolOffset = 36;
constexpr int kMasterSymbolSize = 16;

// The starting directory and 33 nested ones.
constexpr int kMaxMasterLevels = 34;

struct MasterRecord {
    std::uint8_t bytes[kMasterRecordSize];

    int FileNumber() const { return bytes[0]; }
    int RecordLength() const { return static_cast<std::int8_t>(bytes[3]); }
    int FieldCount() const { return static_cast<std::int8_t>(bytes[4]); }
    bool IsIntraday() const { return bytes[kMasterPeriodOffset] == 'I'; }
};

static_assert(sizeof(MasterRecord) == kMasterRecordSize, "records are read straight into it");

// Entry count of a 53-byte header.
int MasterHeaderCount(const std::uint8_t* header);

// A directory entry has "<DIR>" at offset 18 and a name that does not start with a blank.
bool IsDirectoryEntry(const std::uint8_t* record);

// The subdirectory a directory entry names: its first 8 name bytes up to a NUL, trailing blanks
// removed. Names that would lead out of the tree (separators, "." and "..") give an empty text.
std::string MasterSubdirectoryName(const std::uint8_t* record);

// The 16 name bytes followed by a NUL, trailing blanks kept.
void TakeMasterName(const std::uint8_t* record, char name[kMasterNameSize + 1]);

// The symbol as the directory is listed: the 16 bytes of the symbol area followed by a NUL, with
// every byte that is at most 0x20 as a signed character (blanks, control bytes, 0x80..0xFF)
// turned into NUL, so the symbol is the first word. Returns false when that word is empty: the
// entry is damaged and its name stands in for the symbol.
bool TakeMasterSymbol(const std::uint8_t* record, char symbol[kMasterSymbolSize + 1]);

// The symbol under which the directory lists the entry: TakeMasterSymbol's, or, for a damaged
// entry, its name (up to a NUL in it; the cleaned bytes after that NUL stay). Returns false for a
// damaged entry.
bool TakeListedSymbol(const std::uint8_t* record, char symbol[kMasterSymbolSize + 1]);

// Looks `wanted` (a symbol or a name, compared ignoring case) up in the master of
// `startDirectory`, then depth-first in the masters of its subdirectory entries. On success gives
// the record with both dates converted to IEEE and the directory where it was found (ending in a
// separator); otherwise kStatusFileNotFound or kStatusFileRead and leaves the outputs alone.
Status FindMasterRecord(std::string_view startDirectory, std::string_view wanted,
                        MasterRecord& record, std::string& foundDirectory);

// A whole MASTER as far as its header count goes.
struct MasterContents {
    bool headerRead = false;
    long long fileSize = 0;            // bytes, -1 when the system cannot tell
    int count = 0;                     // the header's count
    long long recordsInFile = 0;       // whole records after the header
    std::vector<MasterRecord> records; // the first records, up to the count
};

// Reads the open MASTER `file` from its start: the header, then the records that the count names
// and the file holds, and no more. A read that fails on the way leaves fewer records.
MasterContents ReadMasterContents(std::FILE* file);
// The same for the `size` bytes of a whole MASTER in memory.
MasterContents MasterContentsOf(const std::uint8_t* bytes, std::size_t size);
