#pragma once
// The list of colourable chart items in the View Options dialog. Its items carry no text of their
// own: each row is drawn from the chart object's colour scheme, a swatch of the item's working
// colour and the item's name.

#include <QListWidget>

class CBars;

class CColorItemListBox : public QListWidget {
public:
    static constexpr int kItemHeight = 20;

    explicit CColorItemListBox(QWidget* parent = nullptr);
    void SetBars(const CBars* bars) { m_pBars = bars; }
    const CBars* Bars() const { return m_pBars; }

private:
    const CBars* m_pBars = nullptr;
};
