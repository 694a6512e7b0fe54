#pragma once
// The About box (template 100): what the program does, its version, and two live links, to the
// project's mail address and to its web page. Whether each link has been followed is kept by the
// caller, so that it shows on the next opening in the same run.

#include "dialogs/StaticLink.h"
#include "dialogs/TemplateDialog.h"

class CAboutDlg : public CTemplateDialog {
public:
    enum { IDD = 100 };
    enum { IDC_MAIL_LINK = 1022, IDC_WEB_LINK = 1023 };

    // The followed flags of the mail and the web link; both must outlive the dialog.
    CAboutDlg(int* pbMailLinkVisited, int* pbWebLinkVisited, QWidget* parent = nullptr);
    void SetUrlOpener(const CStaticLink::UrlOpener& opener);

    CStaticLink* m_linkMail;
    CStaticLink* m_linkWeb;

protected:
    void OnInitDialog() override;

private:
    int* m_pbMailLinkVisited;
    int* m_pbWebLinkVisited;
};
