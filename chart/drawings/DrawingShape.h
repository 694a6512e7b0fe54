#pragma once
// A drawing as what it is made of on a chart: the lines, the texts and the handles of its points,
// in logical units. The painting and the hit-testing both work from it, so a drawing is picked up
// exactly where it was drawn.

#include "chart/drawings/DrawingGeometry.h"

#include <string>
#include <vector>

struct ShapeSegment {
    double x1, y1, x2, y2;
};

struct ShapeLabel {
    double x, y;
    unsigned align;
    std::string text;
};

struct ShapePoint {
    double x, y;
};

struct DrawingShape {
    // Lines not yet clipped: a line may run far beyond the chart.
    std::vector<ShapeSegment> segments;
    // Texts that stand over the price pane; those at the right axis (a level's price) stand in
    // the right column and are not clipped to the pane.
    std::vector<ShapeLabel> labels;
    std::vector<ShapeLabel> axisLabels;
    // Where each point of the drawing stands, for its handle.
    std::vector<ShapePoint> handles;
};

// False when the drawing cannot be placed on this chart (no bars, a price the scale cannot place,
// an unknown type).
bool ShapeOf(const CDrawingGeometry& geometry, const Drawing& drawing, DrawingShape& shape);

// Clips a line to the box from (left, bottom) to (right, top); false when nothing of it is inside.
bool ClipSegment(ShapeSegment& segment, double left, double bottom, double right, double top);

// The part of a drawing under a point: one of its handles, its body, or nothing.
struct DrawingHit {
    int nDrawing = -1; // index in the list, -1 for none
    int nPoint = -1;   // the handle's point, -1 for the body
};

// The drawing nearest to logical (x, y) within `reach` logical units, the handles of the drawing
// at `selected` first; later drawings (drawn over earlier ones) win ties.
DrawingHit HitTestDrawings(const CDrawingGeometry& geometry, const std::vector<Drawing>& drawings,
                           double x, double y, double reach, int selected = -1);
