#pragma once
// Where the main frame opens and what it remembers of its place: section "Screen" of the settings
// with "x", "y", "cx" and "cy", the outer rectangle of the window in screen coordinates. The
// securities panel's place is section "SecuritiesPanel": "Visible", "Area" (the side of the
// window it is docked at: 1 left, 2 right, 4 top, 8 bottom), "Floating", and its size and, when it
// floats, its rectangle in "x", "y", "cx" and "cy".

#include "platform/Geometry.h"

class Settings;

struct WindowPlacement {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    bool operator==(const WindowPlacement&) const = default;
};

// The placement to open with, given the stored one and the size of the work area (the screen
// without the task bar). A stored placement is kept when its size is positive and neither its
// size nor its corner lies beyond the work area's size; the far edges are not tested. Otherwise
// the window covers 90 % of the work area each way, centred on a rectangle of the work area's size
// at the screen origin.
WindowPlacement StartPlacement(const WindowPlacement& stored, CSize workArea);

// What is stored for the window's rectangle: the corner no further left or up than the origin,
// the size no larger than the work area.
WindowPlacement PlacementToStore(const WindowPlacement& window, CSize workArea);

WindowPlacement ReadPlacement(Settings& settings);
void WritePlacement(Settings& settings, const WindowPlacement& placement);

struct PanelPlacement {
    bool visible = false;
    int area = 2; // right of the chart
    bool floating = false;
    int x = 0;
    int y = 0;
    int cx = 0; // 0: the panel's own size
    int cy = 0;
    bool operator==(const PanelPlacement&) const = default;
};

// An area that is none of the four sides reads as the right side.
PanelPlacement ReadPanelPlacement(Settings& settings);
void WritePanelPlacement(Settings& settings, const PanelPlacement& placement);
