#include "dialogs/StudiesDlg.h"

#include "chart/studies/StudySettings.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDecimals = 4;

QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

bool AskColor(QWidget* parent, COLORREF& color) {
    const QColor chosen = QColorDialog::getColor(ToQColor(color), parent, QStringLiteral("Colour"));
    if (!chosen.isValid())
        return false;
    color = Rgb(chosen.red(), chosen.green(), chosen.blue());
    return true;
}

// The button shows the colour it sets.
void PaintSwatch(QPushButton& button, COLORREF color) {
    QPixmap swatch(24, 12);
    swatch.fill(ToQColor(color));
    button.setIcon(QIcon(swatch));
    button.setIconSize(swatch.size());
}

} // namespace

CStudiesDlg::CStudiesDlg(std::vector<StudyInstance> studies, QWidget* parent, ColorChooser chooser)
    : QDialog(parent), m_studies(std::move(studies)),
      m_fnChooseColor(chooser ? std::move(chooser) : ColorChooser(AskColor)),
      m_pTypes(new QComboBox), m_pAdd(new QPushButton(QStringLiteral("&Add"))),
      m_pList(new QListWidget), m_pRemove(new QPushButton(QStringLiteral("&Remove"))),
      m_pUp(new QPushButton(QStringLiteral("Move &Up"))),
      m_pDown(new QPushButton(QStringLiteral("Move &Down"))), m_pParameters(new QFormLayout),
      m_pColor(new QPushButton(QStringLiteral("Choose..."))), m_pWidth(new QSpinBox) {
    setWindowTitle(QStringLiteral("Studies"));
    for (const StudyType* type : StudyTypes())
        m_pTypes->addItem(QString::fromLatin1(type->pszTitle) + QStringLiteral(" (") +
                          QString::fromLatin1(type->pszName) + QLatin1Char(')'));

    auto* add = new QHBoxLayout;
    auto* addLabel = new QLabel(QStringLiteral("Add a &study:"));
    addLabel->setBuddy(m_pTypes);
    add->addWidget(addLabel);
    add->addWidget(m_pTypes, 1);
    add->addWidget(m_pAdd);

    auto* listLabel = new QLabel(QStringLiteral("Studies s&hown:"));
    listLabel->setBuddy(m_pList);
    auto* moves = new QHBoxLayout;
    moves->addWidget(m_pRemove);
    moves->addWidget(m_pUp);
    moves->addWidget(m_pDown);
    auto* left = new QVBoxLayout;
    left->addWidget(listLabel);
    left->addWidget(m_pList, 1);
    left->addLayout(moves);

    m_pWidth->setRange(kMinStudyWidth, kMaxStudyWidth);
    auto* look = new QFormLayout;
    auto* colorLabel = new QLabel(QStringLiteral("Colo&ur:"));
    colorLabel->setBuddy(m_pColor);
    look->addRow(colorLabel, m_pColor);
    auto* widthLabel = new QLabel(QStringLiteral("&Width:"));
    widthLabel->setBuddy(m_pWidth);
    look->addRow(widthLabel, m_pWidth);
    auto* edit = new QGroupBox(QStringLiteral("The study chosen"));
    auto* editLayout = new QVBoxLayout(edit);
    editLayout->addLayout(m_pParameters);
    editLayout->addLayout(look);
    editLayout->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* grid = new QGridLayout(this);
    grid->addLayout(add, 0, 0, 1, 2);
    grid->addLayout(left, 1, 0);
    grid->addWidget(edit, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    connect(m_pAdd, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(m_pRemove, &QPushButton::clicked, this, [this] { OnRemove(); });
    connect(m_pUp, &QPushButton::clicked, this, [this] { OnMove(-1); });
    connect(m_pDown, &QPushButton::clicked, this, [this] { OnMove(+1); });
    connect(m_pColor, &QPushButton::clicked, this, [this] { OnColor(); });
    connect(m_pList, &QListWidget::currentRowChanged, this, [this] { OnChosen(); });
    connect(m_pWidth, &QSpinBox::valueChanged, this, [this](int width) {
        if (StudyInstance* study = Chosen())
            study->width = width;
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setTabOrder(m_pTypes, m_pAdd);
    setTabOrder(m_pAdd, m_pList);
    Refill(m_studies.empty() ? -1 : 0);
}

StudyInstance* CStudiesDlg::Chosen() {
    const int row = m_pList->currentRow();
    return row >= 0 && row < static_cast<int>(m_studies.size())
               ? &m_studies[static_cast<std::size_t>(row)]
               : nullptr;
}

QWidget* CStudiesDlg::ParameterEditor(std::size_t k) const {
    return k < m_editors.size() ? m_editors[k] : nullptr;
}

void CStudiesDlg::Refill(int current) {
    const QSignalBlocker blocker(m_pList);
    m_pList->clear();
    for (const StudyInstance& study : m_studies)
        m_pList->addItem(QString::fromStdString(SpecTitle(study.spec)));
    m_pList->setCurrentRow(current);
    OnChosen();
}

void CStudiesDlg::OnAdd() {
    const int index = m_pTypes->currentIndex();
    const auto types = StudyTypes();
    if (index < 0 || index >= static_cast<int>(types.size()))
        return;
    m_studies.push_back(
        {DefaultSpec(*types[static_cast<std::size_t>(index)]), StudyColor(m_studies.size()), 1});
    Refill(static_cast<int>(m_studies.size()) - 1);
}

void CStudiesDlg::OnRemove() {
    const int row = m_pList->currentRow();
    if (!Chosen())
        return;
    m_studies.erase(m_studies.begin() + row);
    Refill(std::min(row, static_cast<int>(m_studies.size()) - 1));
}

void CStudiesDlg::OnMove(int step) {
    const int row = m_pList->currentRow();
    const int to = row + step;
    if (!Chosen() || to < 0 || to >= static_cast<int>(m_studies.size()))
        return;
    std::swap(m_studies[static_cast<std::size_t>(row)], m_studies[static_cast<std::size_t>(to)]);
    Refill(to);
}

void CStudiesDlg::OnChosen() {
    const StudyInstance* study = Chosen();
    m_pRemove->setEnabled(study != nullptr);
    m_pUp->setEnabled(study && m_pList->currentRow() > 0);
    m_pDown->setEnabled(study && m_pList->currentRow() + 1 < static_cast<int>(m_studies.size()));
    m_pColor->setEnabled(study != nullptr);
    m_pWidth->setEnabled(study != nullptr);
    if (study) {
        const QSignalBlocker blocker(m_pWidth);
        m_pWidth->setValue(study->width);
        PaintSwatch(*m_pColor, study->color);
    }
    ShowParameters();
}

// One editor for each parameter of the chosen study: a whole number for a length, a decimal for
// a factor, in the parameter's range.
void CStudiesDlg::ShowParameters() {
    while (m_pParameters->rowCount() > 0)
        m_pParameters->removeRow(0);
    m_editors.clear();
    StudyInstance* study = Chosen();
    if (!study)
        return;
    const auto parameters = study->spec.pType->parameters;
    for (std::size_t k = 0; k < parameters.size(); ++k) {
        const StudyParameter& parameter = parameters[k];
        const QString label = QString::fromLatin1(parameter.pszName) + QLatin1Char(':');
        auto update = [this, k](double value) {
            if (StudyInstance* chosen = Chosen()) {
                chosen->spec.parameters[k] = value;
                m_pList->currentItem()->setText(QString::fromStdString(SpecTitle(chosen->spec)));
            }
        };
        QWidget* editor = nullptr;
        if (parameter.bLength) {
            auto* box = new QSpinBox;
            box->setRange(static_cast<int>(parameter.dMin), static_cast<int>(parameter.dMax));
            box->setValue(static_cast<int>(study->spec.parameters[k]));
            connect(box, &QSpinBox::valueChanged, this, [update](int value) { update(value); });
            editor = box;
        } else {
            auto* box = new QDoubleSpinBox;
            box->setDecimals(kDecimals);
            box->setRange(parameter.dMin, parameter.dMax);
            box->setSingleStep(std::pow(10.0, std::floor(std::log10(parameter.dDefault))));
            box->setValue(study->spec.parameters[k]);
            connect(box, &QDoubleSpinBox::valueChanged, this, update);
            editor = box;
        }
        m_pParameters->addRow(label, editor);
        m_editors.push_back(editor);
    }
}

void CStudiesDlg::OnColor() {
    StudyInstance* study = Chosen();
    if (!study || !m_fnChooseColor(this, study->color))
        return;
    PaintSwatch(*m_pColor, study->color);
}
