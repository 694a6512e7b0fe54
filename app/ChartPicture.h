#pragma once
// What the program adds to the chart pictures of picture/: the file dialog's filters, the image
// for the clipboard, and the words for a file that could not be written.

#include "picture/ChartFile.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <string>

class CBars;

// The file dialog's filters for the formats, and the format of a chosen filter.
QString ChartFileFilters();
ChartFileFormat ChartFormatOfFilter(const QString& filter);
// `path` with the extension of `format` added when it has none of the chart formats.
std::string WithChartExtension(const std::string& path, ChartFileFormat format);

// The chart in the screen's colours as an image `pixelRatio` times finer than `size`, on a screen
// of `dpi`.
QImage DrawChartImage(CBars& bars, QSize size, qreal pixelRatio, const QFont& font, double dpi);

// Writes the chart in the screen's colours to `path`, `size` pixels large on a screen of `dpi`,
// as WriteChartPicture does. On failure `error` says why.
bool WriteChartFile(CBars& bars, const std::string& path, QSize size, const QFont& font, double dpi,
                    std::string& error);
