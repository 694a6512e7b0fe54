#pragma once
// A small window that shows the program's help pages, which come with it in its resources.

#include <QWidget>

class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit CHelpWindow(QWidget* parent = nullptr);
    // Shows `page` (a file name of the help pages, with an optional #anchor) and raises the window.
    void ShowPage(const QString& page);
    QTextBrowser& Browser() { return *m_pBrowser; }

private:
    QTextBrowser* m_pBrowser;
};
