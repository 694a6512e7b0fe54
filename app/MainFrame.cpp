#include "app/MainFrame.h"

#include "app/AppServices.h"
#include "app/CommandActions.h"
#include "app/ContextHelp.h"
#include "app/HelpWindow.h"
#include "app/MenuLayout.h"
#include "app/Placement.h"
#include "app/SecuritiesPanel.h"
#include "app/StatusPanes.h"
#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"
#include "chart/ChartCommands.h"
#include "platform/Commands.h"

#include <QDockWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr char kSymbolPaneSample[] = "Symbol 1000 of 1000";
constexpr char kIndicatorPaneSample[] = "   ";

CSize WorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    return CSize{area.width(), area.height()};
}

} // namespace

CMainFrame::CMainFrame(CTickvaneDoc& doc, CAppServices& services, const CCommandRouter& router)
    : m_doc(doc), m_services(services), m_pActions(new CCommandActions(*this, router)),
      m_pView(new CTickvaneView(doc, services, router, m_bIndicatorStale, this)) {
    setWindowTitle(QStringLiteral("Tickvane"));
    CreateChartArea();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateSecuritiesPanel();
    CreateContextHelp();
    doc.Bars().SetFrameSizeProvider([this] { return ClientSize(); });
    doc.SetViewUpdater([this](ViewHint hint) { m_pView->OnUpdate(hint); });
    m_stored = ReadPlacement(services.settings);
    ApplyPlacement(StartPlacement(m_stored, WorkArea()));

    m_commands.On(
        ID_VIEW_TOOLBAR, [this] { m_pToolBar->setVisible(!m_pToolBar->isVisible()); },
        [this](CCmdUI& ui) {
            ui.Enable();
            ui.SetCheck(m_pToolBar->isVisibleTo(this));
        });
    m_commands.On(
        ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
        [this](CCmdUI& ui) {
            ui.Enable();
            ui.SetCheck(statusBar()->isVisibleTo(this));
        });
    m_commands.On(
        ID_VIEW_SECURITIES,
        [this] { m_pSecuritiesDock->setVisible(m_pSecuritiesDock->isHidden()); },
        [this](CCmdUI& ui) {
            ui.Enable();
            ui.SetCheck(!m_pSecuritiesDock->isHidden());
        });
    m_commands.On(ID_HELP_FINDER, [this] { ShowHelp(QStringLiteral("index.html")); });
    m_commands.On(ID_DEFAULT_HELP, [this] { ShowHelp(QStringLiteral("index.html")); });
    m_commands.On(ID_HELP, [this] { ShowHelp(QStringLiteral("index.html")); });
    m_commands.On(ID_CONTEXT_HELP, [this] { m_pContextHelp->Enter(); });
}

CMainFrame::~CMainFrame() {
    // Closing the window as it is destroyed hides the dock, which must then reach no part of the
    // frame.
    m_pSecuritiesDock->disconnect(this);
    m_doc.Bars().SetFrameSizeProvider({});
    m_doc.SetViewUpdater({});
    delete m_pHelpWindow;
}

// The chart with its scroll bar under it; the bar under the pointer is read out in the message
// pane.
void CMainFrame::CreateChartArea() {
    auto* area = new QWidget(this);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_pView, 1);
    column->addWidget(&m_pView->ScrollBar());
    setCentralWidget(area);
    connect(m_pView, &CTickvaneView::readoutChanged, this, &CMainFrame::ShowReadout);
    connect(m_pView, &CTickvaneView::chartDrawn, this, &CMainFrame::UpdateLeftOutPane);
}

void CMainFrame::ShowReadout(const QString& text) {
    if (!m_pContextHelp->IsActive())
        m_pMessagePane->setText(text.isEmpty() ? QString::fromLatin1(kIdlePrompt) : text);
}

