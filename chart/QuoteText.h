#pragma once
// One price record as text: the CSV rows of `tickvane-cli quotes` and of the exported history, and
// the dates and times of the chart's readout. Every value is the shortest text that reads back as
// the same float.

#include "quotes/QuoteBuffer.h"

#include <cstddef>
#include <cstdint>

// One record of a security, whatever holds it.
struct QuoteRecord {
    std::int16_t date = 0; // day number, 0 for none
    std::int16_t time = 0; // time number
    float open = 0, high = 0, low = 0, close = 0, volume = 0, openInterest = 0;
};

QuoteRecord RecordOf(const QuoteBuffer& buffer, int row);

constexpr char kQuoteCsvHeader[] = "date,time,open,high,low,close,volume,oi\n";
// Room that one CSV row needs at most: a date, a time and six floats with separators.
constexpr std::size_t kQuoteCsvRowRoom = 256;

// "2003-01-15"; nothing for day number 0. Writes at most 10 characters and gives the end.
char* PutIsoDate(char* out, std::int16_t day);
// "09:30:00". Writes 8 characters and gives the end.
char* PutTimeOfDay(char* out, std::int16_t time);
// date,time,open,high,low,close,volume,oi and a newline.
char* PutQuoteCsvRow(char* out, const QuoteRecord& record);
