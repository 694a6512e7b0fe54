#include "dialogs/OwnerDraw.h"

#include <QPainter>

void DrawSwatch(QPainter& painter, const QRect& rect, const QColor& outline, const QColor& fill) {
    if (rect.isEmpty())
        return;
    painter.fillRect(rect, outline);
    painter.fillRect(rect.adjusted(1, 1, -1, -1), fill);
}

void DrawFocusFrame(QPainter& painter, const QRect& rect) {
    if (rect.isEmpty())
        return;
    const auto dot = [&painter](int x, int y, int step) {
        painter.fillRect(x, y, 1, 1, step % 2 == 0 ? Qt::black : Qt::white);
    };
    // Counted around the frame so the pattern runs on at the corners.
    int step = 0;
    for (int x = rect.left(); x < rect.right(); ++x)
        dot(x, rect.top(), step++);
    for (int y = rect.top(); y < rect.bottom(); ++y)
        dot(rect.right(), y, step++);
    for (int x = rect.right(); x > rect.left(); --x)
        dot(x, rect.bottom(), step++);
    for (int y = rect.bottom(); y > rect.top(); --y)
        dot(rect.left(), y, step++);
}
