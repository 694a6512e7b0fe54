#include "dialogs/SlideShowDlg.h"

#include "dialogs/DataExchange.h"

#include <QLabel>
#include <QLineEdit>

CSlideShowDlg::CSlideShowDlg(MessageService& messages, QWidget* parent)
    : CTemplateDialog(parent, "Slide Show", 171, 118), m_messages(messages) {
    AddGroupBox("Time Control", 12, 8, 148, 32);
    QLineEdit* interval = AddEdit(IDC_INTERVAL, 20, 20, 16, 12);
    AddLabel(IDC_INTERVAL_LABEL, "&Time (in seconds) between charts", 40, 22, 115, 12)
        ->setBuddy(interval);
    AddGroupBox("Keyboard Control", 12, 48, 148, 36);
    AddLabel(IDC_ESCAPE_HINT, "Hit escape to exit slide show", 24, 60, 105, 10);
    AddLabel(IDC_SPACE_HINT, "Hit spacebar to pause/resume", 24, 72, 112, 10);
    AddButton(IDOK, "OK", 50, 95, 50, 14);
    AddButton(IDCANCEL, "Cancel", 111, 95, 50, 14);
}

bool CSlideShowDlg::UpdateData(bool saveAndValidate) {
    auto& edit = *static_cast<QLineEdit*>(GetDlgItem(IDC_INTERVAL));
    if (saveAndValidate)
        return ReadIntEdit(edit, m_nInterval, kMinInterval, kMaxInterval, m_messages);
    WriteIntEdit(edit, m_nInterval);
    return true;
}

void CSlideShowDlg::accept() {
    if (UpdateData(true))
        CTemplateDialog::accept();
}

void CSlideShowDlg::OnInitDialog() {
    UpdateData(false);
    auto* edit = static_cast<QLineEdit*>(GetDlgItem(IDC_INTERVAL));
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}
