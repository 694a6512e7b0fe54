// The view's ways through a security's whole history, driven as a user drives them: keys, the
// wheel, dragging and the scroll bar; the zoom; the crosshair and its readout in the status bar.

#include "app/Crosshair.h"
#include "app/DialogHost.h"
#include "app/StatusPanes.h"
#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"
#include "platform/Commands.h"
#include "tests/gui/AppFixture.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/SyntheticPrices.h"

#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

namespace {

constexpr int kLong = 3000;

// Weekdays from 1990 with whole-number prices: date, open, high, low, close, volume, open interest.
std::vector<PriceRecord> Steps(int count) {
    std::vector<PriceRecord> records;
    CTradingDays day(1990);
    for (int i = 0; i < count; ++i, day.Next()) {
        const float close = float(50 + i % 40);
        records.push_back({day.Stored(), close, close + 2, close - 1, close, float(1000 + i), 0});
    }
    return records;
}

// What the status bar shows for record `i` of Steps.
QString Readout(const std::vector<PriceRecord>& records, int i) {
    const auto stored = static_cast<int>(records[i][0]);
    const int close = 50 + i % 40, previous = 50 + (i - 1) % 40;
    return QString::asprintf("%04d-%02d-%02d  O %d  H %d  L %d  C %d  V %d  OI 0  %+.2f%%",
                             1900 + stored / 10000, stored / 100 % 100, stored % 100, close,
                             close + 2, close - 1, close, 1000 + i,
                             (close - previous) * 100.0 / previous);
}

void Wheel(QWidget& view, QPoint at, int delta, Qt::KeyboardModifiers modifiers = {}) {
    QWheelEvent event(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &event);
}

void Drag(QWidget& view, int fromX, int toX) {
    const int y = view.height() / 2;
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(fromX, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(toX, y), view.mapToGlobal(QPointF(toX, y)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&view, &move);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(toX, y));
}

// The Options dialog answered with OK and the bar spacing `space`.
class CSpacingDialogs : public CDialogHost {
public:
    explicit CSpacingDialogs(int space) : m_nSpace(space) {}
    bool RunViewOptions(CBars& bars, Settings&, QWidget*) override {
        bars.SetBarSpace(m_nSpace);
        return true;
    }

private:
    int m_nSpace;
};

} // namespace

class ViewHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_pFixture.reset(); }
    void keysAndScrollBarMoveThroughTheHistory();
    void wheelAndDragStopAtBothEnds();
    void zoomKeepsTheBarUnderThePointer();
    void optionsWithAnotherSpacingDropTheZoom();
    void crosshairReadsOutTheBarWithoutDrawingTheChart();
    void crosshairLeavesTheBarFreeAndTheAxisClear();
    void smallSecuritiesScrollAndZoomWithoutFault();
    void aFileThatGrewIsReadAtTheNextStep();

private:
    CTickvaneView& View() { return m_pFixture->m_pApp->View(); }
    CBars& Bars() { return m_pFixture->m_pApp->Document().Bars(); }
    CChartWindow& Window() { return Bars().Window(); }
    ChartScrollInfo Info() { return Window().GetScrollInfo(View().ChartClient()); }
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(&View(), Qt::Key(key), modifiers);
    }

    std::unique_ptr<CAppFixture> m_pFixture;
    std::string m_strFolder;
    std::vector<PriceRecord> m_long = Steps(kLong);
};

void ViewHistoryTest::init() {
    m_pFixture = std::make_unique<CAppFixture>();
    m_strFolder = m_pFixture->m_dir.MakeSubdirectory("quotes");
    const char* symbols[] = {"LONG", "EMPTY", "ONE", "TWO", "FLAT"};
    std::vector<MasterEntry> entries;
    for (int i = 0; i < 5; ++i)
        entries.push_back(SecurityEntry(i + 1, symbols[i], symbols[i]));
    WriteBytes(m_strFolder + "MASTER", MasterFileBytes(entries));
    const std::vector<PriceRecord> flat(300, PriceRecord{1030102, 7, 7, 7, 7, 0, 0});
    const std::vector<PriceRecord> prices[] = {m_long, {}, Steps(1), Steps(2), flat};
    for (int i = 0; i < 5; ++i)
        WriteBytes(m_strFolder + "F" + std::to_string(i + 1) + ".DAT",
                   PriceFileBytes(28, prices[i]));
    QCOMPARE(m_pFixture->Start({m_strFolder + "MASTER"}), -1);
    QVERIFY(m_pFixture->Activate());
}

