#include "app/TickvaneDoc.h"

#include "app/AppServices.h"
#include "app/DialogHost.h"
#include "app/FileAccess.h"
#include "chart/Bars.h"
#include "chart/MasterPath.h"
#include "chart/ViewOptions.h"
#include "platform/CommandIds.h"
#include "platform/MessageService.h"

CTickvaneDoc::CTickvaneDoc(CAppServices& services)
    : m_services(services), m_pBars(std::make_unique<CBars>(services.settings, services.messages)) {
    m_commands.On(
        ID_VIEW_OPTIONS, [this] { OnViewOptions(); },
        [this](CCmdUI& ui) { OnUpdateNeedsData(ui); });
    m_commands.On(
        ID_SELECT_GOTO, [this] { OnSelectGoTo(); }, [this](CCmdUI& ui) { OnUpdateNeedsData(ui); });
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

void CTickvaneDoc::OnUpdateNeedsData(CCmdUI& ui) const {
    ui.Enable(m_pBars->IsDataLoaded());
}
