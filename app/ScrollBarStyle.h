#pragma once
// The chart's scroll bar with a thumb that reads as one. The style Qt falls back on without a
// desktop theme (Fusion) draws the thumb a shade lighter than its groove; a thumb half as wide as
// the bar (a few hundred daily bars at a large zoom) then looks like the empty part, and users
// read the window as standing at the other end of the history. Over such a style the thumb is
// painted in the palette's darker mid tone, and darker still while the pointer is on it or it is
// dragged; other styles draw their own thumbs, which tell themselves apart already.

#include <QProxyStyle>

class CScrollBarStyle : public QProxyStyle {
public:
    // Draws over `base`, the application's style when null.
    explicit CScrollBarStyle(QStyle* base = nullptr);

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

private:
    bool m_bRepaintThumb;
};
