#pragma once
// The input of the quote-directory fuzz target. One byte string holds a whole quote directory, so
// that libFuzzer can mutate files and request together: sections separated by kFuzzSeparator,
//
//   0  request: flags, start, count, moving-average period and start, then the symbol
//   1  MASTER
//   2  F1.DOP
//   3  F1.DAT
//   4  master of the subdirectory that the first <DIR> entry of section 1 names
//   5  F1.DAT of that subdirectory
//   6  F1.DOP of that subdirectory
//   7  EMASTER
//   8  XMASTER
//   9  F256.MWD
//
// A missing section means no file, and so does an empty one unless kFuzzEmptyFiles is set. The
// request section:
//
//   off 0  uint8  flags (kFuzzLowerCaseNames, ...)
//   off 1  int16  start     (little-endian)
//   off 3  int16  count     (little-endian)
//   off 5  uint8  moving-average period, taken modulo 50, plus 1
//   off 6  uint8  moving-average start row, taken modulo 8
//   off 7  ...    the symbol or name to look up
//
// Bytes missing at the end of the request count as zero.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr std::string_view kFuzzSeparator = "#TV#";

// Files are written as master, f1.dat, f1.dop, ... instead of MASTER, F1.DAT, F1.DOP, ...
constexpr std::uint8_t kFuzzLowerCaseNames = 0x01;
// The subdirectory is created with the case of its ASCII letters swapped.
constexpr std::uint8_t kFuzzSwapSubdirectoryCase = 0x02;
// The directory lies below a path long enough that its text exceeds the buffer's 70 characters.
constexpr std::uint8_t kFuzzLongPath = 0x04;
// Empty sections are written as empty files instead of being left out.
constexpr std::uint8_t kFuzzEmptyFiles = 0x20;
// Bits 3 and 4 choose the buffer's rows from kFuzzBufferRows.
constexpr int kFuzzRowsShift = 3;
constexpr int kFuzzBufferRows[4] = {800, 2400, 1, 0};

enum FuzzSection {
    kSectionRequest,
    kSectionMaster,
    kSectionDop,
    kSectionDat,
    kSectionSubMaster,
    kSectionSubDat,
    kSectionSubDop,
    kSectionEmaster,
    kSectionXmaster,
    kSectionMwd,
    kSectionCount
};

struct FuzzCase {
    std::uint8_t flags = 0;
    int start = -1;
    int count = 800;
    int period = 10;
    int movingStart = 0;
    std::string symbol;
    std::optional<std::string> files[kSectionCount]; // kSectionRequest unused
};

FuzzCase DecodeFuzzCase(const std::uint8_t* data, std::size_t size);
std::string EncodeFuzzCase(const FuzzCase& fuzzCase);
