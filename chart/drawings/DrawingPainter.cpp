#include "chart/drawings/DrawingPainter.h"

#include "platform/Surface.h"

#include <algorithm>
#include <cmath>

namespace {

int Unit(double v) {
    return static_cast<int>(std::lround(std::clamp(v, -1e7, 1e7)));
}

} // namespace

void DrawDrawing(Surface& dc, const CDrawingGeometry& g, const Drawing& d) {
    DrawingShape shape;
    if (!ShapeOf(g, d, shape))
        return;
    // A one-pixel line stays one pixel on every device; wider ones are logical units.
    const Pen pen{d.color, d.nWidth <= 1 ? 0 : d.nWidth, false, false, d.style};
    const Pen previousPen = dc.SelectPen(pen);
    // A vertical line runs down through the panes below the price pane too.
    const double bottom = d.type == DrawingType::VLine ? 5 : g.Bottom();
    for (ShapeSegment segment : shape.segments) {
        if (!ClipSegment(segment, g.Left(), bottom, g.Right(), g.Top()))
            continue;
        dc.MoveTo(Unit(segment.x1), Unit(segment.y1));
        dc.LineTo(Unit(segment.x2), Unit(segment.y2));
    }
    const COLORREF previousColor = dc.SetTextColor(d.color);
    const BackgroundMode previousMode = dc.SetBkMode(BackgroundMode::Transparent);
    const unsigned previousAlign = dc.SetTextAlign(kAlignLeft | kAlignBaseline);
    for (const ShapeLabel& label : shape.labels)
        if (label.x >= g.Left() && label.x < g.Right() && label.y >= g.Bottom() &&
            label.y <= g.Top()) {
            dc.SetTextAlign(label.align);
            dc.TextOut(Unit(label.x), Unit(label.y), label.text);
        }
    for (const ShapeLabel& label : shape.axisLabels)
        if (label.y >= g.Bottom() && label.y <= g.Top()) {
            dc.SetTextAlign(label.align);
            dc.TextOut(Unit(label.x), Unit(label.y), label.text);
        }
    dc.SetTextAlign(previousAlign);
    dc.SetBkMode(previousMode);
    dc.SetTextColor(previousColor);
    dc.SelectPen(previousPen);
}

void DrawDrawings(Surface& dc, const CDrawingGeometry& g, const std::vector<Drawing>& drawings,
                  int skip) {
    for (std::size_t k = 0; k < drawings.size(); ++k)
        if (static_cast<int>(k) != skip)
            DrawDrawing(dc, g, drawings[k]);
}

void DrawHandles(Surface& dc, const CDrawingGeometry& g, const Drawing& d, COLORREF color) {
    DrawingShape shape;
    if (!ShapeOf(g, d, shape))
        return;
    const Brush brush{color};
    for (const ShapePoint& point : shape.handles) {
        const int x = Unit(point.x), y = Unit(point.y);
        dc.FillRect(
            CRect{x - kHandleSize, y - kHandleSize, x + kHandleSize + 1, y + kHandleSize + 1},
            brush);
    }
}
