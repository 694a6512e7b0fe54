#include "chart/ChartSeries.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHeightLimit = 1 << 20;

void Line(Surface& dc, int x1, int y1, int x2, int y2) {
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
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
                              int base, int x, int at) const {
    if (pen.smooth && m_dc.DrawsSmoothLines()) {
        double a = 0, b = 0;
        if (scale.ExactHeight(m_r.At(values, at), a) &&
            scale.ExactHeight(m_r.At(values, at - 1), b) && std::fabs(a) < kHeightLimit &&
            std::fabs(b) < kHeightLimit) {
            m_dc.SelectPen(pen);
            m_dc.SmoothLine(x - m_layout.s, base + b, x, base + a);
        }
        return;
    }
    int a = 0, b = 0;
    if (scale.Height(m_r.At(values, at), a) && scale.Height(m_r.At(values, at - 1), b)) {
        m_dc.SelectPen(pen);
        Line(m_dc, x, base + a, x - m_layout.s, base + b);
    }
}

void CSeriesPainter::Draw(const ChartSeries& series, const CPaneScale& scale, int base, int x,
                          int at, int i) const {
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
        DrawLine(series.values, series.pen, scale, base, x, at);
        if (series.kind == SeriesKind::Band && series.lower.pData)
            DrawLine(series.lower, series.pen, scale, base, x, at);
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
        if (scale.Height(m_r.At(series.values, at), height)) {
            m_dc.SelectPen(series.pen);
            Line(m_dc, x, base + height, x + 1, base + height);
        }
        break;
    }
}
