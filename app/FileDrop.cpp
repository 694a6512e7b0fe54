#include "app/FileDrop.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

// The first local file or folder a drag carries; empty when it carries none.
QString DroppedPath(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return {};
    const QUrl url = data->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

CFileDrop::CFileDrop(QWidget& window, Opener open) : QObject(&window), m_fnOpen(std::move(open)) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool CFileDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedPath(drag->mimeData()).isEmpty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedPath(drop->mimeData());
        if (path.isEmpty())
            return false;
        drop->acceptProposedAction();
        // Opening may ask or tell the user something: not while the file manager waits for the
        // drop to end.
        const std::string file = QFile::encodeName(path).toStdString();
        QTimer::singleShot(0, this, [this, file] { m_fnOpen(file); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
