#pragma once
// Drawing shared by the owner-drawn colour list and colour buttons. Everything lands on whole
// logical pixels with no smoothing, so edges stay sharp at any device pixel ratio.

#include "platform/Geometry.h"

#include <QColor>

class QPainter;
class QRect;

inline QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

// A rectangle outlined one pixel wide in `outline` and filled with `fill`.
void DrawSwatch(QPainter& painter, const QRect& rect, const QColor& outline, const QColor& fill);

// The focus frame: a dotted line of alternating black and white pixels, visible on any colour.
void DrawFocusFrame(QPainter& painter, const QRect& rect);
