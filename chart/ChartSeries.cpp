#include "chart/ChartSeries.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHeightLimit = 1 << 20;

void Line(Surface& dc, int x1, int y1, int x2, int y2) {
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

// Cuts the segment from (x1, y1) to (x2, y2) to the heights 0 to `room`; false when no part of
// it lies there.
bool ClipToRoom(double& x1, double& y1, double& x2, double& y2, double room) {
    if ((y1 < 0 && y2 < 0) || (y1 > room && y2 > room))
        return false;
    const auto cut = [&](double& x, double& y, double xOther, double yOther) {
        const double edge = y < 0 ? 0 : room;
        x += (xOther - x) * (edge - y) / (yOther - y);
        y = edge;
    };
    if (y1 < 0 || y1 > room)
        cut(x1, y1, x2, y2);
    if (y2 < 0 || y2 > room)
        cut(x2, y2, x1, y1);
    return true;
}

} // namespace

bool CLinearScale::Height(float value, int& height) const {
    double exact = 0;
    if (!ExactHeight(value, exact))
        return false;
    height = static_cast<int>(std::clamp(std::trunc(exact), -kHeightLimit, kHeightLimit));
    return true;
}

bool CLinearScale::ExactHeight(float value, double& height) const {
    if (!std::isfinite(value))
        return false;
    if (!(m_dMax > m_dMin)) {
        height = m_nHeight / 2;
        return true;
    }
    height = (double(value) - m_dMin) / (m_dMax - m_dMin) * m_nHeight;
    return true;
}

void CSeriesPainter::DrawLine(const ValueColumn& values, const Pen& pen, const CPaneScale& scale,
                              int base, int x, int at, int room) const {
    if (pen.smooth && m_dc.DrawsSmoothLines()) {
        double a = 0, b = 0;
        if (scale.ExactHeight(m_r.At(values, at), a) &&
            scale.ExactHeight(m_r.At(values, at - 1), b) && std::fabs(a) < kHeightLimit &&
            std::fabs(b) < kHeightLimit) {
            double xa = x, xb = x - m_layout.s;
            if (room > 0 && !ClipToRoom(xa, a, xb, b, room))
                return;
            m_dc.SelectPen(pen);
            m_dc.SmoothLine(xb, base + b, xa, base + a);
        }
        return;
    }
    int a = 0, b = 0;
    if (!scale.Height(m_r.At(values, at), a) || !scale.Height(m_r.At(values, at - 1), b))
        return;
    int xa = x, xb = x - m_layout.s;
    if (room > 0 && (a < 0 || a > room || b < 0 || b > room)) {
        double xA = xa, yA = a, xB = xb, yB = b;
        if (!ClipToRoom(xA, yA, xB, yB, room))
            return;
        xa = int(std::lround(xA)), a = int(std::lround(yA));
        xb = int(std::lround(xB)), b = int(std::lround(yB));
    }
    m_dc.SelectPen(pen);
    Line(m_dc, xa, base + a, xb, base + b);
}

void CSeriesPainter::Draw(const ChartSeries& series, const CPaneScale& scale, int base, int x,
                          int at, int i, int room) const {
    if (i < series.nFirst || !series.values.pData)
        return;
    int height = 0;
    switch (series.kind) {
    case SeriesKind::Line:
    case SeriesKind::Band:
        // A segment needs the value before; the first record of the source has none, and where
        // slots join records the slot before may end before the series has values.
        if (i < 1 || m_r.SourceIndex(at - 1) < series.nFirst - 1)
            break;
        DrawLine(series.values, series.pen, scale, base, x, at, room);
        if (series.kind == SeriesKind::Band && series.lower.pData)
            DrawLine(series.lower, series.pen, scale, base, x, at, room);
        break;
    case SeriesKind::Histogram:
        if (scale.Height(series.bShownValues ? series.values[at] : m_r.At(series.values, at),
                         height)) {
            int zero = 0;
            scale.Height(0, zero);
            m_dc.SelectPen(series.pFallingPen && !m_r.Rising(at) ? *series.pFallingPen
                                                                 : series.pen);
            Line(m_dc, x, base + std::max(zero, 0), x, base + height);
        }
        break;
    case SeriesKind::Dots:
        if (scale.Height(m_r.At(series.values, at), height) &&
            (room <= 0 || (height >= 0 && height <= room))) {
            m_dc.SelectPen(series.pen);
            Line(m_dc, x, base + height, x + 1, base + height);
        }
        break;
    }
}
