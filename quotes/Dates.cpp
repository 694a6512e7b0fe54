#include "quotes/Dates.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Values beyond this cannot be dates or times; converting them to integers would overflow.
constexpr float kLargestField = 1.0e8f;

bool IsUsable(float value) {
    return std::isfinite(value) && std::fabs(value) < kLargestField;
}

inline std::int16_t DayNumber(int year, int month, int day) {
    if (month < 1 || month > 12)
        return 0;
    if (year > 1900)
        year -= 1900;
    int days = day + kDaysBeforeMonth[month - 1] + ((year - 61) * 1461) / 4;
    if (month > 2 && year % 4 == 0)
        ++days;
    return static_cast<std::int16_t>(days);
}

} // namespace

std::int16_t YymmddToDay(float value) {
    if (!IsUsable(value))
        return 0;
    // Whole values up to 6000000 (all the dates of a price file) give the same year, month and
    // day in integer arithmetic as in the float arithmetic below: no quotient comes close enough
    // to a whole number to round onto it.
    if (value >= 0 && value < 6000000.0f && value == static_cast<float>(static_cast<int>(value))) {
        int whole = static_cast<int>(value);
        if (whole / 10000 < 60)
            whole += 1000000;
        return DayNumber(whole / 10000, whole / 100 % 100, whole % 100);
    }
    float v = value;
    if (static_cast<int>(v / 10000) < 60)
        v += 1000000.0f;
    const auto year = static_cast<std::int16_t>(static_cast<int>(v / 10000));
    const float rest = v - static_cast<float>(year) * 10000;
    const auto month = static_cast<std::int16_t>(static_cast<int>(rest / 100));
    const auto day =
        static_cast<std::int16_t>(static_cast<int>(rest - static_cast<float>(month) * 100));
    if (month < 1 || month > 12)
        return 0;
    return YmdToDay(year, month, day);
}

std::int16_t YmdToDay(int year, int month, int day) {
    return DayNumber(year, month, day);
}

std::int16_t HhmmssToTime(float value) {
    if (!IsUsable(value))
        return 0;
    const int hours = static_cast<int>(value / 10000);
    const float rest = value - static_cast<float>(hours) * 10000;
    const int minutes = static_cast<int>(rest / 100);
    const int seconds = static_cast<int>(rest - static_cast<float>(minutes) * 100);
    return HmsToTime(hours, minutes, seconds);
}

std::int16_t HmsToTime(int hours, int minutes, int seconds) {
    return static_cast<std::int16_t>(hours * 1800 + minutes * 30 + seconds / 2);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

void DayToYmd(std::uint16_t dayNumber, int& year, int& month, int& day) {
    const int n = dayNumber;
    const int q = (4 * n - 1) / 1461;
    const int r = n - (q * 1461) / 4;
    year = q + 61;
    int before[12];
    for (int m = 0; m < 12; ++m)
        before[m] = kDaysBeforeMonth[m] + ((m >= 2 && year % 4 == 0) ? 1 : 0);
    int m = 11;
    while (m > 0 && r <= before[m])
        --m;
    day = r - before[m];
    month = m + 1;
}

const char* FormatDate(std::int16_t dayNumber, int mode, char separator) {
    static char text[48];
    int year = 0, month = 0, day = 0, yy = 0, cc = 0;
    if (dayNumber != 0) {
        DayToYmd(static_cast<std::uint16_t>(dayNumber), year, month, day);
        yy = year % 100;
        cc = year / 100 + 19;
    }
    const char s = separator;
    const int size = sizeof text;
    switch (mode) {
    case 1:
        std::snprintf(text, size, "%.2i%c%.2i%c%.2i", yy, s, month, s, day);
        break;
    case 2:
        std::snprintf(text, size, "%.2i%.2i%c%.2i%c%.2i", cc, yy, s, month, s, day);
        break;
    case 3:
        std::snprintf(text, size, "%.2i%c%.2i%c%.2i", month, s, day, s, yy);
        break;
    case 4:
        std::snprintf(text, size, "%.2i%c%.2i%c%.2i%.2i", month, s, day, s, cc, yy);
        break;
    case 5:
        std::snprintf(text, size, "%.2i%c%.2i%c%.2i", day, s, month, s, yy);
        break;
    case 6:
        std::snprintf(text, size, "%.2i%c%.2i%c%.2i%.2i", day, s, month, s, cc, yy);
        break;
    case 7:
        std::snprintf(text, size, "%.2i%.2i%.2i", yy, month, day);
        break;
    case 8:
        std::snprintf(text, size, "%.2i%.2i%.2i%.2i", cc, yy, month, day);
        break;
    case 9:
        std::snprintf(text, size, "%.2i%.2i%.2i", month, day, yy);
        break;
    case 10:
        std::snprintf(text, size, "%.2i%.2i%.2i%.2i", month, day, cc, yy);
        break;
    case 11:
        std::snprintf(text, size, "%.2i%.2i%.2i", day, month, yy);
        break;
    case 12:
        std::snprintf(text, size, "%.2i%.2i%.2i%.2i", day, month, cc, yy);
        break;
    default:
        text[0] = '\0';
        break;
    }
    return text;
}
