#pragma once
// The Studies dialog (Chart > Studies...): the studies drawn with the chart, in their order. A
// study is added from the list of all of them, removed, moved up or down, and edited: its
// parameters (lengths 1 to 1,000, factors as decimals), its line colour and width. The dialog
// works on a copy; the caller takes Studies() after OK.
//
//   Add a &study: [ Simple Moving Average     v ] [ &Add ]
//   Studies &shown:                     Parameters of the study chosen:
//   +----------------------------+      Length   [ 10 ]
//   | sma(10)                    |      ...
//   | rsi(14)                    |      Colo&ur  [ #FF8000 ]
//   +----------------------------+      &Width   [ 1 ]
//   [&Remove] [Move &Up] [Move &Down]
//                                           [ OK ] [ Cancel ]

#include "chart/studies/StudyList.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QFormLayout;
class QListWidget;
class QPushButton;
class QSpinBox;
class QWidget;

class CStudiesDlg : public QDialog {
public:
    // Asks for a colour starting from `current`; false when the user cancelled.
    using ColorChooser = std::function<bool(QWidget* parent, COLORREF& color)>;

    CStudiesDlg(std::vector<StudyInstance> studies, QWidget* parent = nullptr,
                ColorChooser chooser = {});

    const std::vector<StudyInstance>& Studies() const { return m_studies; }

    // The controls, for tests.
    QComboBox& TypeBox() { return *m_pTypes; }
    QListWidget& List() { return *m_pList; }
    QPushButton& AddButton() { return *m_pAdd; }
    QPushButton& RemoveButton() { return *m_pRemove; }
    QPushButton& UpButton() { return *m_pUp; }
    QPushButton& DownButton() { return *m_pDown; }
    QPushButton& ColorButton() { return *m_pColor; }
    QSpinBox& WidthBox() { return *m_pWidth; }
    // The editor of the chosen study's k-th parameter.
    QWidget* ParameterEditor(std::size_t k) const;

private:
    void OnAdd();
    void OnRemove();
    void OnMove(int step);
    void OnChosen();
    void OnColor();
    void Refill(int current);
    void ShowParameters();
    StudyInstance* Chosen();

    std::vector<StudyInstance> m_studies;
    ColorChooser m_fnChooseColor;
    QComboBox* m_pTypes;
    QPushButton* m_pAdd;
    QListWidget* m_pList;
    QPushButton* m_pRemove;
    QPushButton* m_pUp;
    QPushButton* m_pDown;
    QFormLayout* m_pParameters;
    std::vector<QWidget*> m_editors;
    QPushButton* m_pColor;
    QSpinBox* m_pWidth;
};
