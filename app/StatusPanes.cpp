#include "app/StatusPanes.h"

#include "platform/Surface.h"
#include "qt/QPainterSurface.h"

#include <QPainter>

#include <cmath>
#include <cstdio>

namespace {

constexpr COLORREF kDarkBlue = Rgb(0, 0, 128);
constexpr COLORREF kYellow = Rgb(255, 255, 0);
constexpr double kPi = 3.1415926535;

} // namespace

std::string SymbolPaneText(int count, int current) {
    if (count == 0)
        return "No Symbols Read";
    char text[64];
    std::snprintf(text, sizeof text, "Symbol %d of %d", current + 1, count);
    return text;
}

CPoint IndicatorPoint(const CRect& r, double degrees) {
    const int w = r.Width();
    const int h = r.Height();
    const double a = degrees * kPi / 180;
    const CPoint centre{r.left + w / 2, r.top + h / 2};
    const int dx = static_cast<int>(std::trunc(w * std::cos(a) / 2.0));
    const int dy = static_cast<int>(std::trunc(h * -std::sin(a))) / 2;
    return CPoint{centre.x + dx, centre.y + dy};
}

void DrawPositionIndicator(Surface& dc, const CRect& r, int count, int current) {
    const Pen bluePen{kDarkBlue, 0};
    const Pen yellowPen{kYellow, 0};
    const Pen previousPen = dc.SelectPen(bluePen);
    const Brush previousBrush = dc.SelectBrush(Brush{kDarkBlue});
    dc.Ellipse(r);
    dc.SelectBrush(Brush{kYellow});
    // Up to the fiftieth part of the directory no sector shows; with one entry the angle would be
    // 0 / 0, and that entry is never past the fiftieth part.
    if (count > 0 && current > count / 50) {
        const double theta = current * 360.0 / (count - 1);
        if (current < count / 2)
            dc.SelectPen(yellowPen);
        const CPoint p1 = IndicatorPoint(r, 90 - theta);
        const CPoint p2 = IndicatorPoint(r, 90);
        dc.Pie(r, p1, p2);
        dc.SelectPen(yellowPen);
        dc.Arc(r, p1, p2);
    }
    dc.SelectBrush(previousBrush);
    dc.SelectPen(previousPen);
}

CIndicatorPane::CIndicatorPane(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(1);
}

void CIndicatorPane::SetPosition(int count, int current) {
    m_bDrawn = true;
    m_nCount = count;
    m_nCurrent = current;
    update();
}

void CIndicatorPane::paintEvent(QPaintEvent*) {
    if (!m_bDrawn)
        return;
    QPainter painter(this);
    CQPainterSurface surface(painter);
    DrawPositionIndicator(surface, CRect{0, 0, width(), height()}, m_nCount, m_nCurrent);
}

QSize CMessagePane::sizeHint() const {
    return minimumSizeHint();
}

QSize CMessagePane::minimumSizeHint() const {
    const QMargins margins = contentsMargins();
    return QSize(1, fontMetrics().height() + margins.top() + margins.bottom());
}
