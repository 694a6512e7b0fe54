// Writes the seed inputs of the quote-directory fuzz target into a directory:
// `tickvane-fuzz-make-seeds <directory>`. The seeds kept in regressions/ were made by it; each
// starts libFuzzer on one path through the reader that random bytes would rarely find.

#include "fuzz/FuzzCase.h"
#include "quotes/MasterFile.h"
#include "tests/support/MetaStockWriter.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Text(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

MasterEntry Security(int fileNumber, const std::string& symbol, const std::string& name,
                     int recordLength, int fieldCount) {
    MasterEntry entry;
    entry.fileNumber = fileNumber;
    entry.symbol = symbol;
    entry.name = name;
    entry.recordLength = recordLength;
    entry.fieldCount = fieldCount;
    entry.firstDate = 1030102;
    entry.lastDate = 1031231;
    return entry;
}

// Record i: a valid 2003 date, then fields that tell records apart.
std::vector<PriceRecord> Records(int count, int fields) {
    std::vector<PriceRecord> records;
    for (int i = 0; i < count; ++i) {
        const float date = static_cast<float>(1030102 + (i / 28) % 12 * 100 + i % 28);
        const float f = float(i);
        PriceRecord record = {date,      10.0f + f,   11.0f + f, 9.0f + f,
                              10.5f + f, 1000.0f * f, 50.0f + f, 77.0f};
        record.resize(static_cast<std::size_t>(fields));
        records.push_back(record);
    }
    return records;
}

FuzzCase Request(const std::string& symbol, int start, int count, std::uint8_t flags = 0) {
    FuzzCase fuzzCase;
    fuzzCase.symbol = symbol;
    fuzzCase.start = start;
    fuzzCase.count = count;
    fuzzCase.flags = flags;
    fuzzCase.period = 3;
    return fuzzCase;
}

std::uint8_t Rows(int choice) {
    return static_cast<std::uint8_t>(choice << kFuzzRowsShift);
}

