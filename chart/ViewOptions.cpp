#include "chart/ViewOptions.h"

#include "chart/Bars.h"
#include "platform/Settings.h"

#include <algorithm>
#include <string>

namespace {

int ReadClamped(Settings& settings, const char* name, int defaultValue, int low, int high) {
    return std::clamp(settings.ReadInt(kViewOptionsSection, name, defaultValue), low, high);
}

} // namespace

void ApplyStoredViewOptions(CBars& bars, Settings& settings) {
    bars.SetHideBadData(ReadClamped(settings, "HideBadData", 0, 0, 1));
    bars.SetShowVolume(ReadClamped(settings, "ShowVolume", 1, 0, 1));
    bars.SetShowMA1(ReadClamped(settings, "ShowMA1", 1, 0, 1));
    bars.SetShowMA2(ReadClamped(settings, "ShowMA2", 1, 0, 1));
    bars.SetBarSpace(
        ReadClamped(settings, "BarSpace", kDefaultBarSpace, kMinBarSpace, kMaxBarSpace));
    bars.SetMA1Length(ReadClamped(settings, "MA1Length", kDefaultMA1Length, kMinAverageLength,
                                  kMaxAverageLength));
    bars.SetMA2Length(ReadClamped(settings, "MA2Length", kDefaultMA2Length, kMinAverageLength,
                                  kMaxAverageLength));
    ApplyColorsText(bars, settings.ReadString(kViewOptionsSection, "Colors", ""));
}

bool ApplyColorsText(CBars& bars, std::string_view text) {
    if (text.size() != kColorItemCount ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '7'; }))
        return false;
    for (int item = 0; item < kColorItemCount; ++item)
        bars.SetWorkColor(item, text[static_cast<std::size_t>(item)] - '0');
    bars.CommitColors();
    return true;
}
