#pragma once
// Drawings painted over the chart's price pane, clipped to it; a level's price stands in the right
// column. Every surface the chart is drawn on (the screen, a printer, a picture file, a trace)
// gets them the same way.

#include "chart/drawings/DrawingShape.h"

class Surface;

// In the order of the list, so a later drawing lies over an earlier one; the one at `skip` is
// left out (the view paints that one itself while it is dragged).
void DrawDrawings(Surface& dc, const CDrawingGeometry& geometry,
                  const std::vector<Drawing>& drawings, int skip = -1);
void DrawDrawing(Surface& dc, const CDrawingGeometry& geometry, const Drawing& drawing);
// Squares at a drawing's points, that show it is selected and where to take hold of it.
constexpr int kHandleSize = 3; // logical units on each side of the point
void DrawHandles(Surface& dc, const CDrawingGeometry& geometry, const Drawing& drawing,
                 COLORREF color);
