#include "picture/ChartDrawing.h"

#include "chart/Bars.h"
#include "qt/QPainterSurface.h"

#include <QPainter>

namespace {

constexpr double kInchesPerMeter = 39.3700787;

} // namespace

void SizeChartImage(QImage& image, QSize device, double dpi) {
    if (image.size() != device)
        image = QImage(device, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi * kInchesPerMeter);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
}

// The painter's font is the one the chart's text falls back to.
bool DrawChartOn(CBars& bars, QPaintDevice& device, QSize size, const std::optional<QFont>& font,
                 bool printing) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    if (font)
        painter.setFont(*font);
    {
        // The surface gives the painter back as it found it when it goes.
        CQPainterSurface surface(painter);
        bars.DrawChart(surface, CRect{0, 0, size.width(), size.height()}, printing);
    }
    return painter.end();
}
