// The chart drawn through Qt into images: the recording tests fix the geometry, these check that
// it lands on the pixels where it belongs.

#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "qt/QPainterSurface.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

class ChartImageTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void backgroundAndBarsLandOnTheirPixels();
    void halfSizeTargetShowsTheSameChartScaled();
    void printingIsBlackOnWhite();

private:
    QImage Draw(int width, int height, CSize frame, bool printing = false);

    CTempDir m_dir;
    CMemorySettings m_settings;
    CScriptedMessages m_messages;
    CBars m_bars{m_settings, m_messages};
};

void ChartImageTest::init() {
    // Twenty records whose lows and highs climb by one a day: with H = 420 the second record's
    // low (the lowest that counts) stands on y = 85, the last high on y = 405.
    std::vector<PriceRecord> records;
    for (int i = 0; i < 20; ++i)
        records.push_back({float(1030102 + i), float(10 + i), float(11 + i), float(9 + i),
                           float(10 + i), 1000, 0});
    MasterEntry entry;
    entry.symbol = "ACME";
    entry.name = "ACME INDUSTRIES";
    WriteBytes(m_dir / "MASTER", MasterFileBytes({entry}));
    WriteBytes(m_dir / "F1.DAT", PriceFileBytes(28, records));
    QVERIFY(m_bars.SetMasterPath((m_dir / "MASTER").c_str()));
    QCOMPARE(m_bars.ReadMaster(), 0);
    QCOMPARE(m_bars.ReadCurrentSymbol(), 0);
}

QImage ChartImageTest::Draw(int width, int height, CSize frame, bool printing) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::gray);
    m_bars.SetFrameSizeProvider([frame] { return frame; });
    QPainter painter(&image);
    {
        CQPainterSurface surface(painter);
        m_bars.DrawChart(surface, CRect{0, 0, width, height}, printing);
    }
    painter.end();
    return image;
}

void ChartImageTest::backgroundAndBarsLandOnTheirPixels() {
    const QImage image = Draw(655, 420, CSize{655, 420});
    // Logical y maps to device row 420 - y.
    QCOMPARE(image.pixel(300, 200), qRgb(0, 0, 0));        // background
    QCOMPARE(image.pixel(13, 420 - 100), qRgb(0, 255, 0)); // second bar: x = 13, y = 85..117
    QCOMPARE(image.pixel(13, 420 - 90), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(13, 420 - 118), qRgb(0, 0, 0)); // its end point is not painted
    QCOMPARE(image.pixel(14, 420 - 100), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(605, 420 - 100), qRgb(255, 255, 255)); // right axis
    QCOMPARE(image.pixel(100, 420 - 5), qRgb(255, 255, 255));   // bottom axis
    QCOMPARE(image.pixel(13, 420 - 10), qRgb(255, 0, 0));       // a volume bar
}

void ChartImageTest::halfSizeTargetShowsTheSameChartScaled() {
    const QImage image = Draw(328, 210, CSize{655, 420});
    QCOMPARE(image.pixel(150, 100), qRgb(0, 0, 0));
    const bool axis = image.pixel(302, 210 - 50) == qRgb(255, 255, 255) ||
                      image.pixel(303, 210 - 50) == qRgb(255, 255, 255);
    QVERIFY(axis); // the right axis at 605 / 2
    int green = 0;
    for (int y = 0; y < image.height(); ++y)
        green += image.pixel(6, y) == qRgb(0, 255, 0) || image.pixel(7, y) == qRgb(0, 255, 0);
    QVERIFY(green > 0); // the second bar, x = 13 / 2
}

void ChartImageTest::printingIsBlackOnWhite() {
    m_bars.SetWorkColor(kItemBackground, 4);
    m_bars.CommitColors();
    const QImage image = Draw(655, 420, CSize{655, 420}, true);
    QCOMPARE(image.pixel(300, 200), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(13, 420 - 100), qRgb(0, 0, 0));
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            blue += image.pixel(x, y) == qRgb(0, 0, 255);
    QVERIFY(blue > 20); // close ticks and the last close
}

QTEST_MAIN(ChartImageTest)
#include "ChartImageTest.moc"
