#pragma once
// A surface that paints nothing and keeps every primitive in logical coordinates, for tests,
// benchmarks and the command line's trace of a drawing.
//
// It keeps the state of a fresh device context, its mapping included (CDeviceMapping's rules).
// Primitives that would paint nothing are left out: lines drawn with a null pen and fills with a
// null brush.

#include "platform/Surface.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

struct RecordedLine {
    CPoint from;
    CPoint to;
    COLORREF color = 0;
    int width = 0;
    LineStyle style = LineStyle::Solid;
};

// Logical y grows upward in the chart, so `bottom` is the smaller y and `top` the larger.
struct RecordedRect {
    int left = 0;
    int bottom = 0;
    int right = 0;
    int top = 0;
    bool operator==(const RecordedRect&) const = default;
};

struct RecordedFill {
    RecordedRect rect;
    COLORREF color = 0;
};

struct RecordedText {
    CPoint at;
    unsigned align = 0;
    COLORREF color = 0;
    BackgroundMode bkMode = BackgroundMode::Opaque;
    Font font;
    std::string text;
};

enum class ShapeKind : std::uint8_t { Ellipse, Pie, Arc };

struct RecordedShape {
    ShapeKind kind = ShapeKind::Ellipse;
    RecordedRect bounds;
    CPoint start; // pie and arc only
    CPoint end;
    Pen pen;
    Brush brush; // not used by the arc
};

enum class PrimitiveKind : std::uint8_t { Line, Fill, Text, Shape };

// One primitive in drawing order: its kind and its index in the list of that kind.
struct RecordedPrimitive {
    PrimitiveKind kind;
    std::uint32_t index;
};

// The attributes that a drawing must give back as it found them.
struct SurfaceAttributes {
    Pen pen;
    Brush brush;
    Font font;
    COLORREF textColor = 0;
    BackgroundMode bkMode = BackgroundMode::Opaque;
    unsigned textAlign = kAlignLeft | kAlignTop;
    bool operator==(const SurfaceAttributes&) const = default;
};

class CRecordingSurface : public Surface {
public:
    // Room for a chart of 800 records without reallocating.
    static constexpr std::size_t kDefaultLineCapacity = 8192;

    CRecordingSurface();

    void SetMapMode(MapMode mode) override;
    void SetWindowExt(int cx, int cy) override;
    void SetViewportExt(int cx, int cy) override;
    void SetViewportOrg(int x, int y) override;

    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    Font SelectFont(const Font& font) override;

    COLORREF SetTextColor(COLORREF color) override;
    BackgroundMode SetBkMode(BackgroundMode mode) override;
    unsigned SetTextAlign(unsigned align) override;

    void FillRect(const CRect& rect, const Brush& brush) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, std::string_view text) override;

    void Ellipse(const CRect& bounds) override;
    void Pie(const CRect& bounds, CPoint start, CPoint end) override;
    void Arc(const CRect& bounds, CPoint start, CPoint end) override;

    // Forgets the primitives and the selection counts, keeping the state and the storage.
    void Clear();
    void Reserve(std::size_t lines);

    const std::vector<RecordedLine>& Lines() const { return m_lines; }
    const std::vector<RecordedFill>& Fills() const { return m_fills; }
    const std::vector<RecordedText>& Texts() const { return m_texts; }
    const std::vector<RecordedShape>& Shapes() const { return m_shapes; }
    const std::vector<RecordedPrimitive>& Order() const { return m_order; }

    SurfaceAttributes Attributes() const { return m_attr; }
    const Pen& SelectedPen() const { return m_attr.pen; }
    const Brush& SelectedBrush() const { return m_attr.brush; }
    const Font& SelectedFont() const { return m_attr.font; }
    COLORREF GetTextColor() const { return m_attr.textColor; }
    BackgroundMode GetBkMode() const { return m_attr.bkMode; }
    unsigned GetTextAlign() const { return m_attr.textAlign; }
    const CDeviceMapping& Mapping() const { return m_mapping; }
    MapMode GetMapMode() const { return m_mapping.Mode(); }
    CSize GetWindowExt() const { return m_mapping.WindowExt(); }
    CSize GetViewportExt() const { return m_mapping.ViewportExt(); }
    CPoint GetViewportOrg() const { return m_mapping.ViewportOrg(); }
    CPoint GetCurrentPosition() const { return m_ptCurrent; }

    int PenSelections() const { return m_nPenSelections; }
    int BrushSelections() const { return m_nBrushSelections; }
    int FontSelections() const { return m_nFontSelections; }

    // One primitive a line, in drawing order:
    //   line X1 Y1 X2 Y2 #RRGGBB WIDTH
    //   fill LEFT BOTTOM RIGHT TOP #RRGGBB
    //   text X Y ALIGN #RRGGBB "TEXT"
    //   ellipse LEFT BOTTOM RIGHT TOP #PEN WIDTH #BRUSH
    //   pie LEFT BOTTOM RIGHT TOP X1 Y1 X2 Y2 #PEN WIDTH #BRUSH
    //   arc LEFT BOTTOM RIGHT TOP X1 Y1 X2 Y2 #PEN WIDTH
    // ALIGN is left, right or center joined by '-' to top, baseline or bottom. In TEXT '"' and '\'
    // get a backslash, control bytes become \xHH, all other bytes are written as they are. A null
    // pen or brush of a shape is written "none".
    void WriteTrace(std::ostream& out) const;
    std::string Trace() const;

private:
    void AddShape(ShapeKind kind, const CRect& bounds, CPoint start, CPoint end);
    void AppendTrace(std::string& out, const RecordedPrimitive& primitive) const;

    std::vector<RecordedLine> m_lines;
    std::vector<RecordedFill> m_fills;
    std::vector<RecordedText> m_texts;
    std::vector<RecordedShape> m_shapes;
    std::vector<RecordedPrimitive> m_order;

    SurfaceAttributes m_attr;
    CDeviceMapping m_mapping;
    CPoint m_ptCurrent;

    int m_nPenSelections = 0;
    int m_nBrushSelections = 0;
    int m_nFontSelections = 0;
};
