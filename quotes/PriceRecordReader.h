#pragma once
// The raw records of a price file (PriceFile.h), read in large blocks of whole records straight
// into the caller's block of memory: a stream buffer would only copy them. The data records are
// those that the header counts, as LastRecordNumber believes it.

#include "platform/FolderFiles.h"
#include "platform/ReadOnlyFile.h"
#include "quotes/PriceFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class CPriceRecordReader {
public:
    // Gives `count` whole records that start at `records`; false when no more are wanted.
    using Take = std::function<bool(const std::uint8_t* records, std::size_t count)>;

    // `block` holds `blockSize` bytes, at least one record of the source's length.
    CPriceRecordReader(const PriceSource& source, std::uint8_t* block, std::size_t blockSize);

    // Opens the source's data file (OpenPriceData); the second form in a folder listed once.
    bool Open(const std::string& directory);
    bool Open(const CFolderFiles& folder);
    bool IsOpen() const { return static_cast<bool>(m_file); }

    // The data records from the header's first four bytes alone; false when it has not got them.
    bool ReadCount(long long& count);
    // Gives `count` data records from record `first` (0 is the oldest) on; the number given, which
    // is smaller where the file ends first.
    long long ReadRange(long long first, long long count, const Take& take);

    enum class Outcome { kDone, kNoHeader, kShort };
    // Gives every data record, the first of them with the header in one read. kNoHeader when the
    // file holds no whole record; kShort when a read ends early, after `given` records.
    Outcome ReadAll(const Take& take, long long& given);

private:
    std::size_t RecordsPerBlock() const;

    PriceSource m_source;
    std::uint8_t* m_pBlock;
    std::size_t m_nBlockSize;
    CReadOnlyFile m_file;
};
