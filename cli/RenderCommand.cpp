// tickvane-cli render: one chart, opened the way the desktop program opens it, drawn into an
// image or written as a trace of the drawing primitives.

#include "chart/Bars.h"
#include "chart/ChartThemes.h"
#include "chart/ViewOptions.h"
#include "chart/drawings/DrawingStore.h"
#include "chart/studies/StudyList.h"
#include "cli/CliCommands.h"
#include "cli/CliMessages.h"
#include "cli/ImageExport.h"
#include "platform/MemorySettings.h"
#include "platform/RecordingSurface.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <limits>
#include <optional>
#include <string>

namespace {

struct RenderRequest {
    std::vector<StudyInstance> studies;
    int group = 1;                  // records a slot stands for, from a --bar-space below 1
    std::optional<int> rangeMonths; // --range: the months shown, 0 for all
    std::string master;
    std::optional<std::string> symbol;
    std::optional<int> index;
    std::optional<int> end; // the record at the right edge
    int width = 800;
    int height = 600;
    bool printing = false;
    std::string output;
    std::optional<std::string> drawings; // a drawings file
};

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const auto x = text.find('x');
    return x != std::string::npos && ParseInt(text.substr(0, x), width) &&
           ParseInt(text.substr(x + 1), height) && width > 0 && height > 0 && width <= 20000 &&
           height <= 20000;
}

// Reads the options into the request and straight into the chart object, which starts from the
// defaults as after every opening.
bool ParseRender(const Arguments& arguments, RenderRequest& request, CBars& bars,
                 std::string& problem) {
    auto needInt = [&](std::size_t& i, int low, int high, int& value) {
        if (i + 1 < arguments.size() && ParseInt(arguments[i + 1], value) && value >= low &&
            value <= high) {
            ++i;
            return true;
        }
        problem = arguments[i] + " needs an integer from " + std::to_string(low) + " to " +
                  std::to_string(high);
        return false;
    };
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        int value = 0;
        const bool hasValue = i + 1 < arguments.size();
        if (a == "--symbol" && hasValue) {
            request.symbol = arguments[++i];
        } else if (a == "--index") {
            if (!needInt(i, 0, kMaxDirectoryEntries - 1, value))
                return false;
            request.index = value;
        } else if (a == "--end") {
            if (!needInt(i, 0, std::numeric_limits<int>::max(), value))
                return false;
            request.end = value;
        } else if (a == "--size" && hasValue) {
            if (!ParseSize(arguments[++i], request.width, request.height)) {
                problem = "--size needs WIDTHxHEIGHT, each from 1 to 20000";
                return false;
            }
        } else if (a == "--print") {
            request.printing = true;
        } else if (a == "--bar-space") {
            // Below 1, as many records a unit as one over it: 0.1 puts ten bars in a pixel.
            double space = 0;
            const std::string text = hasValue ? arguments[i + 1] : std::string();
            const auto parsed = std::from_chars(text.data(), text.data() + text.size(), space);
            const bool number =
                hasValue && parsed.ec == std::errc() && parsed.ptr == text.data() + text.size();
            if (number && space > 0 && space < 1) {
                request.group = static_cast<int>(std::lround(1 / space));
                bars.SetBarSpace(1);
                ++i;
            } else {
                if (!needInt(i, kMinBarSpace, kMaxBarSpace, value)) {
                    problem = "--bar-space needs an integer from " + std::to_string(kMinBarSpace) +
                              " to " + std::to_string(kMaxBarSpace) +
                              ", or a number between 0 and 1";
                    return false;
                }
                bars.SetBarSpace(value);
            }
        } else if (a == "--range" && hasValue) {
            static const std::pair<const char*, int> kRanges[] = {
                {"1m", 1}, {"3m", 3}, {"6m", 6}, {"1y", 12}, {"5y", 60}, {"all", 0}};
            const std::string& name = arguments[++i];
            for (const auto& [range, months] : kRanges)
                if (name == range)
                    request.rangeMonths = months;
            if (!request.rangeMonths) {
                problem = "--range needs 1m, 3m, 6m, 1y, 5y or all";
                return false;
            }
        } else if (a == "--ma1" || a == "--ma2") {
            if (!needInt(i, kMinAverageLength, kMaxAverageLength, value))
                return false;
            a == "--ma1" ? bars.SetMA1Length(value) : bars.SetMA2Length(value);
        } else if (a == "--no-volume") {
            bars.SetShowVolume(0);
        } else if (a == "--no-ma1") {
            bars.SetShowMA1(0);
        } else if (a == "--no-ma2") {
            bars.SetShowMA2(0);
        } else if (a == "--style" || a == "--period") {
            ChartOptions options = bars.GetChartOptions();
            const bool known =
                hasValue && (a == "--style" ? ParseChartStyle(arguments[i + 1], options.style)
                                            : ParseChartPeriod(arguments[i + 1], options.period));
            if (!known) {
                problem = a == "--style" ? "--style needs bars, ohlc, candles or line"
                                         : "--period needs stored, daily, weekly or monthly";
                return false;
            }
            bars.SetChartOptions(options);
            ++i;
        } else if (a == "--log" || a == "--grid" || a == "--axis-labels" ||
                   a == "--color-by-direction") {
            ChartOptions options = bars.GetChartOptions();
            (a == "--log"           ? options.bLogScale
             : a == "--grid"        ? options.bGrid
             : a == "--axis-labels" ? options.bAxisLabels
                                    : options.bColorByDirection) = true;
            bars.SetChartOptions(options);
        } else if (a == "--theme") {
            ChartTheme theme;
            if (!hasValue || !ParseChartTheme(arguments[i + 1], theme)) {
                problem = "--theme needs classic, light or dark";
                return false;
            }
            ApplyTheme(bars, theme);
            ++i;
        } else if (a == "--hide-bad-data") {
            bars.SetHideBadData(1);
        } else if (a == "--study" && hasValue) {
            StudySpec spec;
            if (!ParseStudySpec(arguments[++i], spec, problem)) {
                problem = "--study " + arguments[i] + ": " + problem;
                return false;
            }
            request.studies.push_back({spec, StudyColor(request.studies.size()), 1});
        } else if (a == "--colors" && hasValue) {
            if (!ApplyColorsText(bars, arguments[++i])) {
                problem = "--colors needs ten digits from 0 to 7";
                return false;
            }
        } else if (a == "--drawings" && hasValue) {
            request.drawings = arguments[++i];
        } else if (a == "-o" && hasValue) {
            request.output = arguments[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            problem = "unknown or incomplete option " + a;
            return false;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 1 || request.output.empty() || (request.symbol && request.index)) {
        problem = "render needs the path of a MASTER file, -o FILE and at most one of --symbol "
                  "and --index";
        return false;
    }
    request.master = positional[0];
    const std::string& out = request.output;
    if (out != "-" && !EndsWith(out, ".trace") && !EndsWith(out, ".png") &&
        !EndsWith(out, ".svg") && !EndsWith(out, ".pdf")) {
        problem = "the output must end in .png, .svg, .pdf or .trace, or be -";
        return false;
    }
    return true;
}

// Makes the wanted entry current and loads it; false when the directory or the security fails.
bool OpenChart(CBars& bars, const RenderRequest& request, CCliMessages& messages) {
    if (!OpenMasterFile(bars, request.master, messages))
        return false;
    if (request.index && *request.index >= bars.GetSymbolCount()) {
        messages.Show("there is no entry " + std::to_string(*request.index), MessageIcon::Stop);
        return false;
    }
    const int shown = messages.m_nShown;
    if (request.symbol)
        bars.SearchSetSymbolIndex(request.symbol->c_str());
    else
        bars.StepSymbol(request.index.value_or(0));
    return messages.m_nShown == shown;
}

// Puts the record (or the built bar) asked for at the right edge; false when there is no such.
bool PlaceEnd(CBars& bars, int end, CCliMessages& messages) {
    CChartWindow& window = bars.Window();
    const int count = window.GetRecordCount();
    if (end >= count) {
        const std::string last = " (0 to " + std::to_string(count - 1) + ")";
        if (window.ShowsBuiltBars())
            messages.Show("there is no bar " + std::to_string(end) + ": the chart of the " +
                              "security has " + std::to_string(count) + " bars" + last,
                          MessageIcon::Stop);
        else
            messages.Show("there is no record " + std::to_string(end) + ": the security holds " +
                              std::to_string(count) + " records" + last,
                          MessageIcon::Stop);
        return false;
    }
    if (window.SetEndRecord(end))
        return true;
    messages.Show("the records of the security cannot be read", MessageIcon::Stop);
    return false;
}

bool WriteTraceFile(CBars& bars, const RenderRequest& request) {
    CRecordingSurface surface;
    bars.DrawChart(surface, CRect{0, 0, request.width, request.height}, request.printing);
    if (request.output == "-") {
        surface.WriteTrace(std::cout);
        return static_cast<bool>(std::cout.flush());
    }
    std::ofstream out(request.output, std::ios::binary | std::ios::trunc);
    surface.WriteTrace(out);
    out.close();
    return static_cast<bool>(out);
}

} // namespace

