#include "quotes/PriceRecordReader.h"

#include <algorithm>
#include <utility>

CPriceRecordReader::CPriceRecordReader(const PriceSource& source, std::uint8_t* block,
                                       std::size_t blockSize)
    : m_source(source), m_pBlock(block), m_nBlockSize(blockSize) {}

bool CPriceRecordReader::Open(const std::string& directory) {
    long long size = -1;
    CFilePtr file = OpenPriceData(directory, m_source, &size);
    m_file = file ? CReadOnlyFile(std::move(file), size) : CReadOnlyFile();
    return IsOpen();
}

bool CPriceRecordReader::Open(const CFolderFiles& folder) {
    m_file = ReadPriceData(folder, m_source);
    return IsOpen();
}

std::size_t CPriceRecordReader::RecordsPerBlock() const {
    return m_nBlockSize / static_cast<std::size_t>(m_source.recordLength);
}

bool CPriceRecordReader::ReadCount(long long& count) {
    std::uint8_t header[4];
    if (m_file.Read(header, 4) != 4)
        return false;
    count = LastRecordNumber(header[2] | (header[3] << 8),
                             std::max(m_file.Size(), 0LL) / m_source.recordLength) -
            1;
    return true;
}

long long CPriceRecordReader::ReadRange(long long first, long long count, const Take& take) {
    const auto length = static_cast<std::size_t>(m_source.recordLength);
    long long given = 0;
    bool atStart = true;
    while (given < count) {
        const auto asked = static_cast<std::size_t>(
            std::min<long long>(static_cast<long long>(RecordsPerBlock()), count - given));
        const std::size_t bytes = atStart
                                      ? m_file.ReadAt(static_cast<long long>(length) * (first + 1),
                                                      m_pBlock, asked * length)
                                      : m_file.Read(m_pBlock, asked * length);
        atStart = false;
        const std::size_t got = bytes / length;
        given += static_cast<long long>(got);
        if ((got > 0 && !take(m_pBlock, got)) || got < asked)
            break;
    }
    return given;
}

CPriceRecordReader::Outcome CPriceRecordReader::ReadAll(const Take& take, long long& given) {
    const auto length = static_cast<std::size_t>(m_source.recordLength);
    given = 0;
    // One read of a whole block: a regular file gives all it has, so a file that ends within the
    // block is read whole with its header, and its size is what came. Only a longer file has its
    // size asked for, which its header's count is checked against.
    const std::size_t perBlock = RecordsPerBlock();
    const std::size_t bytes = m_file.Read(m_pBlock, perBlock * length);
    std::size_t got = bytes / length;
    if (got == 0)
        return Outcome::kNoHeader;
    if (got < perBlock)
        m_file.KnowSize(static_cast<long long>(bytes));
    const long long inFile = got < perBlock
                                 ? static_cast<long long>(got)
                                 : std::max(m_file.Size(), static_cast<long long>(bytes)) /
                                       static_cast<long long>(length);
    const long long total = LastRecordNumber(m_pBlock[2] | (m_pBlock[3] << 8), inFile) - 1;
    const std::uint8_t* records = m_pBlock + length; // past the header
    --got;
    while (given < total) {
        const auto rows = static_cast<std::size_t>(
            std::min<long long>(total - given, static_cast<long long>(got)));
        given += static_cast<long long>(rows);
        if (rows > 0 && !take(records, rows))
            break;
        if (given == total)
            break;
        records = m_pBlock;
        const auto wanted =
            static_cast<std::size_t>(std::min(static_cast<long long>(perBlock), total - given));
        got = m_file.Read(m_pBlock, wanted * length) / length;
        if (got < wanted)
            return Outcome::kShort;
    }
    return Outcome::kDone;
}
