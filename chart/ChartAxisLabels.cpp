#include "chart/ChartAxisLabels.h"

#include "chart/ChartLabels.h"
#include "quotes/Dates.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr DateStep kIntradaySteps[] = {
    {DateUnit::Minutes, 1},   {DateUnit::Minutes, 2},   {DateUnit::Minutes, 5},
    {DateUnit::Minutes, 10},  {DateUnit::Minutes, 15},  {DateUnit::Minutes, 30},
    {DateUnit::Minutes, 60},  {DateUnit::Minutes, 120}, {DateUnit::Minutes, 180},
    {DateUnit::Minutes, 240}, {DateUnit::Minutes, 360},
};
constexpr DateStep kDateSteps[] = {
    {DateUnit::Days, 1},   {DateUnit::Weeks, 1},  {DateUnit::Months, 1}, {DateUnit::Months, 3},
    {DateUnit::Months, 6}, {DateUnit::Years, 1},  {DateUnit::Years, 2},  {DateUnit::Years, 5},
    {DateUnit::Years, 10}, {DateUnit::Years, 20}, {DateUnit::Years, 50}, {DateUnit::Years, 100},
};
// Labels stand at least this many of their widths apart on average.
constexpr double kSpread = 1.5;
constexpr int kGap = kCharWidth;

// The date and time of an element of the records shown.
struct Stamp {
    int day = 0; // day number, 0 for none
    int year = 0, month = 0, dayOfMonth = 0;
    int minute = 0; // of the day
};

Stamp StampOf(const ChartRecords& r, int at, bool intraday) {
    Stamp stamp;
    stamp.day = static_cast<std::uint16_t>(r.date[static_cast<std::size_t>(at)]);
    if (stamp.day == 0)
        return stamp;
    DayToYmd(static_cast<std::uint16_t>(stamp.day), stamp.year, stamp.month, stamp.dayOfMonth);
    stamp.year += 1900;
    const int i = r.SourceIndex(at);
    if (intraday && i >= 0 && r.source.time.pData)
        stamp.minute = static_cast<std::uint16_t>(r.source.time[i]) * 2 / 60;
    return stamp;
}

// Which unit of the step an element falls in; elements of one key share a label.
long long KeyOf(const Stamp& s, DateStep step) {
    switch (step.unit) {
    case DateUnit::Minutes:
        return static_cast<long long>(s.day) * 1440 + s.minute / step.count;
    case DateUnit::Days:
        return s.day;
    case DateUnit::Weeks:
        return (s.day + 5) / 7; // weeks from Monday: day 2, 1961-01-02, was one
    case DateUnit::Months:
        return (s.year * 12 + s.month - 1) / step.count;
    case DateUnit::Years:
        return s.year / step.count;
    }
    return 0;
}

// What a label names, by what changed since the label before it (or, for the first, since the
// element before it).
enum class LabelKind { Year, Month, Date, Day, Time };

LabelKind KindOf(const Stamp& stamp, const Stamp& since, DateStep step) {
    if (stamp.year != since.year || step.unit == DateUnit::Years)
        return LabelKind::Year;
    if (step.unit == DateUnit::Minutes)
        return stamp.day != since.day ? LabelKind::Date : LabelKind::Time;
    if (stamp.month != since.month || step.unit == DateUnit::Months)
        return LabelKind::Month;
    return LabelKind::Day;
}

// The characters of the label's text.
int TextLength(LabelKind kind, const Stamp& stamp) {
    const int day = stamp.dayOfMonth < 10 ? 1 : 2;
    switch (kind) {
    case LabelKind::Year:
        return 4;
    case LabelKind::Month:
        return 3;
    case LabelKind::Date:
        return day + 4;
    case LabelKind::Day:
        return day;
    case LabelKind::Time:
        return 5;
    }
    return 0;
}

std::vector<Stamp> StampsOf(const ChartRecords& r) {
    const bool intraday = ShowsIntraday(r);
    std::vector<Stamp> stamps(static_cast<std::size_t>(r.nCount + 1));
    for (int at = 0; at <= r.nCount; ++at)
        stamps[static_cast<std::size_t>(at)] = StampOf(r, at, intraday);
    return stamps;
}

// The elements where a new unit of the step begins, with what each label names; element 1 only
// when the record before it is shown as element 0 and lies in another unit.
template <class Visit>
void ForEachLabel(const std::vector<Stamp>& stamps, DateStep step, Visit visit) {
    const Stamp* previous = nullptr;
    const Stamp* labelled = nullptr;
    for (std::size_t at = 0; at < stamps.size(); ++at) {
        const Stamp& stamp = stamps[at];
        if (stamp.day == 0)
            continue;
        if (previous && at > 0 && KeyOf(stamp, step) != KeyOf(*previous, step)) {
            visit(static_cast<int>(at), stamp,
                  KindOf(stamp, labelled ? *labelled : *previous, step));
            labelled = &stamp;
        }
        previous = &stamp;
    }
}

} // namespace

