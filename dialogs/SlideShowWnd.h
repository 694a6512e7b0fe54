#pragma once
// The slide show: a window over the whole screen, on top and active, that shows the chart of every
// security of the directory in turn, from the first, one interval each. Space pauses and resumes,
// Escape ends the show, and the tick after the last security ends it with a beep. The window
// deletes itself when it closes.
//
// While it runs, the chart object reports through a collecting MessageService, so a security that
// cannot be read shows an empty chart and the show goes on; what was collected is shown in one
// message box after the show.

#include "dialogs/CollectedMessages.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class CBars;

// What the show needs of the program around it.
struct SlideShowHooks {
    // Sets or clears the view's slide-show flag.
    std::function<void(bool on)> setSlideShow;
    // Asks the main frame to redraw its position indicator; called after each chart drawn.
    std::function<void()> markIndicatorStale;
    // The default message sound; QApplication::beep when not given.
    std::function<void()> beep;
};

class CSlideShowWnd : public QWidget {
public:
    // The timer that advances the show.
    static constexpr int kSlideShowTimer = 121;

    // `owner` is the main frame's window; the show keeps `bars` until it ends.
    CSlideShowWnd(CBars& bars, SlideShowHooks hooks, QWidget* owner);
    ~CSlideShowWnd() override;

    // Covers the screen, rewinds to the first security and starts the timer.
    bool Create(int seconds);
    void OnTimer(int timerId);
    const QTimer& Timer() const { return m_timer; }

    int m_bPaused = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Ends the show: the timer stops, the flag is cleared and the reports go back to the program.
    void End();

    CBars& m_bars;
    SlideShowHooks m_hooks;
    QTimer m_timer;
    CCollectedMessages m_collected;
    MessageService* m_pMessages = nullptr; // the service the show stood in for while it runs
};
