#pragma once
// The texts of the chart and the room they take: the header (the first and the last date with the
// title between), the labels of the right column, and where each goes when the places they always
// had would put one text over another or past the chart's edge. Texts that fit stand where they
// always stood.
//
// Widths are estimated, not measured: a character is taken to cover kCharWidth logical units,
// about what the chart's 12-unit fonts need for digits, so that every surface (a trace, an image,
// a printer) places the texts alike.

#include <string>
#include <string_view>

constexpr int kCharWidth = 7;
// The height the digits of a label cover above its baseline, in logical units.
constexpr int kDigitHeight = 10;

// The width `text` (UTF-8) is taken to cover.
int TextWidth(std::string_view text);

// A price of the right column, "%6.2f" while that fits `room` units, else with fewer decimals, and
// past that in thousands ("12345K") or millions.
std::string PriceLabel(double price, int room);
// The volume label, "%3lldK" (or "%3lld" below a thousand) while it fits `room` units, else in
// millions ("145M") or billions.
std::string VolumeLabel(float maximum, int room);

// Where the header's texts stand: x and alignment of each (left, right or centre, all hanging
// from the label band's top), and whether a text is shown at all.
struct HeaderPlace {
    bool bShown = true;
    int x = 0;
    unsigned align = 0;
};
struct HeaderPlan {
    HeaderPlace firstDate, lastDate, symbol, name;
};

// The header for a chart whose last bar stands at `xLast` and whose right axis is at `xAxis`:
// the first date at the left edge, the last date ending at the last bar, and the title in the
// middle between them (split in symbol and name beyond 350 units, else the symbol alone). Where
// those would overlap (a short history), the title stands right of the last date instead, and a
// last date that would run into the first follows it.
HeaderPlan PlanHeader(std::string_view firstDate, std::string_view lastDate,
                      std::string_view symbol, std::string_view name, int xLast, int xAxis);
