// The Slide Show dialog and the show itself, driven by timer ticks called directly.

#include "dialogs/DialogCommands.h"
#include "dialogs/SlideShowDlg.h"
#include "tests/gui/DialogFixture.h"

#include <QLineEdit>
#include <QPointer>
#include <QtTest>

class SlideShowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_pFix = std::make_unique<CChartFixture>();
        m_nBeeps = 0;
        m_nStale = 0;
        m_bFlag = false;
    }
    void cleanup() {
        delete m_pShow;
        m_pFix.reset();
    }

    void intervalIsOneToFiveSeconds_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("5") << "5" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("6") << "6" << false;
    }
    void intervalIsOneToFiveSeconds() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        CSlideShowDlg dlg(m_pFix->messages);
        dlg.show();
        auto* edit = static_cast<QLineEdit*>(dlg.GetDlgItem(CSlideShowDlg::IDC_INTERVAL));
        QCOMPARE(edit->text(), "1");
        edit->setText(text);
        dlg.accept();
        QCOMPARE(dlg.isVisible(), !accepted);
        QCOMPARE(m_pFix->messages.TakeShown(),
                 accepted ? std::vector<std::string>{}
                          : std::vector<std::string>{"Please enter an integer between 1 and 5."});
    }

    void showsEverySecurityThenBeepsAndEnds() {
        QVERIFY(m_pFix->Load({{"AAA", "A"}, {"BBB", "B"}, {"CCC", "C"}}));
        m_pFix->bars.StepSymbol(2); // the show still starts with the first
        Start(2);
        QVERIFY(m_pShow);
        QCOMPARE(m_pShow->Timer().interval(), 2000);
        QVERIFY(m_pShow->Timer().isActive());
        QVERIFY(m_bFlag);
        QCOMPARE(m_pFix->bars.GetCurrentIndex(), 0);
        m_pShow->grab();
        QCOMPARE(m_nStale, 1);
        for (int expected : {1, 2}) {
            m_pShow->OnTimer(CSlideShowWnd::kSlideShowTimer);
            QCOMPARE(m_pFix->bars.GetCurrentIndex(), expected);
        }
        QCOMPARE(m_nBeeps, 0);
        m_pShow->OnTimer(CSlideShowWnd::kSlideShowTimer);
        QCOMPARE(m_nBeeps, 1);
        QVERIFY(!m_bFlag);
        QCOMPARE(m_pFix->bars.GetCurrentIndex(), 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_pShow);
    }

    void spacePausesAndEscapeEnds() {
        QVERIFY(m_pFix->Load({{"AAA", "A"}, {"BBB", "B"}, {"CCC", "C"}}));
        Start(1);
        QTest::keyClick(m_pShow, Qt::Key_Space);
        for (int tick = 0; tick < 3; ++tick)
            m_pShow->OnTimer(CSlideShowWnd::kSlideShowTimer);
        QCOMPARE(m_pFix->bars.GetCurrentIndex(), 0);
        QTest::keyClick(m_pShow, Qt::Key_Space);
        m_pShow->OnTimer(CSlideShowWnd::kSlideShowTimer);
        QCOMPARE(m_pFix->bars.GetCurrentIndex(), 1);

        QTest::keyClick(m_pShow, Qt::Key_Escape);
        QVERIFY(!m_pShow->Timer().isActive());
        QVERIFY(!m_bFlag);
        QCOMPARE(m_nBeeps, 0);
        QCOMPARE(m_pFix->bars.GetCurrentIndex(), 1);
    }

    void unreadableSecurityIsReportedAfterTheShow() {
        QVERIFY(m_pFix->Load({{"AAA", "A"}, {"BBB", "B"}, {"CCC", "C"}}, {1}));
        Start(1);
        m_pShow->OnTimer(CSlideShowWnd::kSlideShowTimer);
        QVERIFY(!m_pFix->bars.IsDataLoaded());
        m_pShow->OnTimer(CSlideShowWnd::kSlideShowTimer);
        QCOMPARE(m_pFix->bars.GetCurrentIndex(), 2);
        QVERIFY(m_pFix->bars.IsDataLoaded());
        QVERIFY(m_pFix->messages.m_shown.empty());
        m_pShow->OnTimer(CSlideShowWnd::kSlideShowTimer);
        QCoreApplication::processEvents();
        QCOMPARE(m_pFix->messages.TakeShown(),
                 std::vector<std::string>{"Read failed for symbol BBB"});
        // Reports go to the program's own service again.
        m_pFix->bars.SearchSetSymbolIndex("ZZZ");
        QCOMPARE(m_pFix->messages.TakeShown().size(), std::size_t(1));
    }

private:
    SlideShowHooks Hooks() {
        return {[this](bool on) { m_bFlag = on; }, [this] { ++m_nStale; }, [this] { ++m_nBeeps; }};
    }
    void Start(int seconds) {
        m_pShow = RunSlideShowCommand(
            m_pFix->bars, m_pFix->messages, Hooks(), nullptr, [seconds](QDialog& dialog) {
                auto& dlg = static_cast<CSlideShowDlg&>(dialog);
                dlg.show();
                static_cast<QLineEdit*>(dlg.GetDlgItem(118))->setText(QString::number(seconds));
                dlg.accept();
                return dlg.result();
            });
    }

    std::unique_ptr<CChartFixture> m_pFix;
    QPointer<CSlideShowWnd> m_pShow;
    int m_nBeeps = 0;
    int m_nStale = 0;
    bool m_bFlag = false;
};

QTEST_MAIN(SlideShowTest)
#include "SlideShowTest.moc"