int RunRenderCommand(const Arguments& arguments) {
    CMemorySettings settings; // defaults, not the user's stored options
    CCliMessages messages;
    CBars bars(settings, messages);
    RenderRequest request;
    std::string problem;
    if (!ParseRender(arguments, request, bars, problem))
        return UsageError(problem);
    CStudyList studies;
    studies.SetStudies(request.studies);
    if (!studies.Empty())
        bars.SetSeriesProvider(&studies);
    if (!OpenChart(bars, request, messages))
        return 1;
    // Read only: a damaged file is reported and left where it is.
    CDrawingStore drawings;
    if (request.drawings) {
        std::vector<std::string> skipped;
        if (!drawings.Read(*request.drawings, problem, skipped)) {
            messages.Show("the drawings file " + *request.drawings + " cannot be used: " + problem,
                          MessageIcon::Stop);
            return 1;
        }
        if (!skipped.empty())
            messages.Show("drawings not drawn: " + SkippedText(skipped), MessageIcon::Warning);
        bars.SetDrawingStore(&drawings);
    }
    bars.SetFrameSizeProvider([&] { return CSize{request.width, request.height}; });
    if (request.group > 1)
        bars.Window().SetZoom(1, request.group);
    if (request.end && !PlaceEnd(bars, *request.end, messages))
        return 1;
    if (request.rangeMonths)
        bars.Window().ShowRange(*request.rangeMonths, CSize{request.width, request.height});

    const std::string& out = request.output;
    if (out == "-" || EndsWith(out, ".trace")) {
        if (WriteTraceFile(bars, request))
            return 0;
        messages.Show("cannot write " + out, MessageIcon::Stop);
        return 1;
    }
    std::string error;
    if (ExportImage(bars, out, request.width, request.height, request.printing, error))
        return 0;
    messages.Show(error, MessageIcon::Stop);
    return 1;
}
