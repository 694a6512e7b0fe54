#include "dialogs/StaticLink.h"

#include "dialogs/OwnerDraw.h"
#include "dialogs/ProjectInfo.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QPainter>
#include <QUrl>

#include <string_view>

namespace {

constexpr char kMailScheme[] = "mailto:";

// The user part of the program's contact address with its at sign ("contact@"): a link text that
// holds it is a mail address.
QString ContactUser() {
    const std::string_view mail(kContactMail);
    return QString::fromUtf8(mail.substr(0, mail.find('@') + 1));
}

} // namespace

// Resources of a static library are registered by hand, once, outside any namespace.
static void RegisterDialogResources() {
    Q_INIT_RESOURCE(dialogs);
}

CStaticLink::CStaticLink(QWidget* parent) : QLabel(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    m_pauseTimer.setSingleShot(true);
    connect(&m_pauseTimer, &QTimer::timeout, this, [this] { OnTimer(kClickPauseTimer); });
    m_fnOpen = OpenWithDesktop;
    m_fnBeep = [] { QApplication::beep(); };
}

QColor CStaticLink::TextColor() const {
    return ToQColor(m_pbVisited && *m_pbVisited == 1 ? m_crVisited : m_crUnvisited);
}

void CStaticLink::paintEvent(QPaintEvent*) {
    if (!m_bFontMade) {
        m_font = font();
        m_font.setUnderline(true);
        m_bFontMade = true;
    }
    QPainter painter(this);
    painter.setFont(m_font);
    painter.setPen(TextColor());
    const int flags = static_cast<int>(alignment()) | Qt::TextWordWrap;
    painter.drawText(contentsRect(), flags, text());
    if (hasFocus()) {
        const QRect bounds = painter.boundingRect(contentsRect(), flags, text());
        DrawFocusFrame(painter, bounds.adjusted(-1, 0, 1, 0) & rect());
    }
}

void CStaticLink::OnClicked() {
    if (m_strTarget.isEmpty()) {
        m_strTarget = text();
        if (m_strTarget.contains(ContactUser()) &&
            !m_strTarget.startsWith(QLatin1String(kMailScheme), Qt::CaseInsensitive))
            m_strTarget.prepend(QLatin1String(kMailScheme));
    }
    m_bHover = 0;
    m_bClickPause = 1;
    m_pauseTimer.start(kClickPauseMs);
    if (!m_fnOpen || !m_fnOpen(m_strTarget)) {
        if (m_fnBeep)
            m_fnBeep();
        return;
    }
    if (m_pbVisited)
        *m_pbVisited = 1;
    setCursor(Qt::ArrowCursor);
    update();
}

void CStaticLink::OnTimer(int timerId) {
    if (timerId == kClickPauseTimer) {
        m_pauseTimer.stop();
        m_bClickPause = 0;
    }
}

void CStaticLink::PointerAt(bool inside) {
    if (m_bClickPause)
        return;
    if (!m_bHover && inside) {
        m_bHover = 1;
        setCursor(LinkCursor(devicePixelRatioF()));
    } else if (m_bHover && !inside) {
        m_bHover = 0;
        setCursor(Qt::ArrowCursor);
    }
}

void CStaticLink::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    PointerAt(rect().contains(event->position().toPoint()));
}

void CStaticLink::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    PointerAt(false);
}

void CStaticLink::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        OnClicked();
}

void CStaticLink::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        OnClicked();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

bool CStaticLink::OpenWithDesktop(const QString& target) {
    const QUrl url = target.startsWith(QLatin1String(kMailScheme), Qt::CaseInsensitive)
                         ? QUrl(target)
                         : QUrl::fromUserInput(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

QCursor CStaticLink::LinkCursor(qreal devicePixelRatio) {
    static const bool registered = (RegisterDialogResources(), true);
    (void)registered;
    const bool doubled = devicePixelRatio > 1.5;
    QPixmap hand(doubled ? QStringLiteral(":/dialogs/hand@2x.png")
                         : QStringLiteral(":/dialogs/hand.png"));
    if (hand.isNull())
        return QCursor(Qt::PointingHandCursor);
    hand.setDevicePixelRatio(doubled ? 2.0 : 1.0);
    return QCursor(hand, 0, 0);
}
