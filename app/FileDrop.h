#pragma once
// Files dropped on a window: a MASTER file or a quote folder dragged from a file manager onto the
// main window is opened as File Open would open it.

#include <QObject>

#include <functional>
#include <string>

class QWidget;

class CFileDrop : public QObject {
    Q_OBJECT

public:
    using Opener = std::function<void(const std::string& path)>;
    // Takes drops on `window` and everything in it; `open` gets the path of the first local file
    // or folder dropped, once the drop is over.
    CFileDrop(QWidget& window, Opener open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Opener m_fnOpen;
};
