#include "app/ContextHelp.h"

#include "app/StatusPanes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

namespace {

constexpr char kHelpModePrompt[] = "Select an object on which to get Help";
// A click on an area without a topic of its own.
constexpr char kContentsPage[] = "index.html";

} // namespace

CContextHelp::CContextHelp(QLabel& prompt, PageOpener openPage)
    : m_prompt(prompt), m_fnOpenPage(std::move(openPage)) {}

CContextHelp::~CContextHelp() {
    if (m_bActive)
        Leave(nullptr);
}

void CContextHelp::AddTopic(const QObject* area, const QString& page) {
    m_topics[area] = page;
}

void CContextHelp::SetMenuTopic(const QString& page) {
    m_strMenuPage = page;
}

void CContextHelp::Enter() {
    if (m_bActive)
        return;
    m_bActive = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    m_prompt.setText(QString::fromLatin1(kHelpModePrompt));
    qApp->installEventFilter(this);
}

void CContextHelp::Leave(const QObject* clicked) {
    m_bActive = false;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    m_prompt.setText(QString::fromLatin1(kIdlePrompt));
    if (clicked)
        m_fnOpenPage(PageOf(clicked));
}

QString CContextHelp::PageOf(const QObject* clicked) const {
    for (const QObject* object = clicked; object; object = object->parent()) {
        if (const auto it = m_topics.find(object); it != m_topics.end())
            return it->second;
        if (!m_strMenuPage.isEmpty() && qobject_cast<const QMenu*>(object))
            return m_strMenuPage;
    }
    return QString::fromLatin1(kContentsPage);
}

bool CContextHelp::eventFilter(QObject* watched, QEvent* event) {
    if (!m_bActive || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        Leave(watched);
        return true;
    }
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Leave(nullptr);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
