#pragma once
// What the user draws on a chart: lines, levels, rectangles, Fibonacci retracements and notes.
// Their points are dates (with a time of day for intraday bars) and prices, not pixels, so that a
// drawing stays on its bars however the chart is scrolled, zoomed, sized, scaled or grouped.

#include "platform/Geometry.h"
#include "platform/Json.h"
#include "platform/Surface.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class DrawingType { TrendLine, HLine, VLine, Rectangle, Fibonacci, Note, Unknown };

// A day as a count of days from 1970-01-01 in the proportional Gregorian calendar, which reaches
// past the quote files' own day numbers (1961 to 2050) both ways.
int SerialOfYmd(int year, int month, int day);
void YmdOfSerial(int serial, int& year, int& month, int& day);
// The serial day of a price file's day number (taken unsigned, as the files store them).
int SerialOfDayNumber(std::int16_t dayNumber);
// 0 Monday .. 6 Sunday.
int WeekdayOfSerial(int serial);

struct DrawingPoint {
    int nDay = 0;      // serial day
    int nSeconds = -1; // seconds since midnight; -1 for a daily bar, which has no time
    double dPrice = 0;
    bool operator==(const DrawingPoint&) const = default;
};

// "2006-01-03" and "" or "09:30:00"; false for any other text.
bool ParseDrawingDate(std::string_view text, int& serial);
bool ParseDrawingTime(std::string_view text, int& seconds);
std::string DrawingDateText(int serial);
std::string DrawingTimeText(int seconds);

struct Drawing {
    DrawingType type = DrawingType::TrendLine;
    std::vector<DrawingPoint> points;
    COLORREF color = Rgb(255, 0, 0);
    int nWidth = 1; // 1 to 10; 1 is one device pixel
    LineStyle style = LineStyle::Solid;
    bool bExtend = false; // a trend line runs on past its second point to the chart's edge
    std::string text;     // a note's
    // The drawing as the file had it: members this program does not know are written back from
    // here, and a drawing of an unknown type is kept whole.
    CJsonValue raw;
    bool operator==(const Drawing& other) const;
};

// "trendline", "hline", ...; empty for Unknown.
std::string_view DrawingTypeName(DrawingType type);
DrawingType DrawingTypeOfName(std::string_view name);
std::string_view LineStyleName(LineStyle style);
// The points a drawing of `type` has: 1 for levels, vertical lines and notes, else 2.
int PointCount(DrawingType type);

// "#RRGGBB" both ways.
std::string ColorText(COLORREF color);
bool ParseColorText(std::string_view text, COLORREF& color);

// The Fibonacci retracement's levels in percent of the move from the first point to the second:
// 0 at the second point's price, 100 at the first's.
constexpr std::array<double, 7> kFibonacciLevels = {0, 23.6, 38.2, 50, 61.8, 78.6, 100};
double FibonacciPrice(const Drawing& drawing, double percent);
// "61.8% 12.34": a level and its price, with the price's decimals.
std::string FibonacciLabel(double percent, double price);
// A price as the drawings label it: two decimals, more for prices below 1.
std::string DrawingPriceText(double price);

// A drawing as a JSON object, starting from what it was read from; and back. Reading refuses
// (false, `problem` saying why) an object whose known members are unusable; a type it does not
// know gives an Unknown drawing that keeps the object.
CJsonValue DrawingToJson(const Drawing& drawing);
bool DrawingFromJson(const CJsonValue& object, Drawing& drawing, std::string& problem);
