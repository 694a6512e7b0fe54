#pragma once
// The drawing surface over a QPainter, for every device the chart goes to: widgets, images,
// printers, PDF and SVG.
//
// It maps logical to device coordinates itself and leaves the painter's own transform as the
// caller set it, so text stays upright under the chart's y-up mapping. The pixel rules are those
// of the device context the chart was written for: a line leaves out its end point; a fill covers
// its left and top edges but not its right and bottom ones; a width-0 pen is one device pixel on
// raster devices and 1/96 inch on vector ones (printers, PDF, SVG), whose pixels are too fine to
// see; wider pens are in logical units, measured along x, with round caps.
//
// Pie and arc run counter-clockwise as seen on the device, whatever the mapping: under the y-up
// mapping that is clockwise in logical coordinates, as on the device context.
//
// Lines of one-pixel pens are written straight into the pixels when the device is a 32-bit
// QImage without clipping or scaling: going through QPainter costs several times more per line.

#include "platform/Surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPen>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRgb>

class QPainter;

class CQPainterSurface : public Surface {
public:
    // `painter` must be active. Its state is saved here and restored by the destructor, which
    // must therefore run before the painter ends. Its clipping, transform and composition mode
    // are read here, so set them up before.
    explicit CQPainterSurface(QPainter& painter);
    ~CQPainterSurface() override;
    CQPainterSurface(const CQPainterSurface&) = delete;
    CQPainterSurface& operator=(const CQPainterSurface&) = delete;

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

    // Smooth lines are the caller's choice (a screen of a device pixel ratio of 2 or more), on
    // raster devices only.
    void SetSmoothLines(bool smooth) { m_bSmooth = smooth; }
    bool DrawsSmoothLines() const override { return m_bSmooth && m_bRaster; }
    void SmoothLine(double x1, double y1, double x2, double y2) override;

    QPoint LogicalToDevice(int x, int y) const;

private:
    // A logical point on the device, not rounded, at the centre of the pixels it covers.
    QPointF ExactDevicePoint(double x, double y) const;

    static constexpr int kMaxRuns = 1 << 16;

    enum class PainterPen : unsigned char { Other, Line, Text };
    enum class Shape : unsigned char { Ellipse, Pie, Arc };

    // The pixels of a QImage that one-pixel lines are written into directly.
    struct ImageTarget {
        uchar* pBits = nullptr;
        qsizetype nStride = 0;
        int nWidth = 0;
        int nHeight = 0;
        QPoint ptOffset;
    };

    void FindImageTarget();
    void MappingChanged();
    double DeviceScaleX() const;
    double DeviceScaleY() const;
    void UseLinePen();
    void UseTextPen();
    void UseBrush();
    void UseFont();
    void SizeFont(QFont& font, double deviceHeight, bool cellHeight) const;
    void FillImageRun(const QRect& run);
    void DrawShape(Shape shape, const CRect& bounds, CPoint start, CPoint end);

    QPainter& m_painter;
    bool m_bRaster = true;
    bool m_bSmooth = false;
    double m_dHairline = 1.0; // device width of a one-pixel pen on vector devices
    ImageTarget m_image;

    CDeviceMapping m_mapping;
    CPoint m_ptCurrent;
    QPoint m_ptCurrentDevice;

    Pen m_pen;
    Brush m_brush;
    Font m_font;
    COLORREF m_crText = 0;
    BackgroundMode m_bkMode = BackgroundMode::Opaque;
    unsigned m_nAlign = kAlignLeft | kAlignTop;

    // What the painter holds, so that nothing is set twice.
    QRgb m_rgbPen = qRgb(0, 0, 0);
    QPen m_qpenLine;
    bool m_bLinePenStale = true;
    PainterPen m_painterPen = PainterPen::Other;
    bool m_bBrushSet = false;
    QFont m_qfontDefault;
    bool m_bFontStale = true;
    QFontMetricsF m_metrics;
};
