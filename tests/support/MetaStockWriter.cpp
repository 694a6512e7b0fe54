#include "tests/support/MetaStockWriter.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

void IeeeToMbf(float value, std::uint8_t out[4]) {
    std::uint8_t ieee[4];
    std::memcpy(ieee, &value, 4);
    const int exponent = ((ieee[3] & 0x7F) << 1) | (ieee[2] >> 7);
    if (exponent == 0) {
        std::memset(out, 0, 4);
        return;
    }
    out[0] = ieee[0];
    out[1] = ieee[1];
    out[2] = static_cast<std::uint8_t>((ieee[3] & 0x80) | (ieee[2] & 0x7F));
    out[3] = static_cast<std::uint8_t>(exponent + 2);
}

MasterEntry SecurityEntry(int fileNumber, const std::string& symbol, const std::string& name) {
    MasterEntry entry;
    entry.fileNumber = fileNumber;
    entry.symbol = symbol;
    entry.name = name;
    return entry;
}

MasterEntry DirectoryEntry(const std::string& name) {
    MasterEntry entry;
    entry.fileNumber = 0;
    entry.recordLength = 0;
    entry.fieldCount = 0;
    entry.name = name.substr(0, 11);
    entry.name.resize(11, ' ');
    entry.name += "<DIR>";
    return entry;
}

namespace {
void PutPadded(Bytes& bytes, std::size_t offset, const std::string& text, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
}
} // namespace

Bytes MasterRecordBytes(const MasterEntry& entry) {
    Bytes bytes(53, 0);
    bytes[0] = static_cast<std::uint8_t>(entry.fileNumber);
    bytes[3] = static_cast<std::uint8_t>(entry.recordLength);
    bytes[4] = static_cast<std::uint8_t>(entry.fieldCount);
    PutPadded(bytes, 7, entry.name, 16);
    IeeeToMbf(entry.firstDate, &bytes[25]);
    IeeeToMbf(entry.lastDate, &bytes[29]);
    PutPadded(bytes, 36, entry.symbol, 16);
    return bytes;
}

Bytes MasterFileBytes(const std::vector<MasterEntry>& entries, int headerCount) {
    const int count = headerCount < 0 ? static_cast<int>(entries.size()) : headerCount;
    Bytes bytes(53, 0);
    bytes[0] = static_cast<std::uint8_t>(count & 0xFF);
    bytes[1] = static_cast<std::uint8_t>((count >> 8) & 0xFF);
    bytes[2] = static_cast<std::uint8_t>(entries.size() + 1); // highest file number, as vendors do
    for (const MasterEntry& entry : entries) {
        const Bytes record = MasterRecordBytes(entry);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

namespace {

void PutText(Bytes& bytes, std::size_t offset, const std::string& text, std::size_t width) {
    for (std::size_t i = 0; i < width && i < text.size(); ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(text[i]);
}

void PutUint16(Bytes& bytes, std::size_t offset, int value) {
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void PutUint32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

int BitsSet(std::uint8_t bits) {
    int count = 0;
    for (; bits != 0; bits &= static_cast<std::uint8_t>(bits - 1))
        ++count;
    return count;
}

} // namespace

Bytes EmasterFileBytes(const std::vector<IndexEntry>& entries, int headerCount) {
    Bytes bytes(192 * (entries.size() + 1), 0);
    PutUint16(bytes, 0, headerCount < 0 ? static_cast<int>(entries.size()) : headerCount);
    std::size_t at = 192;
    for (const IndexEntry& entry : entries) {
        bytes[at] = bytes[at + 1] = '6';
        bytes[at + 2] = static_cast<std::uint8_t>(entry.fileNumber);
        bytes[at + 6] = static_cast<std::uint8_t>(BitsSet(entry.fieldBits));
        bytes[at + 7] = entry.fieldBits;
        bytes[at + 9] = ' ';
        PutText(bytes, at + 11, entry.symbol, 14);
        PutText(bytes, at + 32, entry.name, 16);
        bytes[at + 60] = static_cast<std::uint8_t>(entry.period);
        std::memcpy(&bytes[at + 64], &entry.firstDate, 4);
        std::memcpy(&bytes[at + 72], &entry.lastDate, 4);
        PutText(bytes, at + 139, entry.longName, 51);
        at += 192;
    }
    return bytes;
}

Bytes XmasterFileBytes(const std::vector<IndexEntry>& entries, int headerCount) {
    Bytes bytes(150 * (entries.size() + 1), 0);
    const std::uint8_t magic[] = {0x5D, 0xFE, 0x58, 0x4D};
    std::copy(std::begin(magic), std::end(magic), bytes.begin());
    const int count = headerCount < 0 ? static_cast<int>(entries.size()) : headerCount;
    PutUint16(bytes, 10, count);
    PutUint16(bytes, 14, count);
    std::size_t at = 150;
    for (const IndexEntry& entry : entries) {
        bytes[at] = 1;
        PutText(bytes, at + 1, entry.symbol, 14);
        PutText(bytes, at + 16, entry.name, 45);
        bytes[at + 62] = static_cast<std::uint8_t>(entry.period);
        PutUint16(bytes, at + 65, entry.fileNumber);
        bytes[at + 70] = entry.fieldBits;
        PutUint32(bytes, at + 108, static_cast<std::uint32_t>(entry.firstDate) + 19000000);
        PutUint32(bytes, at + 116, static_cast<std::uint32_t>(entry.lastDate) + 19000000);
        at += 150;
    }
    return bytes;
}

Bytes PriceFileBytes(int recordLength, const std::vector<PriceRecord>& records,
                     std::optional<int> headerLast) {
    const int last = headerLast.value_or(static_cast<int>(records.size()) + 1);
    Bytes bytes(static_cast<std::size_t>(recordLength) * (records.size() + 1), 0);
    bytes[2] = static_cast<std::uint8_t>(last & 0xFF);
    bytes[3] = static_cast<std::uint8_t>((last >> 8) & 0xFF);
    std::size_t at = static_cast<std::size_t>(recordLength);
    for (const PriceRecord& record : records) {
        for (std::size_t f = 0; f < record.size() && 4 * (f + 1) <= std::size_t(recordLength); ++f)
            IeeeToMbf(record[f], &bytes[at + 4 * f]);
        at += static_cast<std::size_t>(recordLength);
    }
    return bytes;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, Bytes(text.begin(), text.end()));
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
