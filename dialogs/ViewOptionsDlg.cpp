#include "dialogs/ViewOptionsDlg.h"

#include "chart/Bars.h"
#include "chart/ViewOptions.h"
#include "dialogs/ColorButton.h"
#include "dialogs/ColorItemListBox.h"
#include "dialogs/DataExchange.h"
#include "platform/MessageService.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int kPaletteButtons = 8;
constexpr char kColorsText[] = "&Colors >>";
constexpr char kShrinkText[] = "&Shrink <<";

QCheckBox& Check(const CTemplateDialog& dialog, int id) {
    return *static_cast<QCheckBox*>(dialog.GetDlgItem(id));
}

QLineEdit& Edit(const CTemplateDialog& dialog, int id) {
    return *static_cast<QLineEdit*>(dialog.GetDlgItem(id));
}

} // namespace

CViewOptionsDlg::CViewOptionsDlg(CBars& bars, MessageService& messages, QWidget* parent)
    : CTemplateDialog(parent, "View Options", 206, 276), m_bars(bars), m_messages(messages) {
    AddGroupBox("Options", 5, 10, 132, 90);
    AddCheckBox(IDC_SHOW_VOLUME, "Show &Volume", 10, 25, 55, 10);
    AddCheckBox(IDC_SHOW_MA1, "Show Moving Average &1", 10, 40, 95, 10);
    AddCheckBox(IDC_SHOW_MA2, "Show Moving Average &2", 10, 55, 100, 10);
    AddCheckBox(IDC_HIDE_BAD_DATA, "&Hide Bad Data", 10, 70, 100, 10);
    AddCheckBox(IDC_MASTER_FIX, "Automatically &Repair Bad Masters", 10, 85, 125, 10);
    AddGroupBox("Values", 5, 105, 131, 75);
    QLineEdit* ma1 = AddEdit(IDC_MA1_LENGTH, 10, 121, 17, 15);
    AddLabel(IDC_MA1_LABEL, "&Length of Moving Average 1", 30, 122, 100, 10)->setBuddy(ma1);
    QLineEdit* ma2 = AddEdit(IDC_MA2_LENGTH, 10, 138, 17, 14);
    AddLabel(IDC_MA2_LABEL, "L&ength of Moving Average 2", 30, 142, 100, 13)->setBuddy(ma2);
    QLineEdit* space = AddEdit(IDC_BAR_SPACE, 10, 158, 17, 15);
    AddLabel(IDC_BAR_SPACE_LABEL, "&Bar Spacing", 31, 159, 88, 10)->setBuddy(space);
    GetDlgItem(IDC_MA1_LABEL)->setEnabled(false);
    ma2->setEnabled(false);
    GetDlgItem(IDC_MA2_LABEL)->setEnabled(false);
    AddButton(IDOK, "OK", 145, 15, 50, 14);
    AddButton(IDCANCEL, "Cancel", 145, 35, 50, 14);
    AddButton(IDC_DEFAULT, "&Default", 145, 55, 50, 14);
    AddButton(IDC_COLORS, kColorsText, 145, 166, 50, 15);
    m_lbItems = Place(new CColorItemListBox, IDC_COLOR_ITEMS, 5, 195, 99, 77);
    m_lbItems->setEnabled(false);
    AddGroupBox("Palette", 114, 195, 86, 65);
    for (int k = 0; k < kPaletteButtons; ++k) {
        const int x = 120 + 20 * (k % 4);
        const int y = k < 4 ? 210 : 236;
        const int cx = (k < 3) ? 14 : 15;
        m_btnColors[k] = Place(new CColorButton(bars, k), IDC_PALETTE_FIRST + k, x, y, cx, 15);
        connect(m_btnColors[k], &QPushButton::clicked, this, [this, k] { OnPalette(k); });
    }

    connect(&Check(*this, IDC_SHOW_MA1), &QCheckBox::clicked, this, [this] { OnShowMA1(); });
    connect(&Check(*this, IDC_SHOW_MA2), &QCheckBox::clicked, this, [this] { OnShowMA2(); });
    connect(static_cast<QPushButton*>(GetDlgItem(IDC_DEFAULT)), &QPushButton::clicked, this,
            [this] { OnDefault(); });
    connect(static_cast<QPushButton*>(GetDlgItem(IDC_COLORS)), &QPushButton::clicked, this,
            [this] { OnColors(); });
}

