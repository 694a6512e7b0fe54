#include "app/TickvaneApp.h"

#include "app/CommandLine.h"
#include "app/CommonDialogs.h"
#include "app/DialogHost.h"
#include "app/FileAccess.h"
#include "app/FileDrop.h"
#include "app/MainFrame.h"
#include "app/SplashWnd.h"
#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"
#include "platform/Commands.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPrinter>

#include <filesystem>
#include <iterator>

namespace {

constexpr int kRecentFiles = static_cast<int>(std::size(kRecentFileIds));

} // namespace

CTickvaneApp::CTickvaneApp(MessageService& messages, CommonDialogs& commonDialogs)
    : m_messages(*this, messages), m_pPrinter(std::make_unique<QPrinter>()),
      m_pDialogHost(std::make_unique<CDialogHost>()), m_services{m_settings, m_messages,
                                                                 commonDialogs, *m_pPrinter,
                                                                 m_pDialogHost.get()},
      m_recentFiles(m_settings, kRecentFiles), m_splashTiming([this] { EndSplash(); }) {
    m_commands.On(ID_FILE_NEW, [this] { m_pDoc->OnNewDocument(); });
    m_commands.On(ID_FILE_OPEN, [this] { OnFileOpen(); });
    m_commands.On(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    for (int i = 0; i < kRecentFiles; ++i)
        m_commands.On(
            kRecentFileIds[i], [this, i] { OnOpenRecentFile(i); },
            [this, i](CCmdUI& ui) { OnUpdateRecentFile(ui, i); });
    m_commands.On(ID_APP_ABOUT, [this] {
        m_pDialogHost->RunAbout(m_services.pMainWindow, m_bMailLinkVisited, m_bWebLinkVisited);
    });
    m_commands.On(ID_APP_EXIT, [this] { m_pFrame->close(); });
    // Charts are wide: a page across suits them better than one upright.
    m_pPrinter->setPageOrientation(QPageLayout::Landscape);
}

CTickvaneApp::~CTickvaneApp() {
    m_splashTiming.Stop();
    delete std::exchange(m_pSplashWnd, nullptr);
}

CTickvaneView& CTickvaneApp::View() {
    return m_pFrame->View();
}

void CTickvaneApp::SetDialogHost(std::unique_ptr<CDialogHost> host) {
    m_pDialogHost = host ? std::move(host) : std::make_unique<CDialogHost>();
    m_services.pDialogHost = m_pDialogHost.get();
}

void CTickvaneApp::SetTickCount(std::function<std::uint32_t()> tickCount) {
    m_splashTiming.SetTickCount(std::move(tickCount));
}

int CTickvaneApp::InitInstance(const CCommandLine& commandLine) {
    m_settings.SetUp();
    ShowSplash();
    m_recentFiles.ReadList();

    m_pDoc = std::make_unique<CTickvaneDoc>(m_services);
    m_pFrame = std::make_unique<CMainFrame>(*m_pDoc, m_services, m_router);
    m_services.pMainWindow = m_pFrame.get();
    m_router.SetRoute(
        {&View().Commands(), &m_pDoc->Commands(), &m_pFrame->Commands(), &m_commands});
    new CFileDrop(*m_pFrame, [this](const std::string& path) {
        OpenDocumentFile(path);
        m_pFrame->activateWindow();
    });

    switch (commandLine.action) {
    case StartAction::Open:
        if (!OpenDocumentFile(commandLine.file)) {
            EndSplash();
            return 1;
        }
        break;
    case StartAction::Print: {
        if (!OpenDocumentFile(commandLine.file)) {
            EndSplash();
            return 1;
        }
        const bool printed = View().OnFilePrintDirect();
        EndSplash();
        return printed ? 0 : 1;
    }
    default:
        m_pDoc->OnNewDocument();
        break;
    }
    m_pFrame->OnIdleUpdate();
    m_pFrame->show();
    View().setFocus();
    if (m_pSplashWnd) {
        m_pSplashWnd->raise();
        m_splashTiming.Start(*m_pSplashWnd);
    }
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &CTickvaneApp::OnIdle, Qt::UniqueConnection);
    return -1;
}

void CTickvaneApp::CMessageRelay::Show(const std::string& text, MessageIcon icon) {
    m_app.EndSplash();
    m_target.Show(text, icon);
}

bool CTickvaneApp::CMessageRelay::AskYesNo(const std::string& text, DefaultAnswer answer) {
    m_app.EndSplash();
    return m_target.AskYesNo(text, answer);
}

void CTickvaneApp::ShowSplash() {
    m_pSplashWnd = new CSplashWnd();
    m_pSplashWnd->Create();
    m_pSplashWnd->show();
    m_pSplashWnd->repaint();
}

void CTickvaneApp::EndSplash() {
    m_splashTiming.Stop();
    if (!m_pSplashWnd)
        return;
    delete std::exchange(m_pSplashWnd, nullptr);
    if (m_pFrame && m_pFrame->isVisible())
        m_pFrame->update();
}

void CTickvaneApp::OnIdle() {
    if (m_pFrame)
        m_pFrame->OnIdleUpdate();
    m_splashTiming.OnIdle();
}

bool CTickvaneApp::OpenDocumentFile(const std::string& path) {
    const std::string full = FullPath(path);
    if (!full.empty() && full == m_pDoc->GetPathName()) {
        m_pFrame->activateWindow();
        return true;
    }
    if (!m_pDoc->OnOpenDocument(full))
        return false;
    m_pDoc->SetPathName(full);
    m_recentFiles.Add(full);
    return true;
}

void CTickvaneApp::OnFileOpen() {
    const std::string current = m_pDoc->GetPathName();
    const std::string directory =
        current.empty() ? std::string() : std::filesystem::path(current).parent_path().string();
    std::string path;
    if (m_services.commonDialogs.AskOpenPath(m_pFrame.get(), directory, path))
        OpenDocumentFile(path);
}

void CTickvaneApp::OnFilePrintSetup() {
    m_services.commonDialogs.AskPrinter(m_pFrame.get(), *m_pPrinter, true);
}

// A recent file that can no longer be opened leaves the list.
void CTickvaneApp::OnOpenRecentFile(int index) {
    if (index >= m_recentFiles.GetSize())
        return;
    const std::string path = m_recentFiles[index];
    if (!OpenDocumentFile(path)) {
        for (int i = 0; i < m_recentFiles.GetSize(); ++i) {
            if (m_recentFiles[i] == path) {
                m_recentFiles.Remove(i);
                break;
            }
        }
    }
}

// With no recent file the first entry reads "Recent File", disabled, and the others are hidden.
void CTickvaneApp::OnUpdateRecentFile(CCmdUI& ui, int index) const {
    if (index < m_recentFiles.GetSize()) {
        ui.SetText(m_recentFiles.MenuText(index));
        ui.Enable();
        ui.Show(true);
    } else {
        ui.SetText(QStringLiteral("Recent File"));
        ui.Enable(false);
        ui.Show(index == 0);
    }
}
