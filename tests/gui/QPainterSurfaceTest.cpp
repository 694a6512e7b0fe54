#include <QtTest>

class QPainterSurfaceTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(QPainterSurfaceTest)
#include "QPainterSurfaceTest.moc"
