#include "dialogs/ColorItemListBox.h"

#include "chart/Bars.h"
#include "dialogs/OwnerDraw.h"

#include <QAbstractItemDelegate>
#include <QPainter>

#include <algorithm>

namespace {

// The swatch column on the left and its colour box, in pixels of the row.
constexpr int kSwatchColumn = 20;
constexpr int kSwatchInset = 3;
constexpr int kSwatchRight = 17;
constexpr int kTextLeft = 23;
constexpr int kTextTop = 3;

class CColorItemDelegate : public QAbstractItemDelegate {
public:
    explicit CColorItemDelegate(CColorItemListBox& list)
        : QAbstractItemDelegate(&list), m_list(list) {}

    // 20 pixels, or more when a larger font needs them.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(option.rect.width(), std::max(CColorItemListBox::kItemHeight,
                                                   option.fontMetrics.height() + 2 * kTextTop));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const CBars* bars = m_list.Bars();
        const QRect r = option.rect;
        const QPalette& palette = option.palette;
        const bool selected = option.state & QStyle::State_Selected;
        const QColor background = palette.color(selected ? QPalette::Highlight : QPalette::Base);
        const QColor text = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);

        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->fillRect(r, background);
        painter->fillRect(QRect(r.left(), r.top(), kSwatchColumn, r.height()),
                          palette.color(QPalette::Base));
        if (bars) {
            const int item = index.row();
            const QRect swatch(r.left() + kSwatchInset, r.top() + kSwatchInset,
                               kSwatchRight - kSwatchInset, r.height() - 2 * kSwatchInset);
            DrawSwatch(*painter, swatch, Qt::black, ToQColor(bars->GetWorkColorRGB(item)));
            painter->setPen(text);
            painter->setFont(option.font);
            const QRect textRect = r.adjusted(kTextLeft, kTextTop, 0, 0);
            painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                              QString::fromStdString(bars->GetItemName(item)));
        }
        if (option.state & QStyle::State_HasFocus)
            DrawFocusFrame(*painter, r.adjusted(kSwatchColumn, 0, 0, 0));
        painter->restore();
    }

private:
    CColorItemListBox& m_list;
};

} // namespace

CColorItemListBox::CColorItemListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new CColorItemDelegate(*this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
}
