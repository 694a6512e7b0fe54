// Drawing on the chart as a user does: the Draw menu's tools placed with the mouse (snapping to
// the bars, Shift to their prices, Escape giving up), a drawing selected, dragged and changed
// from its context menu, Undo and Redo, Delete and Delete All Drawings with its question, and
// the drawings kept in the data directory and reaching every picture of the chart.

#include "app/DrawingTool.h"
#include "app/ChartPicture.h"
#include "app/CommandActions.h"
#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"
#include "chart/drawings/DrawingStore.h"
#include "platform/Commands.h"
#include "quotes/Dates.h"
#include "tests/gui/AppFixture.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/SyntheticPrices.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include <cmath>

namespace {

// Weekdays from 2003 rising a unit a record from 20: open, high, low, close apart by halves.
std::vector<PriceRecord> Rising(int count) {
    std::vector<PriceRecord> records;
    CTradingDays day(2003);
    for (int i = 0; i < count; ++i, day.Next()) {
        const float base = float(20 + i);
        records.push_back({day.Stored(), base, base + 1.5f, base - 1.5f, base + 0.5f, 1000, 0});
    }
    return records;
}

} // namespace

class DrawingToolTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_pFixture.reset(); }
    void aTrendLineIsPlacedOnTheBarsUnderTwoClicks();
    void escapeGivesUpTheLineInProgressThenTheTool();
    void shiftTakesTheBarsOpenHighLowOrClose();
    void draggingMovesADrawingAndUndoRedoTakeItBackAndForth();
    void draggingAHandleMovesOnlyThatPoint();
    void aDragDrawsTheChartOnlyWhenItStartsAndEnds();
    void theContextMenuChangesColourWidthStyleAndExtension();
    void deleteAndDeleteAllAskingFirst();
    void notesAskForTheirText();
    void drawingsAreKeptForTheNextRunAndReachThePictures();

private:
    CTickvaneView& View() { return m_pFixture->m_pApp->View(); }
    CTickvaneDoc& Doc() { return m_pFixture->m_pApp->Document(); }
    CBars& Bars() { return Doc().Bars(); }
    bool Run(int id) { return m_pFixture->m_pApp->Router().Execute(id); }
    std::vector<Drawing> Drawings() {
        const std::vector<Drawing>* drawings =
            Doc().Drawings().Find(Bars().DrawingFolder(), Bars().DrawingSymbol());
        return drawings ? *drawings : std::vector<Drawing>{};
    }
    // The view point (a widget pixel) of record `i`'s bar at `price`, from the chart's own
    // crosshair: the bar's x, and the height the scale gives the price.
    QPoint At(int record, double price) {
        const CSize client = View().ChartClient();
        const CDrawingGeometry geometry = Bars().Window().DrawingGeometry(client);
        const CDeviceMapping mapping = ChartMapping(geometry.Layout(), client);
        double x = 0, y = 0;
        DrawingPoint point{SerialOfDayNumber(Day(record)), -1, price};
        if (!geometry.X(point, x) || !geometry.Y(price, y))
            return {};
        const CPoint device = mapping.ToDevice(int(std::lround(x)), int(std::lround(y)));
        const qreal ratio = View().devicePixelRatioF();
        return QPoint(int(device.x / ratio), int(device.y / ratio));
    }
    std::int16_t Day(int record) { return YymmddToDay(m_records[std::size_t(record)][0]); }
    int Serial(int record) { return SerialOfDayNumber(Day(record)); }
    void Click(QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseMove(&View(), at);
        QTest::mouseClick(&View(), Qt::LeftButton, modifiers, at);
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(&View(), Qt::LeftButton, {}, from);
        for (int k = 1; k <= 4; ++k) {
            const QPoint at = from + (to - from) * k / 4;
            QMouseEvent move(QEvent::MouseMove, QPointF(at), View().mapToGlobal(QPointF(at)),
                             Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(&View(), &move);
        }
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, to);
    }
    // A horizontal level at `price`, put through the tool.
    void Level(double price) {
        QVERIFY(Run(ID_DRAW_HLINE));
        Click(At(40, price));
    }

    std::unique_ptr<CAppFixture> m_pFixture;
    std::vector<PriceRecord> m_records = Rising(60);
};

