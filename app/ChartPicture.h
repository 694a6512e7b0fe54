#pragma once
// The chart in the screen's colours as a picture: into an image for the screen and the clipboard,
// and into PNG, SVG and PDF files.

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringView>

#include <string>

class CBars;

enum class ChartFileFormat { None, Png, Svg, Pdf };

// The format a file name asks for by its extension, in any case; None for another extension.
ChartFileFormat ChartFormatOfName(QStringView name);
// The file dialog's filters for the formats, and the format of a chosen filter.
QString ChartFileFilters();
ChartFileFormat ChartFormatOfFilter(const QString& filter);
// `path` with the extension of `format` added when it has none of the chart formats.
std::string WithChartExtension(const std::string& path, ChartFileFormat format);

// Gives `image` `device` pixels for a screen of `dpi` dots per inch; it keeps its memory when its
// size stays.
void SizeChartImage(QImage& image, QSize device, double dpi);
// Draws the chart in the screen's colours and `font` over `size` pixels of `device`.
bool DrawScreenChart(CBars& bars, QPaintDevice& device, QSize size, const QFont& font);
// The chart as an image `pixelRatio` times finer than `size`, on a screen of `dpi`.
QImage DrawChartImage(CBars& bars, QSize size, qreal pixelRatio, const QFont& font, double dpi);

// Writes the chart to `path` in `format`, `size` pixels large on a screen of `dpi`: into a work
// file that then replaces `path`, so that a failure leaves any earlier file whole. On failure
// `error` says why.
bool WriteChartFile(CBars& bars, const std::string& path, ChartFileFormat format, QSize size,
                    const QFont& font, double dpi, std::string& error);
