#include "qt/QPainterSurface.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

namespace {

QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

// The rectangle of the pixels from `a` to `b`, both included.
QRect Span(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

// Calls `fill` with the pixels of a one-pixel line from `from` to `to`, the end point left out, as
// the device context draws it: one pixel for each step along the major axis, the other coordinate
// rounded half away from zero. The pixels at one minor coordinate come as one rectangle.
// QPainter's own one-pixel lines will not do: they leave out the end that lies further right or
// down, whichever way the line runs.
template <typename Fill> void ForEachRun(QPoint from, QPoint to, Fill&& fill) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const long long steps = xMajor ? std::abs(dx) : std::abs(dy);
    const long long minor = xMajor ? std::abs(dy) : std::abs(dx);
    const int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int minorStep = (xMajor ? dy : dx) >= 0 ? 1 : -1;
    // Pixel i lies round(i * minor / steps) along the minor axis, which reaches m + 1 at
    // i = ceil((2m + 1) * steps / (2 * minor)).
    int begin = 0;
    for (int m = 0; begin < steps; ++m) {
        const int end = m < minor ? static_cast<int>(std::min(
                                        steps, ((2 * m + 1) * steps + 2 * minor - 1) / (2 * minor)))
                                  : static_cast<int>(steps);
        if (end > begin) {
            const QPoint first(begin * majorStep, m * minorStep);
            const QPoint last((end - 1) * majorStep, m * minorStep);
            if (xMajor)
                fill(Span(from + first, from + last));
            else
                fill(Span(from + first.transposed(), from + last.transposed()));
        }
        begin = end;
    }
}

// The angle in degrees, counter-clockwise as seen on the device, of the ray from the centre of
// `box` through `point`, taken on the ellipse as Qt's arcs take it: as if the box were a circle.
double EllipseAngle(const QRectF& box, QPoint point) {
    const QPointF centre = box.center();
    const double x = (point.x() - centre.x()) / (box.width() / 2);
    const double y = (centre.y() - point.y()) / (box.height() / 2);
    return std::atan2(y, x) * 180 / std::numbers::pi;
}

} // namespace

CQPainterSurface::CQPainterSurface(QPainter& painter)
    : m_painter(painter), m_qfontDefault(painter.font()), m_metrics(painter.font()) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_bRaster = m_painter.paintEngine()->type() == QPaintEngine::Raster;
    if (!m_bRaster)
        m_dHairline = std::max(1.0, m_painter.device()->logicalDpiX() / 96.0);
    FindImageTarget();
}

CQPainterSurface::~CQPainterSurface() {
    m_painter.restore();
}

void CQPainterSurface::FindImageTarget() {
    QPaintDevice* device = m_painter.device();
    if (!m_bRaster || device->devType() != QInternal::Image)
        return;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return;
    // A shared image would be copied by bits(), away from the buffer the painter draws into.
    if (!image->isDetached() || image->devicePixelRatio() != 1.0 || m_painter.hasClipping() ||
        m_painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        m_painter.opacity() != 1.0)
        return;
    const QTransform transform = m_painter.combinedTransform();
    if (transform.type() > QTransform::TxTranslate ||
        transform.dx() != std::floor(transform.dx()) ||
        transform.dy() != std::floor(transform.dy()))
        return;
    m_image =
        ImageTarget{image->bits(), image->bytesPerLine(), image->width(), image->height(),
                    QPoint(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()))};
}

QPoint CQPainterSurface::LogicalToDevice(int x, int y) const {
    const CPoint device = m_mapping.ToDevice(x, y);
    return QPoint(device.x, device.y);
}

QPointF CQPainterSurface::ExactDevicePoint(double x, double y) const {
    const CSize window = m_mapping.WindowExt(), viewport = m_mapping.ViewportExt();
    const CPoint origin = m_mapping.ViewportOrg();
    return QPointF(origin.x + x * viewport.cx / window.cx + 0.5,
                   origin.y + y * viewport.cy / window.cy + 0.5);
}

