#pragma once
// When the splash window ends: ten seconds after the main window shows, at once on the first key
// press or click meant for another window, and at the next idle moment on one meant for the splash
// window itself. It only says when; the application ends the window.

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

class QWidget;

class CSplashTiming : public QObject {
    Q_OBJECT

public:
    explicit CSplashTiming(std::function<void()> endSplash);
    ~CSplashTiming() override;

    // Milliseconds from some fixed moment; tests turn the clock.
    void SetTickCount(std::function<std::uint32_t()> tickCount);
    // The ten seconds start now, and input is watched for the end of `splash`.
    void Start(const QWidget& splash);
    // The splash window is gone: nothing more is watched.
    void Stop();
    // At each idle moment: ends the splash window once its time is up, or has the event loop woken
    // then, so that it does not spin until then.
    void OnIdle();

protected:
    // Never consumes an event.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsForSplash(const QObject* watched) const;

    std::function<void()> m_fnEndSplash;
    std::function<std::uint32_t()> m_fnTickCount;
    const QWidget* m_pSplash = nullptr;
    std::uint32_t m_dwStart = 0;
    QTimer m_wake;
};
