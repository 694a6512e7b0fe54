#pragma once
// Results of the quote data layer: 0 for success, -k for row k of the message table.

#include <cstdint>

using Status = std::int16_t;

constexpr Status kStatusSuccess = 0;
constexpr Status kStatusInvalidParm = -1;
constexpr Status kStatusFileOpen = -2;
constexpr Status kStatusMalloc = -3;
constexpr Status kStatusFileRead = -4;
constexpr Status kStatusFileWrite = -5;
constexpr Status kStatusFileSeek = -6;
constexpr Status kStatusFileExists = -7;
constexpr Status kStatusFileNotFound = -8;
constexpr Status kStatusRecordNotFound = -9;
// The columns of a price file cannot be determined (no F<n>.DOP and an unknown record length).
constexpr Status kStatusBadColumns = -100;

// The message text of a status; "Unknown" for anything outside 0 to -14 (-100 included).
const char* StatusText(int status);
