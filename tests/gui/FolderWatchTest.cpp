// The watch of the open folder: a write of the shown security's price file or of an index file is
// reported once, after the file has settled, and stepping to another security is no change.

#include "app/FolderWatch.h"
#include "tests/gui/DialogFixture.h"

#include <QtTest>

#include <fstream>

class FolderWatchTest : public QObject {
    Q_OBJECT

private slots:
    void aWriteIsReportedOnceItSettles() {
        CChartFixture fix;
        QVERIFY(fix.Load({{"AAA", "ALPHA"}, {"BBB", "BETA"}}));
        int changes = 0;
        CFolderWatch watch(fix.bars, [&changes] { ++changes; });
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

    void anIndexFileWriteIsReportedApart() {
        CChartFixture fix;
        QVERIFY(fix.Load({{"AAA", "ALPHA"}, {"BBB", "BETA"}}));
        int prices = 0, index = 0;
        CFolderWatch watch(
            fix.bars, [&prices] { ++prices; }, [&index] { ++index; });
        watch.Poll();
        WriteBytes(fix.dir / "XMASTER", XmasterFileBytes({{300, "CCC", "GAMMA", ""}}));
        watch.Poll();
        watch.Poll();
        watch.Poll();
        QCOMPARE(index, 1);
        QCOMPARE(prices, 0);
    }

    void anotherSecurityIsNoChange() {
        CChartFixture fix;
        QVERIFY(fix.Load({{"AAA", "ALPHA"}, {"BBB", "BETA"}}));
        int changes = 0;
        CFolderWatch watch(fix.bars, [&changes] { ++changes; });
        watch.Poll();
        fix.bars.StepSymbol(1);
        watch.Poll();
        watch.Poll();
        watch.Poll();
        QCOMPARE(changes, 0);
    }
};

QTEST_MAIN(FolderWatchTest)
#include "FolderWatchTest.moc"