void CMainFrame::CreateMenus() {
    for (const MenuInfo& info : MainMenus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(info.title));
        for (const int id : info.items) {
            if (id == kSeparator) {
                menu->addSeparator();
            } else if (const SubmenuInfo* submenu = FindSubmenu(id)) {
                QMenu* items = menu->addMenu(QString::fromUtf8(submenu->title));
                for (const int item : submenu->items)
                    items->addAction(m_pActions->Action(item));
            } else {
                menu->addAction(m_pActions->Action(id));
            }
        }
    }
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = addToolBar(QStringLiteral("Toolbar"));
    m_pToolBar->setObjectName(QStringLiteral("Toolbar"));
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    m_pToolBar->setIconSize(QSize(16, 16));
    for (const int id : ToolbarButtons()) {
        if (id == kSeparator)
            m_pToolBar->addSeparator();
        else
            m_pToolBar->addAction(m_pActions->Action(id));
    }
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    m_pMessagePane = new CMessagePane(QString::fromLatin1(kIdlePrompt), bar);
    bar->addWidget(m_pMessagePane, 1);

    // Records the chart leaves out, in a pane of its own so that neither the prompts nor the
    // crosshair's readout cover it; hidden while there are none.
    m_pLeftOutPane = new QLabel(bar);
    m_pLeftOutPane->setFrameShape(QFrame::Panel);
    m_pLeftOutPane->setFrameShadow(QFrame::Sunken);
    m_pLeftOutPane->hide();
    bar->addPermanentWidget(m_pLeftOutPane);

    m_pSymbolPane = new QLabel(bar);
    m_pSymbolPane->setFrameShape(QFrame::Panel);
    m_pSymbolPane->setFrameShadow(QFrame::Sunken);
    m_pSymbolPane->setMinimumWidth(
        m_pSymbolPane->fontMetrics().horizontalAdvance(QString::fromLatin1(kSymbolPaneSample)) +
        2 * m_pSymbolPane->frameWidth() + 8);
    m_pSymbolPane->setAlignment(Qt::AlignCenter);
    bar->addPermanentWidget(m_pSymbolPane);

    m_pIndicatorPane = new CIndicatorPane(bar);
    m_pIndicatorPane->setFixedWidth(m_pIndicatorPane->fontMetrics().horizontalAdvance(
        QString::fromLatin1(kIndicatorPaneSample)));
    bar->addPermanentWidget(m_pIndicatorPane);
}

// The panel lies right of the chart until the user puts it elsewhere; it is shown and placed as it
// was left.
void CMainFrame::CreateSecuritiesPanel() {
    m_pSecurities = new CSecuritiesPanel(m_doc.Bars(), [this](int entry) {
        CBars& bars = m_doc.Bars();
        bars.StepSymbol(entry - bars.GetCurrentIndex());
        m_doc.UpdateAllViews();
    });
    m_pSecuritiesDock = new QDockWidget(QStringLiteral("Securities"), this);
    m_pSecuritiesDock->setObjectName(QStringLiteral("SecuritiesPanel"));
    m_pSecuritiesDock->setWidget(m_pSecurities);
    m_storedPanel = ReadPanelPlacement(m_services.settings);
    const PanelPlacement& placed = m_storedPanel;
    addDockWidget(static_cast<Qt::DockWidgetArea>(placed.area), m_pSecuritiesDock);
    m_pSecuritiesDock->setFloating(placed.floating);
    if (placed.floating && placed.cx > 0 && placed.cy > 0)
        m_pSecuritiesDock->setGeometry(placed.x, placed.y, placed.cx, placed.cy);
    else if (!placed.floating && (placed.cx > 0 || placed.cy > 0)) {
        const bool across =
            placed.area == Qt::TopDockWidgetArea || placed.area == Qt::BottomDockWidgetArea;
        resizeDocks({m_pSecuritiesDock}, {across ? placed.cy : placed.cx},
                    across ? Qt::Vertical : Qt::Horizontal);
    }
    m_pSecuritiesDock->setVisible(placed.visible);
    m_bPanelPlaced = true;
    connect(m_pSecuritiesDock, &QDockWidget::visibilityChanged, this, [this] {
        StorePanelPlacement();
        OnIdleUpdate();
    });
    connect(m_pSecuritiesDock, &QDockWidget::dockLocationChanged, this,
            &CMainFrame::StorePanelPlacement);
    connect(m_pSecuritiesDock, &QDockWidget::topLevelChanged, this,
            &CMainFrame::StorePanelPlacement);
}

void CMainFrame::StorePanelPlacement() {
    if (!m_bPanelPlaced)
        return;
    PanelPlacement placement;
    placement.visible = !m_pSecuritiesDock->isHidden();
    placement.floating = m_pSecuritiesDock->isFloating();
    const Qt::DockWidgetArea area = dockWidgetArea(m_pSecuritiesDock);
    placement.area = area == Qt::NoDockWidgetArea ? m_storedPanel.area : static_cast<int>(area);
    const QRect rect = m_pSecuritiesDock->geometry();
    placement.x = rect.x();
    placement.y = rect.y();
    placement.cx = rect.width();
    placement.cy = rect.height();
    if (placement == m_storedPanel)
        return;
    WritePanelPlacement(m_services.settings, placement);
    m_storedPanel = placement;
}

