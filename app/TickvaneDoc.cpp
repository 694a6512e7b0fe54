#include "app/TickvaneDoc.h"

#include "app/AppServices.h"
#include "app/DialogHost.h"
#include "app/FileAccess.h"
#include "chart/Bars.h"
#include "chart/ChartCommands.h"
#include "chart/ChartOptions.h"
#include "chart/ChartThemes.h"
#include "chart/MasterPath.h"
#include "chart/QuoteHistory.h"
#include "chart/ViewOptions.h"
#include "chart/drawings/DrawingEditor.h"
#include "chart/drawings/DrawingStore.h"
#include "chart/studies/StudySettings.h"
#include "platform/Commands.h"
#include "platform/FileNames.h"
#include "platform/MessageService.h"
#include "qt/DataFiles.h"

#include <string_view>

CTickvaneDoc::CTickvaneDoc(CAppServices& services)
    : m_services(services), m_pBars(std::make_unique<CBars>(services.settings, services.messages)),
      m_pStudies(std::make_unique<CStudyList>()), m_pDrawings(std::make_unique<CDrawingStore>()),
      m_pDrawingEditor(std::make_unique<CDrawingEditor>(*m_pDrawings, services.messages)) {
    // Every drawing of the chart (screen, print, preview, Copy, Export Chart, slide show) comes
    // from the store, so each shows the drawings.
    m_pDrawings->Load(DefaultDrawingsFile(), services.messages);
    m_pBars->SetDrawingStore(m_pDrawings.get());
    // Read once: the style, scale, period, grid and studies then hold for every folder opened.
    m_pBars->SetChartOptions(LoadChartOptions(services.settings));
    m_pStudies->SetStudies(LoadStudies(services.settings));
    UseStudies();
    m_commands.On(
        ID_CHART_STUDIES, [this] { OnChartStudies(); },
        [this](CCmdUI& ui) { OnUpdateNeedsData(ui); });
    m_commands.On(
        ID_VIEW_OPTIONS, [this] { OnViewOptions(); },
        [this](CCmdUI& ui) { OnUpdateNeedsData(ui); });
    m_commands.On(
        ID_SELECT_GOTO, [this] { OnSelectGoTo(); }, [this](CCmdUI& ui) { OnUpdateNeedsData(ui); });
    m_commands.On(
        ID_FILE_CHECK_FOLDER, [this] { OnFileCheckFolder(); },
        [this](CCmdUI& ui) { ui.Enable(m_pBars->GetSymbolCount() > 0); });
    for (const ChartCommand& command : kChartCommands) {
        const int id = command.nId;
        m_commands.On(
            id, [this, id] { OnChartCommand(id); },
            [this](CCmdUI& ui) { OnUpdateChartCommand(ui); });
    }
    m_commands.On(
        ID_CHART_DIRECTION_COLORS, [this] { OnChartDirectionColors(); },
        [this](CCmdUI& ui) { OnUpdateNeedsData(ui); });
    for (const int id : {ID_VIEW_THEME_CLASSIC, ID_VIEW_THEME_LIGHT, ID_VIEW_THEME_DARK})
        m_commands.On(
            id, [this, id] { OnViewTheme(id); }, [this](CCmdUI& ui) { OnUpdateViewTheme(ui); });
    // There is nothing to save, and the MASTER must stay as it is.
    m_commands.OnUpdate(ID_FILE_SAVE, [](CCmdUI& ui) { ui.Enable(false); });
}

CTickvaneDoc::~CTickvaneDoc() = default;

bool CTickvaneDoc::OnNewDocument() {
    m_strPathName.clear();
    UpdateAllViews();
    return true;
}

bool CTickvaneDoc::OnOpenDocument(const std::string& path) {
    std::string message;
    if (!CanOpenForReading(path, message)) {
        m_services.messages.Show(message, MessageIcon::Warning);
        return false;
    }
    CBars& bars = *m_pBars;
    bars.ResetDefaults();
    ApplyStoredViewOptions(bars, m_services.settings);
    // A quote folder, or its EMASTER or XMASTER, opens as the folder's MASTER.
    if (bars.SetMasterPath(MasterPathToOpen(path).c_str())) {
        if (bars.ReadMaster() == 0)
            bars.ReadCurrentSymbol();
    } else {
        m_services.messages.Show("You have not selected a file named \"MASTER\"",
                                 MessageIcon::None);
    }
    UpdateAllViews();
    return true;
}

