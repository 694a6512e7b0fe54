#pragma once
// The View Options dialog (template 101): chart elements on and off, the moving-average lengths,
// the bar spacing, bad data and master repair, and the colour of each colourable chart item. It
// opens shrunk to its upper part; "Colors >>" uncovers the palette and "Shrink <<" hides it again.
// The caller sets the eight option fields before the dialog is shown and reads them back after
// OK; palette choices go straight to the chart object's working colours.

#include "dialogs/TemplateDialog.h"

class CBars;
class CColorButton;
class CColorItemListBox;
class MessageService;

class CViewOptionsDlg : public CTemplateDialog {
public:
    enum { IDD = 101 };
    enum {
        IDC_SHOW_VOLUME = 103,
        IDC_SHOW_MA1 = 104,
        IDC_MA1_LENGTH = 105,
        IDC_MA1_LABEL = 106,
        IDC_DEFAULT = 107,
        IDC_BAR_SPACE = 109,
        IDC_BAR_SPACE_LABEL = 110,
        IDC_MA2_LENGTH = 115,
        IDC_MA2_LABEL = 116,
        IDC_SHOW_MA2 = 117,
        IDC_HIDE_BAD_DATA = 118,
        IDC_COLORS = 121,
        IDC_COLOR_ITEMS = 122,
        IDC_PALETTE_FIRST = 123,
        IDC_MASTER_FIX = 1115,
    };

    CViewOptionsDlg(CBars& bars, MessageService& messages, QWidget* parent = nullptr);

    // Reads the controls into the fields (true: the first bad edit stops the reading, is
    // reported and gets the focus; false comes back) or writes the fields into the controls.
    bool UpdateData(bool saveAndValidate = true);
    void accept() override;

    // Both are outer window heights in pixels.
    int m_nFullHeight = 0;
    int m_nShrunkHeight = 0;
    int m_bExpanded = 0;
    CColorItemListBox* m_lbItems;
    CColorButton* m_btnColors[8];
    int m_nMA1Length = 0;
    int m_nMA2Length = 0;
    int m_bShowMA1 = 0;
    int m_bShowMA2 = 0;
    int m_bShowVolume = 0;
    int m_nBarSpace = 0;
    int m_bHideBadData = 0;
    int m_bMasterFix = 0;

protected:
    void OnInitDialog() override;

private:
    void OnShowMA1();
    void OnShowMA2();
    void OnDefault();
    void OnColors();
    void OnPalette(int paletteIndex);
    void FillItems();
    void SetOuterHeight(int height);
    void EnableLength(int editId, int labelId, bool enable);

    CBars& m_bars;
    MessageService& m_messages;
    // Outer height less client height, as the window frame was when the dialog opened.
    int m_nFrameExtra = 0;
};
