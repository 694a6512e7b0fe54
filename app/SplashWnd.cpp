#include "app/SplashWnd.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 200;

} // namespace

CSplashWnd::CSplashWnd()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(QString());
}

bool CSplashWnd::Create() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    const bool loaded = m_bitmap.load(ratio > 1 ? QStringLiteral(":/splash@2x.png")
                                                : QStringLiteral(":/splash.png"));
    if (loaded)
        m_bitmap.setDevicePixelRatio(qreal(m_bitmap.width()) / kWidth);
    m_nWidth = kWidth;
    m_nHeight = kHeight;
    const QRect area = screen ? screen->geometry() : QRect(0, 0, kWidth, kHeight);
    const int x = (area.width() - m_nWidth) / 2;
    const int y = (area.height() - m_nHeight) / 2;
    setGeometry(area.x() + x, area.y() + y, m_nWidth, m_nHeight);
    setFixedSize(m_nWidth, m_nHeight);
    return loaded;
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_bitmap.isNull())
        painter.fillRect(rect(), QColor(0, 128, 128));
    else
        painter.drawPixmap(0, 0, m_bitmap);
}
