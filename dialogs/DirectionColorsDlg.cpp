#include "dialogs/DirectionColorsDlg.h"

#include "chart/Bars.h"

#include <QComboBox>
#include <QLabel>
#include <QPixmap>

namespace {

constexpr const char* kColorNames[] = {"Black", "Blue",    "Green",  "Cyan",
                                       "Red",   "Magenta", "Yellow", "White"};

QComboBox* ColorList(const CBars& bars) {
    auto* list = new QComboBox;
    for (int k = 0; k < static_cast<int>(std::size(kColorNames)); ++k) {
        const COLORREF color = bars.GetPaletteColor(k);
        QPixmap swatch(14, 14);
        swatch.fill(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
        list->addItem(QIcon(swatch), QString::fromLatin1(kColorNames[k]));
    }
    return list;
}

} // namespace

CDirectionColorsDlg::CDirectionColorsDlg(const CBars& bars, QWidget* parent)
    : CTemplateDialog(parent, "Direction Colours", 160, 68), m_pRising(ColorList(bars)),
      m_pFalling(ColorList(bars)) {
    AddLabel(IDC_RISING_LABEL, "&Rising bars:", 10, 12, 50, 10)->setBuddy(m_pRising);
    Place(m_pRising, IDC_RISING, 62, 10, 88, 14);
    AddLabel(IDC_FALLING_LABEL, "&Falling bars:", 10, 30, 50, 10)->setBuddy(m_pFalling);
    Place(m_pFalling, IDC_FALLING, 62, 28, 88, 14);
    AddButton(IDOK, "OK", 44, 48, 50, 14);
    AddButton(IDCANCEL, "Cancel", 100, 48, 50, 14);
}

void CDirectionColorsDlg::OnInitDialog() {
    m_pRising->setCurrentIndex(m_nRising);
    m_pFalling->setCurrentIndex(m_nFalling);
    m_pRising->setFocus(Qt::OtherFocusReason);
}

void CDirectionColorsDlg::accept() {
    m_nRising = m_pRising->currentIndex();
    m_nFalling = m_pFalling->currentIndex();
    CTemplateDialog::accept();
}
