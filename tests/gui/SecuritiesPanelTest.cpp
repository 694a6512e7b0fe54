// The securities panel over a small folder: each row carries its entry's figures, the rows sort
// and filter, Enter charts a row, the row of the security shown follows the chart, and another
// folder refills the rows.

#include "app/SecuritiesPanel.h"
#include "app/SecuritiesModel.h"
#include "app/TickvaneDoc.h"
#include "chart/Bars.h"
#include "platform/Commands.h"
#include "tests/gui/AppFixture.h"
#include "tests/gui/DialogFixture.h"

#include <QDockWidget>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableView>
#include <QtTest>

namespace {

// AAA: three records; BBB: one; CCC: no price file; DDD: a file without records; EEE (named
// "alphabet") in XMASTER, read straight from its own file.
void WriteFolder(const CTempDir& dir) {
    WriteBytes(
        dir / "MASTER",
        MasterFileBytes({SecurityEntry(1, "AAA", "ALPHA"), SecurityEntry(2, "BBB", "BETA"),
                         SecurityEntry(3, "CCC", "GAMMA"), SecurityEntry(4, "DDD", "DELTA")}));
    WriteBytes(dir / "F1.DAT", PriceFileBytes(28, {{1030102, 10, 12, 9, 10, 1000, 0},
                                                   {1030103, 10, 12, 9, 11, 1200, 0},
                                                   {1030106, 11, 13, 10, 12.5f, 1500, 0}}));
    WriteBytes(dir / "F2.DAT", PriceFileBytes(28, {{991231, 5, 6, 4, 5.25f, 300, 0}}));
    WriteBytes(dir / "F4.DAT", PriceFileBytes(28, {}));
    WriteBytes(dir / "XMASTER", XmasterFileBytes({{300, "EEE", "alphabet", ""}}));
    WriteBytes(dir / "F300.MWD", PriceFileBytes(28, {{1040301, 20, 21, 19, 20, 50, 0},
                                                     {1040302, 20, 21, 19, 19, 40, 0}}));
}

struct PanelFixture {
    PanelFixture() {
        WriteFolder(fix.dir);
        loaded = fix.bars.SetMasterPath((fix.dir / "MASTER").c_str()) &&
                 fix.bars.ReadMaster() == 0 && fix.bars.ReadCurrentSymbol() == 0;
        panel.Sync();
    }
    bool Filled() {
        return QTest::qWaitFor([this] { return !panel.Filling(); }) &&
               panel.Model().Filled() == panel.Model().Entries();
    }
    QString Cell(int row, int column) { return panel.Model().index(row, column).data().toString(); }
    QStringList Column(int column) {
        QStringList cells;
        for (int row = 0; row < panel.Model().rowCount(); ++row)
            cells << Cell(row, column);
        return cells;
    }
    int SelectedEntry() { return panel.Model().EntryAt(panel.Table().currentIndex().row()); }

    CChartFixture fix;
    bool loaded = false;
    int charted = -1;
    CSecuritiesPanel panel{fix.bars, [this](int entry) {
                               charted = entry;
                               fix.bars.StepSymbol(entry - fix.bars.GetCurrentIndex());
                           }};
};

} // namespace

class SecuritiesPanelTest : public QObject {
    Q_OBJECT

private slots:
    void eachRowCarriesItsEntrysFigures() {
        PanelFixture f;
        QVERIFY(f.loaded);
        QVERIFY(f.Filled());
        const QList<QStringList> expected = {
            {"AAA", "ALPHA", "2003-01-02", "2003-01-06", "3", "12.5", "13.64", "1500"},
            {"BBB", "BETA", "1999-12-31", "1999-12-31", "1", "5.25", "", "300"},
            {"CCC", "GAMMA", "", "", "", "", "", ""}, // its price file is missing
            {"DDD", "DELTA", "", "", "0", "", "", ""},
            {"EEE", "alphabet", "2004-03-01", "2004-03-02", "2", "19", "-5.00", "40"},
        };
        QCOMPARE(f.panel.Model().rowCount(), int(expected.size()));
        for (int row = 0; row < expected.size(); ++row)
            for (int column = 0; column < CSecuritiesModel::kColumns; ++column)
                QCOMPARE(f.Cell(row, column), expected[row][column]);
        QVERIFY(f.panel.Progress().isHidden());
    }

    void numbersSortAsNumbersWithEmptyValuesLast() {
        PanelFixture f;
        QVERIFY(f.Filled());
        f.panel.Model().sort(CSecuritiesModel::kRecords, Qt::AscendingOrder);
        QCOMPARE(f.Column(CSecuritiesModel::kSymbol),
                 QStringList({"DDD", "BBB", "EEE", "AAA", "CCC"}));
        f.panel.Model().sort(CSecuritiesModel::kLastClose, Qt::DescendingOrder);
        QCOMPARE(f.Column(CSecuritiesModel::kSymbol),
                 QStringList({"EEE", "AAA", "BBB", "CCC", "DDD"}));
        f.panel.Model().sort(CSecuritiesModel::kChange, Qt::AscendingOrder);
        QCOMPARE(f.Column(CSecuritiesModel::kSymbol),
                 QStringList({"EEE", "AAA", "BBB", "CCC", "DDD"}));
        f.panel.Model().sort(CSecuritiesModel::kName, Qt::DescendingOrder);
        QCOMPARE(f.Column(CSecuritiesModel::kSymbol),
                 QStringList({"CCC", "DDD", "BBB", "EEE", "AAA"}));
    }

