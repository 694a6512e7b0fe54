#include "dialogs/CheckFolderDlg.h"

#include "quotes/FolderCheck.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Texts of the folder are single-byte Windows-1252, which Latin-1 decodes but for a few signs.
QString FromStored(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CCheckFolderDlg::CCheckFolderDlg(const std::string& folder, SymbolOpener opener, QWidget* parent)
    : QDialog(parent), m_fnOpen(std::move(opener)) {
    setWindowTitle(tr("Check Folder"));
    m_pSummary = new QLabel(this);
    m_pTable = new QTreeWidget(this);
    m_pTable->setRootIsDecorated(false);
    m_pTable->setUniformRowHeights(true);
    m_pTable->setHeaderLabels({tr("Level"), tr("Where"), tr("Code"), tr("Message")});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter opens the finding under it; it must not close the window as well.
    for (QAbstractButton* button : buttons->buttons())
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pSummary);
    layout->addWidget(m_pTable);
    layout->addWidget(buttons);
    resize(900, 480);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    CheckFolder(folder, [this](const Finding& finding) { m_findings.push_back(finding); });
    QApplication::restoreOverrideCursor();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(m_findings.size()));
    for (std::size_t i = 0; i < m_findings.size(); ++i) {
        const Finding& finding = m_findings[i];
        auto* item = new QTreeWidgetItem(
            {QString::fromLatin1(FindingLevelName(finding.level)), FromStored(finding.where),
             QString::fromStdString(finding.code), FromStored(finding.message)});
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
        if (!finding.symbol.empty())
            item->setToolTip(3, tr("Enter or a double-click opens this security"));
        items.append(item);
    }
    m_pTable->addTopLevelItems(items);
    for (int column = 0; column < 3; ++column)
        m_pTable->resizeColumnToContents(column);
    const QString shown = folder.empty() ? QStringLiteral(".") : QString::fromStdString(folder);
    const auto count = static_cast<qulonglong>(m_findings.size());
    m_pSummary->setText(count == 0   ? tr("Nothing was found wrong in %1.").arg(shown)
                        : count == 1 ? tr("1 finding in %1:").arg(shown)
                                     : tr("%1 findings in %2:").arg(count).arg(shown));
    connect(m_pTable, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OnActivated(item); });
}

void CCheckFolderDlg::OnActivated(QTreeWidgetItem* item) {
    if (!item || !m_fnOpen)
        return;
    const auto index = static_cast<std::size_t>(item->data(0, Qt::UserRole).toULongLong());
    if (index < m_findings.size() && !m_findings[index].symbol.empty())
        m_fnOpen(m_findings[index].symbol);
}
