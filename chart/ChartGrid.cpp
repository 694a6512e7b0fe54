#include "chart/ChartGrid.h"

#include "quotes/Dates.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kMantissas[] = {1, 2, 2.5, 5};
constexpr int kMaxLevels = 8;
constexpr int kMinLevels = 4;
// Months between date lines, from the finest.
constexpr int kMonthSteps[] = {1, 3, 12, 24, 60, 120, 240};
constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// The width a character of a label is taken to cover, in logical units.
constexpr int kCharWidth = 7;
constexpr int kDotStep = 3;

// Months since 1900 (year * 12 + month - 1), -1 for no date.
int MonthIndex(std::int16_t day) {
    if (day == 0)
        return -1;
    int year, month, dayOfMonth;
    DayToYmd(static_cast<std::uint16_t>(day), year, month, dayOfMonth);
    return year * 12 + month - 1;
}

GridLevels EvenLevels(double min, double max) {
    GridLevels levels;
    const double step = GridStep(max - min);
    levels.step = step;
    if (step == 0)
        return levels;
    // Counted, since beyond 2^53 adding one to k changes nothing.
    const double first = std::ceil(min / step - 1e-9);
    for (int k = 0; k <= kMaxLevels; ++k) {
        const double level = (first + k) * step;
        if (level > max + std::fabs(max) * 1e-12)
            break;
        levels.prices.push_back(level);
    }
    return levels;
}

// The levels m * 10^e (m of `mantissas`, e a multiple of `decades`) from min to max; stops early
// once there are more than kMaxLevels.
std::vector<double> DecadeLevels(double min, double max, std::initializer_list<double> mantissas,
                                 int decades) {
    std::vector<double> levels;
    const int first = static_cast<int>(std::floor(std::log10(min)));
    const int last = static_cast<int>(std::ceil(std::log10(max)));
    for (int e = first - 1; e <= last && levels.size() <= kMaxLevels; ++e) {
        if (((e % decades) + decades) % decades != 0)
            continue;
        for (double m : mantissas) {
            const double level = m * std::pow(10.0, e);
            if (level >= min * (1 - 1e-9) && level <= max * (1 + 1e-9))
                levels.push_back(level);
        }
    }
    return levels;
}

GridLevels LogLevels(double min, double max) {
    std::vector<double> dense = DecadeLevels(min, max, {1, 2, 5}, 1);
    if (dense.size() <= kMaxLevels)
        return dense.size() >= kMinLevels ? GridLevels{std::move(dense), 0} : EvenLevels(min, max);
    for (int decades : {1, 2, 5, 10, 20}) {
        std::vector<double> levels = DecadeLevels(min, max, {1}, decades);
        if (levels.size() <= kMaxLevels)
            return GridLevels{std::move(levels), 0};
    }
    return {};
}

} // namespace

double GridStep(double range) {
    if (!(range > 0) || !std::isfinite(range))
        return 0;
    const double unit = std::pow(10.0, std::floor(std::log10(range)) - 2);
    for (double scale = unit; std::isfinite(scale); scale *= 10)
        for (double mantissa : kMantissas)
            if (range / (mantissa * scale) < kMaxLevels - 1e-9)
                return mantissa * scale;
    return 0;
}

GridLevels GridPrices(const ChartScale& scale) {
    const double min = scale.min, max = scale.max;
    if (!(max > min) || !std::isfinite(min) || !std::isfinite(max))
        return {};
    return scale.bLog ? LogLevels(min, max) : EvenLevels(min, max);
}

std::string GridPriceText(double price, double step) {
    int decimals = 0;
    if (step > 0 && std::isfinite(step)) {
        const double exponent = std::floor(std::log10(step) + 1e-9);
        const double mantissa = step / std::pow(10.0, exponent);
        decimals = std::clamp(static_cast<int>(-exponent), 0, 9) +
                   (std::fabs(mantissa - 2.5) < 1e-6 ? 1 : 0);
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::clamp(price, -1e15, 1e15));
    return text;
}

int GridMonthStep(const ChartRecords& r, int barSpace) {
    int first = -1, last = -1;
    for (int at = 1; at <= r.nCount; ++at)
        if (const int month = MonthIndex(r.date[at]); month >= 0) {
            first = first < 0 ? month : first;
            last = month;
        }
    const double span = std::abs(last - first);
    const double width = double(r.nCount) * barSpace;
    for (int step : kMonthSteps)
        if (span / step * kMinDateGap <= width)
            return step;
    return kMonthSteps[std::size(kMonthSteps) - 1];
}

std::vector<GridDateLine> GridDates(const ChartRecords& r, int barSpace) {
    std::vector<GridDateLine> lines;
    const int step = GridMonthStep(r, barSpace);
    int previous = MonthIndex(r.date[0]);
    for (int at = 1; at <= r.nCount; ++at) {
        const int month = MonthIndex(r.date[at]);
        if (month < 0)
            continue;
        if (previous >= 0 && month / step != previous / step) {
            char text[16];
            if (step >= 12 || month % 12 == 0)
                std::snprintf(text, sizeof text, "%d", 1900 + month / 12);
            else
                std::snprintf(text, sizeof text, "%s", kMonthNames[month % 12]);
            lines.push_back({at, text});
        }
        previous = month;
    }
    return lines;
}

CChartGrid::CChartGrid(const ChartLayout& layout, const ChartScale& scale,
                       const ChartRecords& records)
    : m_layout(layout), m_dates(GridDates(records, layout.s)) {
    const GridLevels levels = GridPrices(scale);
    for (double price : levels.prices) {
        int height = 0;
        if (!scale.Price(static_cast<float>(price), height) || height < 0 || height > layout.v)
            continue;
        // Decade levels carry their own decimals: 0.02 needs two, 200 none.
        const double step = levels.step > 0 ? levels.step : price;
        m_levels.push_back({layout.yPrice + height, GridPriceText(price, step)});
    }
}

void CChartGrid::DrawLines(Surface& dc, const Pen& pen) const {
    const ChartLayout& l = m_layout;
    dc.SelectPen(pen);
    for (const Level& level : m_levels)
        for (int x = 5 + kDotStep; x < l.xR; x += kDotStep) {
            dc.MoveTo(x, level.y);
            dc.LineTo(x + 1, level.y);
        }
    for (const GridDateLine& line : m_dates) {
        const int x = l.BarX(line.at - 1);
        for (int y = 5 + kDotStep; y < l.H - 15; y += kDotStep) {
            dc.MoveTo(x, y);
            dc.LineTo(x, y + 1);
        }
    }
}

void CChartGrid::DrawLabels(Surface& dc, const std::vector<TextBand>& taken, bool withDates) const {
    const ChartLayout& l = m_layout;
    dc.SetTextAlign(kAlignLeft | kAlignBaseline);
    for (const Level& level : m_levels) {
        const int baseline = level.y - kGridTextHeight / 3;
        const bool free = std::none_of(taken.begin(), taken.end(), [&](const TextBand& band) {
            return baseline <= band.high && baseline + kGridTextHeight >= band.low;
        });
        if (free)
            dc.TextOut(l.xL, baseline, level.text);
    }
    if (!withDates)
        return;
    // Date labels stand on the bottom axis right of their line, as long as they keep clear of
    // each other and of the right axis.
    int clearFrom = 0;
    for (const GridDateLine& line : m_dates) {
        const int x = l.BarX(line.at - 1) + 3;
        const int width = kCharWidth * static_cast<int>(line.label.size());
        if (x < clearFrom || x + width > l.xR)
            continue;
        dc.TextOut(x, 8, line.label);
        clearFrom = x + width + kCharWidth;
    }
}