// A click in context help opens the page of the area clicked.
void CMainFrame::CreateContextHelp() {
    m_pContextHelp = std::make_unique<CContextHelp>(
        *m_pMessagePane, [this](const QString& page) { ShowHelp(page); });
    m_pContextHelp->AddTopic(m_pView, QStringLiteral("chart.html"));
    m_pContextHelp->AddTopic(&m_pView->ScrollBar(), QStringLiteral("chart.html"));
    m_pContextHelp->AddTopic(m_pSecuritiesDock, QStringLiteral("window.html#securities"));
    m_pContextHelp->AddTopic(statusBar(), QStringLiteral("window.html#statusbar"));
    m_pContextHelp->AddTopic(m_pToolBar, QStringLiteral("window.html#commands"));
    m_pContextHelp->AddTopic(menuWidget(), QStringLiteral("window.html#commands"));
    m_pContextHelp->SetMenuTopic(QStringLiteral("window.html#commands"));
}

CSize CMainFrame::ClientSize() const {
    const QWidget* menu = menuWidget();
    int menuHeight = 0;
    if (menu && !menu->isHidden())
        menuHeight = isVisible() ? menu->height() : menu->sizeHint().height();
    return CSize{width(), height() - menuHeight};
}

void CMainFrame::ApplyPlacement(const WindowPlacement& placement) {
    move(placement.x, placement.y);
    resize(placement.cx, placement.cy);
    m_szWanted = QSize(placement.cx, placement.cy);
}

void CMainFrame::OnIdleUpdate() {
    m_pActions->UpdateAll();
    // A hidden panel reads nothing; shown, it follows the chart.
    if (m_pSecuritiesDock->isVisibleTo(this))
        m_pSecurities->Sync();
    UpdateSymbolPane();
    UpdateIndicatorPane();
}

void CMainFrame::UpdateSymbolPane() {
    const CBars& bars = m_doc.Bars();
    const QString text =
        QString::fromStdString(SymbolPaneText(bars.GetSymbolCount(), bars.GetCurrentIndex()));
    if (m_pSymbolPane->text() != text)
        m_pSymbolPane->setText(text);
}

void CMainFrame::UpdateLeftOutPane() {
    const QString text = QString::fromStdString(LeftOutText(m_doc.Bars().Window().GetLeftOut()));
    if (m_pLeftOutPane->text() != text)
        m_pLeftOutPane->setText(text);
    m_pLeftOutPane->setVisible(!text.isEmpty());
}

void CMainFrame::UpdateIndicatorPane() {
    if (statusBar()->isVisible())
        m_pIndicatorPane->setFixedWidth(std::max(1, m_pIndicatorPane->height() - 1));
    if (!m_bIndicatorStale)
        return;
    const CBars& bars = m_doc.Bars();
    m_pIndicatorPane->SetPosition(bars.GetSymbolCount(), bars.GetCurrentIndex());
    m_bIndicatorStale = 0;
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    OnPositionChanged();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    OnPositionChanged();
}

// Stored on every move and resize while the window is not minimised. The stored rectangle is the
// outer one, frame included; the size asked for at start-up was the outer size too, so once the
// window system has put a frame around the window, the inside is made smaller by the frame.
void CMainFrame::OnPositionChanged() {
    if (isMinimized())
        return;
    const QRect outer = frameGeometry();
    if (m_szWanted.isValid() && outer.size() != size() && !isMaximized() && !isFullScreen()) {
        const QSize wanted = std::exchange(m_szWanted, QSize());
        resize(wanted - (outer.size() - size()));
        return;
    }
    const WindowPlacement placement =
        PlacementToStore({outer.x(), outer.y(), outer.width(), outer.height()}, WorkArea());
    // Each write goes to the disk at once; a move reported twice is stored once.
    if (placement == m_stored)
        return;
    WritePlacement(m_services.settings, placement);
    m_stored = placement;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    StorePanelPlacement();
    QMainWindow::closeEvent(event);
    if (m_pHelpWindow)
        m_pHelpWindow->close();
    QCoreApplication::quit();
}

void CMainFrame::ShowHelp(const QString& page) {
    if (!m_pHelpWindow) {
        m_pHelpWindow = new CHelpWindow();
        m_pHelpWindow->move(frameGeometry().center() - m_pHelpWindow->rect().center());
    }
    m_pHelpWindow->ShowPage(page);
}
