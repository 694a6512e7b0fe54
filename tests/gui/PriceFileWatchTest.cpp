// The watch of the shown security's price file: a write is reported once, after the file has
// settled, and stepping to another security is no change of a file.

#include "app/PriceFileWatch.h"
#include "tests/gui/DialogFixture.h"

#include <QtTest>

#include <fstream>

class PriceFileWatchTest : public QObject {
    Q_OBJECT

private slots:
    void aWriteIsReportedOnceItSettles() {
        CChartFixture fix;
        QVERIFY(fix.Load({{"AAA", "ALPHA"}, {"BBB", "BETA"}}));
        int changes = 0;
        CPriceFileWatch watch(fix.bars, [&changes] { ++changes; });
        watch.Poll();
        watch.Poll();
        QCOMPARE(changes, 0);
        {
            std::ofstream out(fix.dir / "F1.DAT", std::ios::binary | std::ios::app);
            out.write("\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 14); // half a record, as a writer leaves it
        }
        watch.Poll(); // seen, not yet settled
        QCOMPARE(changes, 0);
        watch.Poll();
        QCOMPARE(changes, 1);
        watch.Poll();
        QCOMPARE(changes, 1);
    }

    void anotherSecurityIsNoChange() {
        CChartFixture fix;
        QVERIFY(fix.Load({{"AAA", "ALPHA"}, {"BBB", "BETA"}}));
        int changes = 0;
        CPriceFileWatch watch(fix.bars, [&changes] { ++changes; });
        watch.Poll();
        fix.bars.StepSymbol(1);
        watch.Poll();
        watch.Poll();
        watch.Poll();
        QCOMPARE(changes, 0);
    }
};

QTEST_MAIN(PriceFileWatchTest)
#include "PriceFileWatchTest.moc"
