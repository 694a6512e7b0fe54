#include "app/SplashTiming.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <chrono>

namespace {

constexpr std::uint32_t kSplashMilliseconds = 10000;

std::uint32_t SystemTickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

bool IsUserInput(const QEvent* event) {
    switch (event->type()) {
    // A key that is a command's shortcut arrives only as the question whether a widget wants it.
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::NonClientAreaMouseButtonPress:
        return true;
    case QEvent::MouseButtonPress: {
        const Qt::MouseButton button = static_cast<const QMouseEvent*>(event)->button();
        return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
    }
    default:
        return false;
    }
}

} // namespace

CSplashTiming::CSplashTiming(std::function<void()> endSplash)
    : m_fnEndSplash(std::move(endSplash)), m_fnTickCount(SystemTickCount) {
    m_wake.setSingleShot(true);
    connect(&m_wake, &QTimer::timeout, this, &CSplashTiming::OnIdle);
}

CSplashTiming::~CSplashTiming() {
    Stop();
}

void CSplashTiming::SetTickCount(std::function<std::uint32_t()> tickCount) {
    m_fnTickCount = std::move(tickCount);
}

void CSplashTiming::Start(const QWidget& splash) {
    m_pSplash = &splash;
    m_dwStart = m_fnTickCount();
    qApp->installEventFilter(this);
}

void CSplashTiming::Stop() {
    m_wake.stop();
    if (!m_pSplash)
        return;
    m_pSplash = nullptr;
    qApp->removeEventFilter(this);
}

void CSplashTiming::OnIdle() {
    if (!m_pSplash)
        return;
    const std::uint32_t elapsed = m_fnTickCount() - m_dwStart;
    if (elapsed >= kSplashMilliseconds)
        m_fnEndSplash();
    else if (!m_wake.isActive())
        m_wake.start(static_cast<int>(kSplashMilliseconds - elapsed));
}

bool CSplashTiming::IsForSplash(const QObject* watched) const {
    if (watched == static_cast<const QObject*>(m_pSplash->windowHandle()))
        return true;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget && widget->window() == m_pSplash;
}

bool CSplashTiming::eventFilter(QObject* watched, QEvent* event) {
    if (m_pSplash && IsUserInput(event)) {
        if (IsForSplash(watched)) {
            // Input to the splash window itself ends it at the next idle moment.
            m_dwStart -= kSplashMilliseconds;
            m_wake.start(0);
        } else {
            m_fnEndSplash();
        }
    }
    return QObject::eventFilter(watched, event);
}
