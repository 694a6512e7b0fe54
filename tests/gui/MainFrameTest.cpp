// The main frame's own logic: where it opens and what it stores, the commands its menus and
// toolbar show, the position text and the position indicator, drawn on a recording surface.

#include "app/MenuLayout.h"
#include "app/Placement.h"
#include "app/StatusPanes.h"
#include "platform/Commands.h"
#include "platform/RecordingSurface.h"

#include <QtTest>

Q_DECLARE_METATYPE(WindowPlacement)

namespace {

constexpr COLORREF kDarkBlue = Rgb(0, 0, 128);
constexpr COLORREF kYellow = Rgb(255, 255, 0);
const CRect kPane{0, 0, 21, 21};

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void startPlacement_data();
    void startPlacement();
    void storedPlacementIsClippedToTheWorkArea();
    void menusAndToolbarShowCommandsOfTheTable();
    void symbolPaneText_data();
    void symbolPaneText();
    void indicator_data();
    void indicator();
    void indicatorSectorRunsClockwiseFromTwelve();
};

void MainFrameTest::startPlacement_data() {
    QTest::addColumn<WindowPlacement>("stored");
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<WindowPlacement>("expected");
    const WindowPlacement none;
    QTest::newRow("first start, 800 wide: single-precision 90 %")
        << none << 800 << 600 << WindowPlacement{40, 30, 719, 539};
    QTest::newRow("first start, 1024 wide")
        << none << 1024 << 768 << WindowPlacement{51, 38, 921, 691};
    QTest::newRow("stored inside: kept")
        << WindowPlacement{10, 20, 300, 200} << 800 << 600 << WindowPlacement{10, 20, 300, 200};
    QTest::newRow("x = W with cx = W: kept")
        << WindowPlacement{800, 0, 800, 600} << 800 << 600 << WindowPlacement{800, 0, 800, 600};
    QTest::newRow("wider than the work area: default")
        << WindowPlacement{0, 0, 801, 600} << 800 << 600 << WindowPlacement{40, 30, 719, 539};
    QTest::newRow("left of the screen: default")
        << WindowPlacement{-1, 0, 300, 200} << 800 << 600 << WindowPlacement{40, 30, 719, 539};
    QTest::newRow("no height: default")
        << WindowPlacement{0, 0, 300, 0} << 800 << 600 << WindowPlacement{40, 30, 719, 539};
}

void MainFrameTest::startPlacement() {
    QFETCH(WindowPlacement, stored);
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(WindowPlacement, expected);
    QVERIFY(StartPlacement(stored, CSize{W, H}) == expected);
}

void MainFrameTest::storedPlacementIsClippedToTheWorkArea() {
    // A maximised window reaches past the work area on some desktops; only its corner and its size
    // are limited, nothing else.
    QVERIFY(
        (PlacementToStore({-4, -4, 808, 608}, CSize{800, 600}) == WindowPlacement{0, 0, 800, 600}));
    QVERIFY(
        (PlacementToStore({700, 500, 0, 0}, CSize{800, 600}) == WindowPlacement{700, 500, 0, 0}));
}

// An ID without a row would leave a hole in a menu; one twice in a menu would show one action
// twice.
void MainFrameTest::menusAndToolbarShowCommandsOfTheTable() {
    std::vector<std::span<const int>> lists{ToolbarButtons()};
    for (const MenuInfo& menu : MainMenus()) {
        lists.push_back(menu.items);
        for (const int id : menu.items)
            if (const SubmenuInfo* submenu = FindSubmenu(id))
                lists.push_back(submenu->items);
    }
    for (const std::span<const int> items : lists) {
        QList<int> seen;
        for (const int id : items) {
            if (id == kSeparator || FindSubmenu(id))
                continue;
            QVERIFY2(FindCommand(id), qPrintable(QString::number(id)));
            QVERIFY2(!seen.contains(id), qPrintable(QString::number(id)));
            seen << id;
        }
    }
}

void MainFrameTest::symbolPaneText_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing read") << 0 << 0 << "No Symbols Read";
    QTest::newRow("first of 28") << 28 << 0 << "Symbol 1 of 28";
    QTest::newRow("widest") << 1000 << 999 << "Symbol 1000 of 1000";
}

void MainFrameTest::symbolPaneText() {
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(SymbolPaneText(count, current)), text);
}

// Shapes drawn for entry k of n: a dark blue disc, then from past the fiftieth part on a yellow
// sector and its yellow arc. The sector's outline is yellow before the middle, dark blue after.
void MainFrameTest::indicator_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("sector");
    QTest::addColumn<bool>("yellowOutline");
    QTest::newRow("100, first: no sector") << 100 << 0 << false << false;
    QTest::newRow("100, k = 25: yellow outline") << 100 << 25 << true << true;
    QTest::newRow("100, k = 50: dark blue edges") << 100 << 50 << true << false;
    QTest::newRow("100, last: whole disc") << 100 << 99 << true << false;
    QTest::newRow("one entry: no angle, no sector") << 1 << 0 << false << false;
    QTest::newRow("nothing read") << 0 << 0 << false << false;
}

void MainFrameTest::indicator() {
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(bool, sector);
    QFETCH(bool, yellowOutline);
    CRecordingSurface dc;
    const SurfaceAttributes before = dc.Attributes();
    DrawPositionIndicator(dc, kPane, n, k);
    QVERIFY(dc.Attributes() == before);
    const auto& shapes = dc.Shapes();
    QCOMPARE(shapes.size(), sector ? std::size_t(3) : std::size_t(1));
    QVERIFY(shapes[0].kind == ShapeKind::Ellipse);
    QCOMPARE(shapes[0].pen.color, kDarkBlue);
    QCOMPARE(shapes[0].brush.color, kDarkBlue);
    if (!sector)
        return;
    QVERIFY(shapes[1].kind == ShapeKind::Pie);
    QCOMPARE(shapes[1].brush.color, kYellow);
    QCOMPARE(shapes[1].pen.color, yellowOutline ? kYellow : kDarkBlue);
    QVERIFY(shapes[2].kind == ShapeKind::Arc);
    QCOMPARE(shapes[2].pen.color, kYellow);
    // Both run from the point at 90 - theta to twelve o'clock.
    QVERIFY(shapes[1].start == shapes[2].start && shapes[1].end == shapes[2].end);
    QVERIFY((shapes[1].end == CPoint{10, 0}));
    if (k == n - 1)
        QVERIFY(shapes[1].start == shapes[1].end);
}

void MainFrameTest::indicatorSectorRunsClockwiseFromTwelve() {
    // theta = 25 * 360 / 99 = 90.9 degrees: the sector begins a hair past three o'clock, which the
    // truncation puts on the centre line.
    CRecordingSurface dc;
    DrawPositionIndicator(dc, kPane, 100, 25);
    QVERIFY((dc.Shapes()[1].start == CPoint{20, 10}));
    QVERIFY((IndicatorPoint(kPane, 90 - 180.0) == CPoint{10, 20}));
    QVERIFY((IndicatorPoint(CRect{0, 0, 20, 20}, 0) == CPoint{20, 10}));
}

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