void CTickvaneDoc::RefreshDirectory() {
    CBars& bars = *m_pBars;
    if (bars.GetSymbolCount() <= 0)
        return;
    const int index = bars.GetCurrentIndex();
    const std::string symbol = bars.GetSymbol(index);
    if (bars.ReadMaster() != 0 || bars.GetSymbolCount() <= 0) {
        UpdateAllViews();
        return;
    }
    int found = -1;
    for (int i = 0; i < bars.GetSymbolCount() && found < 0; ++i)
        if (symbol == bars.GetSymbol(i))
            found = i;
    if (found < 0)
        bars.StepSymbol(0);
    else if (found != index)
        bars.SearchSetSymbolIndex(bars.GetSymbol(found));
    UpdateAllViews();
}

void CTickvaneDoc::UpdateAllViews(ViewHint hint) {
    if (m_fnUpdateViews)
        m_fnUpdateViews(hint);
}

void CTickvaneDoc::OnViewOptions() {
    const int barSpace = m_pBars->GetBarSpace();
    if (m_services.pDialogHost->RunViewOptions(*m_pBars, m_services.settings,
                                               m_services.pMainWindow))
        UpdateAllViews(m_pBars->GetBarSpace() != barSpace ? ViewHint::BarSpaceChanged
                                                          : ViewHint::None);
}

void CTickvaneDoc::OnSelectGoTo() {
    if (m_services.pDialogHost->RunGoTo(*m_pBars, m_services.settings, m_services.pMainWindow))
        UpdateAllViews();
}

void CTickvaneDoc::OnFileCheckFolder() {
    const std::string master = m_pBars->GetMasterPath();
    m_services.pDialogHost->RunCheckFolder(
        master.substr(0, FileNameStart(master)),
        [this](const std::string& symbol) {
            // A finding names a MASTER entry by its symbol's first word, as it is listed.
            for (int i = 0; i < m_pBars->GetSymbolCount(); ++i) {
                const std::string_view stored = m_pBars->GetSymbol(i);
                if (stored == symbol || stored.substr(0, stored.find(' ')) == symbol) {
                    m_pBars->SearchSetSymbolIndex(m_pBars->GetSymbol(i));
                    UpdateAllViews();
                    return;
                }
            }
        },
        m_services.pMainWindow);
}

void CTickvaneDoc::OnChartStudies() {
    if (m_services.pDialogHost->RunStudies(*m_pStudies, m_services.settings,
                                           m_services.pMainWindow)) {
        UseStudies();
        UpdateAllViews();
    }
}

// Without a study the chart is drawn from the newest records alone, as it always was.
void CTickvaneDoc::UseStudies() {
    m_pBars->SetSeriesProvider(m_pStudies->Empty() ? nullptr : m_pStudies.get());
}

void CTickvaneDoc::OnUpdateNeedsData(CCmdUI& ui) const {
    ui.Enable(m_pBars->IsDataLoaded());
}

void CTickvaneDoc::OnChartCommand(int id) {
    if (RunChartCommand(id, *m_pBars, m_services.settings))
        UpdateAllViews();
}

// Daily bars join the records of a day, so they are offered for securities that store times; once
// chosen the item stays enabled, so that its check mark does not look out of reach.
void CTickvaneDoc::OnUpdateChartCommand(CCmdUI& ui) const {
    const bool checked = IsChartCommandChecked(ui.m_nID, m_pBars->GetChartOptions());
    const bool daily = ui.m_nID != ID_CHART_PERIOD_DAILY || checked ||
                       HasStoredColumn(m_pBars->GetQuotes().sourceHeader, kColTime);
    ui.Enable(m_pBars->IsDataLoaded() && daily);
    ui.SetCheck(checked);
}

void CTickvaneDoc::OnChartDirectionColors() {
    if (m_services.pDialogHost->RunDirectionColors(*m_pBars, m_services.settings,
                                                   m_services.pMainWindow))
        UpdateAllViews();
}

void CTickvaneDoc::OnViewTheme(int id) {
    if (const std::optional<ChartTheme> theme = ThemeOfCommand(id)) {
        ChooseTheme(*m_pBars, m_services.settings, *theme);
        UpdateAllViews();
    }
}

void CTickvaneDoc::OnUpdateViewTheme(CCmdUI& ui) const {
    const std::optional<ChartTheme> current = CurrentTheme(*m_pBars);
    ui.Enable();
    ui.SetCheck(current && current == ThemeOfCommand(ui.m_nID));
}
