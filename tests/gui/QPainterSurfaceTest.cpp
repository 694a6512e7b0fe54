#include "qt/QPainterSurface.h"

#include <QBuffer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QtTest>

#include <functional>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGrey = qRgb(128, 128, 128);
const Pen kRedPen{Rgb(255, 0, 0), 0};
const Font kArial20{"Arial", 20, 400};

QImage Canvas(int width, int height, QRgb fill = kWhite) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// The chart's mapping: logical (0, 0) at the bottom left of the device, y growing upward.
void ChartMapping(Surface& dc, CSize logical, CSize device) {
    dc.SetMapMode(MapMode::Anisotropic);
    dc.SetWindowExt(logical.cx, logical.cy);
    dc.SetViewportExt(device.cx, -device.cy);
    dc.SetViewportOrg(0, device.cy);
}

// Draws on `image` through a surface; `clipped` sends lines through QPainter instead of the
// image's pixels.
void Draw(QImage& image, const std::function<void(CQPainterSurface&)>& draw, bool clipped = false) {
    QPainter painter(&image);
    if (clipped)
        painter.setClipRect(image.rect());
    CQPainterSurface dc(painter);
    draw(dc);
}

// The bounding box of the pixels that differ from `background`.
QRect Ink(const QImage& image, QRgb background = kWhite) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

int CountPainted(const QImage& image, QRgb background = kWhite) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != background;
    return count;
}

int InkWidthInRow(const QImage& image, int y) {
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        count += image.pixel(x, y) != kWhite;
    return count;
}

} // namespace

class QPainterSurfaceTest : public QObject {
    Q_OBJECT

private slots:
    // Logical 100 x 50 on 200 x 100 pixels: x doubles, y doubles and flips.
    void fillsAndLinesLandOnTheFlippedRows() {
        QImage image = Canvas(200, 100);
        Draw(image, [](CQPainterSurface& dc) {
            ChartMapping(dc, CSize{100, 50}, CSize{200, 100});
            dc.FillRect(CRect{10, 10, 30, 20}, Brush{Rgb(255, 0, 0)});
            dc.SelectPen(Pen{Rgb(0, 0, 255), 0});
            dc.MoveTo(0, 45);
            dc.LineTo(50, 45);
        });
        QCOMPARE(Ink(image.copy(0, 20, 200, 80)), QRect(20, 40, 40, 20)); // rows 60..79
        QCOMPARE(CountPainted(image), 40 * 20 + 100);
        QCOMPARE(image.pixel(0, 10), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(99, 10), qRgb(0, 0, 255));
    }

