// The display side of the chart object: construction, the view options and the colours.

#include "chart/Bars.h"
#include "chart/ViewOptions.h"
#include "platform/SafeFiles.h"
#include "platform/Settings.h"
#include "quotes/MovingAverage.h"

#include <algorithm>

namespace {

const char* const kItemNames[kColorItemCount] = {
    "Background",       "Axes",       "High-Low Bar",    "Close Tick",
    "Normal Text",      "Title Text", "Close Tick Text", "Moving Average 1",
    "Moving Average 2", "Volume"};
// Printed charts are black on white with blue close ticks, whatever the screen shows.
constexpr int kPrintIndexes[kColorItemCount] = {7, 0, 0, 1, 0, 0, 1, 0, 0, 0};
constexpr int kScreenDefaults[kColorItemCount] = {0, 7, 2, 3, 7, 3, 3, 4, 1, 4};

bool IsItem(int item) {
    return item >= 0 && item < kColorItemCount;
}
bool IsPaletteIndex(int index) {
    return index >= 0 && index < kPaletteSize;
}

} // namespace

CBars::CBars(Settings& settings, MessageService& messages)
    : m_bMasterFix(0), m_settings(settings), m_pMessages(&messages),
      m_fnReplaceFile(ReplaceFile), m_quotes{}, m_ma1{}, m_ma2{}, m_window(*this) {
    m_bBuffersAllocated = 0;
    ResetDefaults();
    for (int k = 0; k < kPaletteSize; ++k) // index k = 4r + 2g + b
        m_crPalette[k] = Rgb(k & 4 ? 255 : 0, k & 2 ? 255 : 0, k & 1 ? 255 : 0);
    std::copy_n(kPrintIndexes, kColorItemCount, m_nPrintColors);
    std::copy_n(kScreenDefaults, kColorItemCount, m_nScreenColors);
    std::copy_n(m_nScreenColors, kColorItemCount, m_nWorkColors);
    std::copy_n(kItemNames, kColorItemCount, m_strItemNames);
    m_bMasterFix = m_settings.ReadInt("ViewOptions", "MasterFix", 0);
}

CBars::~CBars() {
    FreeBuffers();
}

void CBars::ResetDefaults() {
    ResetDirectory();
    m_bHideBadData = 0;
    m_bShowVolume = 1;
    m_bShowMA1 = 1;
    m_bShowMA2 = 1;
    m_nBarSpace = kDefaultBarSpace;
    m_nMA1Length = kDefaultMA1Length;
    m_nMA2Length = kDefaultMA2Length;
}

void CBars::SetBarSpace(int space) {
    m_nBarSpace = std::max(space, 1);
}

void CBars::SetMA1Length(int length) {
    m_nMA1Length = std::max(length, 1);
    if (m_bBuffersAllocated)
        MovingAverage(m_quotes.close, m_ma1, m_nMA1Length, 0);
    m_window.AveragesChanged();
}

void CBars::SetMA2Length(int length) {
    m_nMA2Length = std::max(length, 1);
    if (m_bBuffersAllocated)
        MovingAverage(m_quotes.close, m_ma2, m_nMA2Length, 0);
    m_window.AveragesChanged();
}

int CBars::SetWorkColor(int item, int paletteIndex) {
    if (IsItem(item) && IsPaletteIndex(paletteIndex))
        m_nWorkColors[item] = paletteIndex;
    return item;
}

int CBars::GetWorkColor(int item) const {
    return IsItem(item) ? m_nWorkColors[item] : 0;
}

COLORREF CBars::GetWorkColorRGB(int item) const {
    return GetPaletteColor(GetWorkColor(item));
}

void CBars::CommitColors() {
    std::copy_n(m_nWorkColors, kColorItemCount, m_nScreenColors);
}

COLORREF CBars::GetPaletteColor(int paletteIndex) const {
    return IsPaletteIndex(paletteIndex) ? m_crPalette[paletteIndex] : m_crPalette[0];
}

const std::string& CBars::GetItemName(int item) const {
    static const std::string kNone;
    return IsItem(item) ? m_strItemNames[item] : kNone;
}

int CBars::PaletteIndex(int item, bool printing) const {
    return printing ? m_nPrintColors[item] : m_nScreenColors[item];
}

void CBars::SetFrameSizeProvider(std::function<CSize()> provider) {
    m_fnFrameSize = std::move(provider);
}
