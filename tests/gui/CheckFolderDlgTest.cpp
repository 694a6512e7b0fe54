// File > Check Folder...: the window lists the check's findings, and a finding of a security opens
// it in the chart.

#include "dialogs/CheckFolderDlg.h"
#include "tests/gui/DialogFixture.h"

#include <QTreeWidget>
#include <QtTest>

class CheckFolderDlgTest : public QObject {
    Q_OBJECT

private slots:
    void aSoundFolderListsNothing() {
        CChartFixture fix;
        QVERIFY(fix.Load({{"AAA", "ALPHA"}, {"BBB", "BETA"}}));
        CCheckFolderDlg dlg(fix.dir.Path(), {});
        QCOMPARE(dlg.Table().topLevelItemCount(), 0);
    }

    void findingsAreRowsAndOpenTheirSecurity() {
        CChartFixture fix;
        QVERIFY(fix.Load({{"AAA", "ALPHA"}, {"BBB", "BETA"}, {"CCC", "GAMMA"}}, {1}));
        WriteBytes(fix.dir / "F7.DAT", PriceFileBytes(28, {}));
        std::vector<std::string> opened;
        CCheckFolderDlg dlg(fix.dir.Path(),
                            [&opened](const std::string& symbol) { opened.push_back(symbol); });
        QTreeWidget& table = dlg.Table();
        QCOMPARE(table.topLevelItemCount(), 2);
        const QTreeWidgetItem* missing = table.topLevelItem(0);
        QCOMPARE(missing->text(0), QString("error"));
        QCOMPARE(missing->text(1), QString("F2.DAT"));
        QCOMPARE(missing->text(2), QString("price-file-missing"));
        QCOMPARE(table.topLevelItem(1)->text(2), QString("price-file-unlisted"));
        emit table.itemActivated(table.topLevelItem(0), 0);
        emit table.itemActivated(table.topLevelItem(1), 0); // a file no security has
        QCOMPARE(opened, std::vector<std::string>{"BBB"});
        // Enter opens a finding and leaves the window open for the next one.
        dlg.show();
        table.setFocus();
        table.setCurrentItem(table.topLevelItem(0));
        QTest::keyClick(&table, Qt::Key_Return);
        QCOMPARE(opened.size(), std::size_t(2));
        QVERIFY(dlg.isVisible());
    }
};

QTEST_MAIN(CheckFolderDlgTest)
#include "CheckFolderDlgTest.moc"
