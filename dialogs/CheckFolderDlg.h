#pragma once
// File > Check Folder...: the findings of the check of the open quote folder (FolderCheck.h) in a
// table, one a row: level, where, code and message. A row of a security opens it when it is
// activated (Enter or a double-click); the window stays, so that one finding after another can be
// looked at.
//
//   12 findings in /data/quotes/
//   +---------+----------------+-----------------+----------------------------+
//   | Level   | Where          | Code            | Message                    |
//   | error   | F16.DAT        | price-file-...  | MASTER lists it for ...    |
//   +---------+----------------+-----------------+----------------------------+
//                                                                    [ Close ]

#include "quotes/Finding.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class CCheckFolderDlg : public QDialog {
public:
    // Opens the security of the symbol (as stored) in the chart.
    using SymbolOpener = std::function<void(const std::string& symbol)>;

    // Checks `folder` (empty or ending in a separator) at once.
    CCheckFolderDlg(const std::string& folder, SymbolOpener opener, QWidget* parent = nullptr);

    const std::vector<Finding>& Findings() const { return m_findings; }
    // The table, for tests.
    QTreeWidget& Table() const { return *m_pTable; }

private:
    void OnActivated(QTreeWidgetItem* item);

    std::vector<Finding> m_findings;
    SymbolOpener m_fnOpen;
    QLabel* m_pSummary = nullptr;
    QTreeWidget* m_pTable = nullptr;
};
