// Qt's own start-up, for comparison with the program's: a main window with a menu bar, a toolbar
// and a status bar whose central widget ends the run once it has painted.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

class CPaintOnce : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::black);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.addToolBar(QStringLiteral("Toolbar"))->addAction(QStringLiteral("Open"));
    window.statusBar()->showMessage(QStringLiteral("For Help, press F1"));
    window.setCentralWidget(new CPaintOnce);
    window.resize(1440, 900);
    window.show();
    return QApplication::exec();
}