    void lineLeavesOutItsEndPoint_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<bool>("clipped");
        const std::pair<QPoint, QPoint> lines[] = {
            {{5, 10}, {5, 20}},  {{5, 20}, {5, 10}},  {{30, 7}, {3, 7}},
            {{25, 21}, {2, 30}}, {{17, 33}, {12, 2}}, {{4, 20}, {20, 4}},
        };
        for (const auto& [from, to] : lines)
            for (const bool clipped : {false, true})
                QTest::addRow("%d,%d to %d,%d%s", from.x(), from.y(), to.x(), to.y(),
                              clipped ? " through QPainter" : "")
                    << from << to << clipped;
    }

    // Under the y-up mapping logical (x, y) is pixel (x, 40 - y). Clipping makes the surface
    // draw through QPainter instead of writing the image's pixels.
    void lineLeavesOutItsEndPoint() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(bool, clipped);
        QImage image = Canvas(40, 40);
        Draw(
            image,
            [&](CQPainterSurface& dc) {
                ChartMapping(dc, CSize{40, 40}, CSize{40, 40});
                dc.SelectPen(kRedPen);
                dc.MoveTo(from.x(), from.y());
                dc.LineTo(to.x(), to.y());
            },
            clipped);
        QCOMPARE(image.pixel(from.x(), 40 - from.y()), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(to.x(), 40 - to.y()), kWhite);
        const QPoint d = to - from;
        QCOMPARE(CountPainted(image), std::max(std::abs(d.x()), std::abs(d.y())));
    }

    void onePixelPenStaysOnePixelWhenScaled() {
        QImage image = Canvas(200, 100);
        Draw(image, [](CQPainterSurface& dc) {
            ChartMapping(dc, CSize{100, 50}, CSize{200, 100});
            dc.SelectPen(kRedPen);
            dc.MoveTo(10, 5);
            dc.LineTo(10, 45);
            dc.SelectPen(Pen{Rgb(0, 0, 255), 3});
            dc.MoveTo(50, 20);
            dc.LineTo(50, 30);
        });
        QCOMPARE(Ink(image.copy(0, 0, 50, 100)), QRect(20, 11, 1, 80)); // rows 90 up to 10
        // Three units are six pixels; round caps reach half of that beyond rows 40 and 60.
        const QRect wide = Ink(image.copy(50, 0, 150, 100));
        QCOMPARE(wide.width(), 6);
        QVERIFY(wide.top() >= 36 && wide.top() <= 38 && wide.bottom() >= 61 && wide.bottom() <= 63);
    }

    void textIsUprightBelowItsTopAlignedPoint() {
        const auto draw = [](CQPainterSurface& dc, int y) {
            dc.SelectFont(kArial20);
            dc.SetBkMode(BackgroundMode::Transparent);
            dc.TextOut(10, y, "T");
        };
        QImage reference = Canvas(60, 60);
        Draw(reference, [&](CQPainterSurface& dc) { draw(dc, 20); });
        QImage mapped = Canvas(60, 60);
        Draw(mapped, [&](CQPainterSurface& dc) {
            ChartMapping(dc, CSize{60, 60}, CSize{60, 60});
            draw(dc, 40);
        });
        const QRect ink = Ink(reference);
        QVERIFY2(ink.top() > 20 && ink.top() < 28, "the cap hangs from the point");
        QVERIFY2(InkWidthInRow(reference, ink.top()) > 2 * InkWidthInRow(reference, ink.bottom()),
                 "a T has its bar on top");
        QCOMPARE(mapped, reference);
    }

    void alignmentPlacesTheCellAtThePoint_data() {
        QTest::addColumn<unsigned>("align");
        for (const unsigned horizontal : {kAlignLeft, kAlignRight, kAlignCenter})
            for (const unsigned vertical : {kAlignTop, kAlignBaseline})
                QTest::addRow("%u", horizontal | vertical) << (horizontal | vertical);
    }

    // "H" nearly fills its advance and stands on the baseline: its ink shows where the cell is.
    void alignmentPlacesTheCellAtThePoint() {
        QFETCH(unsigned, align);
        QImage image = Canvas(100, 60);
        Draw(image, [&](CQPainterSurface& dc) {
            dc.SelectFont(kArial20);
            dc.SetTextAlign(align);
            dc.SetBkMode(BackgroundMode::Transparent);
            dc.TextOut(50, 30, "HH");
        });
        const QRect ink = Ink(image);
        if ((align & kAlignHorizontalMask) == kAlignLeft)
            QVERIFY(ink.left() >= 50 && ink.left() <= 53);
        else if ((align & kAlignHorizontalMask) == kAlignRight)
            QVERIFY(ink.right() < 50 && ink.right() >= 46);
        else
            QVERIFY(std::abs(ink.center().x() - 50) <= 1);
        if ((align & kAlignVerticalMask) == kAlignBaseline)
            QCOMPARE(ink.bottom(), 29);
        else
            QVERIFY(ink.top() > 30 && ink.top() < 38);
    }

    void fontCellHeightIsMappedToTheDevice() {
        QImage image = Canvas(200, 100);
        QPainter painter(&image);
        const QFont initial = painter.font();
        CQPainterSurface dc(painter);
        ChartMapping(dc, CSize{100, 50}, CSize{200, 100});
        dc.TextOut(0, 0, "default");
        QCOMPARE(painter.font(), initial);
        dc.SelectFont(Font{"Arial", 10, 700});
        dc.TextOut(0, 0, "bold");
        const QFontMetrics metrics(painter.font(), &image);
        QCOMPARE(metrics.ascent() + metrics.descent(), 20);
        QVERIFY(painter.font().bold());
        QCOMPARE(QFontInfo(painter.font()).family(), QString("Liberation Sans"));
    }

    void opaqueBackgroundFillsTheCell() {
        for (const auto mode : {BackgroundMode::Opaque, BackgroundMode::Transparent}) {
            QImage image = Canvas(100, 60, kGrey);
            Draw(image, [mode](CQPainterSurface& dc) {
                dc.SelectFont(kArial20);
                dc.SetBkMode(mode);
                dc.TextOut(10, 10, "x.");
            });
            const bool opaque = mode == BackgroundMode::Opaque;
            QCOMPARE(image.pixel(10, 10), opaque ? kWhite : kGrey);
            QCOMPARE(Ink(image, kGrey).height() == 20, opaque);
        }
    }

    void selectionsGiveBackThePreviousObjectsAndThePainterItsState() {
        QImage image = Canvas(10, 10);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPen pen = painter.pen();
        {
            CQPainterSurface dc(painter);
            QCOMPARE(dc.SelectPen(kRedPen), (Pen{Rgb(0, 0, 0), 0}));
            QCOMPARE(dc.SelectPen(Pen{Rgb(0, 0, 0), 2}), kRedPen);
            QCOMPARE(dc.SelectBrush(Brush{Rgb(0, 0, 128)}), Brush{});
            QCOMPARE(dc.SelectFont(kArial20), Font{});
            QCOMPARE(dc.SetTextColor(Rgb(1, 2, 3)), Rgb(0, 0, 0));
            QCOMPARE(dc.SetTextAlign(kAlignRight), unsigned(kAlignLeft | kAlignTop));
            dc.LineTo(3, 3);
            dc.TextOut(0, 0, "x");
        }
        QCOMPARE(painter.pen(), pen);
        QVERIFY(painter.testRenderHint(QPainter::Antialiasing));
    }

    // From three o'clock to twelve o'clock is the upper right quarter on the device, under the
    // text mapping and under the y-up mapping alike.
    void pieAndArcRunCounterClockwiseOnTheDevice() {
        const auto draw = [](bool yUp, CPoint start, CPoint end, bool arc) {
            QImage image = Canvas(100, 100);
            Draw(image, [&](CQPainterSurface& dc) {
                if (yUp)
                    ChartMapping(dc, CSize{100, 100}, CSize{100, 100});
                dc.SelectPen(kRedPen);
                dc.SelectBrush(Brush{Rgb(255, 0, 0)});
                arc ? dc.Arc(CRect{10, 10, 90, 90}, start, end)
                    : dc.Pie(CRect{10, 10, 90, 90}, start, end);
            });
            return image;
        };
        const auto quarters = [&](bool yUp, CPoint start, CPoint end) {
            const QImage image = draw(yUp, start, end, false);
            QString painted;
            for (const QPoint p : {QPoint(70, 30), QPoint(30, 30), QPoint(30, 70), QPoint(70, 70)})
                painted += image.pixel(p) == kWhite ? '.' : '#';
            return painted;
        };
        QCOMPARE(quarters(false, CPoint{90, 50}, CPoint{50, 10}), QString("#..."));
        QCOMPARE(quarters(false, CPoint{50, 10}, CPoint{90, 50}), QString(".###"));
        QCOMPARE(quarters(false, CPoint{50, 10}, CPoint{50, 10}), QString("####"));
        QCOMPARE(quarters(true, CPoint{90, 50}, CPoint{50, 90}), QString("#..."));
        const QRect arc = Ink(draw(false, CPoint{90, 50}, CPoint{50, 10}, true));
        QVERIFY(arc.left() >= 48 && arc.bottom() <= 51 && arc.right() >= 88 && arc.top() <= 11);
    }

    void vectorDevicesGetTheDrawing() {
        const auto chart = [](CQPainterSurface& dc, CSize device) {
            ChartMapping(dc, CSize{655, 420}, device);
            dc.FillRect(CRect{0, 0, 655, 420}, Brush{Rgb(255, 255, 224)});
            dc.SelectPen(kRedPen);
            dc.MoveTo(5, 5);
            dc.LineTo(605, 5);
            dc.SelectFont(Font{"Arial", 12, 700});
            dc.TextOut(601, 417, "030214");
        };
        QBuffer svgBytes;
        QSvgGenerator svg;
        svg.setOutputDevice(&svgBytes);
        svg.setResolution(96);
        svg.setSize(QSize(655, 420));
        {
            QPainter painter(&svg);
            CQPainterSurface dc(painter);
            chart(dc, CSize{655, 420});
        }
        QVERIFY(svgBytes.data().contains("<svg"));
        QVERIFY(svgBytes.data().contains("030214"));

        QBuffer pdfBytes;
        pdfBytes.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&pdfBytes);
        {
            QPainter painter(&pdf);
            CQPainterSurface dc(painter);
            chart(dc, CSize{pdf.width(), pdf.height()});
            // The font is 12 units tall; a one-pixel pen is 1/96 inch on a 1200 dpi page.
            const QFontMetricsF metrics(painter.font(), &pdf);
            const double expected = 12.0 * pdf.height() / 420;
            QVERIFY(std::abs(metrics.ascent() + metrics.descent() - expected) < expected / 100);
            dc.LineTo(605, 404);
            QCOMPARE(painter.pen().widthF(), pdf.logicalDpiX() / 96.0);
        }
        QVERIFY(pdfBytes.data().startsWith("%PDF"));
    }
};

QTEST_MAIN(QPainterSurfaceTest)
#include "QPainterSurfaceTest.moc"
