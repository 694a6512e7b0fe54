#pragma once
// The dialog host of the running program: each command runs its dialog from the dialogs' library.

#include "app/DialogHost.h"
#include "dialogs/TemplateDialog.h"

class MessageService;

class CProgramDialogs : public CDialogHost {
public:
    // `run` runs each dialog: modally, or in tests by working it.
    explicit CProgramDialogs(MessageService& messages, DialogRunner run = ExecDialog)
        : m_messages(messages), m_fnRun(std::move(run)) {}

    bool RunViewOptions(CBars& bars, Settings& settings, QWidget* parent) override;
    bool RunGoTo(CBars& bars, Settings& settings, QWidget* parent) override;
    bool RunStudies(CStudyList& studies, Settings& settings, QWidget* parent) override;
    bool RunDirectionColors(CBars& bars, Settings& settings, QWidget* parent) override;
    bool StartSlideShow(const CSlideShowContext& context) override;
    void RunCheckFolder(const std::string& folder,
                        const std::function<void(const std::string&)>& openSymbol,
                        QWidget* parent) override;
    void RunAbout(QWidget* parent, int& bMailLinkVisited, int& bWebLinkVisited) override;

private:
    MessageService& m_messages;
    DialogRunner m_fnRun;
};
