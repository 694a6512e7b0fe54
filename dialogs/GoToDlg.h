#pragma once
// The Go To dialog (template 103): every security of the open directory as a line "symbol\tname",
// in directory order, by symbol or by name. The order is stored ("GoToDialog", "Sorting") at every
// change, whether or not the dialog ends with OK. OK, or a double-click on a line, ends it with
// that line's bytes in m_strSelection. The dialog can be made larger than its template, the list
// growing with it; the size the user leaves it at is stored ("GoToDialog", "Width" and "Height", in
// dialog units) and is the size it opens at the next time.

#include "dialogs/TemplateDialog.h"

#include <QSize>

#include <string>

class CBars;
class CSymbolListBox;
class QRadioButton;
class Settings;

class CGoToDlg : public CTemplateDialog {
public:
    enum { IDD = 103 };
    enum { IDC_SYMBOLS = 111, IDC_SORT_MASTER = 112, IDC_SORT_SYMBOL = 113, IDC_SORT_NAME = 114 };

    explicit CGoToDlg(Settings& settings, QWidget* parent = nullptr);

    // Reads the selected line and the order from the controls, or writes the order into them.
    void UpdateData(bool save = true);
    void accept() override;
    void done(int result) override;
    CSymbolListBox& List() const { return *m_pList; }

    CBars* m_pBars = nullptr;
    // The bytes of the selected line (symbol, tab, name); empty with no line selected.
    std::string m_strSelection;
    int m_nSorting = 0;

protected:
    void OnInitDialog() override;
    void OnLayout() override;

private:
    void FillList();

    Settings& m_settings;
    CSymbolListBox* m_pList;
    QRadioButton* m_pSort[3];
    // The directory index of the selected line, -1 for none.
    int m_nSelectedEntry = -1;
    // The size the dialog opened at, in pixels.
    QSize m_szOpened;
};
