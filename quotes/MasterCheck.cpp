#include "quotes/MasterCheck.h"

#include "quotes/PriceFile.h"

#include <array>

namespace {

constexpr int kMaxFileNumber = 255;

std::string Entry(std::size_t index) {
    return "entry " + std::to_string(index + 1);
}

} // namespace

std::string WhyNotAMaster(const MasterContents& contents) {
    if (contents.fileSize == 0)
        return "it is empty";
    if (!contents.headerRead)
        return "it holds " + std::to_string(contents.fileSize) +
               " bytes, fewer than the 53 of a header";
    if (contents.count < 0)
        return "its header counts " + std::to_string(contents.count) + " entries";
    if (contents.recordsInFile != contents.count)
        return "its header counts " + std::to_string(contents.count) + " entries, but it holds " +
               std::to_string(contents.recordsInFile);
    if (static_cast<long long>(contents.records.size()) != contents.count)
        return "only " + std::to_string(contents.records.size()) + " of its " +
               std::to_string(contents.count) + " entries can be read";
    // The entry that uses each file number, plus one; 0 while none does.
    std::array<std::size_t, kMaxFileNumber + 1> user{};
    for (std::size_t i = 0; i < contents.records.size(); ++i) {
        const MasterRecord& record = contents.records[i];
        if (IsDirectoryEntry(record.bytes))
            continue;
        const int number = record.FileNumber();
        if (number < 1)
            return Entry(i) + " names no price file";
        if (user[static_cast<std::size_t>(number)] != 0)
            return Entry(user[static_cast<std::size_t>(number)] - 1) + " and " + Entry(i) +
                   " both name F" + std::to_string(number);
        user[static_cast<std::size_t>(number)] = i + 1;
        const int length = record.RecordLength(), fields = record.FieldCount();
        if (length < kMinRecordLength || length > kMaxRecordLength || fields < 1 ||
            fields > kMaxRecordFields)
            return Entry(i) + " has records of " + std::to_string(length) + " bytes in " +
                   std::to_string(fields) + " fields, which no price file has";
    }
    return {};
}

std::string NotAMasterMessage(const std::string& path, const std::string& why) {
    return "The file\n" + path + "\nis not a MASTER file: " + why + ".";
}
