#pragma once
// The view options as they persist in section "ViewOptions" of the settings.
//
//   "HideBadData", "ShowVolume", "ShowMA1", "ShowMA2"  0 or 1
//   "BarSpace"                                         2..10
//   "MA1Length", "MA2Length"                           2..50
//   "Colors"   ten digits '0'..'7', the palette index of each colour item in item order
//   "MasterFix"                                        0 or 1, read when the chart object is made

#include <string_view>

class CBars;
class Settings;

constexpr char kViewOptionsSection[] = "ViewOptions";
constexpr int kMinBarSpace = 2;
constexpr int kMaxBarSpace = 10;
constexpr int kMinAverageLength = 2;
constexpr int kMaxAverageLength = 50;
// What a fresh chart object, a missing value and the dialog's "Default" button give.
constexpr int kDefaultBarSpace = 4;
constexpr int kDefaultMA1Length = 10;
constexpr int kDefaultMA2Length = 20;

// Hands the stored options to the chart object, as every opening of a MASTER does after the
// reset. Values outside the ranges above are clamped into them; a "Colors" text that is not ten
// palette digits is ignored as a whole, leaving the colours as they are.
void ApplyStoredViewOptions(CBars& bars, Settings& settings);

// Sets and commits the colours of a ten-digit "Colors" text; false (and nothing changed) for any
// other text.
bool ApplyColorsText(CBars& bars, std::string_view text);
