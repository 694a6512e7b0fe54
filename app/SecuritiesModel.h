#pragma once
// The rows of the securities panel: one per entry of the chart's directory, with the entry's
// figures once they are read. The texts stay in the chart's symbol table and the figures are kept
// as a few numbers per entry, so that 65,535 rows cost a few megabytes; rows are shown in an
// order and through a filter of their own, both a list of entry numbers.

#include "app/SecuritiesFill.h"

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <vector>

class CBars;

class CSecuritiesModel : public QAbstractTableModel {
public:
    enum Column {
        kSymbol,
        kName,
        kFirstDate,
        kLastDate,
        kRecords,
        kLastClose,
        kChange,
        kLastVolume,
        kColumns
    };

    explicit CSecuritiesModel(const CBars& bars, QObject* parent = nullptr);

    // The directory was read again: a row for each entry, none with its figures yet.
    void Reset();
    // Figures read; rows sorted by a figure move to their places.
    void Take(const std::vector<FilledFigures>& filled);
    // How many entries have their figures.
    int Filled() const { return m_nFilled; }
    int Entries() const { return static_cast<int>(m_rows.size()); }

    // Rows whose symbol or name holds `text`, in any case; all rows for an empty text.
    void SetFilter(const QString& text);
    // Numbers sort as numbers; a row without the value comes last in either order. Rows with
    // equal values keep directory order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The entry of a row shown, -1 for none; the row of an entry, -1 when it is filtered out.
    int EntryAt(int row) const;
    int RowOf(int entry) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    enum Flag : std::uint8_t { kRead = 1, kHasClose = 2, kHasVolume = 4 };
    // The figures of one entry as stored, in 28 bytes; the change is worked out when wanted.
    struct Row {
        float firstDate = 0;
        float lastDate = 0;
        float lastClose = 0;
        float previousClose = 0;
        float lastVolume = 0;
        std::int32_t records = 0;
        std::uint8_t flags = 0;
    };
    static SecurityFigures FiguresOf(const Row& row);
    // The value a figure column sorts by; false when the row has none.
    bool Number(const Row& row, int column, double& value) const;
    QString Text(int entry, int column) const;
    // Every entry in the order chosen.
    void SortEntries();
    // The rows shown again after a new order, the view's current row and selection moving with
    // their entries.
    void Relayout();
    // The entries of m_sorted that the filter lets through.
    void ApplyFilter();

    const CBars& m_bars;
    std::vector<Row> m_rows;
    std::vector<int> m_sorted; // every entry, in the order chosen
    std::vector<int> m_shown;  // those of m_sorted the filter lets through
    std::vector<int> m_rowOf;  // each entry's row in m_shown, -1 when filtered out
    int m_nFilled = 0;
    int m_nSortColumn = -1; // directory order
    Qt::SortOrder m_order = Qt::AscendingOrder;
    QString m_strFilter;
};
