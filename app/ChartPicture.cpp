#include "app/ChartPicture.h"

#include "chart/Bars.h"
#include "platform/SafeFiles.h"
#include "qt/QPainterSurface.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QtMath>

#include <cstdio>

namespace {

constexpr double kInchesPerMeter = 39.3700787;

struct FormatInfo {
    ChartFileFormat format;
    const char* extension;
    const char* filter;
};

constexpr FormatInfo kFormats[] = {
    {ChartFileFormat::Png, ".png", "PNG image (*.png)"},
    {ChartFileFormat::Svg, ".svg", "SVG drawing (*.svg)"},
    {ChartFileFormat::Pdf, ".pdf", "PDF document (*.pdf)"},
};

const FormatInfo* InfoOf(ChartFileFormat format) {
    for (const FormatInfo& info : kFormats)
        if (info.format == format)
            return &info;
    return nullptr;
}

bool DrawInto(CBars& bars, const QString& file, ChartFileFormat format, QSize size,
              const QFont& font, double dpi) {
    switch (format) {
    case ChartFileFormat::Png:
        return DrawChartImage(bars, size, 1, font, dpi).save(file, "PNG");
    case ChartFileFormat::Svg: {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(qRound(dpi));
        svg.setTitle(QStringLiteral("Tickvane chart"));
        return DrawScreenChart(bars, svg, size, font) && QFileInfo(file).size() > 0;
    }
    case ChartFileFormat::Pdf: {
        QPdfWriter pdf(file);
        pdf.setResolution(qRound(dpi));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(size) * (72.0 / qRound(dpi)), QPageSize::Point, QString(),
                                  QPageSize::ExactMatch));
        return DrawScreenChart(bars, pdf, size, font);
    }
    case ChartFileFormat::None:
        break;
    }
    return false;
}

} // namespace

ChartFileFormat ChartFormatOfName(QStringView name) {
    for (const FormatInfo& info : kFormats)
        if (name.endsWith(QLatin1String(info.extension), Qt::CaseInsensitive))
            return info.format;
    return ChartFileFormat::None;
}

QString ChartFileFilters() {
    QStringList filters;
    for (const FormatInfo& info : kFormats)
        filters << QLatin1String(info.filter);
    return filters.join(QStringLiteral(";;"));
}

ChartFileFormat ChartFormatOfFilter(const QString& filter) {
    for (const FormatInfo& info : kFormats)
        if (filter == QLatin1String(info.filter))
            return info.format;
    return ChartFileFormat::Png;
}

std::string WithChartExtension(const std::string& path, ChartFileFormat format) {
    const FormatInfo* info = InfoOf(format);
    if (!info || ChartFormatOfName(QString::fromStdString(path)) != ChartFileFormat::None)
        return path;
    return path + info->extension;
}

void SizeChartImage(QImage& image, QSize device, double dpi) {
    if (image.size() != device)
        image = QImage(device, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi * kInchesPerMeter);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
}

// The painter's font is the one the chart's text uses on the screen.
bool DrawScreenChart(CBars& bars, QPaintDevice& device, QSize size, const QFont& font) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setFont(font);
    {
        CQPainterSurface surface(painter);
        bars.DrawChart(surface, CRect{0, 0, size.width(), size.height()}, false);
    }
    return painter.end();
}

QImage DrawChartImage(CBars& bars, QSize size, qreal pixelRatio, const QFont& font, double dpi) {
    const QSize device(qCeil(size.width() * pixelRatio), qCeil(size.height() * pixelRatio));
    QImage image;
    SizeChartImage(image, device, dpi * pixelRatio);
    if (!device.isEmpty())
        DrawScreenChart(bars, image, device, font);
    return image;
}

bool WriteChartFile(CBars& bars, const std::string& path, ChartFileFormat format, QSize size,
                    const QFont& font, double dpi, std::string& error) {
    const std::string work = path + ".part";
    const QString workFile = QFile::decodeName(QByteArray::fromStdString(work));
    if (size.isEmpty() || !InfoOf(format))
        error = "There is no chart to write.";
    else if (!DrawInto(bars, workFile, format, size, font, dpi))
        error = "Cannot write " + path + ".";
    else if (!ReplaceFile(work, path))
        error = "Cannot write " + path + ": it cannot be replaced.";
    else
        return true;
    std::remove(work.c_str());
    return false;
}
