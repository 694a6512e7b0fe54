#include "chart/ChartOptions.h"

#include "platform/Settings.h"

namespace {

constexpr std::string_view kStyleNames[] = {"bars", "ohlc", "candles", "line"};
constexpr std::string_view kPeriodNames[] = {"stored", "daily", "weekly", "monthly"};

// The value if it lies in 0..count-1, else the default.
int ReadChoice(Settings& settings, std::string_view name, int count, int byDefault = 0) {
    const int value = settings.ReadInt(kChartSection, name, byDefault);
    return value >= 0 && value < count ? value : byDefault;
}

constexpr int kPaletteColors = 8;

template <typename Choice, std::size_t Count>
bool ParseName(std::string_view name, const std::string_view (&names)[Count], Choice& choice) {
    for (std::size_t i = 0; i < Count; ++i)
        if (names[i] == name) {
            choice = static_cast<Choice>(i);
            return true;
        }
    return false;
}

} // namespace

ChartOptions LoadChartOptions(Settings& settings) {
    ChartOptions options;
    options.style = static_cast<ChartStyle>(ReadChoice(settings, "Style", 4));
    options.bLogScale = ReadChoice(settings, "LogScale", 2) != 0;
    options.period = static_cast<ChartPeriod>(ReadChoice(settings, "Period", 4));
    options.bGrid = ReadChoice(settings, "Grid", 2) != 0;
    options.bAxisLabels = ReadChoice(settings, "AxisLabels", 2) != 0;
    options.bColorByDirection = ReadChoice(settings, "ColorByDirection", 2) != 0;
    options.nUpColor = ReadChoice(settings, "UpColor", kPaletteColors, kDefaultUpColor);
    options.nDownColor = ReadChoice(settings, "DownColor", kPaletteColors, kDefaultDownColor);
    return options;
}

bool StoreChartOptions(Settings& settings, const ChartOptions& options) {
    bool stored = settings.WriteInt(kChartSection, "Style", static_cast<int>(options.style));
    stored = settings.WriteInt(kChartSection, "LogScale", options.bLogScale ? 1 : 0) && stored;
    stored = settings.WriteInt(kChartSection, "Period", static_cast<int>(options.period)) && stored;
    stored = settings.WriteInt(kChartSection, "Grid", options.bGrid ? 1 : 0) && stored;
    stored = settings.WriteInt(kChartSection, "AxisLabels", options.bAxisLabels ? 1 : 0) && stored;
    stored =
        settings.WriteInt(kChartSection, "ColorByDirection", options.bColorByDirection ? 1 : 0) &&
        stored;
    stored = settings.WriteInt(kChartSection, "UpColor", options.nUpColor) && stored;
    return settings.WriteInt(kChartSection, "DownColor", options.nDownColor) && stored;
}

bool ParseChartStyle(std::string_view name, ChartStyle& style) {
    return ParseName(name, kStyleNames, style);
}

bool ParseChartPeriod(std::string_view name, ChartPeriod& period) {
    return ParseName(name, kPeriodNames, period);
}
