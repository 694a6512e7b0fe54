#pragma once
// What a table of a whole folder shows of each security: its first and last dates, how many
// records it has, its last close, the change against the close before it and its last volume.
// Every value is the stored number; only the change is computed.

#include "platform/FolderFiles.h"
#include "quotes/PriceFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct SecurityFigures {
    long long records = 0; // data records, as the header counts them within the file
    // The stored values of the first and last records; meaningful only when records > 0, and
    // each only when the security stores that column.
    float firstDate = 0;
    float lastDate = 0;
    float lastClose = 0;
    float previousClose = 0; // records > 1
    float lastVolume = 0;
    bool hasClose = false;
    bool hasVolume = false;
};

// The last close against the one before, in percent; nothing without two closes or with a
// previous close that is not above 0.
std::optional<double> ChangePercent(const SecurityFigures& figures);

// Reads the figures of the security whose price file `source` describes in the folder `files`,
// through `block` (at least one record). False with the reason in words ("F3.DAT is missing")
// when its file cannot be read; a file that ends early gives the figures of its whole records.
bool ReadSecurityFigures(const CFolderFiles& files, const PriceSource& source, std::uint8_t* block,
                         std::size_t blockSize, SecurityFigures& figures, std::string& problem);
