#include "dialogs/TemplateDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>

namespace {

// a × b / c, rounded half away from zero.
int MulDiv(int a, int b, int c) {
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

} // namespace

CDialogUnits::CDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the letters, rounded as the dialog manager always has.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nCharWidth = (letters / 26 + 1) / 2;
    m_nCharHeight = metrics.height();
}

void CDialogUnits::Fit(int pixels, int units) {
    if (units > 0)
        while (X(units) < pixels)
            ++m_nCharWidth;
}

int CDialogUnits::X(int units) const {
    return MulDiv(units, m_nCharWidth, 4);
}

int CDialogUnits::Y(int units) const {
    return MulDiv(units, m_nCharHeight, 8);
}

QRect CDialogUnits::Rect(int x, int y, int cx, int cy) const {
    return QRect(X(x), Y(y), X(cx), Y(cy));
}

CTemplateDialog::CTemplateDialog(QWidget* parent, const char* caption, int cx, int cy)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_units(font()), m_szUnits(cx, cy) {
    setWindowTitle(QString::fromUtf8(caption));
    setFixedSize(m_units.X(cx), m_units.Y(cy));
}

QWidget* CTemplateDialog::GetDlgItem(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void CTemplateDialog::showEvent(QShowEvent* event) {
    if (!m_bInitialised) {
        m_bInitialised = true;
        FitTexts();
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CTemplateDialog::PlaceWidget(QWidget* control, int id, int x, int y, int cx, int cy) {
    control->setParent(this);
    control->setGeometry(m_units.Rect(x, y, cx, cy));
    m_placed.push_back({control, QRect(x, y, cx, cy)});
    if (id > 0)
        m_controls[id] = control;
}

// The lines a label's text needs at `width` pixels, and the lines its box holds.
static bool LabelFits(const QLabel& label, int width, int height) {
    if (label.text().isEmpty())
        return true;
    const int lineSpacing = label.fontMetrics().lineSpacing();
    const int needed = (label.heightForWidth(width) + lineSpacing / 2) / lineSpacing;
    const int room = std::max(1, height / label.fontMetrics().height());
    return needed <= room;
}

void CTemplateDialog::FitTexts() {
    // A text that the dialog font makes wider than its control widens the horizontal unit, and
    // with it the whole dialog, until it fits; at most to twice its first width.
    const int limit = 2 * m_units.CharWidth();
    for (const Placed& placed : m_placed) {
        const int cx = placed.rcUnits.width();
        if (qobject_cast<QCheckBox*>(placed.pControl) ||
            qobject_cast<QRadioButton*>(placed.pControl))
            m_units.Fit(placed.pControl->sizeHint().width(), cx);
        else if (auto* label = qobject_cast<QLabel*>(placed.pControl))
            while (m_units.CharWidth() < limit &&
                   !LabelFits(*label, m_units.X(cx), m_units.Y(placed.rcUnits.height())))
                m_units.Fit(m_units.X(cx) + 1, cx);
    }
    for (const Placed& placed : m_placed) {
        const QRect& r = placed.rcUnits;
        placed.pControl->setGeometry(m_units.Rect(r.x(), r.y(), r.width(), r.height()));
    }
    setFixedSize(m_units.X(m_szUnits.width()), m_units.Y(m_szUnits.height()));
}

QGroupBox* CTemplateDialog::AddGroupBox(const char* text, int x, int y, int cx, int cy) {
    auto* box = Place(new QGroupBox(QString::fromUtf8(text)), 0, x, y, cx, cy);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QLabel* CTemplateDialog::AddLabel(int id, const char* text, int x, int y, int cx, int cy,
                                  Qt::Alignment align) {
    auto* label = Place(new QLabel(QString::fromUtf8(text)), id, x, y, cx, cy);
    label->setAlignment(align | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QCheckBox* CTemplateDialog::AddCheckBox(int id, const char* text, int x, int y, int cx, int cy) {
    return Place(new QCheckBox(QString::fromUtf8(text)), id, x, y, cx, cy);
}

QRadioButton* CTemplateDialog::AddRadioButton(int id, const char* text, int x, int y, int cx,
                                              int cy) {
    return Place(new QRadioButton(QString::fromUtf8(text)), id, x, y, cx, cy);
}

QLineEdit* CTemplateDialog::AddEdit(int id, int x, int y, int cx, int cy) {
    return Place(new QLineEdit, id, x, y, cx, cy);
}

QPushButton* CTemplateDialog::AddButton(int id, const char* text, int x, int y, int cx, int cy) {
    auto* button = Place(new QPushButton(QString::fromUtf8(text)), id, x, y, cx, cy);
    button->setAutoDefault(true);
    if (id == IDOK)
        button->setDefault(true);
    connect(button, &QPushButton::clicked, this, [this, id] {
        if (id == IDOK)
            accept();
        else if (id == IDCANCEL)
            reject();
    });
    return button;
}

int ExecDialog(QDialog& dialog) {
    return dialog.exec();
}