// A width-0 pen a little over a device pixel wide, so that the curve weighs about what a crisp
// one-pixel line does; wider pens as wide as their lines. Antialiasing only for this line.
void CQPainterSurface::SmoothLine(double x1, double y1, double x2, double y2) {
    if (m_pen.null)
        return;
    const double scale = std::min(DeviceScaleX(), DeviceScaleY());
    const double width = m_pen.width > 0 ? m_pen.width * scale : std::max(1.0, 0.6 * scale);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setPen(
        QPen(ToQColor(m_pen.color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter.drawLine(QLineF(ExactDevicePoint(x1, y1), ExactDevicePoint(x2, y2)));
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painterPen = PainterPen::Other;
}

double CQPainterSurface::DeviceScaleX() const {
    return m_mapping.ScaleX();
}

double CQPainterSurface::DeviceScaleY() const {
    return m_mapping.ScaleY();
}

// Pen widths and font heights are in logical units: a new mapping changes them on the device.
void CQPainterSurface::MappingChanged() {
    m_bLinePenStale = true;
    if (m_painterPen == PainterPen::Line)
        m_painterPen = PainterPen::Other;
    m_bFontStale = true;
    m_ptCurrentDevice = LogicalToDevice(m_ptCurrent.x, m_ptCurrent.y);
}

void CQPainterSurface::SetMapMode(MapMode mode) {
    if (m_mapping.SetMapMode(mode))
        MappingChanged();
}

void CQPainterSurface::SetWindowExt(int cx, int cy) {
    if (m_mapping.SetWindowExt(cx, cy))
        MappingChanged();
}

void CQPainterSurface::SetViewportExt(int cx, int cy) {
    if (m_mapping.SetViewportExt(cx, cy))
        MappingChanged();
}

void CQPainterSurface::SetViewportOrg(int x, int y) {
    if (m_mapping.SetViewportOrg(x, y))
        MappingChanged();
}

Pen CQPainterSurface::SelectPen(const Pen& pen) {
    if (!(pen == m_pen)) {
        m_bLinePenStale = true;
        if (m_painterPen == PainterPen::Line)
            m_painterPen = PainterPen::Other;
        m_rgbPen = qRgb(GetRValue(pen.color), GetGValue(pen.color), GetBValue(pen.color));
    }
    return std::exchange(m_pen, pen);
}

Brush CQPainterSurface::SelectBrush(const Brush& brush) {
    if (!(brush == m_brush))
        m_bBrushSet = false;
    return std::exchange(m_brush, brush);
}

Font CQPainterSurface::SelectFont(const Font& font) {
    if (!(font == m_font))
        m_bFontStale = true;
    return std::exchange(m_font, font);
}

COLORREF CQPainterSurface::SetTextColor(COLORREF color) {
    if (color != m_crText && m_painterPen == PainterPen::Text)
        m_painterPen = PainterPen::Other;
    return std::exchange(m_crText, color);
}

BackgroundMode CQPainterSurface::SetBkMode(BackgroundMode mode) {
    return std::exchange(m_bkMode, mode);
}

unsigned CQPainterSurface::SetTextAlign(unsigned align) {
    return std::exchange(m_nAlign, align);
}

void CQPainterSurface::UseLinePen() {
    if (m_painterPen == PainterPen::Line)
        return;
    if (m_bLinePenStale) {
        const QColor color = ToQColor(m_pen.color);
        const Qt::PenStyle style = m_pen.style == LineStyle::Dashed   ? Qt::DashLine
                                   : m_pen.style == LineStyle::Dotted ? Qt::DotLine
                                                                      : Qt::SolidLine;
        if (m_pen.null)
            m_qpenLine = QPen(Qt::NoPen);
        else if (m_pen.width <= 0)
            m_qpenLine =
                QPen(color, m_bRaster ? 0.0 : m_dHairline, style, Qt::FlatCap, Qt::MiterJoin);
        else
            m_qpenLine = QPen(color, std::max(m_pen.width * DeviceScaleX(), m_dHairline), style,
                              style == Qt::SolidLine ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin);
        m_bLinePenStale = false;
    }
    m_painter.setPen(m_qpenLine);
    m_painterPen = PainterPen::Line;
}

void CQPainterSurface::UseTextPen() {
    if (m_painterPen == PainterPen::Text)
        return;
    m_painter.setPen(ToQColor(m_crText));
    m_painterPen = PainterPen::Text;
}

void CQPainterSurface::UseBrush() {
    if (m_bBrushSet)
        return;
    m_painter.setBrush(m_brush.null ? QBrush(Qt::NoBrush) : QBrush(ToQColor(m_brush.color)));
    m_bBrushSet = true;
}

void CQPainterSurface::FillRect(const CRect& rect, const Brush& brush) {
    if (brush.null)
        return;
    const QPoint a = LogicalToDevice(rect.left, rect.top);
    const QPoint b = LogicalToDevice(rect.right, rect.bottom);
    const QRect device(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                       QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
    if (!device.isEmpty())
        m_painter.fillRect(device, ToQColor(brush.color));
}

void CQPainterSurface::MoveTo(int x, int y) {
    m_ptCurrent = CPoint{x, y};
    m_ptCurrentDevice = LogicalToDevice(x, y);
}

void CQPainterSurface::LineTo(int x, int y) {
    const QPoint from = m_ptCurrentDevice;
    MoveTo(x, y);
    if (m_pen.null)
        return;
    const QPoint to = m_ptCurrentDevice;
    if (m_pen.width <= 0 && m_pen.style == LineStyle::Solid) {
        if (from == to)
            return; // the end point, left out, is the whole line
        // A slanted line far beyond the device would take as many rectangles as it is long.
        const bool walkable =
            std::min(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())) < kMaxRuns;
        if (m_image.pBits && walkable) {
            ForEachRun(from, to, [this](const QRect& run) { FillImageRun(run); });
            return;
        }
        if (m_bRaster && walkable) {
            const QColor color(m_rgbPen);
            ForEachRun(from, to, [&](const QRect& run) { m_painter.fillRect(run, color); });
            return;
        }
    }
    UseLinePen();
    m_painter.drawLine(QLineF(from, to));
}

void CQPainterSurface::FillImageRun(const QRect& run) {
    const int left = std::max(run.left() + m_image.ptOffset.x(), 0);
    const int right = std::min(run.right() + m_image.ptOffset.x(), m_image.nWidth - 1);
    const int top = std::max(run.top() + m_image.ptOffset.y(), 0);
    const int bottom = std::min(run.bottom() + m_image.ptOffset.y(), m_image.nHeight - 1);
    if (left > right || top > bottom)
        return;
    uchar* line = m_image.pBits + top * m_image.nStride + left * qsizetype(sizeof(QRgb));
    for (int y = top; y <= bottom; ++y, line += m_image.nStride) {
        auto* pixel = reinterpret_cast<QRgb*>(line);
        std::fill(pixel, pixel + (right - left + 1), m_rgbPen);
    }
}

// A font's cell height (ascent plus descent) is what the caller asks for. Vector devices get
// point sizes, which they resolve at their own resolution and scale smoothly. Raster devices round
// every size to whole pixels, so there the whole pixel size whose rounded cell comes nearest wins.
void CQPainterSurface::SizeFont(QFont& font, double deviceHeight, bool cellHeight) const {
    QPaintDevice* device = m_painter.device();
    deviceHeight = std::max(deviceHeight, 1.0);
    if (!m_bRaster) {
        double points = deviceHeight * 72.0 / device->logicalDpiY();
        font.setPointSizeF(points);
        if (cellHeight) {
            const QFontMetricsF metrics(font, device);
            font.setPointSizeF(points * deviceHeight / (metrics.ascent() + metrics.descent()));
        }
        return;
    }
    if (!cellHeight) {
        font.setPixelSize(qRound(deviceHeight));
        return;
    }
    constexpr int kProbe = 100;
    font.setPixelSize(kProbe);
    const QFontMetricsF probe(font, device);
    const int target = qRound(deviceHeight);
    const double exact = target * kProbe / (probe.ascent() + probe.descent());
    int best = 0;
    int bestMiss = 0;
    for (int size = std::max(1, int(exact) - 1); size <= int(exact) + 2; ++size) {
        font.setPixelSize(size);
        const QFontMetricsF metrics(font, device);
        const int miss = std::abs(qRound(metrics.ascent()) + qRound(metrics.descent()) - target);
        if (best == 0 || miss < bestMiss ||
            (miss == bestMiss && std::abs(size - exact) < std::abs(best - exact))) {
            best = size;
            bestMiss = miss;
        }
    }
    font.setPixelSize(best);
}

// The default font (an empty face, height 0, weight 400) is the painter's own, at its own device
// size. Negative heights are em heights, as on the device context.
void CQPainterSurface::UseFont() {
    if (!m_bFontStale)
        return;
    QFont font = m_qfontDefault;
    if (!(m_font == Font{})) {
        if (!m_font.face.empty())
            font.setFamily(QString::fromLatin1(m_font.face.data(), qsizetype(m_font.face.size())));
        const int weight = m_font.weight == 0 ? 400 : std::clamp(m_font.weight, 1, 1000);
        font.setWeight(static_cast<QFont::Weight>(weight));
        if (m_font.height != 0)
            SizeFont(font, std::abs(m_font.height) * DeviceScaleY(), m_font.height > 0);
    }
    m_painter.setFont(font);
    m_metrics = QFontMetricsF(m_painter.font(), m_painter.device());
    m_bFontStale = false;
}

void CQPainterSurface::TextOut(int x, int y, std::string_view text) {
    if (text.empty())
        return;
    UseFont();
    // Texts are UTF-8: names arrive decoded from the quote files, numbers are ASCII.
    const QString string = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const QPoint at = LogicalToDevice(x, y);
    double ascent = m_metrics.ascent();
    double descent = m_metrics.descent();
    // Laying the text out to measure it costs as much as drawing it: a transparent text hanging
    // from its left end needs no width.
    const bool needsWidth =
        (m_nAlign & kAlignHorizontalMask) != kAlignLeft || m_bkMode == BackgroundMode::Opaque;
    double advance = needsWidth ? m_metrics.horizontalAdvance(string) : 0;
    if (m_bRaster) {
        ascent = qRound(ascent);
        descent = qRound(descent);
        advance = qRound(advance);
    }
    double left = at.x();
    switch (m_nAlign & kAlignHorizontalMask) {
    case kAlignRight:
        left -= advance;
        break;
    case kAlignCenter:
        left -= m_bRaster ? std::floor(advance / 2) : advance / 2;
        break;
    default:
        break;
    }
    double baseline = at.y();
    switch (m_nAlign & kAlignVerticalMask) {
    case kAlignTop:
        baseline += ascent;
        break;
    case kAlignBaseline:
        break;
    default: // the bottom of the cell
        baseline -= descent;
        break;
    }
    if (m_bkMode == BackgroundMode::Opaque)
        m_painter.fillRect(QRectF(left, baseline - ascent, advance, ascent + descent), Qt::white);
    UseTextPen();
    m_painter.drawText(QPointF(left, baseline), string);
}

void CQPainterSurface::DrawShape(Shape shape, const CRect& bounds, CPoint start, CPoint end) {
    const QPoint a = LogicalToDevice(bounds.left, bounds.top);
    const QPoint b = LogicalToDevice(bounds.right, bounds.bottom);
    const int left = std::min(a.x(), b.x());
    const int top = std::min(a.y(), b.y());
    const int width = std::abs(b.x() - a.x());
    const int height = std::abs(b.y() - a.y());
    if (width == 0 || height == 0)
        return;
    // The shape stays inside the bounds, without their right and bottom edges; Qt's one-pixel
    // outline covers both edges of its rectangle, so that rectangle is one pixel smaller.
    const int inset = m_bRaster && m_pen.width <= 0 && !m_pen.null ? 1 : 0;
    const QRectF box(left, top, std::max(width - inset, 1), std::max(height - inset, 1));
    UseLinePen();
    if (shape == Shape::Ellipse) {
        UseBrush();
        m_painter.drawEllipse(box);
        return;
    }
    const double from = EllipseAngle(box, LogicalToDevice(start.x, start.y));
    double span = EllipseAngle(box, LogicalToDevice(end.x, end.y)) - from;
    while (span <= 0) // the same ray twice is the whole ellipse
        span += 360;
    const int from16 = qRound(from * 16);
    const int span16 = qRound(span * 16);
    if (shape == Shape::Pie) {
        UseBrush();
        m_painter.drawPie(box, from16, span16);
    } else {
        m_painter.drawArc(box, from16, span16);
    }
}

void CQPainterSurface::Ellipse(const CRect& bounds) {
    DrawShape(Shape::Ellipse, bounds, CPoint{}, CPoint{});
}

void CQPainterSurface::Pie(const CRect& bounds, CPoint start, CPoint end) {
    DrawShape(Shape::Pie, bounds, start, end);
}

void CQPainterSurface::Arc(const CRect& bounds, CPoint start, CPoint end) {
    DrawShape(Shape::Arc, bounds, start, end);
}
