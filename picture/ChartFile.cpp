#include "picture/ChartFile.h"

#include "picture/ChartDrawing.h"
#include "platform/SafeFiles.h"

#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

struct FormatInfo {
    ChartFileFormat format;
    const char* extension;
};

constexpr FormatInfo kFormats[] = {
    {ChartFileFormat::Png, ".png"},
    {ChartFileFormat::Svg, ".svg"},
    {ChartFileFormat::Pdf, ".pdf"},
};

bool DrawInto(CBars& bars, QIODevice& file, ChartFileFormat format,
              const ChartPictureOptions& options) {
    const QSize size = options.size;
    const int dpi = qRound(options.dpi);
    switch (format) {
    case ChartFileFormat::Png: {
        QImage image;
        SizeChartImage(image, size, options.dpi);
        image.fill(Qt::white);
        return DrawChartOn(bars, image, size, options.font, options.printing) &&
               image.save(&file, "PNG");
    }
    case ChartFileFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(dpi);
        svg.setTitle(QStringLiteral("Tickvane chart"));
        return DrawChartOn(bars, svg, size, options.font, options.printing);
    }
    case ChartFileFormat::Pdf: {
        QPdfWriter pdf(&file);
        pdf.setResolution(dpi);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(size) * (72.0 / dpi), QPageSize::Point, QString(),
                                  QPageSize::ExactMatch));
        return DrawChartOn(bars, pdf, size, options.font, options.printing);
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

const char* ChartFormatExtension(ChartFileFormat format) {
    for (const FormatInfo& info : kFormats)
        if (info.format == format)
            return info.extension;
    return "";
}

ChartFileFailure WriteChartPicture(CBars& bars, const std::string& path,
                                   const ChartPictureOptions& options) {
    const ChartFileFormat format = ChartFormatOfName(QString::fromStdString(path));
    if (format == ChartFileFormat::None)
        return ChartFileFailure::kUnknownFormat;
    if (options.size.isEmpty())
        return ChartFileFailure::kNoChart;
    CWorkFile work(path);
    if (!work.IsOpen())
        return ChartFileFailure::kNotWritten;
    {
        // Qt writes through the work file's own stream, which Commit then flushes to the disk.
        QFile file;
        if (!file.open(work.File(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle) ||
            !DrawInto(bars, file, format, options))
            return ChartFileFailure::kNotWritten;
        file.close();
    }
    // A writer that could not write may still have ended its painting well: nothing is no chart.
    if (std::ftell(work.File()) <= 0)
        return ChartFileFailure::kNotWritten;
    switch (work.Commit()) {
    case CWorkFile::Failure::kNone:
        return ChartFileFailure::kNone;
    case CWorkFile::Failure::kReplace:
        return ChartFileFailure::kNotReplaced;
    case CWorkFile::Failure::kWrite:
        break;
    }
    return ChartFileFailure::kNotWritten;
}
