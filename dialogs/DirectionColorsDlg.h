#pragma once
// The Direction Colours dialog: the colours, from the chart's eight, that Colour by Direction
// draws rising and falling bars in, each chosen in a list of swatches and names.

#include "dialogs/TemplateDialog.h"

class CBars;
class QComboBox;

class CDirectionColorsDlg : public CTemplateDialog {
public:
    enum { IDC_RISING = 1201, IDC_RISING_LABEL, IDC_FALLING, IDC_FALLING_LABEL };

    explicit CDirectionColorsDlg(const CBars& bars, QWidget* parent = nullptr);

    // Palette indexes 0..7, read when the dialog is shown and set again on OK.
    int m_nRising = 0;
    int m_nFalling = 0;

    QComboBox& Rising() { return *m_pRising; }
    QComboBox& Falling() { return *m_pFalling; }

    void accept() override;

protected:
    void OnInitDialog() override;

private:
    QComboBox* m_pRising;
    QComboBox* m_pFalling;
};