void DrawingToolTest::init() {
    m_pFixture = std::make_unique<CAppFixture>();
    const std::string folder = m_pFixture->m_dir.MakeSubdirectory("quotes");
    WriteBytes(folder + "MASTER",
               MasterFileBytes({SecurityEntry(1, "ACME", "ACME"), SecurityEntry(2, "BETA", "B")}));
    WriteBytes(folder + "F1.DAT", PriceFileBytes(28, m_records));
    WriteBytes(folder + "F2.DAT", PriceFileBytes(28, m_records));
    QCOMPARE(m_pFixture->Start({folder + "MASTER"}), -1);
    QVERIFY(m_pFixture->Activate());
    View().resize(700, 450);
    QApplication::processEvents();
}

void DrawingToolTest::aTrendLineIsPlacedOnTheBarsUnderTwoClicks() {
    QVERIFY(Run(ID_DRAW_TRENDLINE));
    m_pFixture->m_pApp->OnIdle();
    QVERIFY(m_pFixture->m_pApp->Frame().Actions().Action(ID_DRAW_TRENDLINE)->isChecked());
    // A little beside the bars: the points take the bars' dates.
    Click(At(10, 25) + QPoint(1, 0));
    QVERIFY(View().DrawingTool().IsPlacing());
    Click(At(30, 45) - QPoint(1, 0));
    const std::vector<Drawing> drawings = Drawings();
    QCOMPARE(drawings.size(), std::size_t(1));
    QCOMPARE(drawings[0].type, DrawingType::TrendLine);
    QCOMPARE(drawings[0].points[0].nDay, Serial(10));
    QCOMPARE(drawings[0].points[1].nDay, Serial(30));
    QCOMPARE(drawings[0].points[0].nSeconds, -1);
    QVERIFY(std::fabs(drawings[0].points[0].dPrice - 25) < 0.5);
    QVERIFY(std::fabs(drawings[0].points[1].dPrice - 45) < 0.5);
    // The tool is put down and the new line selected.
    QVERIFY(!View().DrawingTool().Tool());
    QCOMPARE(View().DrawingTool().Selected(), 0);
}

void DrawingToolTest::escapeGivesUpTheLineInProgressThenTheTool() {
    QVERIFY(Run(ID_DRAW_RECTANGLE));
    Click(At(10, 25));
    QTest::keyClick(&View(), Qt::Key_Escape);
    QVERIFY(!View().DrawingTool().IsPlacing());
    QVERIFY(View().DrawingTool().Tool());
    QTest::keyClick(&View(), Qt::Key_Escape);
    QVERIFY(!View().DrawingTool().Tool());
    Click(At(30, 45));
    QVERIFY(Drawings().empty());
}

void DrawingToolTest::shiftTakesTheBarsOpenHighLowOrClose() {
    // Record 20: open 40, high 41.5, low 38.5, close 40.5.
    const struct {
        double pointer, price;
    } kCases[] = {{41.3, 41.5}, {38.9, 38.5}, {40.6, 40.5}, {39.8, 40}};
    for (const auto& c : kCases) {
        QVERIFY(Run(ID_DRAW_HLINE));
        Click(At(20, c.pointer), Qt::ShiftModifier);
        QCOMPARE(Drawings().back().points[0].dPrice, c.price);
    }
}

