#include "platform/DeviceMapping.h"

#include <algorithm>
#include <cstdlib>

int ScaleRounded(int v, int num, int den) {
    const double q = std::clamp(static_cast<double>(v) * num / den, -1e9, 1e9);
    return q >= 0 ? static_cast<int>(q + 0.5) : -static_cast<int>(-q + 0.5);
}

bool CDeviceMapping::SetMapMode(MapMode mode) {
    if (mode == MapMode::Text)
        m_szWindow = m_szViewport = CSize{1, 1};
    m_mode = mode;
    return true;
}

bool CDeviceMapping::SetWindowExt(int cx, int cy) {
    if (m_mode != MapMode::Anisotropic || cx == 0 || cy == 0)
        return false;
    m_szWindow = CSize{cx, cy};
    return true;
}

bool CDeviceMapping::SetViewportExt(int cx, int cy) {
    if (m_mode != MapMode::Anisotropic || cx == 0 || cy == 0)
        return false;
    m_szViewport = CSize{cx, cy};
    return true;
}

bool CDeviceMapping::SetViewportOrg(int x, int y) {
    m_ptOrigin = CPoint{x, y};
    return true;
}

CPoint CDeviceMapping::ToDevice(int x, int y) const {
    if (m_mode == MapMode::Text)
        return CPoint{m_ptOrigin.x + x, m_ptOrigin.y + y};
    return CPoint{m_ptOrigin.x + ScaleRounded(x, m_szViewport.cx, m_szWindow.cx),
                  m_ptOrigin.y + ScaleRounded(y, m_szViewport.cy, m_szWindow.cy)};
}

double CDeviceMapping::ScaleX() const {
    return std::abs(static_cast<double>(m_szViewport.cx) / m_szWindow.cx);
}

double CDeviceMapping::ScaleY() const {
    return std::abs(static_cast<double>(m_szViewport.cy) / m_szWindow.cy);
}

double CDeviceMapping::ToLogicalX(double xDevice) const {
    return (xDevice - m_ptOrigin.x) * m_szWindow.cx / m_szViewport.cx;
}

double CDeviceMapping::ToLogicalY(double yDevice) const {
    return (yDevice - m_ptOrigin.y) * m_szWindow.cy / m_szViewport.cy;
}
