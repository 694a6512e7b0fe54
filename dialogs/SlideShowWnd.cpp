#include "dialogs/SlideShowWnd.h"

#include "chart/Bars.h"
#include "qt/QPainterSurface.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

CSlideShowWnd::CSlideShowWnd(CBars& bars, SlideShowHooks hooks, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_bars(bars),
      m_hooks(std::move(hooks)) {
    if (!m_hooks.beep)
        m_hooks.beep = [] { QApplication::beep(); };
    setAttribute(Qt::WA_DeleteOnClose);
    // The chart covers every pixel: nothing is erased before it is drawn.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::BlankCursor);
    setFocusPolicy(Qt::StrongFocus);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(kSlideShowTimer); });
}

CSlideShowWnd::~CSlideShowWnd() {
    if (m_pMessages)
        m_bars.SwapMessageService(*m_pMessages);
}

bool CSlideShowWnd::Create(int seconds) {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
    m_pMessages = &m_bars.SwapMessageService(m_collected);
    m_bars.Rewind();
    m_bars.ReadCurrentSymbol();
    showFullScreen();
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    m_timer.start(seconds * 1000);
    return true;
}

void CSlideShowWnd::OnTimer(int) {
    if (m_bPaused)
        return;
    if (m_bars.StepSymbol(+1)) {
        // The last security was showing: the show is over.
        m_hooks.beep();
        close();
        return;
    }
    update();
}

void CSlideShowWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    {
        CQPainterSurface surface(painter);
        m_bars.DrawChart(surface, CRect{0, 0, width(), height()}, false);
    }
    if (m_hooks.markIndicatorStale)
        m_hooks.markIndicatorStale();
}

void CSlideShowWnd::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_Space:
        m_bPaused = !m_bPaused;
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CSlideShowWnd::closeEvent(QCloseEvent* event) {
    End();
    QWidget::closeEvent(event);
}

void CSlideShowWnd::End() {
    m_timer.stop();
    if (m_pMessages) {
        MessageService& real = *m_pMessages;
        m_bars.SwapMessageService(real);
        m_pMessages = nullptr;
        if (!m_collected.Empty()) {
            // Shown once the show's window is gone, so that the box is not hidden behind it.
            QTimer::singleShot(0, qApp,
                               [&real, text = m_collected.Summary(), icon = m_collected.Icon()] {
                                   real.Show(text, icon);
                               });
        }
    }
    if (m_hooks.setSlideShow)
        m_hooks.setSlideShow(false);
}
