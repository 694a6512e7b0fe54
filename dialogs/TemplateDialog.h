#pragma once
// The base of the program's dialogs: each is built in code from its template, whose positions and
// sizes are dialog units. One horizontal unit is a quarter of the dialog font's average character
// width, one vertical unit an eighth of its height, so a dialog keeps its proportions with any
// font and at any scale. A dialog may let the user make it larger than its template; its controls
// then follow the dialog's right and bottom edges as each one is told to.

#include <QDialog>

#include <functional>
#include <map>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Dialog units to pixels for one font.
class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);
    // Widens the horizontal unit, if need be, so that `pixels` fit into `units`.
    void Fit(int pixels, int units);
    int X(int units) const;
    int Y(int units) const;
    // Pixels to the nearest dialog units.
    int ToUnitsX(int pixels) const;
    int ToUnitsY(int pixels) const;
    QRect Rect(int x, int y, int cx, int cy) const;
    int CharWidth() const { return m_nCharWidth; }

private:
    int m_nCharWidth;
    int m_nCharHeight;
};

class CTemplateDialog : public QDialog {
public:
    // The template's caption and client size in dialog units.
    CTemplateDialog(QWidget* parent, const char* caption, int cx, int cy);

    // How a control follows a dialog larger than its template: it moves with the dialog's right or
    // bottom edge, or grows with it; one that does neither keeps its place and size.
    enum Follow { kFollowNone = 0, kMoveRight = 1, kMoveDown = 2, kGrowRight = 4, kGrowDown = 8 };

    // The control of a template ID, or null.
    QWidget* GetDlgItem(int id) const;
    const CDialogUnits& Units() const { return m_units; }
    // The template's size in pixels, the smallest of a dialog that can be resized.
    QSize TemplateSize() const;

protected:
    // Runs once, when the dialog is first shown: the fields are then set and the window not yet
    // on the screen.
    virtual void OnInitDialog() {}
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Runs after every layout of the controls, for a control that adjusts the place it was given.
    virtual void OnLayout() {}

    // Lets the user make the dialog larger than its template.
    void SetResizable();
    void SetFollow(QWidget* control, int follow);

    // The controls, added in template order, which is their tab order.
    QGroupBox* AddGroupBox(const char* text, int x, int y, int cx, int cy);
    QLabel* AddLabel(int id, const char* text, int x, int y, int cx, int cy,
                     Qt::Alignment align = Qt::AlignLeft);
    QCheckBox* AddCheckBox(int id, const char* text, int x, int y, int cx, int cy);
    QRadioButton* AddRadioButton(int id, const char* text, int x, int y, int cx, int cy);
    QLineEdit* AddEdit(int id, int x, int y, int cx, int cy);
    QPushButton* AddButton(int id, const char* text, int x, int y, int cx, int cy);
    // Places a control made elsewhere.
    template <class Control>
    Control* Place(Control* control, int id, int x, int y, int cx, int cy) {
        PlaceWidget(control, id, x, y, cx, cy);
        return control;
    }

private:
    struct Placed {
        QWidget* pControl;
        QRect rcUnits;
        int nFollow;
    };

    void PlaceWidget(QWidget* control, int id, int x, int y, int cx, int cy);
    // Widens the dialog evenly where a one-line text would not fit its control in this font, and
    // lays the controls out again.
    void FitTexts();
    // Places the controls for the dialog's size.
    void Layout();

    CDialogUnits m_units;
    QSize m_szUnits;
    std::vector<Placed> m_placed;
    std::map<int, QWidget*> m_controls;
    bool m_bInitialised = false;
    bool m_bResizable = false;
};

// Runs a dialog and gives back QDialog::Accepted or QDialog::Rejected. The commands run their
// dialogs through one, so that tests can work a dialog without a modal loop.
using DialogRunner = std::function<int(QDialog&)>;
int ExecDialog(QDialog& dialog);

// The identifiers of OK and Cancel in every template.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
