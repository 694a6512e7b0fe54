#pragma once
// A palette button of the View Options dialog: a box of one of the eight basic colours, the same
// whether pressed or not, with a focus frame inside while it has the focus.

#include <QPushButton>

class CBars;

class CColorButton : public QPushButton {
public:
    CColorButton(const CBars& bars, int paletteIndex, QWidget* parent = nullptr);
    int PaletteIndex() const { return m_nPaletteIndex; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CBars& m_bars;
    int m_nPaletteIndex;
};
