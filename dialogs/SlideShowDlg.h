#pragma once
// The Slide Show dialog (template 105): the time between charts, 1 to 5 seconds.

#include "dialogs/TemplateDialog.h"

class MessageService;

class CSlideShowDlg : public CTemplateDialog {
public:
    enum { IDD = 105 };
    enum {
        IDC_INTERVAL = 118,
        IDC_INTERVAL_LABEL = 119,
        IDC_ESCAPE_HINT = 120,
        IDC_SPACE_HINT = 121
    };
    static constexpr int kMinInterval = 1;
    static constexpr int kMaxInterval = 5;

    explicit CSlideShowDlg(MessageService& messages, QWidget* parent = nullptr);
    bool UpdateData(bool saveAndValidate = true);
    void accept() override;

    // Seconds between charts.
    int m_nInterval = 1;

protected:
    void OnInitDialog() override;

private:
    MessageService& m_messages;
};