void DrawingToolTest::draggingMovesADrawingAndUndoRedoTakeItBackAndForth() {
    Level(40);
    const double placed = Drawings()[0].points[0].dPrice;
    QTest::keyClick(&View(), Qt::Key_Escape); // nothing selected
    Drag(At(25, placed), At(25, 50));
    QCOMPARE(Drawings().size(), std::size_t(1));
    const double moved = Drawings()[0].points[0].dPrice;
    QVERIFY2(std::fabs(moved - 50) < 0.5, qPrintable(QString::number(moved)));
    QVERIFY(Run(ID_EDIT_UNDO));
    QCOMPARE(Drawings()[0].points[0].dPrice, placed);
    QVERIFY(Run(ID_EDIT_REDO));
    QCOMPARE(Drawings()[0].points[0].dPrice, moved);
    QVERIFY(Run(ID_EDIT_UNDO));
    QVERIFY(Run(ID_EDIT_UNDO));
    QVERIFY(Drawings().empty());
    QVERIFY(!Run(ID_EDIT_UNDO));
    // The keys of the commands.
    const auto keys = [this](int id) {
        return m_pFixture->m_pApp->Frame().Actions().Action(id)->shortcuts();
    };
    QVERIFY(keys(ID_EDIT_UNDO).contains(QKeySequence(QStringLiteral("Ctrl+Z"))));
    QVERIFY(keys(ID_EDIT_REDO).contains(QKeySequence(QStringLiteral("Ctrl+Y"))));
    QVERIFY(keys(ID_EDIT_REDO).contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));
    // Each security has its own steps.
    QVERIFY(Run(ID_EDIT_REDO));
    QVERIFY(Run(ID_SELECT_NEXT));
    m_pFixture->m_pApp->OnIdle();
    QVERIFY(!m_pFixture->m_pApp->Router().Update(ID_EDIT_UNDO).m_bEnabled);
    QVERIFY(Drawings().empty());
}

void DrawingToolTest::draggingAHandleMovesOnlyThatPoint() {
    QVERIFY(Run(ID_DRAW_TRENDLINE));
    Click(At(10, 25));
    Click(At(30, 45));
    QCOMPARE(View().DrawingTool().Selected(), 0);
    Drag(At(30, 45), At(40, 35));
    const std::vector<Drawing> drawings = Drawings();
    QCOMPARE(drawings[0].points[0].nDay, Serial(10));
    QCOMPARE(drawings[0].points[1].nDay, Serial(40));
    QVERIFY(std::fabs(drawings[0].points[1].dPrice - 35) < 0.5);
    // A drag of the line itself moves both ends by as many bars.
    Drag(At(25, 30), At(30, 30)); // the line runs through 30 at record 25
    QCOMPARE(Drawings()[0].points[0].nDay, Serial(15));
    QCOMPARE(Drawings()[0].points[1].nDay, Serial(45));
}

void DrawingToolTest::aDragDrawsTheChartOnlyWhenItStartsAndEnds() {
    Level(40);
    QTest::keyClick(&View(), Qt::Key_Escape);
    View().repaint();
    QSignalSpy drawn(&View(), &CTickvaneView::chartDrawn);
    const QPoint from = At(25, Drawings()[0].points[0].dPrice);
    const auto move = [this](QPoint at) {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), View().mapToGlobal(QPointF(at)),
                          Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&View(), &event);
        QApplication::processEvents();
    };
    QTest::mousePress(&View(), Qt::LeftButton, {}, from);
    QApplication::processEvents();
    QCOMPARE(drawn.count(), 0); // the selection's handles lie over the image
    move(from + QPoint(0, 10));
    QCOMPARE(drawn.count(), 1); // once without the level
    for (int k = 2; k <= 6; ++k)
        move(from + QPoint(0, 10 * k));
    QCOMPARE(drawn.count(), 1);
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, from + QPoint(0, 60));
    QApplication::processEvents();
    QCOMPARE(drawn.count(), 2); // once with it in its new place
}