std::vector<std::pair<std::string, FuzzCase>> Seeds() {
    std::vector<std::pair<std::string, FuzzCase>> seeds;

    FuzzCase daily = Request("ABC", -1, 800);
    daily.files[kSectionMaster] = Text(MasterFileBytes(
        {Security(1, "ABC", "ABC CORP", 28, 7), Security(2, "XYZ", "XYZ LTD", 28, 7)}));
    daily.files[kSectionDat] = Text(PriceFileBytes(28, Records(40, 7)));
    seeds.emplace_back("seed-daily28", daily);

    FuzzCase dop = Request("widget corp", 5, 10, Rows(1));
    dop.files[kSectionMaster] = Text(MasterFileBytes({Security(1, "WDG", "WIDGET CORP", 20, 5)}));
    dop.files[kSectionDop] = "\"Date\",7,0\r\n\"High\",7,2\r\n\"Comment\",1,1\r\nnot quoted\r\n"
                             "\"Low\",7,2\r\n\"Close\",7,2\r\n\"Volume\",9,0\r\n";
    std::vector<PriceRecord> hlcv = Records(30, 6);
    for (PriceRecord& record : hlcv)
        record = {record[0], record[2], record[3], record[4], record[5]};
    dop.files[kSectionDat] = Text(PriceFileBytes(20, hlcv));
    seeds.emplace_back("seed-dop20-by-name", dop);

    FuzzCase sub = Request("GHI", 0, -1, kFuzzLowerCaseNames | kFuzzSwapSubdirectoryCase);
    sub.files[kSectionMaster] =
        Text(MasterFileBytes({Security(1, "DEF", "DEF INC", 28, 7), DirectoryEntry("SUB")}));
    sub.files[kSectionDat] = Text(PriceFileBytes(28, Records(3, 7)));
    sub.files[kSectionSubMaster] = Text(MasterFileBytes({Security(1, "GHI", "GHI PLC", 24, 6)}));
    sub.files[kSectionSubDat] = Text(PriceFileBytes(24, Records(50, 6)));
    seeds.emplace_back("seed-subdirectory", sub);

    FuzzCase twenty = Request("OHLC", -1, 5, Rows(2));
    twenty.files[kSectionMaster] = Text(MasterFileBytes({Security(1, "OHLC", "OHLC CO", 20, 5)}));
    twenty.files[kSectionDat] = Text(PriceFileBytes(20, Records(12, 5)));
    seeds.emplace_back("seed-twenty-no-dop", twenty);

    FuzzCase empty = Request("EMPTY", -1, 800);
    empty.files[kSectionMaster] = Text(MasterFileBytes({Security(1, "EMPTY", "EMPTY", 12, 3)}));
    empty.files[kSectionDat] = Text(PriceFileBytes(12, {}));
    seeds.emplace_back("seed-header-only", empty);

    FuzzCase intraday = Request("INTRA", -1, 800);
    Bytes master = MasterFileBytes({Security(1, "INTRA", "INTRADAY CO", 28, 7)});
    master[kMasterRecordSize + kMasterPeriodOffset] = 'I';
    intraday.files[kSectionMaster] = Text(master);
    std::vector<PriceRecord> ticks = Records(25, 7);
    for (std::size_t i = 0; i < ticks.size(); ++i)
        ticks[i][1] = static_cast<float>(93000 + 100 * i);
    intraday.files[kSectionDat] = Text(PriceFileBytes(28, ticks));
    seeds.emplace_back("seed-intraday", intraday);

    FuzzCase longPath = daily;
    longPath.flags = kFuzzLongPath | kFuzzEmptyFiles;
    longPath.files[kSectionDop] = ""; // an empty F1.DOP: no column at all
    seeds.emplace_back("seed-long-path-empty-dop", longPath);

    FuzzCase overstated = Request("OVER", 3, 800);
    overstated.files[kSectionMaster] =
        Text(MasterFileBytes({Security(1, "OVER", "OVERSTATED", 16, 4)}));
    overstated.files[kSectionDat] = Text(PriceFileBytes(16, Records(10, 4), 5000));
    seeds.emplace_back("seed-header-overstated", overstated);

    FuzzCase index = Request("ABC", -1, 800);
    index.files[kSectionMaster] = daily.files[kSectionMaster];
    index.files[kSectionDat] = daily.files[kSectionDat];
    IndexEntry abc{1, "ABC", "ABC CORP", "ABC CORPORATION OF THE WORLD"};
    IndexEntry xyz{2, "XYZ", "XYZ LTD", ""};
    index.files[kSectionEmaster] = Text(EmasterFileBytes({abc, xyz}));
    IndexEntry wide{256, "WIDE", "WIDE HOLDINGS CAF\xC9", ""};
    wide.fieldBits = 0xFF;
    wide.period = 'I';
    IndexEntry gone{3000, "GONE", "NO PRICE FILE", ""};
    index.files[kSectionXmaster] = Text(XmasterFileBytes({wide, gone}));
    std::vector<PriceRecord> minutes = Records(30, 8);
    for (std::size_t i = 0; i < minutes.size(); ++i)
        minutes[i][1] = static_cast<float>(93000 + 100 * i);
    index.files[kSectionMwd] = Text(PriceFileBytes(32, minutes));
    seeds.emplace_back("seed-emaster-xmaster", index);

    FuzzCase onlyX = index; // no MASTER and no EMASTER: the folder opens from XMASTER
    onlyX.flags = kFuzzLowerCaseNames;
    onlyX.files[kSectionMaster].reset();
    onlyX.files[kSectionDat].reset();
    onlyX.files[kSectionEmaster].reset();
    seeds.emplace_back("seed-xmaster-only", onlyX);

    return seeds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tickvane-fuzz-make-seeds <directory>\n");
        return 2;
    }
    std::string directory = argv[1];
    if (directory.back() != '/')
        directory += '/';
    for (const auto& [name, fuzzCase] : Seeds())
        WriteText(directory + name, EncodeFuzzCase(fuzzCase));
    return 0;
}
