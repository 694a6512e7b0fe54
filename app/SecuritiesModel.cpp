#include "app/SecuritiesModel.h"

#include "chart/Bars.h"
#include "dialogs/GoToOrder.h"
#include "platform/FloatText.h"
#include "platform/TextEncoding.h"
#include "quotes/Dates.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <string_view>

namespace {

const char* const kHeaders[] = {"Symbol",  "Name",       "First Date", "Last Date",
                                "Records", "Last Close", "Change %",   "Last Volume"};

QString FloatText(float value) {
    char text[40];
    return QString::fromLatin1(text, PutShortestFloat(text, value) - text);
}

// A stored date as a day of the calendar; a value that names no day as it is stored.
QString DateText(float value) {
    const std::int16_t day = YymmddToDay(value);
    if (day <= 0)
        return FloatText(value);
    int year = 0, month = 0, dayOfMonth = 0;
    DayToYmd(static_cast<std::uint16_t>(day), year, month, dayOfMonth);
    return QStringLiteral("%1-%2-%3")
        .arg(1900 + year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(dayOfMonth, 2, 10, QLatin1Char('0'));
}

unsigned char FoldAscii(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Whether `text` holds `folded` (lower case ASCII) in any case of its ASCII letters.
bool HoldsFolded(std::string_view text, std::string_view folded) {
    return std::search(text.begin(), text.end(), folded.begin(), folded.end(), [](char a, char b) {
               return FoldAscii(a) == static_cast<unsigned char>(b);
           }) != text.end();
}

bool IsAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

CSecuritiesModel::CSecuritiesModel(const CBars& bars, QObject* parent)
    : QAbstractTableModel(parent), m_bars(bars) {
    Reset();
}

SecurityFigures CSecuritiesModel::FiguresOf(const Row& row) {
    SecurityFigures figures;
    figures.records = row.records;
    figures.firstDate = row.firstDate;
    figures.lastDate = row.lastDate;
    figures.lastClose = row.lastClose;
    figures.previousClose = row.previousClose;
    figures.lastVolume = row.lastVolume;
    figures.hasClose = (row.flags & kHasClose) != 0;
    figures.hasVolume = (row.flags & kHasVolume) != 0;
    return figures;
}

void CSecuritiesModel::Reset() {
    beginResetModel();
    m_rows.assign(static_cast<std::size_t>(std::max(m_bars.GetSymbolCount(), 0)), Row());
    m_nFilled = 0;
    m_sorted.resize(m_rows.size());
    SortEntries();
    ApplyFilter();
    endResetModel();
}

void CSecuritiesModel::Take(const std::vector<FilledFigures>& filled) {
    for (const FilledFigures& one : filled) {
        if (one.entry < 0 || one.entry >= Entries())
            continue;
        Row& row = m_rows[static_cast<std::size_t>(one.entry)];
        const SecurityFigures& figures = one.figures;
        row = Row();
        if (one.read) {
            row.flags =
                kRead | (figures.hasClose ? kHasClose : 0) | (figures.hasVolume ? kHasVolume : 0);
            row.records = static_cast<std::int32_t>(
                std::min<long long>(figures.records, std::numeric_limits<std::int32_t>::max()));
            row.firstDate = figures.firstDate;
            row.lastDate = figures.lastDate;
            row.lastClose = figures.lastClose;
            row.previousClose = figures.previousClose;
            row.lastVolume = figures.lastVolume;
        }
        ++m_nFilled;
    }
    if (m_nSortColumn >= kFirstDate) {
        SortEntries();
        Relayout();
    } else if (!filled.empty() && !m_shown.empty()) {
        emit dataChanged(index(0, kFirstDate),
                         index(static_cast<int>(m_shown.size()) - 1, kLastVolume));
    }
}

bool CSecuritiesModel::Number(const Row& row, int column, double& value) const {
    if (!(row.flags & kRead))
        return false;
    if (column == kRecords) {
        value = row.records;
        return true;
    }
    if (row.records <= 0)
        return false;
    switch (column) {
    case kFirstDate:
        value = row.firstDate;
        return true;
    case kLastDate:
        value = row.lastDate;
        return true;
    case kLastClose:
        value = row.lastClose;
        return (row.flags & kHasClose) != 0;
    case kChange:
        if (const auto change = ChangePercent(FiguresOf(row))) {
            value = *change;
            return true;
        }
        return false;
    case kLastVolume:
        value = row.lastVolume;
        return (row.flags & kHasVolume) != 0;
    default:
        return false;
    }
}

void CSecuritiesModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kColumns)
        return;
    m_nSortColumn = column;
    m_order = order;
    SortEntries();
    Relayout();
}

void CSecuritiesModel::SortEntries() {
    const bool descending = m_order == Qt::DescendingOrder;
    std::iota(m_sorted.begin(), m_sorted.end(), 0);
    if (m_nSortColumn == kSymbol || m_nSortColumn == kName) {
        std::vector<std::string_view> keys(m_sorted.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const int entry = static_cast<int>(i);
            const char* text =
                m_nSortColumn == kSymbol ? m_bars.GetSymbol(entry) : m_bars.GetName(entry);
            keys[i] = text ? text : "";
        }
        std::stable_sort(m_sorted.begin(), m_sorted.end(), [&](int a, int b) {
            const std::string_view& x = keys[static_cast<std::size_t>(a)];
            const std::string_view& y = keys[static_cast<std::size_t>(b)];
            return descending ? FoldedLess(y, x) : FoldedLess(x, y);
        });
    } else if (m_nSortColumn >= kFirstDate) {
        std::vector<double> keys(m_sorted.size());
        std::vector<std::uint8_t> has(m_sorted.size());
        for (std::size_t i = 0; i < keys.size(); ++i)
            has[i] = Number(m_rows[i], m_nSortColumn, keys[i]) && !std::isnan(keys[i]);
        const auto empty = std::stable_partition(m_sorted.begin(), m_sorted.end(), [&](int e) {
            return has[static_cast<std::size_t>(e)];
        });
        std::stable_sort(m_sorted.begin(), empty, [&](int a, int b) {
            const double x = keys[static_cast<std::size_t>(a)];
            const double y = keys[static_cast<std::size_t>(b)];
            return descending ? y < x : x < y;
        });
    }
}

void CSecuritiesModel::Relayout() { // The rows shown move; what the view holds of them (the current
                                    // row, the selection) moves
    // with them.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> entries;
    entries.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& held : before)
        entries.push_back(EntryAt(held.row()));
    ApplyFilter();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int row = RowOf(entries[static_cast<std::size_t>(i)]);
        after.push_back(row < 0 ? QModelIndex() : index(row, before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CSecuritiesModel::SetFilter(const QString& text) {
    if (text == m_strFilter)
        return;
    beginResetModel();
    m_strFilter = text;
    ApplyFilter();
    endResetModel();
}

void CSecuritiesModel::ApplyFilter() {
    m_shown.clear();
    m_rowOf.assign(m_rows.size(), -1);
    const QString wanted = m_strFilter.trimmed();
    // Plain letters and digits, the usual case, are looked for in the stored bytes themselves.
    const bool ascii = IsAscii(wanted);
    const std::string folded = wanted.toLower().toStdString();
    for (const int entry : m_sorted) {
        bool shown = wanted.isEmpty();
        if (!shown) {
            const char* symbol = m_bars.GetSymbol(entry);
            const char* name = m_bars.GetName(entry);
            if (ascii)
                shown = HoldsFolded(symbol ? symbol : "", folded) ||
                        HoldsFolded(name ? name : "", folded);
            else
                shown = Text(entry, kSymbol).contains(wanted, Qt::CaseInsensitive) ||
                        Text(entry, kName).contains(wanted, Qt::CaseInsensitive);
        }
        if (shown) {
            m_rowOf[static_cast<std::size_t>(entry)] = static_cast<int>(m_shown.size());
            m_shown.push_back(entry);
        }
    }
}

int CSecuritiesModel::EntryAt(int row) const {
    return row >= 0 && row < static_cast<int>(m_shown.size())
               ? m_shown[static_cast<std::size_t>(row)]
               : -1;
}

int CSecuritiesModel::RowOf(int entry) const {
    return entry >= 0 && entry < static_cast<int>(m_rowOf.size())
               ? m_rowOf[static_cast<std::size_t>(entry)]
               : -1;
}

int CSecuritiesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int CSecuritiesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QString CSecuritiesModel::Text(int entry, int column) const {
    // The directory may have been read again since the rows were made.
    if (entry < 0 || entry >= m_bars.GetSymbolCount() || entry >= Entries())
        return {};
    if (column == kSymbol)
        return QString::fromStdString(Windows1252ToUtf8(m_bars.GetSymbol(entry))).trimmed();
    if (column == kName)
        return QString::fromUtf8(m_bars.GetName(entry)).trimmed();
    const Row& row = m_rows[static_cast<std::size_t>(entry)];
    double value = 0;
    if (!Number(row, column, value))
        return {};
    switch (column) {
    case kFirstDate:
        return DateText(row.firstDate);
    case kLastDate:
        return DateText(row.lastDate);
    case kRecords:
        return QString::number(row.records);
    case kChange:
        return QString::number(value, 'f', 2);
    case kLastClose:
        return FloatText(row.lastClose);
    case kLastVolume:
        return FloatText(row.lastVolume);
    default:
        return {};
    }
}

QVariant CSecuritiesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return Text(EntryAt(index.row()), index.column());
    if (role == Qt::TextAlignmentRole && index.column() >= kFirstDate)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant CSecuritiesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumns)
        return QString::fromLatin1(kHeaders[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
