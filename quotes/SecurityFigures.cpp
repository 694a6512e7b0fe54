#include "quotes/SecurityFigures.h"

#include "platform/FileNames.h"
#include "platform/RegularFile.h"
#include "quotes/Mbf.h"
#include "quotes/PriceRecordReader.h"

#include <algorithm>
#include <cmath>

std::optional<double> ChangePercent(const SecurityFigures& figures) {
    if (figures.records < 2 || !figures.hasClose || !(figures.previousClose > 0) ||
        !std::isfinite(figures.lastClose) || !std::isfinite(figures.previousClose))
        return std::nullopt;
    return (double(figures.lastClose) - double(figures.previousClose)) /
           double(figures.previousClose) * 100.0;
}

bool ReadSecurityFigures(const CFolderFiles& files, const PriceSource& source, std::uint8_t* block,
                         std::size_t blockSize, SecurityFigures& figures, std::string& problem) {
    figures = SecurityFigures();
    const std::string file = PriceDataFileName(source);
    const int length = source.recordLength;
    if (length < kMinRecordLength || length > kMaxRecordLength) {
        problem = "its records of " + std::to_string(length) + " bytes cannot be read";
        return false;
    }
    std::int16_t columns[kColumnCount], first[kColumnCount], second[kColumnCount];
    if (SourceColumns(files, source, columns, first, second) != kStatusSuccess) {
        problem = "the columns of " + file + " cannot be determined";
        return false;
    }
    CPriceRecordReader reader(source, block, blockSize);
    if (!reader.Open(files)) {
        const std::string name = ExistingNameNoCase(files.Directory(), file);
        problem = name.empty() ? file + " is missing"
                               : name + " is " + UnreadableReason(files.Directory() + name);
        return false;
    }
    const int fields = std::min(source.fieldCount, length / 4);
    auto offset = [&](int column) {
        return columns[column] >= 1 && columns[column] <= fields ? 4 * (columns[column] - 1) : -1;
    };
    const int date = offset(kColDate), close = offset(kColClose), volume = offset(kColVol);
    figures.hasClose = close >= 0;
    figures.hasVolume = volume >= 0;
    long long given = 0;
    const auto outcome = reader.ReadAll(
        [&](const std::uint8_t* records, std::size_t count) {
            for (std::size_t k = 0; k < count; ++k) {
                const std::uint8_t* record = records + k * static_cast<std::size_t>(length);
                if (figures.records++ == 0 && date >= 0)
                    figures.firstDate = MbfToFloat(record + date);
                if (date >= 0)
                    figures.lastDate = MbfToFloat(record + date);
                if (close >= 0) {
                    figures.previousClose = figures.lastClose;
                    figures.lastClose = MbfToFloat(record + close);
                }
                if (volume >= 0)
                    figures.lastVolume = MbfToFloat(record + volume);
            }
            return true;
        },
        given);
    if (outcome == CPriceRecordReader::Outcome::kNoHeader) {
        problem = file + " is shorter than its header";
        return false;
    }
    return true;
}
