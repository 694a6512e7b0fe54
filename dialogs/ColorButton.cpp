#include "dialogs/ColorButton.h"

#include "chart/Bars.h"
#include "dialogs/OwnerDraw.h"

#include <QPainter>

namespace {

// Palette index k = 4r + 2g + b; the names are for tool tips and screen readers.
const char* const kColorNames[kPaletteSize] = {"Black", "Blue",    "Green",  "Cyan",
                                               "Red",   "Magenta", "Yellow", "White"};

} // namespace

CColorButton::CColorButton(const CBars& bars, int paletteIndex, QWidget* parent)
    : QPushButton(parent), m_bars(bars), m_nPaletteIndex(paletteIndex) {
    const QString name = QString::fromLatin1(kColorNames[paletteIndex % kPaletteSize]);
    setToolTip(name);
    setAccessibleName(name);
    setAutoDefault(false);
}

void CColorButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawSwatch(painter, rect(), Qt::black, ToQColor(m_bars.GetPaletteColor(m_nPaletteIndex)));
    if (hasFocus())
        DrawFocusFrame(painter, rect().adjusted(2, 2, -2, -2));
}
