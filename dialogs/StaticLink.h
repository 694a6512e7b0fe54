#pragma once
// A text label that is a live link: underlined, blue until it has been followed and purple after,
// with a hand cursor while the pointer is over it. A click (or Enter or Space while it has the
// focus) opens its text through the desktop, a mail address as "mailto:" followed by it. For one
// second after a click the pointer is not watched, so a second click cannot follow at once.
//
// Where the followed state lives is the owner's choice (m_pbVisited), so it can outlive the link.

#include "platform/Geometry.h"

#include <QFont>
#include <QLabel>
#include <QTimer>

#include <functional>

class CStaticLink : public QLabel {
public:
    // Opens a target (a web address or "mailto:" and an address); false when nothing opened it.
    using UrlOpener = std::function<bool(const QString& target)>;
    static constexpr int kClickPauseTimer = 103;
    static constexpr int kClickPauseMs = 1000;

    explicit CStaticLink(QWidget* parent = nullptr);

    void SetUrlOpener(UrlOpener opener) { m_fnOpen = std::move(opener); }
    void SetBeep(std::function<void()> beep) { m_fnBeep = std::move(beep); }
    void OnClicked();
    void OnTimer(int timerId);
    // The colour the text is drawn in now.
    QColor TextColor() const;

    // The desktop's way of opening a target.
    static bool OpenWithDesktop(const QString& target);
    // The program's own hand with a raised index finger; its tip is the hot spot, (0, 0).
    static QCursor LinkCursor(qreal devicePixelRatio);

    COLORREF m_crUnvisited = Rgb(0, 0, 255);
    COLORREF m_crVisited = Rgb(128, 0, 128);
    int* m_pbVisited = nullptr;
    int m_bHover = 0;
    int m_bClickPause = 0;
    QString m_strTarget;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PointerAt(bool inside);

    QFont m_font;
    bool m_bFontMade = false;
    QTimer m_pauseTimer;
    UrlOpener m_fnOpen;
    std::function<void()> m_fnBeep;
};
