#include "dialogs/SymbolListBox.h"

#include "chart/Bars.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QStringDecoder>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>

// The lines of the list: the entries of a directory in the order given.
class CSymbolListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void Reset(const CBars* bars, std::vector<int> entries) {
        beginResetModel();
        m_pBars = bars;
        m_entries = bars ? std::move(entries) : std::vector<int>();
        endResetModel();
    }
    int Count() const { return static_cast<int>(m_entries.size()); }
    int Entry(int row) const {
        return row >= 0 && row < Count() ? m_entries[static_cast<std::size_t>(row)] : -1;
    }
    int RowOf(int entry) const {
        const auto found = std::find(m_entries.begin(), m_entries.end(), entry);
        return found == m_entries.end() ? -1 : static_cast<int>(found - m_entries.begin());
    }
    const char* Symbol(int row) const { return Text(m_pBars->GetSymbol(Entry(row))); }
    const char* Name(int row) const { return Text(m_pBars->GetName(Entry(row))); }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : Count();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const int row = index.row();
        if (!index.isValid() || row >= Count())
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return DisplayText(Symbol(row)) + QLatin1Char('\t') + DisplayText(Name(row));
        case CSymbolListBox::LineRole:
            return QByteArray(Symbol(row)) + '\t' + QByteArray(Name(row));
        case CSymbolListBox::EntryRole:
            return Entry(row);
        default:
            return {};
        }
    }

private:
    static const char* Text(const char* text) { return text ? text : ""; }

    const CBars* m_pBars = nullptr;
    std::vector<int> m_entries;
};

namespace {

// The names start in one column, two average characters right of the widest symbol.
constexpr int kColumnGapChars = 2;
constexpr int kTextMargin = 2;

// A name as it is drawn: the blanks that a MASTER name ends in take no room.
QString WithoutTrailingBlanks(QStringView name) {
    while (!name.isEmpty() && name.back() == QLatin1Char(' '))
        name.chop(1);
    return name.toString();
}

// Whether the directory's `text` starts with `prefix`, whatever the case. Letters of ASCII read
// the same in UTF-8 and Latin-1, so they are compared as bytes, which spares 65,535 texts their
// decoding on every key; a text goes through the decoder only from its first other byte on.
bool StartsWith(const char* text, const QString& prefix) {
    const auto fold = [](char16_t c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char16_t>(c - 'A' + 'a') : c;
    };
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80)
            return DisplayText(text).startsWith(prefix, Qt::CaseInsensitive);
        if (byte == 0 || fold(byte) != fold(prefix[i].unicode()))
            return false;
    }
    return true;
}

} // namespace

// Draws a line as its symbol and its name, the name in the room up to the list's right edge.
class CLineDelegate : public QStyledItemDelegate {
public:
    explicit CLineDelegate(CSymbolListBox& list) : QStyledItemDelegate(&list), m_list(list) {}

    // A line's texts and where they stand.
    struct Parts {
        QString strSymbol;
        QString strName; // whole, without the blanks a MASTER name ends in
        QRect rcSymbol;
        QRect rcName;
    };

    // `panel` is the line's option, made ready for it; its text goes.
    Parts Split(QStyleOptionViewItem& panel) const {
        const QString line = panel.text;
        panel.text.clear();
        const int tab = static_cast<int>(line.indexOf(QLatin1Char('\t')));
        Parts parts;
        parts.strSymbol = tab < 0 ? line : line.left(tab);
        if (tab >= 0)
            parts.strName = WithoutTrailingBlanks(QStringView(line).mid(tab + 1));
        const QWidget* widget = panel.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &panel, widget);
        parts.rcSymbol =
            QRect(text.left() + kTextMargin, text.top(), m_list.NameColumn(), text.height());
        parts.rcName = text.adjusted(kTextMargin + m_list.NameColumn(), 0, 0, 0);
        return parts;
    }
    // The name as a line shows it: whole where it fits, else cut with an ellipsis.
    QString ShownName(const QStyleOptionViewItem& option, const QModelIndex& index) const {
        QStyleOptionViewItem panel = option;
        initStyleOption(&panel, index);
        const Parts parts = Split(panel);
        return option.fontMetrics.elidedText(parts.strName, Qt::ElideRight, parts.rcName.width());
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem panel = option;
        initStyleOption(&panel, index);
        const Parts parts = Split(panel);
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &panel, painter, widget);

        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setFont(option.font);
        painter->setPen(option.palette.color(
            option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
            selected ? QPalette::HighlightedText : QPalette::Text));
        const int align = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        painter->drawText(parts.rcSymbol, align, parts.strSymbol);
        painter->drawText(
            parts.rcName, align,
            option.fontMetrics.elidedText(parts.strName, Qt::ElideRight, parts.rcName.width()));
        painter->restore();
    }

    // No line asks for more than its symbol's room, so that each is as wide as the list and the
    // names take what the list has.
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return QSize(kTextMargin + m_list.NameColumn(), m_list.LineHeight());
    }

    // A name cut at the list's edge shows whole in its tip.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QString tip = m_list.NameTip(index.row());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPos(), tip, view, option.rect);
        return true;
    }

