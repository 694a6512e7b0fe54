#include "dialogs/SymbolListBox.h"

#include <QApplication>
#include <QPainter>
#include <QStringDecoder>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// The names start in one column, two average characters right of the widest symbol.
constexpr int kColumnGapChars = 2;
constexpr int kTextMargin = 2;

class CLineDelegate : public QStyledItemDelegate {
public:
    explicit CLineDelegate(CSymbolListBox& list) : QStyledItemDelegate(&list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem panel = option;
        initStyleOption(&panel, index);
        const QString line = panel.text;
        panel.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &panel, painter, widget);

        const int tab = static_cast<int>(line.indexOf(QLatin1Char('\t')));
        const QString symbol = tab < 0 ? line : line.left(tab);
        const QString name = tab < 0 ? QString() : line.mid(tab + 1);
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &panel, widget);
        const QRect symbolRect(text.left() + kTextMargin, text.top(), m_list.NameColumn(),
                               text.height());
        const QRect nameRect = text.adjusted(kTextMargin + m_list.NameColumn(), 0, 0, 0);
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setFont(option.font);
        painter->setPen(option.palette.color(
            option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
            selected ? QPalette::HighlightedText : QPalette::Text));
        const int align = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        painter->drawText(symbolRect, align, symbol);
        painter->drawText(nameRect, align,
                          option.fontMetrics.elidedText(name, Qt::ElideRight, nameRect.width()));
        painter->restore();
    }

private:
    CSymbolListBox& m_list;
};

} // namespace

QString DisplayText(const char* bytes) {
    const QByteArray text(bytes ? bytes : "");
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(text);
    return utf8.hasError() ? QString::fromLatin1(text) : decoded;
}

CSymbolListBox::CSymbolListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new CLineDelegate(*this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
}

void CSymbolListBox::AddLine(const char* symbol, const char* name, int entry) {
    const QString shownSymbol = DisplayText(symbol);
    auto* item = new QListWidgetItem(shownSymbol + QLatin1Char('\t') + DisplayText(name), this);
    item->setData(LineRole, QByteArray(symbol ? symbol : "") + '\t' + QByteArray(name ? name : ""));
    item->setData(EntryRole, entry);

    const QFontMetrics metrics(font());
    m_nNameColumn = std::max(m_nNameColumn, metrics.horizontalAdvance(shownSymbol) +
                                                kColumnGapChars * metrics.averageCharWidth());
}

std::string CSymbolListBox::LineBytes(const QListWidgetItem* item) {
    return item ? item->data(LineRole).toByteArray().toStdString() : std::string();
}

void CSymbolListBox::keyboardSearch(const QString& search) {
    if (search.isEmpty())
        return;
    if (!m_typing.isValid() || m_typing.elapsed() > QApplication::keyboardInputInterval())
        m_strTyped.clear();
    m_typing.start();
    m_strTyped += search;

    // The same letter typed again moves on to the next line that starts with it.
    const bool repeated =
        m_strTyped.size() > 1 && m_strTyped.count(m_strTyped.front()) == m_strTyped.size();
    const QString prefix = repeated ? m_strTyped.left(1) : m_strTyped;
    const int rows = count();
    const int first = repeated ? currentRow() + 1 : 0;
    for (int n = 0; n < rows; ++n) {
        const int row = (first + n) % rows;
        if (item(row)->text().startsWith(prefix, Qt::CaseInsensitive)) {
            setCurrentRow(row);
            scrollToItem(item(row));
            return;
        }
    }
}