void DrawingToolTest::theContextMenuChangesColourWidthStyleAndExtension() {
    QVERIFY(Run(ID_DRAW_TRENDLINE));
    Click(At(10, 25));
    Click(At(30, 45));
    QTest::keyClick(&View(), Qt::Key_Escape);
    // Away from it, no drawing is selected and the view's own menu opens.
    QVERIFY(!View().DrawingTool().SelectAt(CPoint{2, 2}, View().ChartClient()));
    // Right on the line: its own menu.
    const QPoint middle = (At(10, 25) + At(30, 45)) / 2;
    const qreal ratio = View().devicePixelRatioF();
    QVERIFY(View().DrawingTool().SelectAt(CPoint{int(middle.x() * ratio), int(middle.y() * ratio)},
                                          View().ChartClient()));
    std::unique_ptr<QMenu> menu(View().CreateDrawingMenu());
    const auto item = [](QMenu* in, const QString& text) -> QAction* {
        for (QAction* action : in->actions())
            if (action->text() == text)
                return action;
        return nullptr;
    };
    const auto sub = [&](const QString& text) {
        QAction* action = item(menu.get(), text);
        return action ? action->menu() : nullptr;
    };
    QVERIFY(sub("&Colour") && sub("&Width") && sub("&Style"));
    item(sub("&Colour"), "&Blue")->trigger();
    item(sub("&Width"), "&3")->trigger();
    item(sub("&Style"), "&Dashed")->trigger();
    item(menu.get(), "E&xtend to the Right")->trigger();
    const Drawing line = Drawings()[0];
    QCOMPARE(line.color, Rgb(0, 90, 255));
    QCOMPARE(line.nWidth, 3);
    QCOMPARE(line.style, LineStyle::Dashed);
    QVERIFY(line.bExtend);
    // Four steps, each undone alone.
    QVERIFY(Run(ID_EDIT_UNDO));
    QVERIFY(!Drawings()[0].bExtend);
    QCOMPARE(Drawings()[0].style, LineStyle::Dashed);
}

void DrawingToolTest::deleteAndDeleteAllAskingFirst() {
    Level(30);
    Level(40);
    Level(50);
    QCOMPARE(View().DrawingTool().Selected(), 2);
    QVERIFY(Run(ID_DRAW_DELETE));
    QCOMPARE(Drawings().size(), std::size_t(2));
    m_pFixture->m_pApp->OnIdle();
    QVERIFY(!m_pFixture->m_pApp->Router().Update(ID_DRAW_DELETE).m_bEnabled);
    m_pFixture->m_messages.Answer(false);
    QVERIFY(Run(ID_DRAW_DELETE_ALL));
    QCOMPARE(Drawings().size(), std::size_t(2));
    QCOMPARE(m_pFixture->m_messages.m_questions.back(),
             std::string("Delete all the drawings on the chart of ACME?"));
    QCOMPARE(m_pFixture->m_messages.m_defaults.back(), DefaultAnswer::No);
    m_pFixture->m_messages.Answer(true);
    QVERIFY(Run(ID_DRAW_DELETE_ALL));
    QVERIFY(Drawings().empty());
    QVERIFY(Run(ID_EDIT_UNDO));
    QCOMPARE(Drawings().size(), std::size_t(2));
}

void DrawingToolTest::notesAskForTheirText() {
    QVERIFY(Run(ID_DRAW_NOTE));
    Click(At(20, 40)); // cancelled
    QVERIFY(Drawings().empty());
    m_pFixture->m_dialogs.m_texts.push_back(QStringLiteral("Breakout \u00e9"));
    QVERIFY(Run(ID_DRAW_NOTE));
    Click(At(20, 40));
    QCOMPARE(Drawings().size(), std::size_t(1));
    QCOMPARE(Drawings()[0].text, std::string("Breakout \xC3\xA9"));
}

void DrawingToolTest::drawingsAreKeptForTheNextRunAndReachThePictures() {
    Level(40);
    const std::string file = m_pFixture->m_dir / "drawings.json";
    CDrawingStore stored;
    stored.Load(file, m_pFixture->m_messages);
    QCOMPARE(stored.Securities().size(), std::size_t(1));
    QCOMPARE(stored.Securities()[0].symbol, std::string("ACME"));
    QCOMPARE(stored.Securities()[0].folder, Bars().DrawingFolder());
    // The picture that Copy and Export Chart draw has the level's red across it.
    const QImage image = View().ChartImage();
    const QPoint level = At(40, Drawings()[0].points[0].dPrice);
    int red = 0;
    for (int x = 0; x < image.width(); ++x)
        for (int dy = -1; dy <= 1; ++dy)
            if (image.pixelColor(x, level.y() + dy) == QColor(255, 0, 0))
                ++red;
    QVERIFY2(red > image.width() / 2, qPrintable(QString::number(red)));
}

QTEST_MAIN(DrawingToolTest)
#include "DrawingToolTest.moc"
