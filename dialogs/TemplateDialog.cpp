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

int CDialogUnits::ToUnitsX(int pixels) const {
    return MulDiv(pixels, 4, m_nCharWidth);
}

int CDialogUnits::ToUnitsY(int pixels) const {
    return MulDiv(pixels, 8, m_nCharHeight);
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

QSize CTemplateDialog::TemplateSize() const {
    return QSize(m_units.X(m_szUnits.width()), m_units.Y(m_szUnits.height()));
}

void CTemplateDialog::SetResizable() {
    m_bResizable = true;
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, false);
    setMinimumSize(TemplateSize());
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizeGripEnabled(true);
}

void CTemplateDialog::SetFollow(QWidget* control, int follow) {
    for (Placed& placed : m_placed)
        if (placed.pControl == control)
            placed.nFollow = follow;
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
        if (m_bResizable)
            Layout();
    }
    QDialog::showEvent(event);
}

void CTemplateDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_bResizable)
        Layout();
}

void CTemplateDialog::Layout() {
    const QSize smallest = TemplateSize();
    const int dx = std::max(0, width() - smallest.width());
    const int dy = std::max(0, height() - smallest.height());
    for (const Placed& placed : m_placed) {
        const QRect& r = placed.rcUnits;
        QRect rect = m_units.Rect(r.x(), r.y(), r.width(), r.height());
        const int follow = placed.nFollow;
        rect.translate(follow & kMoveRight ? dx : 0, follow & kMoveDown ? dy : 0);
        rect.adjust(0, 0, follow & kGrowRight ? dx : 0, follow & kGrowDown ? dy : 0);
        placed.pControl->setGeometry(rect);
    }
    OnLayout();
}

void CTemplateDialog::PlaceWidget(QWidget* control, int id, int x, int y, int cx, int cy) {
    control->setParent(this);
    control->setGeometry(m_units.Rect(x, y, cx, cy));
    m_placed.push_back({control, QRect(x, y, cx, cy), kFollowNone});
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
    if (m_bResizable) {
        setMinimumSize(TemplateSize());
        resize(TemplateSize());
    } else {
        setFixedSize(TemplateSize());
    }
    Layout();
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