private:
    CSymbolListBox& m_list;
};

QString DisplayText(const char* bytes) {
    const QByteArray text(bytes ? bytes : "");
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(text);
    return utf8.hasError() ? QString::fromLatin1(text) : decoded;
}

CSymbolListBox::CSymbolListBox(QWidget* parent)
    : QListView(parent), m_pModel(new CSymbolListModel(this)),
      m_pDelegate(new CLineDelegate(*this)) {
    setModel(m_pModel);
    setItemDelegate(m_pDelegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    m_typing.start();
    m_clock = [this] { return m_typing.elapsed(); };
}

void CSymbolListBox::SetLines(const CBars* bars, std::vector<int> entries) {
    m_pModel->Reset(bars, std::move(entries));
    m_strTyped.clear();
    // Shaping 65,535 symbols takes longer than everything else the list does: an ASCII symbol is
    // taken as wide as its letters side by side, which it is, or a little wider with kerning.
    const QFontMetrics metrics(font());
    int advance[128];
    for (int c = 0; c < 128; ++c)
        advance[c] = metrics.horizontalAdvance(QChar(c));
    int widest = 0;
    for (int row = 0; row < m_pModel->Count(); ++row) {
        const char* symbol = m_pModel->Symbol(row);
        int width = 0;
        for (const char* c = symbol; *c && width >= 0; ++c)
            width = static_cast<unsigned char>(*c) < 128 ? width + advance[int(*c)] : -1;
        if (width < 0)
            width = metrics.horizontalAdvance(DisplayText(symbol));
        widest = std::max(widest, width);
    }
    m_nNameColumn = widest + kColumnGapChars * metrics.averageCharWidth();
}

int CSymbolListBox::Count() const {
    return m_pModel->Count();
}

int CSymbolListBox::RowOf(int entry) const {
    return m_pModel->RowOf(entry);
}

int CSymbolListBox::Entry(int row) const {
    return m_pModel->Entry(row);
}

std::string CSymbolListBox::LineBytes(int row) const {
    if (row < 0 || row >= Count())
        return {};
    return m_pModel->data(m_pModel->index(row), LineRole).toByteArray().toStdString();
}

QString CSymbolListBox::ShownName(int row) const {
    const QModelIndex index = m_pModel->index(row);
    if (!index.isValid())
        return {};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return m_pDelegate->ShownName(option, index);
}

QString CSymbolListBox::NameTip(int row) const {
    const QString shown = ShownName(row);
    const QString name = WithoutTrailingBlanks(DisplayText(m_pModel->Name(row)));
    return shown == name ? QString() : name;
}

int CSymbolListBox::LineHeight() const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.text = QStringLiteral("Xg");
    option.features |= QStyleOptionViewItem::HasDisplay;
    return style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
}

int CSymbolListBox::IntegralHeight(int height) const {
    const int frame = 2 * frameWidth();
    const int line = std::max(1, LineHeight());
    return frame + std::max(1, (height - frame) / line) * line;
}

int CSymbolListBox::SelectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

int CSymbolListBox::CurrentRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void CSymbolListBox::SetCurrentRow(int row) {
    setCurrentIndex(m_pModel->index(row));
}

void CSymbolListBox::SetClock(Clock clock) {
    m_clock = std::move(clock);
}

void CSymbolListBox::keyboardSearch(const QString& search) {
    if (search.isEmpty())
        return;
    const qint64 now = m_clock();
    if (m_nTypedAt < 0 || now - m_nTypedAt > kTypingPause)
        m_strTyped.clear();
    m_nTypedAt = now;
    m_strTyped += search;

    // The same letter typed again moves on to the next line that starts with it.
    const bool repeated =
        m_strTyped.size() > 1 &&
        m_strTyped.count(m_strTyped.front(), Qt::CaseInsensitive) == m_strTyped.size();
    const QString prefix = repeated ? m_strTyped.left(1) : m_strTyped;
    const int rows = Count();
    const int first = repeated ? CurrentRow() + 1 : 0;
    for (int n = 0; n < rows; ++n) {
        const int row = (first + n) % rows;
        const char* text =
            m_nSearchColumn == kSearchName ? m_pModel->Name(row) : m_pModel->Symbol(row);
        if (StartsWith(text, prefix)) {
            SetCurrentRow(row);
            scrollTo(m_pModel->index(row));
            return;
        }
    }
}