bool ShowsIntraday(const ChartRecords& r) {
    if (!r.source.HasColumn(kColTime) || !r.source.time.pData)
        return false;
    for (int at = 2; at <= r.nCount; ++at)
        if (r.date[static_cast<std::size_t>(at)] != 0 &&
            r.date[static_cast<std::size_t>(at)] == r.date[static_cast<std::size_t>(at - 1)])
            return true;
    return false;
}

DateStep ChooseDateStep(const ChartRecords& r, int barSpace) {
    const std::vector<Stamp> stamps = StampsOf(r);
    const double span = double(r.nCount) * std::max(barSpace, 1);
    std::vector<DateStep> steps;
    if (ShowsIntraday(r))
        steps.assign(std::begin(kIntradaySteps), std::end(kIntradaySteps));
    steps.insert(steps.end(), std::begin(kDateSteps), std::end(kDateSteps));
    for (const DateStep step : steps) {
        double width = 0;
        ForEachLabel(stamps, step, [&](int, const Stamp& stamp, LabelKind kind) {
            width += TextLength(kind, stamp) * kCharWidth + kGap;
        });
        if (width * kSpread <= span)
            return step;
    }
    return steps.back();
}

std::vector<DateLabel> DateLabelsOf(const ChartRecords& r, DateStep step) {
    std::vector<DateLabel> labels;
    ForEachLabel(StampsOf(r), step, [&](int at, const Stamp& stamp, LabelKind kind) {
        char text[32];
        const char* month = kMonthNames[stamp.month - 1];
        int rank = 2;
        switch (kind) {
        case LabelKind::Year:
            std::snprintf(text, sizeof text, "%d", stamp.year);
            rank = 0;
            break;
        case LabelKind::Month:
            std::snprintf(text, sizeof text, "%s", month);
            rank = 1;
            break;
        case LabelKind::Date:
            std::snprintf(text, sizeof text, "%d %s", stamp.dayOfMonth, month);
            rank = 1;
            break;
        case LabelKind::Day:
            std::snprintf(text, sizeof text, "%d", stamp.dayOfMonth);
            break;
        case LabelKind::Time:
            std::snprintf(text, sizeof text, "%02d:%02d", stamp.minute / 60, stamp.minute % 60);
            rank = 3;
            break;
        }
        labels.push_back({at, text, rank});
    });
    return labels;
}

std::vector<DateLabel> PlaceDateLabels(std::vector<DateLabel> labels, const ChartLayout& l) {
    std::stable_sort(labels.begin(), labels.end(),
                     [](const DateLabel& a, const DateLabel& b) { return a.rank < b.rank; });
    struct Extent {
        int left, right;
    };
    std::vector<Extent> taken;
    std::vector<DateLabel> placed;
    for (DateLabel& label : labels) {
        const int x = l.BarX(label.at - 1), width = TextWidth(label.text);
        const Extent extent{x - width / 2, x + width - width / 2};
        if (extent.left < 0 || extent.right > l.W)
            continue;
        const bool clear = std::none_of(taken.begin(), taken.end(), [&](const Extent& other) {
            return extent.left < other.right + kGap && other.left < extent.right + kGap;
        });
        if (!clear)
            continue;
        taken.push_back(extent);
        placed.push_back(std::move(label));
    }
    std::sort(placed.begin(), placed.end(),
              [](const DateLabel& a, const DateLabel& b) { return a.at < b.at; });
    return placed;
}

std::string VolumeAxisText(double volume) {
    const double v = std::isfinite(volume) ? std::clamp(volume, 0.0, 1e15) : 0.0;
    char text[32] = "";
    if (v < 1e3) {
        std::snprintf(text, sizeof text, "%.0f", v);
        return text;
    }
    for (const auto& [divisor, unit] :
         {std::pair{1e3, 'K'}, std::pair{1e6, 'M'}, std::pair{1e9, 'B'}, std::pair{1e12, 'T'}}) {
        const double scaled = v / divisor;
        if (scaled >= 999.5 && divisor < 1e12)
            continue;
        if (scaled < 9.95)
            std::snprintf(text, sizeof text, "%.1f%c", scaled, unit);
        else
            std::snprintf(text, sizeof text, "%.0f%c", scaled, unit);
        return text;
    }
    return text;
}
