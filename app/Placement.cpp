#include "app/Placement.h"

#include "platform/Settings.h"

#include <algorithm>

namespace {

constexpr char kScreenSection[] = "Screen";
constexpr char kPanelSection[] = "SecuritiesPanel";

// The factor is single precision: 800 * 0.9f is 719.99998, so a work area 800 wide gives 719.
int NinetyPercent(int size) {
    return static_cast<int>(static_cast<double>(size) * static_cast<double>(0.9f));
}

} // namespace

WindowPlacement StartPlacement(const WindowPlacement& stored, CSize workArea) {
    const int W = workArea.cx;
    const int H = workArea.cy;
    if (stored.cx > 0 && stored.cy > 0 && stored.x >= 0 && stored.y >= 0 && stored.cx <= W &&
        stored.cy <= H && stored.x <= W && stored.y <= H)
        return stored;
    WindowPlacement placement;
    placement.cx = NinetyPercent(W);
    placement.cy = NinetyPercent(H);
    placement.x = (W - placement.cx) / 2;
    placement.y = (H - placement.cy) / 2;
    return placement;
}

WindowPlacement PlacementToStore(const WindowPlacement& window, CSize workArea) {
    WindowPlacement placement = window;
    placement.x = std::max(placement.x, 0);
    placement.y = std::max(placement.y, 0);
    placement.cx = std::min(placement.cx, workArea.cx);
    placement.cy = std::min(placement.cy, workArea.cy);
    return placement;
}

WindowPlacement ReadPlacement(Settings& settings) {
    WindowPlacement placement;
    placement.x = settings.ReadInt(kScreenSection, "x", 0);
    placement.y = settings.ReadInt(kScreenSection, "y", 0);
    placement.cx = settings.ReadInt(kScreenSection, "cx", 0);
    placement.cy = settings.ReadInt(kScreenSection, "cy", 0);
    return placement;
}

void WritePlacement(Settings& settings, const WindowPlacement& placement) {
    settings.WriteInt(kScreenSection, "x", placement.x);
    settings.WriteInt(kScreenSection, "y", placement.y);
    settings.WriteInt(kScreenSection, "cx", placement.cx);
    settings.WriteInt(kScreenSection, "cy", placement.cy);
}

PanelPlacement ReadPanelPlacement(Settings& settings) {
    PanelPlacement placement;
    placement.visible = settings.ReadInt(kPanelSection, "Visible", 0) != 0;
    const int area = settings.ReadInt(kPanelSection, "Area", placement.area);
    if (area == 1 || area == 2 || area == 4 || area == 8)
        placement.area = area;
    placement.floating = settings.ReadInt(kPanelSection, "Floating", 0) != 0;
    placement.x = settings.ReadInt(kPanelSection, "x", 0);
    placement.y = settings.ReadInt(kPanelSection, "y", 0);
    placement.cx = std::max(settings.ReadInt(kPanelSection, "cx", 0), 0);
    placement.cy = std::max(settings.ReadInt(kPanelSection, "cy", 0), 0);
    return placement;
}

void WritePanelPlacement(Settings& settings, const PanelPlacement& placement) {
    settings.WriteInt(kPanelSection, "Visible", placement.visible ? 1 : 0);
    settings.WriteInt(kPanelSection, "Area", placement.area);
    settings.WriteInt(kPanelSection, "Floating", placement.floating ? 1 : 0);
    settings.WriteInt(kPanelSection, "x", placement.x);
    settings.WriteInt(kPanelSection, "y", placement.y);
    settings.WriteInt(kPanelSection, "cx", placement.cx);
    settings.WriteInt(kPanelSection, "cy", placement.cy);
}
