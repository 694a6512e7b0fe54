#include "app/ProgramDialogs.h"

#include "dialogs/CheckFolderDlg.h"
#include "dialogs/DialogCommands.h"

bool CProgramDialogs::RunViewOptions(CBars& bars, Settings& settings, QWidget* parent) {
    bool changed = false;
    RunOptionsCommand(
        bars, settings, m_messages, [&changed] { changed = true; }, parent, m_fnRun);
    return changed;
}

bool CProgramDialogs::RunGoTo(CBars& bars, Settings& settings, QWidget* parent) {
    bool changed = false;
    RunGoToCommand(
        bars, settings, [&changed] { changed = true; }, parent, m_fnRun);
    return changed;
}

void CProgramDialogs::RunCheckFolder(const std::string& folder,
                                     const std::function<void(const std::string&)>& openSymbol,
                                     QWidget* parent) {
    CCheckFolderDlg dlg(folder, openSymbol, parent);
    m_fnRun(dlg);
}

bool CProgramDialogs::RunStudies(CStudyList& studies, Settings& settings, QWidget* parent) {
    return RunStudiesCommand(studies, settings, {}, parent, m_fnRun);
}

bool CProgramDialogs::RunDirectionColors(CBars& bars, Settings& settings, QWidget* parent) {
    return RunDirectionColorsCommand(bars, settings, parent, m_fnRun);
}

bool CProgramDialogs::StartSlideShow(const CSlideShowContext& context) {
    SlideShowHooks hooks;
    hooks.markIndicatorStale = context.fnMarkIndicatorStale;
    hooks.setSlideShow = [ended = context.fnSlideShowEnded](bool on) {
        if (!on && ended)
            ended();
    };
    return RunSlideShowCommand(context.bars, m_messages, std::move(hooks), context.pOwner,
                               m_fnRun) != nullptr;
}

void CProgramDialogs::RunAbout(QWidget* parent, int& bMailLinkVisited, int& bWebLinkVisited) {
    RunAboutCommand(&bMailLinkVisited, &bWebLinkVisited, parent, {}, m_fnRun);
}
