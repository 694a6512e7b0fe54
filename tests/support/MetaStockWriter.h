#pragma once
// Writes MetaStock directories for tests, benchmarks and the demo sample.

#include "tests/support/TempDir.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

void IeeeToMbf(float value, std::uint8_t out[4]);

struct MasterEntry {
    int fileNumber = 1;
    int recordLength = 28;
    int fieldCount = 7;
    std::string name;   // written blank padded to 16 bytes
    std::string symbol; // written blank padded to 16 bytes at offset 36
    float firstDate = 0;
    float lastDate = 0;
};

// A security entry of 28-byte records.
MasterEntry SecurityEntry(int fileNumber, const std::string& symbol, const std::string& name);

// A directory entry for subdirectory `name` (at most 8 characters).
MasterEntry DirectoryEntry(const std::string& name);

using Bytes = std::vector<std::uint8_t>;

Bytes MasterRecordBytes(const MasterEntry& entry);
// Header and records; `headerCount` below 0 means the number of entries.
Bytes MasterFileBytes(const std::vector<MasterEntry>& entries, int headerCount = -1);

// An entry of EMASTER (192-byte records) or XMASTER (150-byte records).
struct IndexEntry {
    int fileNumber = 256;
    std::string symbol;
    std::string name;              // EMASTER: the 16-byte name; XMASTER: the name
    std::string longName;          // EMASTER only
    std::uint8_t fieldBits = 0x7F; // date, open, high, low, close, volume, open interest
    char period = 'D';
    float firstDate = 0; // (C)YYMMDD
    float lastDate = 0;
};

// Header (with `headerCount`, or the number of entries when below 0) and records.
Bytes EmasterFileBytes(const std::vector<IndexEntry>& entries, int headerCount = -1);
Bytes XmasterFileBytes(const std::vector<IndexEntry>& entries, int headerCount = -1);

// One price record: its fields in storage order, as floats written in MBF.
using PriceRecord = std::vector<float>;

// Header record with N = records + 1 (or `headerLast` when given), then the records, each padded
// with zero bytes to `recordLength`.
Bytes PriceFileBytes(int recordLength, const std::vector<PriceRecord>& records,
                     std::optional<int> headerLast = std::nullopt);

void WriteBytes(const std::string& path, const Bytes& bytes);
void WriteText(const std::string& path, const std::string& text);
Bytes ReadBytes(const std::string& path);
