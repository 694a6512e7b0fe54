#pragma once
// The drawing operations of the chart: a device context with logical coordinates, mapped to the
// device as CDeviceMapping maps them. Text is always drawn upright; its alignment point is the
// mapped logical point.

#include "platform/DeviceMapping.h"
#include "platform/Geometry.h"

#include <string>
#include <string_view>

enum class BackgroundMode { Transparent, Opaque };

// Text alignment flags, one horizontal and one vertical combined.
enum TextAlign : unsigned {
    kAlignLeft = 0,
    kAlignRight = 2,
    kAlignCenter = 6,
    kAlignTop = 0,
    kAlignBaseline = 24,
};
constexpr unsigned kAlignHorizontalMask = 6;
constexpr unsigned kAlignVerticalMask = 24;

// How a line is drawn: whole, in dashes, or in dots.
enum class LineStyle { Solid, Dashed, Dotted };

// A pen. Width 0 is one device pixel whatever the mapping; wider pens are in logical units.
// A null pen draws nothing (an outline-free shape).
struct Pen {
    COLORREF color = 0;
    int width = 0;
    bool null = false;
    // A curve through values (an average, a study): drawn with SmoothLine where the surface
    // draws smooth lines.
    bool smooth = false;
    LineStyle style = LineStyle::Solid;
    bool operator==(const Pen&) const = default;
};

// A solid brush; a null brush leaves shapes unfilled.
struct Brush {
    COLORREF color = Rgb(255, 255, 255);
    bool null = false;
    bool operator==(const Brush&) const = default;
};

// A font by face name, cell height (ascent plus descent, in logical units) and weight (400
// normal, 700 bold). An empty face is the surface's own font, the one text gets when nothing
// was selected.
struct Font {
    std::string face;
    int height = 0;
    int weight = 400;
    bool operator==(const Font&) const = default;
};

class Surface {
public:
    virtual ~Surface() = default;

    virtual void SetMapMode(MapMode mode) = 0;
    virtual void SetWindowExt(int cx, int cy) = 0;
    virtual void SetViewportExt(int cx, int cy) = 0;
    virtual void SetViewportOrg(int x, int y) = 0;

    // Each gives back the object selected before.
    virtual Pen SelectPen(const Pen& pen) = 0;
    virtual Brush SelectBrush(const Brush& brush) = 0;
    virtual Font SelectFont(const Font& font) = 0;

    // Each gives back the previous value.
    virtual COLORREF SetTextColor(COLORREF color) = 0;
    virtual BackgroundMode SetBkMode(BackgroundMode mode) = 0;
    virtual unsigned SetTextAlign(unsigned align) = 0;

    // Fills the rectangle between two logical corners with `brush` (not the selected one).
    virtual void FillRect(const CRect& rect, const Brush& brush) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line from the current position to (x, y) with the selected pen, the end point itself not
    // painted; (x, y) becomes the current position.
    virtual void LineTo(int x, int y) = 0;
    // `text` is UTF-8.
    virtual void TextOut(int x, int y, std::string_view text) = 0;

    // Shapes in the bounding rectangle, outlined with the selected pen and (but for the arc)
    // filled with the selected brush. Pie and arc run counter-clockwise from the ray through
    // `start` to the ray through `end`.
    virtual void Ellipse(const CRect& bounds) = 0;
    virtual void Pie(const CRect& bounds, CPoint start, CPoint end) = 0;
    virtual void Arc(const CRect& bounds, CPoint start, CPoint end) = 0;

    // Smooth lines: on a surface with device pixels finer than its logical units (a screen of a
    // device pixel ratio of 2 or more), a line between points placed finer than a unit, drawn
    // anti-aliased at the device's resolution with the selected pen. Other surfaces draw none of
    // them; their callers draw the line whole units apart with LineTo.
    virtual bool DrawsSmoothLines() const { return false; }
    virtual void SmoothLine(double /*x1*/, double /*y1*/, double /*x2*/, double /*y2*/) {}
};
