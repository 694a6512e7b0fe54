#include "chart/ChartOptions.h"

#include "platform/Settings.h"

namespace {

constexpr std::string_view kStyleNames[] = {"bars", "ohlc", "candles", "line"};
constexpr std::string_view kPeriodNames[] = {"stored", "daily", "weekly", "monthly"};

// The value if it lies in 0..count-1, else 0.
int ReadChoice(Settings& settings, std::string_view name, int count) {
    const int value = settings.ReadInt(kChartSection, name, 0);
    return value >= 0 && value < count ? value : 0;
}

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
    return options;
}

bool StoreChartOptions(Settings& settings, const ChartOptions& options) {
    bool stored = settings.WriteInt(kChartSection, "Style", static_cast<int>(options.style));
    stored = settings.WriteInt(kChartSection, "LogScale", options.bLogScale ? 1 : 0) && stored;
    stored = settings.WriteInt(kChartSection, "Period", static_cast<int>(options.period)) && stored;
    return settings.WriteInt(kChartSection, "Grid", options.bGrid ? 1 : 0) && stored;
}

bool ParseChartStyle(std::string_view name, ChartStyle& style) {
    return ParseName(name, kStyleNames, style);
}

bool ParseChartPeriod(std::string_view name, ChartPeriod& period) {
    return ParseName(name, kPeriodNames, period);
}
