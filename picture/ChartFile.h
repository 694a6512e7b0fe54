#pragma once
// Chart pictures as files: PNG, SVG and PDF, the format named by the file's extension. The file
// is written through a work file beside it that replaces it only once it is whole and on the
// disk, so a failure leaves any earlier file as it was.

#include <QFont>
#include <QSize>
#include <QStringView>

#include <optional>
#include <string>

class CBars;

enum class ChartFileFormat { None, Png, Svg, Pdf };

// The format a file name asks for by its extension, in any case; None for another extension.
ChartFileFormat ChartFormatOfName(QStringView name);
// ".png", ".svg" or ".pdf"; empty for None.
const char* ChartFormatExtension(ChartFileFormat format);

struct ChartPictureOptions {
    QSize size; // pixels, and the chart's logical space
    // The text's font, as on the screen the picture stands for; without one, a painter's own.
    std::optional<QFont> font;
    double dpi = 96;       // that screen's dots per inch
    bool printing = false; // the print colours
};

enum class ChartFileFailure {
    kNone,
    kNoChart,       // an empty size
    kUnknownFormat, // the name ends in none of the extensions
    kNotWritten,    // the work file could not be made, drawn into or flushed
    kNotReplaced,   // the whole work file could not take the name
};

// Draws the chart of `bars` into the file `path`. A PNG starts from a white image, so that a
// chart that leaves pixels alone never shows what the memory held.
ChartFileFailure WriteChartPicture(CBars& bars, const std::string& path,
                                   const ChartPictureOptions& options);
