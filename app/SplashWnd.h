#pragma once
// The splash window: the program's picture, centred on the screen and above every other window,
// while the program starts and for a few seconds after. The application ends it.

#include <QPixmap>
#include <QWidget>

class CSplashWnd : public QWidget {
    Q_OBJECT

public:
    CSplashWnd();
    // Loads the picture (at the screen's pixel ratio) and places the window at the centre of the
    // primary screen; false when the picture is missing.
    bool Create();

    QPixmap m_bitmap;
    int m_nWidth = 0;
    int m_nHeight = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};