    void theFilterKeepsSymbolsAndNamesHoldingTheText() {
        PanelFixture f;
        QVERIFY(f.Filled());
        const QList<std::pair<QString, QStringList>> cases = {
            {"alph", {"AAA", "EEE"}}, // names, in any case
            {"Bb", {"BBB"}},          // a symbol
            {"ta", {"BBB", "DDD"}},   // a part within the name
            {"zzz", {}},
            {"", {"AAA", "BBB", "CCC", "DDD", "EEE"}},
        };
        for (const auto& [typed, symbols] : cases) {
            f.panel.Filter().setText(typed);
            QCOMPARE(f.Column(CSecuritiesModel::kSymbol), symbols);
        }
    }

    void enterChartsTheRowsEntry() {
        PanelFixture f;
        QVERIFY(f.Filled());
        f.panel.Model().sort(CSecuritiesModel::kRecords, Qt::DescendingOrder); // AAA EEE BBB ...
        f.panel.Table().setCurrentIndex(f.panel.Model().index(1, 0));
        QTest::keyClick(&f.panel.Table(), Qt::Key_Return);
        QCOMPARE(f.charted, 4);
        QCOMPARE(f.fix.bars.GetCurrentIndex(), 4);
        // Enter in the filter charts the only row left.
        f.panel.Filter().setText("beta");
        QTest::keyClick(&f.panel.Filter(), Qt::Key_Return);
        QCOMPARE(f.fix.bars.GetCurrentIndex(), 1);
    }

    void theShownSecuritysRowFollowsStepping() {
        PanelFixture f;
        QVERIFY(f.Filled());
        f.panel.Model().sort(CSecuritiesModel::kSymbol, Qt::DescendingOrder);
        f.panel.Sync();
        QCOMPARE(f.SelectedEntry(), 0);
        QCOMPARE(f.panel.Table().currentIndex().row(), 4);
        // Past CCC, whose price file is missing.
        for (const int step : {1, 2, 1, -3}) {
            f.fix.bars.StepSymbol(step);
            f.panel.Sync();
            QCOMPARE(f.SelectedEntry(), f.fix.bars.GetCurrentIndex());
        }
    }

    void anotherFolderRefillsTheRows() {
        PanelFixture f;
        QVERIFY(f.Filled());
        CTempDir other;
        WriteBytes(other / "MASTER", MasterFileBytes({SecurityEntry(1, "ZED", "ZETA")}));
        WriteBytes(other / "F1.DAT", PriceFileBytes(28, {{1050505, 1, 2, 1, 2, 7, 0}}));
        QVERIFY(f.fix.bars.SetMasterPath((other / "MASTER").c_str()));
        QVERIFY(f.fix.bars.ReadMaster() == 0);
        f.panel.Sync();
        QVERIFY(f.Filled());
        QCOMPARE(f.Column(CSecuritiesModel::kSymbol), QStringList({"ZED"}));
        QCOMPARE(f.Cell(0, CSecuritiesModel::kLastDate), QString("2005-05-05"));
        // The same folder read again, as when an updater writes its index, fills again too.
        WriteBytes(other / "MASTER", MasterFileBytes({SecurityEntry(1, "ZED", "ZETA"),
                                                      SecurityEntry(2, "YOU", "UPSILON")}));
        QVERIFY(f.fix.bars.ReadMaster() == 0);
        f.panel.Sync();
        QVERIFY(f.Filled());
        QCOMPARE(f.Column(CSecuritiesModel::kSymbol), QStringList({"ZED", "YOU"}));
        QCOMPARE(f.Cell(1, CSecuritiesModel::kRecords), QString());
    }

    // View > Securities shows the panel beside the chart, filled from the open folder, and the
    // next start opens it as it was left.
    void theCommandShowsThePanelAsItWasLeft() {
        CAppFixture app;
        QCOMPARE(app.Start({CAppFixture::Sample()}), -1);
        CMainFrame& frame = app.m_pApp->Frame();
        QVERIFY(frame.SecuritiesDock().isHidden());
        QVERIFY(app.m_pApp->Router().Execute(ID_VIEW_SECURITIES));
        QVERIFY(!frame.SecuritiesDock().isHidden());
        QCOMPARE(frame.dockWidgetArea(&frame.SecuritiesDock()), Qt::RightDockWidgetArea);
        app.m_pApp->OnIdle();
        QTRY_VERIFY(!frame.Securities().Filling());
        QCOMPARE(frame.Securities().Model().rowCount(),
                 app.m_pApp->Document().Bars().GetSymbolCount());
        frame.addDockWidget(Qt::LeftDockWidgetArea, &frame.SecuritiesDock());
        app.m_pApp.reset();
        app.m_pApp = std::make_unique<CTickvaneApp>(app.m_messages, app.m_dialogs);
        QCOMPARE(app.Start(), -1);
        CMainFrame& again = app.m_pApp->Frame();
        QVERIFY(!again.SecuritiesDock().isHidden());
        QCOMPARE(again.dockWidgetArea(&again.SecuritiesDock()), Qt::LeftDockWidgetArea);
    }
};

QTEST_MAIN(SecuritiesPanelTest)
#include "SecuritiesPanelTest.moc"
