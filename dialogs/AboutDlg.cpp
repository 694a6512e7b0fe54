#include "dialogs/AboutDlg.h"

#include "dialogs/ProjectInfo.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int kIconSize = 32;

} // namespace

CAboutDlg::CAboutDlg(int* pbMailLinkVisited, int* pbWebLinkVisited, QWidget* parent)
    : CTemplateDialog(parent, "About Tickvane", 247, 186), m_pbMailLinkVisited(pbMailLinkVisited),
      m_pbWebLinkVisited(pbWebLinkVisited) {
    const Qt::Alignment centre = Qt::AlignHCenter;
    AddGroupBox("What Tickvane Does", 8, 12, 107, 52);
    AddLabel(0,
             "Quickly view and print quotes stored in MetaStock or CompuTrac format by opening a "
             "file of the name 'master'",
             12, 26, 100, 32, centre);
    AddGroupBox("Legal Stuff", 8, 73, 108, 107);
    AddLabel(0, kCopyright, 12, 88, 100, 29, centre);
    AddLabel(0, kLicenceNotice, 12, 116, 100, 28, centre);
    AddLabel(0, kWarrantyNotice, 12, 144, 100, 28, centre);
    AddLabel(0, (std::string("Tickvane Version ") + kProgramVersion).c_str(), 135, 15, 80, 8,
             centre);
    AddLabel(0, "Quote chart viewer", 135, 27, 80, 8, centre);
    const std::string by =
        "A " + std::to_string(sizeof(void*) * 8) + " bit application\nby\n" + kAuthor;
    AddLabel(0, by.c_str(), 145, 40, 64, 25, centre);
    m_linkMail = Place(new CStaticLink, IDC_MAIL_LINK, 130, 80, 100, 10);
    m_linkMail->setText(QString::fromUtf8(kContactMail));
    m_linkWeb = Place(new CStaticLink, IDC_WEB_LINK, 120, 96, 120, 10);
    m_linkWeb->setText(QString::fromUtf8(kWebAddress));
    for (CStaticLink* link : {m_linkMail, m_linkWeb})
        link->setAlignment(centre | Qt::AlignTop);
    QLabel* icon = Place(new QLabel, 0, 170, 110, 20, 20);
    icon->setAlignment(Qt::AlignCenter);
    QIcon appIcon = QApplication::windowIcon();
    if (appIcon.isNull())
        appIcon = style()->standardIcon(QStyle::SP_ComputerIcon);
    icon->setPixmap(appIcon.pixmap(QSize(kIconSize, kIconSize), devicePixelRatioF()));
    AddButton(IDOK, "OK", 160, 145, 45, 14);
}

void CAboutDlg::SetUrlOpener(const CStaticLink::UrlOpener& opener) {
    m_linkMail->SetUrlOpener(opener);
    m_linkWeb->SetUrlOpener(opener);
}

void CAboutDlg::OnInitDialog() {
    m_linkMail->m_pbVisited = m_pbMailLinkVisited;
    m_linkWeb->m_pbVisited = m_pbWebLinkVisited;
    GetDlgItem(IDOK)->setFocus(Qt::OtherFocusReason);
}