void ViewHistoryTest::keysAndScrollBarMoveThroughTheHistory() {
    QScrollBar& bar = View().ScrollBar();
    const int page = Info().nPageStep;
    QVERIFY(Window().IsAtNewest());
    QCOMPARE(bar.maximum(), kLong - page);
    QCOMPARE(bar.value(), bar.maximum());
    QCOMPARE(bar.pageStep(), page);

    Key(Qt::Key_Home);
    QCOMPARE(Window().GetEndRecord(), page - 1);
    QCOMPARE(bar.value(), 0);
    Key(Qt::Key_PageUp);
    QCOMPARE(bar.value(), 0);
    Key(Qt::Key_PageDown);
    QCOMPARE(bar.value(), page);
    Key(Qt::Key_End);
    QVERIFY(Window().IsAtNewest());
    QCOMPARE(bar.value(), bar.maximum());

    bar.triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(Window().GetEndRecord(), page - 1);
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(Window().GetEndRecord(), 2 * page - 1);

    // Another security opens on its newest record, and so does the way back.
    Key(Qt::Key_Right);
    QCOMPARE(Bars().GetCurrentIndex(), 1);
    Key(Qt::Key_Left);
    QVERIFY(Window().IsAtNewest());
    QCOMPARE(bar.value(), bar.maximum());
}

void ViewHistoryTest::wheelAndDragStopAtBothEnds() {
    const QPoint middle = View().rect().center();
    Wheel(View(), middle, 120);
    QCOMPARE(Info().nValue, Info().nMaximum - Info().nPageStep / 10);
    Wheel(View(), middle, 1000 * 120);
    QCOMPARE(Info().nValue, 0);
    Wheel(View(), middle, -1000 * 120);
    QVERIFY(Window().IsAtNewest());

    // The chart follows the pointer: dragging to the right brings older bars in.
    const int width = View().width();
    Drag(View(), width / 4, width / 2);
    const int moved = Info().nMaximum - Info().nValue;
    QVERIFY2(moved > 0 && moved <= Info().nPageStep / 2, qPrintable(QString::number(moved)));
    for (int i = 0; i < 40; ++i)
        Drag(View(), 0, width - 1);
    QCOMPARE(Info().nValue, 0);
    for (int i = 0; i < 40; ++i)
        Drag(View(), width - 1, 0);
    QVERIFY(Window().IsAtNewest());
}

