#pragma once
// The chart drawn onto a Qt paint device: one painter set-up for the screen, the clipboard and
// every picture file.

#include <QFont>
#include <QImage>
#include <QSize>

#include <optional>

class CBars;
class QPaintDevice;

// Gives `image` `device` pixels for a screen of `dpi` dots per inch; it keeps its memory when its
// size stays.
void SizeChartImage(QImage& image, QSize device, double dpi);

// Draws the chart over `size` pixels of `device`, its text in `font` (without one, in the font a
// painter starts with) unless the chart names another; `printing` picks the print colours. False
// when the device cannot be painted on.
bool DrawChartOn(CBars& bars, QPaintDevice& device, QSize size, const std::optional<QFont>& font,
                 bool printing);
