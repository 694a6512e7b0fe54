#pragma once
// How the chart draws its bars beyond the view options: the style of a bar, the price scale, the
// period a bar stands for and the grid. They persist in section "Chart" of the settings, never in
// "ViewOptions", each as decimal text:
//
//   "Style"     0 high-low bars with a close tick, 1 OHLC bars, 2 candlesticks, 3 close line
//   "LogScale"  0 linear, 1 logarithmic
//   "Period"    0 as stored, 1 daily, 2 weekly, 3 monthly
//   "Grid"      0 off, 1 on
//   "AxisLabels"        0 off, 1 on: dates under the chart, prices at the grid's steps
//   "ColorByDirection"  0 off, 1 on: rising and falling bars in colours of their own
//   "UpColor", "DownColor"  their palette indexes 0..7, green (2) and red (4) by default
//
// A missing value, or one outside its range, gives the default 0: with every value at its default
// the chart is the one the program always drew.

#include <string_view>

class Settings;

enum class ChartStyle { Bars, Ohlc, Candles, Line };
enum class ChartPeriod { Stored, Daily, Weekly, Monthly };

constexpr int kDefaultUpColor = 2;
constexpr int kDefaultDownColor = 4;

struct ChartOptions {
    ChartStyle style = ChartStyle::Bars;
    bool bLogScale = false;
    ChartPeriod period = ChartPeriod::Stored;
    bool bGrid = false;
    bool bAxisLabels = false;
    bool bColorByDirection = false;
    int nUpColor = kDefaultUpColor;
    int nDownColor = kDefaultDownColor;
    bool operator==(const ChartOptions&) const = default;
};

constexpr char kChartSection[] = "Chart";

ChartOptions LoadChartOptions(Settings& settings);
// Writes every value; false when the store refused one.
bool StoreChartOptions(Settings& settings, const ChartOptions& options);

// The names the command line takes: bars, ohlc, candles, line; stored, daily, weekly, monthly.
bool ParseChartStyle(std::string_view name, ChartStyle& style);
bool ParseChartPeriod(std::string_view name, ChartPeriod& period);
