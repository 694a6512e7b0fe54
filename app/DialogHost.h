#pragma once
// Where the program's own dialogs are run: View Options, Go To, the slide show and the About box.
// The commands (their menu items, keys, buttons and enabling) live in the document, the view and
// the application; each hands its work to the one host the application owns. This base runs no
// dialog at all; the dialogs' library supplies the host that does.

#include <functional>
#include <string>

class CBars;
class CStudyList;
class QWidget;
class Settings;

// What a slide show needs from the program: the chart object to step and draw, the main window
// to own its full-screen window, and two callbacks.
struct CSlideShowContext {
    CBars& bars;
    QWidget* pOwner;
    // Call after each painting of a slide: the status bar's position indicator is drawn again.
    std::function<void()> fnMarkIndicatorStale;
    // Call when the show ends (Escape, or past the last security): clears the view's slide-show
    // flag and has the view draw the security that is now current.
    std::function<void()> fnSlideShowEnded;
};

class CDialogHost {
public:
    virtual ~CDialogHost() = default;

    // Options: runs the View Options dialog over `parent` on the chart object's options, and on
    // OK applies and stores them. True when the chart must be drawn again.
    virtual bool RunViewOptions(CBars& bars, Settings& settings, QWidget* parent);
    // Go To: runs the Go To dialog and makes the chosen security current. True when the chart
    // must be drawn again.
    virtual bool RunGoTo(CBars& bars, Settings& settings, QWidget* parent);
    // Studies: runs the Studies dialog over the studies shown, and on OK applies and stores them.
    // True when the chart must be drawn again.
    virtual bool RunStudies(CStudyList& studies, Settings& settings, QWidget* parent);
    // Direction Colours: runs the dialog of the colours of rising and falling bars, and on OK
    // applies and stores them. True when the chart must be drawn again.
    virtual bool RunDirectionColors(CBars& bars, Settings& settings, QWidget* parent);
    // Slide Show: asks for the interval and opens the show's window. True when a show started.
    virtual bool StartSlideShow(const CSlideShowContext& context);
    // Check Folder: checks the quote folder `folder` and lists what it found; `openSymbol` makes
    // the security of a finding current and has the chart drawn again.
    virtual void RunCheckFolder(const std::string& folder,
                                const std::function<void(const std::string&)>& openSymbol,
                                QWidget* parent);
    // About: runs the About box. The two flags remember, for this run, that a link was followed.
    virtual void RunAbout(QWidget* parent, int& bMailLinkVisited, int& bWebLinkVisited);
};
