// The chart view and the frame around it: drawing marks the position indicator, the frame stores
// its place, printing and the print preview make one page.

#include "app/TickvaneView.h"
#include "app/MainFrame.h"
#include "app/StatusPanes.h"
#include "qt/SettingsStore.h"
#include "tests/gui/AppFixture.h"

#include <QFile>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QtTest>

class TickvaneViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void drawingTheChartMarksTheIndicatorStale();
    void placementIsStoredUnlessMinimised();
    void printingAndPreviewMakeOnePage();

private:
    QRect StoredPlacement();

    std::unique_ptr<CAppFixture> m_pFixture;
};

void TickvaneViewTest::init() {
    m_pFixture = std::make_unique<CAppFixture>();
    QCOMPARE(m_pFixture->Start({CAppFixture::Sample()}), -1);
}

void TickvaneViewTest::cleanup() {
    m_pFixture.reset();
}

QRect TickvaneViewTest::StoredPlacement() {
    Settings& settings = m_pFixture->m_pApp->GetSettings();
    return QRect(settings.ReadInt("Screen", "x", -1), settings.ReadInt("Screen", "y", -1),
                 settings.ReadInt("Screen", "cx", -1), settings.ReadInt("Screen", "cy", -1));
}

void TickvaneViewTest::drawingTheChartMarksTheIndicatorStale() {
    CMainFrame& frame = m_pFixture->m_pApp->Frame();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    m_pFixture->m_pApp->OnIdle();
    QCOMPARE(frame.m_bIndicatorStale, 0);
    frame.View().repaint();
    QCOMPARE(frame.m_bIndicatorStale, 1);
    m_pFixture->m_pApp->OnIdle();
    QCOMPARE(frame.m_bIndicatorStale, 0);
    QVERIFY(frame.IndicatorPane().IsDrawn());
    QCOMPARE(frame.IndicatorPane().width(), frame.IndicatorPane().height() - 1);
}

void TickvaneViewTest::placementIsStoredUnlessMinimised() {
    CMainFrame& frame = m_pFixture->m_pApp->Frame();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    // First start: 90 % of the work area, frame included, stored as soon as the window shows.
    QCOMPARE(StoredPlacement().size(),
             QSize(int(area.width() * double(0.9f)), int(area.height() * double(0.9f))));
    QCOMPARE(StoredPlacement(), frame.frameGeometry());
    const QSize frameExtra = frame.frameGeometry().size() - frame.size();
    frame.move(30, 40);
    frame.resize(QSize(500, 300) - frameExtra);
    QCOMPARE(StoredPlacement(), QRect(30, 40, 500, 300));

    frame.showMinimized();
    frame.move(60, 70);
    QCOMPARE(StoredPlacement(), QRect(30, 40, 500, 300));

    frame.showMaximized();
    QTRY_COMPARE(StoredPlacement(), QRect(0, 0, area.width(), area.height()));
}

void TickvaneViewTest::printingAndPreviewMakeOnePage() {
    CMainFrame& frame = m_pFixture->m_pApp->Frame();
    m_pFixture->m_dialogs.m_bPrinterAnswer = true;
    QPrinter& printer = m_pFixture->m_pApp->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(m_pFixture->m_dir / "chart.pdf"));
    QVERIFY(frame.View().OnFilePrint());
    QFile pdf(printer.outputFileName());
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QCOMPARE(pdf.readAll().count("/Type /Page\n"), 1);

    frame.View().OnFilePrintPreview();
    auto* preview = frame.findChild<QPrintPreviewDialog*>();
    QVERIFY(preview);
    auto* pages = preview->findChild<QPrintPreviewWidget*>();
    QVERIFY(pages);
    QTRY_COMPARE(pages->pageCount(), 1);
    QCOMPARE(pages->viewMode(), QPrintPreviewWidget::SinglePageView);
    preview->close();
}

QTEST_MAIN(TickvaneViewTest)
#include "TickvaneViewTest.moc"
