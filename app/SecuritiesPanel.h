#pragma once
// The securities panel: every entry of the open folder in a table with its figures, sortable by
// any column and filtered as the user types; Enter or a double-click charts the entry. The
// figures are read on a thread of the panel's and come in a chunk at a time, with the count read
// so far shown under the table; a folder opened, or its directory read again, starts the reading
// over. The row of the security shown follows the chart.

#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class CBars;
class CSecuritiesModel;
class QLineEdit;
class QProgressBar;
class QTableView;
struct FilledFigures;

class CSecuritiesPanel : public QWidget {
public:
    // `chart` shows entry k of the directory.
    CSecuritiesPanel(const CBars& bars, std::function<void(int)> chart, QWidget* parent = nullptr);
    ~CSecuritiesPanel() override;

    // Follows the chart: refills when the directory was read again, selects the current entry's
    // row when the chart moved to another. Cheap when nothing changed.
    void Sync();

    CSecuritiesModel& Model() { return *m_pModel; }
    QTableView& Table() { return *m_pTable; }
    QLineEdit& Filter() { return *m_pFilter; }
    QProgressBar& Progress() { return *m_pProgress; }
    // True while figures are being read.
    bool Filling() const;

private:
    void Refill();
    void StopFill();
    void OnFilled(int generation, const std::vector<FilledFigures>& filled);
    void ChartRow(int row);
    void SelectCurrent();

    const CBars& m_bars;
    std::function<void(int)> m_fnChart;
    CSecuritiesModel* m_pModel;
    QLineEdit* m_pFilter;
    QTableView* m_pTable;
    QProgressBar* m_pProgress;
    std::thread m_fill;
    std::shared_ptr<std::atomic<bool>> m_pStop;
    // Counts the fills started: figures of an earlier one that arrive late are dropped.
    int m_nGeneration = 0;
    int m_nDirectoryReads = -1;
    int m_nShownEntry = -1;
};
