#pragma once
// The commands that run the dialogs, each whole, given what it works on. The program's document,
// view and application object call them; tests call them with a DialogRunner that works the
// dialog instead of a modal loop.

#include "dialogs/SlideShowWnd.h"
#include "dialogs/StaticLink.h"
#include "dialogs/TemplateDialog.h"

#include <functional>

class CBars;
class CStudyList;
class MessageService;
class Settings;

// Options (F2): the View Options dialog. After OK the options go to the chart object, the colours
// chosen are committed, all nine values are stored in "ViewOptions", the current security is read
// again when "Hide Bad Data" changed, and `updateAllViews` runs. Anything else changes nothing.
void RunOptionsCommand(CBars& bars, Settings& settings, MessageService& messages,
                       const std::function<void()>& updateAllViews, QWidget* parent = nullptr,
                       const DialogRunner& run = ExecDialog);

// Go To (F3): the Go To dialog. After OK the security of the chosen line becomes current and
// `updateAllViews` runs; with no line chosen nothing happens. The order chosen stays stored either
// way.
void RunGoToCommand(CBars& bars, Settings& settings, const std::function<void()>& updateAllViews,
                    QWidget* parent = nullptr, const DialogRunner& run = ExecDialog);

// Slide Show (F7): the Slide Show dialog, then after OK the show over `owner`'s screen; the
// view's flag is set through `hooks` once the show is up. The show's window, or null after Cancel.
CSlideShowWnd* RunSlideShowCommand(CBars& bars, MessageService& messages, SlideShowHooks hooks,
                                   QWidget* owner, const DialogRunner& run = ExecDialog);

// Studies (Chart menu): the Studies dialog over `studies`. After OK the studies chosen replace
// them, are stored in section "Studies", and `updateAllViews` runs; true then.
bool RunStudiesCommand(CStudyList& studies, Settings& settings,
                       const std::function<void()>& updateAllViews, QWidget* parent = nullptr,
                       const DialogRunner& run = ExecDialog);

// Direction Colours (Chart menu): the colours of rising and falling bars. After OK they go to the
// chart's options and are stored in section "Chart"; true when they changed.
bool RunDirectionColorsCommand(CBars& bars, Settings& settings, QWidget* parent = nullptr,
                               const DialogRunner& run = ExecDialog);

// About: the About box, with the application's followed flags of its two links. Without an
// opener the desktop opens the links.
void RunAboutCommand(int* pbMailLinkVisited, int* pbWebLinkVisited, QWidget* parent = nullptr,
                     const CStaticLink::UrlOpener& opener = {},
                     const DialogRunner& run = ExecDialog);
