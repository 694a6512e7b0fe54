#include "app/ChartPicture.h"

#include "picture/ChartDrawing.h"

#include <QStringList>
#include <QtMath>

namespace {

struct FilterInfo {
    ChartFileFormat format;
    const char* filter;
};

constexpr FilterInfo kFilters[] = {
    {ChartFileFormat::Png, "PNG image (*.png)"},
    {ChartFileFormat::Svg, "SVG drawing (*.svg)"},
    {ChartFileFormat::Pdf, "PDF document (*.pdf)"},
};

} // namespace

QString ChartFileFilters() {
    QStringList filters;
    for (const FilterInfo& info : kFilters)
        filters << QLatin1String(info.filter);
    return filters.join(QStringLiteral(";;"));
}

ChartFileFormat ChartFormatOfFilter(const QString& filter) {
    for (const FilterInfo& info : kFilters)
        if (filter == QLatin1String(info.filter))
            return info.format;
    return ChartFileFormat::Png;
}

std::string WithChartExtension(const std::string& path, ChartFileFormat format) {
    if (format == ChartFileFormat::None ||
        ChartFormatOfName(QString::fromStdString(path)) != ChartFileFormat::None)
        return path;
    return path + ChartFormatExtension(format);
}

QImage DrawChartImage(CBars& bars, QSize size, qreal pixelRatio, const QFont& font, double dpi) {
    const QSize device(qCeil(size.width() * pixelRatio), qCeil(size.height() * pixelRatio));
    QImage image;
    SizeChartImage(image, device, dpi * pixelRatio);
    if (!device.isEmpty())
        DrawChartOn(bars, image, device, font, false);
    return image;
}

bool WriteChartFile(CBars& bars, const std::string& path, QSize size, const QFont& font, double dpi,
                    std::string& error) {
    switch (WriteChartPicture(bars, path, {size, font, dpi, false})) {
    case ChartFileFailure::kNone:
        return true;
    case ChartFileFailure::kNoChart:
    case ChartFileFailure::kUnknownFormat:
        error = "There is no chart to write.";
        return false;
    case ChartFileFailure::kNotWritten:
        break;
    case ChartFileFailure::kNotReplaced:
        error = "Cannot write " + path + ": it cannot be replaced.";
        return false;
    }
    error = "Cannot write " + path + ".";
    return false;
}
