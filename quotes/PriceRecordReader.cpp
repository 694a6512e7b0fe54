#include "quotes/PriceRecordReader.h"

#include <algorithm>
#include <cstdio>

CPriceRecordReader::CPriceRecordReader(const PriceSource& source, std::uint8_t* block,
                                       std::size_t blockSize)
    : m_source(source), m_pBlock(block), m_nBlockSize(blockSize) {}

bool CPriceRecordReader::Open(const std::string& directory) {
    m_file = OpenPriceData(directory, m_source, &m_nSize);
    if (m_file)
        std::setvbuf(m_file.get(), nullptr, _IONBF, 0);
    return IsOpen();
}

bool CPriceRecordReader::Open(const CFolderFiles& folder) {
    m_file = OpenPriceData(folder, m_source, &m_nSize);
    if (m_file)
        std::setvbuf(m_file.get(), nullptr, _IONBF, 0);
    return IsOpen();
}

std::size_t CPriceRecordReader::RecordsPerBlock() const {
    return m_nBlockSize / static_cast<std::size_t>(m_source.recordLength);
}

bool CPriceRecordReader::ReadCount(long long& count) {
    std::uint8_t header[4];
    if (std::fread(header, 1, 4, m_file.get()) != 4)
        return false;
    count = LastRecordNumber(header[2] | (header[3] << 8),
                             std::max(m_nSize, 0LL) / m_source.recordLength) -
            1;
    return true;
}

long long CPriceRecordReader::ReadRange(long long first, long long count, const Take& take) {
    const int length = m_source.recordLength;
    if (std::fseek(m_file.get(), static_cast<long>(length * (first + 1)), SEEK_SET) != 0)
        return 0;
    long long given = 0;
    while (given < count) {
        const auto asked = static_cast<std::size_t>(
            std::min<long long>(static_cast<long long>(RecordsPerBlock()), count - given));
        const std::size_t got =
            std::fread(m_pBlock, static_cast<std::size_t>(length), asked, m_file.get());
        given += static_cast<long long>(got);
        if ((got > 0 && !take(m_pBlock, got)) || got < asked)
            break;
    }
    return given;
}

CPriceRecordReader::Outcome CPriceRecordReader::ReadAll(const Take& take, long long& given) {
    const int length = m_source.recordLength;
    given = 0;
    // Never more than the file holds, which a read of a regular file gives at once: asking for
    // more would cost a second read to find its end. In most files every record comes with the
    // header in this one read.
    const auto perBlock = static_cast<long long>(RecordsPerBlock());
    const long long inFile = m_nSize / length;
    std::size_t got =
        std::fread(m_pBlock, static_cast<std::size_t>(length),
                   static_cast<std::size_t>(std::min(perBlock, inFile)), m_file.get());
    if (got == 0)
        return Outcome::kNoHeader;
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
        const auto wanted = static_cast<std::size_t>(std::min(perBlock, total - given));
        got = std::fread(m_pBlock, static_cast<std::size_t>(length), wanted, m_file.get());
        if (got < wanted)
            return Outcome::kShort;
    }
    return Outcome::kDone;
}
