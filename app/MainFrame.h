#pragma once
// The main frame: the only top-level window, with the menu bar, a dockable toolbar, the status bar
// with the records left out of the chart, the position text and the position indicator, and the
// chart view. It opens where it was last placed and remembers its place on every move and resize.
// It wires commands, menus and bars; the logic lives in the pieces it wires.

#include "app/CommandMap.h"
#include "app/Placement.h"
#include "platform/Geometry.h"

#include <QMainWindow>

#include <memory>

class CCommandActions;
class CCommandRouter;
class CContextHelp;
class CHelpWindow;
class CIndicatorPane;
class CMessagePane;
class CSecuritiesPanel;
class CTickvaneDoc;
class CTickvaneView;
class QDockWidget;
class QLabel;
class QToolBar;
struct CAppServices;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // The placement is read and applied here, before the window shows.
    CMainFrame(CTickvaneDoc& doc, CAppServices& services, const CCommandRouter& router);
    ~CMainFrame() override;

    // The position indicator must be drawn at the next update of the status bar; every screen
    // drawing of the chart sets it.
    int m_bIndicatorStale = 0;

    CTickvaneView& View() { return *m_pView; }
    CCommandActions& Actions() { return *m_pActions; }
    const CCommandMap& Commands() const { return m_commands; }
    QToolBar& ToolBar() { return *m_pToolBar; }
    // View > Securities: the panel, and the dock it lies in.
    QDockWidget& SecuritiesDock() { return *m_pSecuritiesDock; }
    CSecuritiesPanel& Securities() { return *m_pSecurities; }
    CMessagePane& MessagePane() { return *m_pMessagePane; }
    QLabel& SymbolPane() { return *m_pSymbolPane; }
    // How many records the chart leaves out ("Hide Bad Data", the logarithmic scale); hidden
    // when none are.
    QLabel& LeftOutPane() { return *m_pLeftOutPane; }
    CIndicatorPane& IndicatorPane() { return *m_pIndicatorPane; }
    CHelpWindow* HelpWindow() { return m_pHelpWindow; }

    // The size of the client area (below the menu bar, bars included): the chart's logical space.
    CSize ClientSize() const;

    // The update pass after each batch of events: the commands' enabling, then the panes.
    void OnIdleUpdate();
    // Opens the help window on `page` of the help pages.
    void ShowHelp(const QString& page);

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateChartArea();
    void ShowReadout(const QString& text);
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateSecuritiesPanel();
    // Stores where the panel is and whether it is shown; each change is stored at once.
    void StorePanelPlacement();
    void CreateContextHelp();
    void ApplyPlacement(const WindowPlacement& placement);
    void OnPositionChanged();
    void UpdateSymbolPane();
    // After each drawing of the chart on the screen.
    void UpdateLeftOutPane();
    void UpdateIndicatorPane();

    CTickvaneDoc& m_doc;
    CAppServices& m_services;
    CCommandMap m_commands;
    CCommandActions* m_pActions;
    CTickvaneView* m_pView;
    QToolBar* m_pToolBar = nullptr;
    CMessagePane* m_pMessagePane = nullptr;
    QLabel* m_pLeftOutPane = nullptr;
    QLabel* m_pSymbolPane = nullptr;
    CIndicatorPane* m_pIndicatorPane = nullptr;
    CHelpWindow* m_pHelpWindow = nullptr;
    QDockWidget* m_pSecuritiesDock = nullptr;
    CSecuritiesPanel* m_pSecurities = nullptr;
    PanelPlacement m_storedPanel;
    // The panel's place is stored only once it has been put where it was left.
    bool m_bPanelPlaced = false;
    std::unique_ptr<CContextHelp> m_pContextHelp;
    // The outer size asked for before the window had a frame, made good once the frame is known.
    QSize m_szWanted;
    // What the settings hold, as read at the start and written since.
    WindowPlacement m_stored;
};
