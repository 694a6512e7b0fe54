#pragma once
// Day numbers count days from 1960-12-31 (1961-01-01 is 1, 2050-09-17 the last at 32767); 0 means
// no date. Time numbers count two-second units from midnight, kept as a 16-bit pattern.

#include <cstdint>

// YYMMDD (years 00..59 are 2000..2059) or 1YYMMDD as stored in price files. A value that names no
// month (an all-zero record, a missing column) gives 0.
std::int16_t YymmddToDay(float value);
// `year` is counted from 1900 or given in full (103 and 2003 both mean 2003); month 1 to 12.
std::int16_t YmdToDay(int year, int month, int day);

std::int16_t HhmmssToTime(float value);
std::int16_t HmsToTime(int hours, int minutes, int seconds);

// Days of a month of the calendar (year given in full, month 1..12), leap years as the calendar
// has them, so that 2100 has no February 29.
int DaysInMonth(int year, int month);

// For day numbers 1 to 65535 taken unsigned: year counted from 1900, month 1..12, day 1..31.
void DayToYmd(std::uint16_t dayNumber, int& year, int& month, int& day);

// Formats a day number in layout `mode` 1..12 (see Dates.cpp); any other mode gives an empty
// text. The text lives in one buffer that the next call overwrites.
const char* FormatDate(std::int16_t dayNumber, int mode, char separator);
