#include "chart/drawings/DrawingShape.h"

#include "chart/ChartLabels.h"
#include "platform/Surface.h"

#include <algorithm>
#include <cmath>

namespace {

// How far past the chart a line extended to its edge is taken before it is clipped.
constexpr double kFarAway = 1e6;
// The height a note's text is taken to cover above its baseline.
constexpr int kNoteHeight = 12;

double DistanceToSegment(const ShapeSegment& s, double x, double y) {
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? ((x - s.x1) * dx + (y - s.y1) * dy) / length : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (s.x1 + t * dx), y - (s.y1 + t * dy));
}

} // namespace

bool ShapeOf(const CDrawingGeometry& g, const Drawing& d, DrawingShape& shape) {
    shape = DrawingShape{};
    const std::size_t needed = static_cast<std::size_t>(PointCount(d.type));
    if (d.type == DrawingType::Unknown || d.points.size() < needed || !g.HasBars())
        return false;
    double x[2] = {}, y[2] = {};
    for (std::size_t k = 0; k < needed; ++k) {
        // A vertical line stands at its date whatever its price.
        const bool priced = g.Y(d.points[k].dPrice, y[k]);
        if (!g.X(d.points[k], x[k]) || (!priced && d.type != DrawingType::VLine))
            return false;
        if (!priced)
            y[k] = (g.Bottom() + g.Top()) / 2;
        shape.handles.push_back({x[k], y[k]});
    }
    const ChartLayout& l = g.Layout();
    switch (d.type) {
    case DrawingType::TrendLine: {
        ShapeSegment segment{x[0], y[0], x[1], y[1]};
        if (d.bExtend && (x[1] != x[0] || y[1] != y[0])) {
            const double length = std::hypot(x[1] - x[0], y[1] - y[0]);
            segment.x2 = x[1] + (x[1] - x[0]) / length * kFarAway;
            segment.y2 = y[1] + (y[1] - y[0]) / length * kFarAway;
        }
        shape.segments.push_back(segment);
        break;
    }
    case DrawingType::HLine:
        shape.segments.push_back({g.Left(), y[0], g.Right(), y[0]});
        shape.axisLabels.push_back({double(l.xL), y[0], kAlignLeft | kAlignBaseline,
                                    DrawingPriceText(d.points[0].dPrice)});
        break;
    case DrawingType::VLine:
        shape.segments.push_back({x[0], 5, x[0], g.Top()});
        break;
    case DrawingType::Rectangle:
        shape.segments.push_back({x[0], y[0], x[1], y[0]});
        shape.segments.push_back({x[1], y[0], x[1], y[1]});
        shape.segments.push_back({x[1], y[1], x[0], y[1]});
        shape.segments.push_back({x[0], y[1], x[0], y[0]});
        break;
    case DrawingType::Fibonacci: {
        const double left = std::min(x[0], x[1]), right = std::max(x[0], x[1]);
        for (const double percent : kFibonacciLevels) {
            const double price = FibonacciPrice(d, percent);
            double level = 0;
            if (!g.Y(price, level))
                continue;
            shape.segments.push_back({left, level, right, level});
            shape.labels.push_back(
                {left + 2, level + 2, kAlignLeft | kAlignBaseline, FibonacciLabel(percent, price)});
        }
        break;
    }
    case DrawingType::Note:
        shape.labels.push_back({x[0], y[0], kAlignLeft | kAlignBaseline, d.text});
        break;
    default:
        return false;
    }
    return true;
}

bool ClipSegment(ShapeSegment& s, double left, double bottom, double right, double top) {
    // Liang and Barsky: the part of the line's parameter range inside each of the four edges.
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.x1 - left, right - s.x1, s.y1 - bottom, top - s.y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    s = ShapeSegment{s.x1 + t0 * dx, s.y1 + t0 * dy, s.x1 + t1 * dx, s.y1 + t1 * dy};
    return true;
}

DrawingHit HitTestDrawings(const CDrawingGeometry& g, const std::vector<Drawing>& drawings,
                           double x, double y, double reach, int selected) {
    DrawingHit hit;
    DrawingShape shape;
    if (selected >= 0 && selected < static_cast<int>(drawings.size()) &&
        ShapeOf(g, drawings[std::size_t(selected)], shape))
        for (std::size_t k = 0; k < shape.handles.size(); ++k)
            if (std::fabs(shape.handles[k].x - x) <= reach &&
                std::fabs(shape.handles[k].y - y) <= reach)
                return DrawingHit{selected, static_cast<int>(k)};
    double nearest = reach;
    for (std::size_t k = 0; k < drawings.size(); ++k) {
        if (!ShapeOf(g, drawings[k], shape))
            continue;
        double distance = nearest + 1;
        for (ShapeSegment segment : shape.segments)
            if (ClipSegment(segment, g.Left(), g.Bottom() - reach, g.Right(), g.Top() + reach))
                distance = std::min(distance, DistanceToSegment(segment, x, y));
        for (const ShapeLabel& label : shape.labels) {
            if (drawings[k].type != DrawingType::Note)
                continue;
            const double width = TextWidth(label.text);
            if (x >= label.x - reach && x <= label.x + width + reach && y >= label.y - reach &&
                y <= label.y + kNoteHeight + reach)
                distance = 0;
        }
        if (distance <= nearest) {
            nearest = distance;
            hit = DrawingHit{static_cast<int>(k), -1};
        }
    }
    return hit;
}
