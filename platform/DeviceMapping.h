#pragma once
// The mapping of logical to device coordinates that every drawing surface applies, and that
// whatever must find a drawn point again (the crosshair) applies too: one rule, so that nothing
// drifts off what was drawn.
//
// In the anisotropic mapping a logical point (x, y) lands on the device at
//   (viewportOrg.x + x * viewportExt.cx / windowExt.cx, viewportOrg.y + y * viewportExt.cy /
//   windowExt.cy), each quotient rounded half away from zero,
// so a negative viewport height makes y grow upward. In the text mapping (the initial one)
// logical and device units are the same. The extents can be set only in the anisotropic mapping;
// zero extents are refused; going back to the text mapping resets them to 1 x 1.

#include "platform/Geometry.h"

enum class MapMode { Text, Anisotropic };

// v * num / den rounded half away from zero, as the device context rounds its mapping. The
// product is exact in a double, so a quotient that lies exactly halfway stays halfway.
int ScaleRounded(int v, int num, int den);

class CDeviceMapping {
public:
    // Each gives true when the mapping changed.
    bool SetMapMode(MapMode mode);
    bool SetWindowExt(int cx, int cy);
    bool SetViewportExt(int cx, int cy);
    bool SetViewportOrg(int x, int y);

    MapMode Mode() const { return m_mode; }
    CSize WindowExt() const { return m_szWindow; }
    CSize ViewportExt() const { return m_szViewport; }
    CPoint ViewportOrg() const { return m_ptOrigin; }

    CPoint ToDevice(int x, int y) const;
    // Device units a logical unit spans along each axis, without sign.
    double ScaleX() const;
    double ScaleY() const;
    // The logical x of a device x, not rounded.
    double ToLogicalX(double xDevice) const;
    double ToLogicalY(double yDevice) const;

private:
    MapMode m_mode = MapMode::Text;
    CSize m_szWindow{1, 1};
    CSize m_szViewport{1, 1};
    CPoint m_ptOrigin;
};
