#include "dialogs/GoToDlg.h"

#include "chart/Bars.h"
#include "dialogs/GoToOrder.h"
#include "dialogs/SymbolListBox.h"
#include "platform/Settings.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

namespace {

constexpr char kSection[] = "GoToDialog";
constexpr char kSorting[] = "Sorting";
constexpr char kWidth[] = "Width";
constexpr char kHeight[] = "Height";

} // namespace

CGoToDlg::CGoToDlg(Settings& settings, QWidget* parent)
    : CTemplateDialog(parent, "Go To Chart", 247, 146), m_settings(settings) {
    QLabel* label = AddLabel(0, "&Choose Item to Chart", 6, 10, 92, 12);
    m_pList = Place(new CSymbolListBox, IDC_SYMBOLS, 5, 23, 115, 127);
    label->setBuddy(m_pList);
    QWidget* sortBy = AddGroupBox("Sort By", 130, 10, 105, 75);
    m_pSort[kSortMasterOrder] =
        AddRadioButton(IDC_SORT_MASTER, "&Master File Order", 135, 25, 80, 15);
    m_pSort[kSortSymbol] = AddRadioButton(IDC_SORT_SYMBOL, "&Symbol", 135, 45, 45, 15);
    m_pSort[kSortName] = AddRadioButton(IDC_SORT_NAME, "&Name", 135, 65, 45, 15);
    QWidget* ok = AddButton(IDOK, "OK", 130, 120, 50, 14);
    QWidget* cancel = AddButton(IDCANCEL, "Cancel", 190, 120, 50, 14);

    // A larger dialog gives the list the room: the order stays at the top right, the buttons at
    // the bottom right.
    SetResizable();
    SetFollow(m_pList, kGrowRight | kGrowDown);
    SetFollow(sortBy, kMoveRight);
    for (QRadioButton* sort : m_pSort)
        SetFollow(sort, kMoveRight);
    SetFollow(ok, kMoveRight | kMoveDown);
    SetFollow(cancel, kMoveRight | kMoveDown);

    for (QRadioButton* sort : m_pSort)
        connect(sort, &QRadioButton::clicked, this, [this] { FillList(); });
    connect(m_pList, &QAbstractItemView::doubleClicked, this, [this] { accept(); });
}

void CGoToDlg::UpdateData(bool save) {
    if (!save) {
        m_pSort[m_nSorting]->setChecked(true);
        return;
    }
    const int row = m_pList->SelectedRow();
    m_strSelection = m_pList->LineBytes(row);
    m_nSelectedEntry = m_pList->Entry(row);
    for (int i = 0; i < kSortingCount; ++i)
        if (m_pSort[i]->isChecked())
            m_nSorting = i;
}

void CGoToDlg::accept() {
    UpdateData(true);
    CTemplateDialog::accept();
}

void CGoToDlg::done(int result) {
    // Only a size the user changed is stored; a dialog never shown has none.
    if (m_szOpened.isValid() && size() != m_szOpened) {
        m_settings.WriteInt(kSection, kWidth, Units().ToUnitsX(width()));
        m_settings.WriteInt(kSection, kHeight, Units().ToUnitsY(height()));
    }
    CTemplateDialog::done(result);
}

void CGoToDlg::OnInitDialog() {
    // The size the user left the dialog at, no smaller than the template and no larger than the
    // screen.
    QSize stored(Units().X(m_settings.ReadInt(kSection, kWidth, 0)),
                 Units().Y(m_settings.ReadInt(kSection, kHeight, 0)));
    if (const QScreen* shown = screen())
        stored = stored.boundedTo(shown->availableGeometry().size());
    resize(stored.expandedTo(TemplateSize()));
    m_szOpened = size();

    m_nSorting = m_settings.ReadInt(kSection, kSorting, kSortMasterOrder);
    // An order this program never stored is shown as directory order.
    if (m_nSorting < 0 || m_nSorting >= kSortingCount)
        m_nSorting = kSortMasterOrder;
    UpdateData(false);
    FillList();
    m_pList->setFocus(Qt::OtherFocusReason);
}

void CGoToDlg::OnLayout() {
    // The list shows whole lines only, and never runs past the dialog's bottom edge, which its
    // place in the template would.
    const QRect placed = m_pList->geometry();
    m_pList->resize(placed.width(),
                    m_pList->IntegralHeight(std::min(placed.height(), height() - placed.top())));
}

void CGoToDlg::FillList() {
    UpdateData(true);
    m_settings.WriteInt(kSection, kSorting, m_nSorting);
    if (!m_pBars) {
        m_pList->SetLines(nullptr, {});
        return;
    }
    m_pList->SetLines(m_pBars, SortedEntries(*m_pBars, m_nSorting));
    m_pList->SetSearchColumn(m_nSorting == kSortName ? CSymbolListBox::kSearchName
                                                     : CSymbolListBox::kSearchSymbol);
    // The line picked by the user stays picked across a change of order; else the current
    // security's line is selected. Lines are told apart by their entry, not their text, since
    // two entries may read the same.
    const int wanted = m_nSelectedEntry >= 0 ? m_nSelectedEntry : m_pBars->GetCurrentIndex();
    const int row = m_pList->RowOf(wanted);
    UpdateData(false);
    if (row >= 0) {
        m_pList->SetCurrentRow(row);
        m_pList->scrollTo(m_pList->model()->index(row, 0), QAbstractItemView::PositionAtTop);
    } else {
        m_pList->scrollToTop();
    }
}