void ViewHistoryTest::zoomKeepsTheBarUnderThePointer() {
    Key(Qt::Key_Home);
    Key(Qt::Key_PageDown);
    const CSize client = View().ChartClient();
    const QPoint pointer(View().width() * 2 / 5, View().height() / 2);
    const int record = Window().HitTest(CPoint{pointer.x(), pointer.y()}, client).nRecord;
    Wheel(View(), pointer, 3 * 120, Qt::ControlModifier);
    QVERIFY(Window().GetBarSpace() > Bars().GetBarSpace());
    QCOMPARE(Window().HitTest(CPoint{pointer.x(), pointer.y()}, client).nRecord, record);

    // The keys keep the bar at the right edge; Ctrl+0 goes back to the stored spacing.
    const int end = Window().GetEndRecord();
    for (const int key : {int(Qt::Key_Plus), int(Qt::Key_Equal), int(Qt::Key_Minus)}) {
        const int space = Window().GetBarSpace();
        Key(key, Qt::ControlModifier);
        QVERIFY(Window().GetBarSpace() != space);
        QCOMPARE(Window().GetEndRecord(), end);
    }
    Key(Qt::Key_0, Qt::ControlModifier);
    QVERIFY(!Window().IsZoomed());
    for (int i = 0; i < 30; ++i)
        Key(Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(Window().GetBarSpace(), 40);
    for (int i = 0; i < 30; ++i)
        Key(Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(Window().GetBarSpace(), 1);
}

void ViewHistoryTest::optionsWithAnotherSpacingDropTheZoom() {
    CTickvaneApp& app = *m_pFixture->m_pApp;
    Key(Qt::Key_Plus, Qt::ControlModifier);
    app.SetDialogHost(std::make_unique<CSpacingDialogs>(Bars().GetBarSpace()));
    QVERIFY(app.Router().Execute(ID_VIEW_OPTIONS));
    QVERIFY(Window().IsZoomed());
    app.SetDialogHost(std::make_unique<CSpacingDialogs>(9));
    QVERIFY(app.Router().Execute(ID_VIEW_OPTIONS));
    QVERIFY(!Window().IsZoomed());
    QCOMPARE(Window().GetBarSpace(), 9);
    QCOMPARE(View().ScrollBar().pageStep(), Info().nPageStep);
}

void ViewHistoryTest::crosshairReadsOutTheBarWithoutDrawingTheChart() {
    QLabel& pane = m_pFixture->m_pApp->Frame().MessagePane();
    View().repaint();
    QSignalSpy drawn(&View(), &CTickvaneView::chartDrawn);
    Key(Qt::Key_Home);
    View().repaint();
    QCOMPARE(drawn.count(), 1);

    const QPoint pointer(View().width() / 2, View().height() / 3);
    QTest::mouseMove(&View(), pointer);
    const int record =
        Window().HitTest(CPoint{pointer.x(), pointer.y()}, View().ChartClient()).nRecord;
    QCOMPARE(pane.text(), Readout(m_long, record));
    QApplication::processEvents();
    QCOMPARE(drawn.count(), 1);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&View(), &leave);
    QCOMPARE(pane.text(), QStringLiteral("For Help, press F1"));
}

// The vertical line leaves the bar and its volume bar free; a price too long for the column right
// of the axis loses decimals instead of covering the axis.
void ViewHistoryTest::crosshairLeavesTheBarFreeAndTheAxisClear() {
    ChartHit hit;
    hit.bBar = hit.bPricePane = true;
    hit.xBar = 50;
    hit.xAxis = 340;
    hit.yBarTop = 100, hit.yBarBottom = 150;
    hit.yVolumeTop = 300, hit.yVolumeBottom = 350;
    hit.dPrice = 24950.125;
    hit.strPrice = "24950.125";
    CCrosshair crosshair;
    const QFontMetrics metrics(View().font());
    crosshair.Show(hit, 200, QSize(390, 400), 1.0, metrics);
    QImage image(390, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        crosshair.Paint(painter, Qt::black, Qt::gray, Qt::white);
    }
    for (const auto& [y, free] : {std::pair{50, false},
                                  {98, false},
                                  {99, true},
                                  {125, true},
                                  {151, true},
                                  {152, false},
                                  {325, true},
                                  {390, false}})
        QCOMPARE(image.pixelColor(50, y) == Qt::white, free);
    QVERIFY(crosshair.LabelRect().left() > hit.xAxis);
    QVERIFY(crosshair.LabelRect().right() < 390);
    QVERIFY(hit.strPrice.rfind(crosshair.LabelText().left(5).toStdString(), 0) == 0);
    QVERIFY(crosshair.LabelText().size() < 9);
}

void ViewHistoryTest::smallSecuritiesScrollAndZoomWithoutFault() {
    const QPoint middle = View().rect().center();
    for (const char* symbol : {"EMPTY", "ONE", "TWO", "FLAT"}) {
        Bars().SearchSetSymbolIndex(symbol);
        View().OnUpdate(ViewHint::None);
        for (const int key : {Qt::Key_Home, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_End})
            Key(key);
        Key(Qt::Key_Plus, Qt::ControlModifier);
        Wheel(View(), middle, 240);
        Wheel(View(), middle, -360, Qt::ControlModifier);
        Drag(View(), 10, View().width() - 10);
        QTest::mouseMove(&View(), middle);
        View().repaint();
        Key(Qt::Key_0, Qt::ControlModifier);
        Key(Qt::Key_End);
        QVERIFY2(Window().GetEndRecord() == Window().GetRecordCount() - 1, symbol);
    }
    // An empty price file cannot be read, as ever; nothing else is said.
    QCOMPARE(m_pFixture->m_messages.TakeShown(),
             std::vector<std::string>{"Read failed for symbol EMPTY"});
}

void ViewHistoryTest::aFileThatGrewIsReadAtTheNextStep() {
    Key(Qt::Key_Home);
    WriteBytes(m_strFolder + "F1.DAT", PriceFileBytes(28, Steps(kLong + 50)));
    Key(Qt::Key_End);
    QCOMPARE(Window().GetRecordCount(), kLong + 50);
    QCOMPARE(View().ScrollBar().maximum(), kLong + 50 - Info().nPageStep);
}

QTEST_MAIN(ViewHistoryTest)
#include "ViewHistoryTest.moc"
