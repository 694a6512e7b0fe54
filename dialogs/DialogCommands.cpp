#include "dialogs/DialogCommands.h"

#include "chart/Bars.h"
#include "chart/ChartOptions.h"
#include "chart/ViewOptions.h"
#include "chart/studies/StudySettings.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/DirectionColorsDlg.h"
#include "dialogs/GoToDlg.h"
#include "dialogs/SlideShowDlg.h"
#include "dialogs/StudiesDlg.h"
#include "dialogs/ViewOptionsDlg.h"
#include "platform/Settings.h"

#include <string>

void RunOptionsCommand(CBars& bars, Settings& settings, MessageService& messages,
                       const std::function<void()>& updateAllViews, QWidget* parent,
                       const DialogRunner& run) {
    CViewOptionsDlg dlg(bars, messages, parent);
    dlg.m_nBarSpace = bars.GetBarSpace();
    dlg.m_bShowVolume = bars.GetShowVolume();
    dlg.m_bHideBadData = bars.GetHideBadData();
    dlg.m_bShowMA1 = bars.GetShowMA1();
    dlg.m_bShowMA2 = bars.GetShowMA2();
    dlg.m_nMA1Length = bars.GetMA1Length();
    dlg.m_nMA2Length = bars.GetMA2Length();
    dlg.m_bMasterFix = bars.m_bMasterFix;
    const int hideBadDataBefore = dlg.m_bHideBadData;
    if (run(dlg) != QDialog::Accepted)
        return;

    bars.SetBarSpace(dlg.m_nBarSpace);
    bars.SetHideBadData(dlg.m_bHideBadData);
    bars.SetShowVolume(dlg.m_bShowVolume);
    bars.SetShowMA1(dlg.m_bShowMA1);
    bars.SetShowMA2(dlg.m_bShowMA2);
    bars.SetMA1Length(dlg.m_nMA1Length);
    bars.SetMA2Length(dlg.m_nMA2Length);
    bars.CommitColors();
    bars.m_bMasterFix = dlg.m_bMasterFix;

    settings.WriteInt(kViewOptionsSection, "HideBadData", dlg.m_bHideBadData);
    settings.WriteInt(kViewOptionsSection, "ShowVolume", dlg.m_bShowVolume);
    settings.WriteInt(kViewOptionsSection, "ShowMA1", dlg.m_bShowMA1);
    settings.WriteInt(kViewOptionsSection, "ShowMA2", dlg.m_bShowMA2);
    settings.WriteInt(kViewOptionsSection, "BarSpace", dlg.m_nBarSpace);
    settings.WriteInt(kViewOptionsSection, "MA1Length", dlg.m_nMA1Length);
    settings.WriteInt(kViewOptionsSection, "MA2Length", dlg.m_nMA2Length);
    settings.WriteInt(kViewOptionsSection, "MasterFix", dlg.m_bMasterFix);
    std::string colors;
    for (int i = 0; i < kColorItemCount; ++i)
        colors += static_cast<char>('0' + bars.GetWorkColor(i));
    settings.WriteString(kViewOptionsSection, "Colors", colors);

    if (dlg.m_bHideBadData != hideBadDataBefore) {
        bars.FreeBuffers();
        bars.ReadCurrentSymbol();
    }
    if (updateAllViews)
        updateAllViews();
}

bool RunStudiesCommand(CStudyList& studies, Settings& settings,
                       const std::function<void()>& updateAllViews, QWidget* parent,
                       const DialogRunner& run) {
    CStudiesDlg dlg(studies.Studies(), parent);
    if (run(dlg) != QDialog::Accepted)
        return false;
    studies.SetStudies(dlg.Studies());
    StoreStudies(settings, studies.Studies());
    if (updateAllViews)
        updateAllViews();
    return true;
}

bool RunDirectionColorsCommand(CBars& bars, Settings& settings, QWidget* parent,
                               const DialogRunner& run) {
    ChartOptions options = bars.GetChartOptions();
    CDirectionColorsDlg dlg(bars, parent);
    dlg.m_nRising = options.nUpColor;
    dlg.m_nFalling = options.nDownColor;
    if (run(dlg) != QDialog::Accepted)
        return false;
    options.nUpColor = dlg.m_nRising;
    options.nDownColor = dlg.m_nFalling;
    if (options == bars.GetChartOptions())
        return false;
    bars.SetChartOptions(options);
    StoreChartOptions(settings, options);
    return true;
}

void RunGoToCommand(CBars& bars, Settings& settings, const std::function<void()>& updateAllViews,
                    QWidget* parent, const DialogRunner& run) {
    CGoToDlg dlg(settings, parent);
    dlg.m_pBars = &bars;
    if (run(dlg) != QDialog::Accepted)
        return;
    // The line is the symbol's own bytes, a tab and the name; no tab means no line was chosen.
    const std::string& line = dlg.m_strSelection;
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos)
        return;
    bars.SearchSetSymbolIndex(line.substr(0, tab).c_str());
    if (updateAllViews)
        updateAllViews();
}

CSlideShowWnd* RunSlideShowCommand(CBars& bars, MessageService& messages, SlideShowHooks hooks,
                                   QWidget* owner, const DialogRunner& run) {
    CSlideShowDlg dlg(messages, owner);
    if (run(dlg) != QDialog::Accepted)
        return nullptr;
    const std::function<void(bool)> setSlideShow = hooks.setSlideShow;
    auto* show = new CSlideShowWnd(bars, std::move(hooks), owner);
    show->Create(dlg.m_nInterval);
    if (setSlideShow)
        setSlideShow(true);
    return show;
}

void RunAboutCommand(int* pbMailLinkVisited, int* pbWebLinkVisited, QWidget* parent,
                     const CStaticLink::UrlOpener& opener, const DialogRunner& run) {
    CAboutDlg dlg(pbMailLinkVisited, pbWebLinkVisited, parent);
    if (opener)
        dlg.SetUrlOpener(opener);
    run(dlg);
}
