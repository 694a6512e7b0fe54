#pragma once
// The application object: sets up the settings, shows the splash window, creates the document,
// the main frame and the view, processes the command line, and keeps the recent-file list. After
// each batch of events it runs the update pass and asks whether the splash window's time is up
// (SplashTiming.h).

#include "app/AppServices.h"
#include "app/CommandMap.h"
#include "app/RecentFiles.h"
#include "app/SplashTiming.h"
#include "platform/MessageService.h"
#include "qt/SettingsStore.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CDialogHost;
class CMainFrame;
class CSplashWnd;
class CTickvaneDoc;
class CTickvaneView;
class QPrinter;
struct CCommandLine;

class CTickvaneApp : public QObject {
    Q_OBJECT

public:
    CTickvaneApp(MessageService& messages, CommonDialogs& commonDialogs);
    ~CTickvaneApp() override;

    // Start-up. Gives -1 when the program goes on to run its event loop, otherwise the exit code
    // to end with at once (0 after printing, 1 when the named file cannot be read or printing
    // failed).
    int InitInstance(const CCommandLine& commandLine);

    // The idle processing: the update pass, and the end of the splash window once its time is up.
    void OnIdle();
    // Opens `path` as the document: File Open, the recent files, the command line and a file
    // dropped on the window all come here. The document's own path is only brought to the front.
    bool OpenDocumentFile(const std::string& path);
    // Puts in the host that runs the dialogs.
    void SetDialogHost(std::unique_ptr<CDialogHost> host);
    // Milliseconds from some fixed moment; tests turn the clock.
    void SetTickCount(std::function<std::uint32_t()> tickCount);

    Settings& GetSettings() { return m_settings; }
    CTickvaneDoc& Document() { return *m_pDoc; }
    CMainFrame& Frame() { return *m_pFrame; }
    CTickvaneView& View();
    const CCommandRouter& Router() const { return m_router; }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    QPrinter& Printer() { return *m_pPrinter; }

    CSplashWnd* m_pSplashWnd = nullptr;
    int m_bMailLinkVisited = 0;
    int m_bWebLinkVisited = 0;

private:
    void ShowSplash();
    void EndSplash();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnOpenRecentFile(int index);
    // The menu item of entry `index` of the list.
    void OnUpdateRecentFile(CCmdUI& ui, int index) const;

    // Every message and question ends the splash window first: it stays on top and would hide
    // the box, which opens at the centre of the screen as well.
    class CMessageRelay : public MessageService {
    public:
        CMessageRelay(CTickvaneApp& app, MessageService& target) : m_app(app), m_target(target) {}
        void Show(const std::string& text, MessageIcon icon) override;
        bool AskYesNo(const std::string& text, DefaultAnswer answer) override;

    private:
        CTickvaneApp& m_app;
        MessageService& m_target;
    };

    CSettingsStore m_settings;
    CMessageRelay m_messages;
    std::unique_ptr<QPrinter> m_pPrinter;
    std::unique_ptr<CDialogHost> m_pDialogHost;
    CAppServices m_services;
    CRecentFileList m_recentFiles;
    CCommandMap m_commands;
    CCommandRouter m_router;
    std::unique_ptr<CTickvaneDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
    CSplashTiming m_splashTiming;
};
