#pragma once
// The status bar's own panes: the position text ("Symbol %d of %d") and the position indicator, a
// dark blue disc in which a yellow sector grows clockwise from twelve o'clock as the current
// security moves through the directory.

#include "platform/Geometry.h"

#include <QLabel>
#include <QWidget>

#include <string>

class Surface;

// The text of the position pane for entry `current` (from 0) of `count`.
std::string SymbolPaneText(int count, int current);

// The point at `degrees` (counter-clockwise, 90 is twelve o'clock) on the ellipse in `r`, in the
// integer steps the indicator's sector is drawn with.
CPoint IndicatorPoint(const CRect& r, double degrees);

// Draws the indicator for entry `current` of `count` into `r` and gives back the pen and the brush
// it found selected.
void DrawPositionIndicator(Surface& dc, const CRect& r, int count, int current);

// The pane that shows the indicator. It keeps the position it was last given and paints it again
// whenever the status bar repaints.
class CIndicatorPane : public QWidget {
    Q_OBJECT

public:
    explicit CIndicatorPane(QWidget* parent = nullptr);
    void SetPosition(int count, int current);
    bool IsDrawn() const { return m_bDrawn; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_bDrawn = false;
    int m_nCount = 0;
    int m_nCurrent = 0;
};

// The message pane's text while it has nothing else to say.
constexpr char kIdlePrompt[] = "For Help, press F1";

// The message pane. Its size does not follow its text, so that a new text (the crosshair's readout
// at every move of the pointer) is only drawn, without laying out the status bar again.
class CMessagePane : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};
