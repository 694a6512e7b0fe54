#include "app/SecuritiesPanel.h"

#include "app/SecuritiesFill.h"
#include "app/SecuritiesModel.h"
#include "chart/Bars.h"
#include "platform/FileNames.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Figures are handed to the window this many at a time.
constexpr std::size_t kChunk = 512;

} // namespace

CSecuritiesPanel::CSecuritiesPanel(const CBars& bars, std::function<void(int)> chart,
                                   QWidget* parent)
    : QWidget(parent), m_bars(bars), m_fnChart(std::move(chart)),
      m_pModel(new CSecuritiesModel(bars, this)), m_pFilter(new QLineEdit(this)),
      m_pTable(new QTableView(this)), m_pProgress(new QProgressBar(this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    m_pFilter->setPlaceholderText(QStringLiteral("Filter by symbol or name"));
    m_pFilter->setClearButtonEnabled(true);
    column->addWidget(m_pFilter);
    m_pTable->setModel(m_pModel);
    // Directory order until the user clicks a heading.
    m_pTable->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_pTable->setSortingEnabled(true);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setWordWrap(false);
    m_pTable->verticalHeader()->hide();
    // Rows of one height need not be measured: 65,535 of them lay out at once.
    m_pTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pTable->verticalHeader()->setDefaultSectionSize(m_pTable->fontMetrics().height() + 4);
    m_pTable->horizontalHeader()->setHighlightSections(false);
    column->addWidget(m_pTable, 1);
    m_pProgress->setFormat(QStringLiteral("%v of %m"));
    m_pProgress->setTextVisible(true);
    m_pProgress->hide();
    column->addWidget(m_pProgress);

    connect(m_pFilter, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_pModel->SetFilter(text);
        m_nShownEntry = -1;
        SelectCurrent();
    });
    // Enter in the filter charts the row picked, or the first one.
    connect(m_pFilter, &QLineEdit::returnPressed, this, [this] {
        const QModelIndex current = m_pTable->currentIndex();
        ChartRow(current.isValid() ? current.row() : 0);
    });
    connect(m_pTable, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { ChartRow(index.row()); });
}

CSecuritiesPanel::~CSecuritiesPanel() {
    StopFill();
}

bool CSecuritiesPanel::Filling() const {
    return m_pModel->Filled() < m_pModel->Entries() && m_fill.joinable();
}

void CSecuritiesPanel::Sync() {
    if (m_bars.GetDirectoryReads() != m_nDirectoryReads) {
        m_nDirectoryReads = m_bars.GetDirectoryReads();
        Refill();
    }
    if (m_bars.GetCurrentIndex() != m_nShownEntry)
        SelectCurrent();
}

void CSecuritiesPanel::StopFill() {
    if (m_pStop)
        m_pStop->store(true);
    if (m_fill.joinable())
        m_fill.join();
    m_pStop.reset();
}

void CSecuritiesPanel::Refill() {
    StopFill();
    ++m_nGeneration;
    m_pModel->Reset();
    m_nShownEntry = -1;
    const int count = m_pModel->Entries();
    m_pProgress->setRange(0, count);
    m_pProgress->setValue(0);
    m_pProgress->setVisible(count > 0);
    if (count == 0)
        return;
    const char* folder = m_bars.GetDataDirectory();
    std::string directory = folder ? folder : "";
    AppendSeparator(directory);
    auto stop = std::make_shared<std::atomic<bool>>(false);
    m_pStop = stop;
    const int generation = m_nGeneration;
    m_fill = std::thread([this, stop, generation, directory, entries = FillEntries(m_bars)] {
        ReadEntryFigures(directory, entries, *stop, kChunk,
                         [this, generation](std::vector<FilledFigures>&& filled) {
                             auto chunk =
                                 std::make_shared<std::vector<FilledFigures>>(std::move(filled));
                             // Dropped by Qt when the panel is gone before it arrives.
                             QMetaObject::invokeMethod(
                                 this, [this, generation, chunk] { OnFilled(generation, *chunk); },
                                 Qt::QueuedConnection);
                         });
    });
}

void CSecuritiesPanel::OnFilled(int generation, const std::vector<FilledFigures>& filled) {
    if (generation != m_nGeneration)
        return;
    m_pModel->Take(filled);
    m_pProgress->setValue(m_pModel->Filled());
    if (m_pModel->Filled() >= m_pModel->Entries()) {
        m_pProgress->hide();
        if (m_fill.joinable())
            m_fill.join();
    }
}

void CSecuritiesPanel::ChartRow(int row) {
    const int entry = m_pModel->EntryAt(row);
    if (entry >= 0 && m_fnChart)
        m_fnChart(entry);
    Sync();
}

void CSecuritiesPanel::SelectCurrent() {
    m_nShownEntry = m_bars.GetCurrentIndex();
    const int row = m_pModel->RowOf(m_nShownEntry);
    if (row < 0) {
        m_pTable->clearSelection();
        return;
    }
    const QModelIndex index = m_pModel->index(row, 0);
    m_pTable->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
    m_pTable->scrollTo(index);
}
