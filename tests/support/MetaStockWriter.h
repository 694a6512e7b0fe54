#pragma once
// Writes MetaStock directories for tests, benchmarks and the demo sample.

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

// One price record: its fields in storage order, as floats written in MBF.
using PriceRecord = std::vector<float>;

// Header record with N = records + 1 (or `headerLast` when given), then the records, each padded
// with zero bytes to `recordLength`.
Bytes PriceFileBytes(int recordLength, const std::vector<PriceRecord>& records,
                     std::optional<int> headerLast = std::nullopt);

void WriteBytes(const std::string& path, const Bytes& bytes);
void WriteText(const std::string& path, const std::string& text);
Bytes ReadBytes(const std::string& path);

// A fresh directory below the system's temporary directory, removed with everything in it when
// the object goes. `Path()` ends in the separator.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_strPath; }
    std::string operator/(const std::string& name) const { return m_strPath + name; }
    // Creates subdirectory `name` and gives its path with a trailing separator.
    std::string MakeSubdirectory(const std::string& name) const;

private:
    std::string m_strPath;
};