bool CViewOptionsDlg::UpdateData(bool saveAndValidate) {
    // Fields in exchange order; a save stops at the first edit that is refused.
    const auto check = [this, saveAndValidate](int id, int& field) {
        if (saveAndValidate)
            field = Check(*this, id).isChecked() ? 1 : 0;
        else
            Check(*this, id).setChecked(field != 0);
    };
    const auto edit = [this, saveAndValidate](int id, int& field, int min, int max) {
        if (saveAndValidate)
            return ReadIntEdit(Edit(*this, id), field, min, max, m_messages);
        WriteIntEdit(Edit(*this, id), field);
        return true;
    };
    if (!edit(IDC_MA1_LENGTH, m_nMA1Length, kMinAverageLength, kMaxAverageLength) ||
        !edit(IDC_MA2_LENGTH, m_nMA2Length, kMinAverageLength, kMaxAverageLength))
        return false;
    check(IDC_SHOW_MA1, m_bShowMA1);
    check(IDC_SHOW_MA2, m_bShowMA2);
    check(IDC_SHOW_VOLUME, m_bShowVolume);
    if (!edit(IDC_BAR_SPACE, m_nBarSpace, kMinBarSpace, kMaxBarSpace))
        return false;
    check(IDC_HIDE_BAD_DATA, m_bHideBadData);
    check(IDC_MASTER_FIX, m_bMasterFix);
    return true;
}

void CViewOptionsDlg::accept() {
    if (UpdateData(true))
        CTemplateDialog::accept();
}

void CViewOptionsDlg::OnInitDialog() {
    UpdateData(false);
    EnableLength(IDC_MA1_LENGTH, IDC_MA1_LABEL, m_bShowMA1);
    EnableLength(IDC_MA2_LENGTH, IDC_MA2_LABEL, m_bShowMA2);

    const QRect outer = frameGeometry();
    m_nFrameExtra = outer.height() - height();
    m_nFullHeight = outer.height();
    // The bottom of "Colors >>" in the outer window, and three sizing-frame heights below it.
    const int frameTop = geometry().top() - outer.top();
    const int sizingFrame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    m_nShrunkHeight = frameTop + GetDlgItem(IDC_COLORS)->geometry().bottom() + 1 + 3 * sizingFrame;
    SetOuterHeight(m_nShrunkHeight);
    m_bExpanded = 0;
    // Hidden with the palette, the colour buttons take no focus until they are shown.
    for (CColorButton* button : m_btnColors)
        button->setEnabled(false);
    m_lbItems->SetBars(&m_bars);
}

void CViewOptionsDlg::SetOuterHeight(int height) {
    setFixedSize(width(), height - m_nFrameExtra);
}

void CViewOptionsDlg::EnableLength(int editId, int labelId, bool enable) {
    GetDlgItem(editId)->setEnabled(enable);
    GetDlgItem(labelId)->setEnabled(enable);
}

void CViewOptionsDlg::OnShowMA1() {
    UpdateData(true);
    EnableLength(IDC_MA1_LENGTH, IDC_MA1_LABEL, m_bShowMA1);
}

void CViewOptionsDlg::OnShowMA2() {
    UpdateData(true);
    EnableLength(IDC_MA2_LENGTH, IDC_MA2_LABEL, m_bShowMA2);
}

void CViewOptionsDlg::OnDefault() {
    m_nMA1Length = kDefaultMA1Length;
    m_nMA2Length = kDefaultMA2Length;
    m_bShowMA1 = 1;
    m_bShowMA2 = 1;
    m_bShowVolume = 1;
    m_nBarSpace = kDefaultBarSpace;
    m_bMasterFix = 0;
    UpdateData(false);
}

void CViewOptionsDlg::OnColors() {
    SetOuterHeight(m_bExpanded ? m_nShrunkHeight : m_nFullHeight);
    m_bExpanded = !m_bExpanded;
    static_cast<QPushButton*>(GetDlgItem(IDC_COLORS))
        ->setText(m_bExpanded ? kShrinkText : kColorsText);
    m_lbItems->setEnabled(m_bExpanded);
    if (m_bExpanded)
        FillItems();
    for (CColorButton* button : m_btnColors)
        button->setEnabled(m_bExpanded);
}

void CViewOptionsDlg::FillItems() {
    m_lbItems->clear();
    for (int i = 0; i < kColorItemCount; ++i) {
        auto* item = new QListWidgetItem(m_lbItems);
        item->setData(Qt::AccessibleTextRole, QString::fromStdString(m_bars.GetItemName(i)));
    }
}

void CViewOptionsDlg::OnPalette(int paletteIndex) {
    const QList<QListWidgetItem*> selected = m_lbItems->selectedItems();
    if (selected.isEmpty()) {
        m_messages.Show("You have not selected a colorable item", MessageIcon::Warning);
        return;
    }
    const int item = m_lbItems->row(selected.front());
    m_bars.SetWorkColor(item, paletteIndex);
    // Refilled so that every swatch is drawn afresh.
    FillItems();
    m_lbItems->setCurrentRow(item);
}
