#include "chart/ChartLabels.h"

#include "platform/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Room kept between two texts.
constexpr int kGap = kCharWidth;

struct Extent {
    int left, right;
    bool Overlaps(const Extent& other) const {
        return left < other.right + kGap && other.left < right + kGap;
    }
};

Extent ExtentOf(int x, unsigned align, int width) {
    switch (align & kAlignHorizontalMask) {
    case kAlignRight:
        return {x - width, x};
    case kAlignCenter:
        return {x - width / 2, x + width - width / 2};
    default:
        return {x, x + width};
    }
}

std::string Formatted(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

} // namespace

int TextWidth(std::string_view text) {
    // Characters, not bytes: continuation bytes of UTF-8 take no room of their own.
    const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return kCharWidth * static_cast<int>(characters);
}

std::string PriceLabel(double price, int room) {
    const double value = std::clamp(price, -1e15, 1e15);
    for (const char* pattern : {"%6.2f", "%.1f", "%.0f"}) {
        std::string text = Formatted(pattern, value);
        if (TextWidth(text) <= room)
            return text;
    }
    for (const auto& [divisor, unit] :
         {std::pair{1e3, "K"}, std::pair{1e6, "M"}, std::pair{1e9, "B"}, std::pair{1e12, "T"}}) {
        std::string text = Formatted("%.0f", value / divisor) + unit;
        if (TextWidth(text) <= room)
            return text;
    }
    return Formatted("%.0f", value / 1e12) + "T";
}

std::string VolumeLabel(float maximum, int room) {
    const float volume = (maximum > 0 && std::isfinite(maximum)) ? std::min(maximum, 1e15f) : 0.0f;
    const auto thousands = static_cast<long long>(volume / 1000.0f);
    char text[64];
    if (thousands != 0)
        std::snprintf(text, sizeof text, "%3lldK", thousands);
    else
        std::snprintf(text, sizeof text, "%3lld", static_cast<long long>(volume));
    if (TextWidth(text) <= room)
        return text;
    for (const auto& [divisor, unit] : {std::pair{1e6, "M"}, std::pair{1e9, "B"}}) {
        std::snprintf(text, sizeof text, "%.0f%s", std::round(double(volume) / divisor), unit);
        if (TextWidth(text) <= room)
            return text;
    }
    return text;
}

HeaderPlan PlanHeader(std::string_view firstDate, std::string_view lastDate,
                      std::string_view symbol, std::string_view name, int xLast, int xAxis) {
    HeaderPlan plan;
    plan.firstDate = {true, 7, kAlignLeft | kAlignTop};
    plan.lastDate = {true, xLast, kAlignRight | kAlignTop};
    const int middle = xLast / 2;
    const bool split = xLast > 350;
    if (split) {
        plan.symbol = {true, middle - 5, kAlignRight | kAlignTop};
        plan.name = {true, middle, kAlignLeft | kAlignTop};
    } else {
        plan.symbol = {true, middle, kAlignCenter | kAlignTop};
        plan.name = {false, 0, 0};
    }
    const Extent first = ExtentOf(plan.firstDate.x, plan.firstDate.align, TextWidth(firstDate));
    const Extent last = ExtentOf(plan.lastDate.x, plan.lastDate.align, TextWidth(lastDate));
    Extent title = ExtentOf(plan.symbol.x, plan.symbol.align, TextWidth(symbol));
    if (split)
        title.right = plan.name.x + TextWidth(name);
    const bool datesMeet = first.Overlaps(last);
    if (!datesMeet && !title.Overlaps(first) && !title.Overlaps(last))
        return plan;

    // A short history: the dates at its first and last bar, or one after the other where the bars
    // stand too close for that, and the title clear of them.
    int lastRight = last.right;
    if (datesMeet) {
        const int x = first.right + 2 * kGap;
        plan.lastDate = {true, x, kAlignLeft | kAlignTop};
        lastRight = x + TextWidth(lastDate);
    }
    const int x = lastRight + 2 * kGap;
    plan.symbol = {true, x, kAlignLeft | kAlignTop};
    const int nameX = x + TextWidth(symbol) + 2 * kGap;
    plan.name = {!name.empty() && nameX + TextWidth(name) <= xAxis, nameX, kAlignLeft | kAlignTop};
    return plan;
}
