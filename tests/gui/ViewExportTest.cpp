// The chart out of the program and files into it: Copy, Export Chart, Export Quotes, and a folder
// dropped on the window.

#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"
#include "platform/Commands.h"
#include "tests/gui/AppFixture.h"
#include "tests/support/MetaStockWriter.h"

#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QSvgRenderer>
#include <QtTest>

class ViewExportTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_pFixture = std::make_unique<CAppFixture>();
        QCOMPARE(m_pFixture->Start({CAppFixture::Sample()}), -1);
    }
    void cleanup() { m_pFixture.reset(); }
    void copyPutsTheChartOnTheClipboard();
    void exportChartWritesFilesThatOpen_data();
    void exportChartWritesFilesThatOpen();
    void exportQuotesWritesTheWholeHistory();
    void exportsSpareQuoteFilesAndSayWhyTheyFail();
    void droppingAFolderOpensItsMaster();

private:
    CTickvaneView& View() { return m_pFixture->m_pApp->View(); }
    std::unique_ptr<CAppFixture> m_pFixture;
};

void ViewExportTest::copyPutsTheChartOnTheClipboard() {
    QVERIFY(m_pFixture->Activate());
    for (const Qt::Key key : {Qt::Key_C, Qt::Key_Insert}) {
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&View(), key, Qt::ControlModifier);
        const QImage image = QGuiApplication::clipboard()->image();
        QCOMPARE(image.size(), View().size());
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32), View().ChartImage());
    }
}

void ViewExportTest::exportChartWritesFilesThatOpen_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("written");
    QTest::newRow("PNG") << "chart.png"
                         << ""
                         << "chart.png";
    QTest::newRow("SVG in capitals") << "chart.SVG"
                                     << ""
                                     << "chart.SVG";
    QTest::newRow("PDF") << "chart.pdf"
                         << ""
                         << "chart.pdf";
    QTest::newRow("no extension: the filter's") << "chart"
                                                << "SVG drawing (*.svg)"
                                                << "chart.svg";
}

void ViewExportTest::exportChartWritesFilesThatOpen() {
    QFETCH(QString, chosen);
    QFETCH(QString, filter);
    QFETCH(QString, written);
    CAppFixture& f = *m_pFixture;
    f.m_dialogs.m_savePaths.push_back(f.m_dir / chosen.toStdString());
    f.m_dialogs.m_strSaveFilter = filter;
    QVERIFY(f.m_pApp->Router().Execute(ID_FILE_EXPORT_CHART));
    QVERIFY(f.m_messages.TakeShown().empty());
    const QString path = QString::fromStdString(f.m_dir / written.toStdString());
    QVERIFY(!QFile::exists(path + ".part"));
    if (written.endsWith(".png")) {
        QCOMPARE(QImage(path).size(), View().size());
    } else if (written.endsWith(".svg", Qt::CaseInsensitive)) {
        QSvgRenderer svg(path);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox(), View().rect());
    } else {
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"));
        QCOMPARE(bytes.count("/Type /Page\n"), 1);
    }
}

void ViewExportTest::exportQuotesWritesTheWholeHistory() {
    CAppFixture& f = *m_pFixture;
    f.m_dialogs.m_savePaths.push_back(f.m_dir / "quotes");
    QVERIFY(f.m_pApp->Router().Execute(ID_FILE_EXPORT_QUOTES));
    QFile csv(QString::fromStdString(f.m_dir / "quotes.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QCOMPARE(lines.first(), QByteArray("date,time,open,high,low,close,volume,oi"));
    const int records = f.m_pApp->Document().Bars().Window().GetRecordCount();
    QVERIFY(records > 800);
    QCOMPARE(lines.size(), records + 2); // the header, and nothing after the last line break
}

// Quote files are only read, whatever case their name is typed in. A folder that is not there
// gets a message that names the file.
void ViewExportTest::exportsSpareQuoteFilesAndSayWhyTheyFail() {
    CAppFixture& f = *m_pFixture;
    const std::string folder = f.m_dir.MakeSubdirectory("quotes");
    WriteBytes(folder + "MASTER", MasterFileBytes({SecurityEntry(7, "ACME", "ACME")}));
    WriteBytes(folder + "F7.DAT", PriceFileBytes(28, {{1030102, 7, 8, 6, 7, 100, 0}}));
    QVERIFY(f.m_pApp->OpenDocumentFile(folder + "MASTER"));
    const Bytes master = ReadBytes(folder + "MASTER"), prices = ReadBytes(folder + "F7.DAT");
    f.m_dialogs.m_strSaveFilter = QStringLiteral("All Files (*)");
    f.m_dialogs.m_savePaths = {folder + "f7.dat", folder + "Master", folder + "F7.DOP"};
    for (int i = 0; i < 3; ++i)
        QVERIFY(!View().OnFileExportQuotes());
    f.m_dialogs.m_savePaths = {f.m_dir / "missing/chart.png"};
    QVERIFY(!View().OnFileExportChart());
    const std::vector<std::string> shown = f.m_messages.TakeShown();
    QCOMPARE(shown.size(), std::size_t(4));
    QVERIFY(QString::fromStdString(shown[2]).contains("does not write over"));
    QVERIFY(QString::fromStdString(shown[3]).contains("missing/chart.png"));
    QVERIFY(ReadBytes(folder + "MASTER") == master && ReadBytes(folder + "F7.DAT") == prices);
    QVERIFY(!QFile::exists(QString::fromStdString(folder + "F7.DOP")));
}

void ViewExportTest::droppingAFolderOpensItsMaster() {
    CAppFixture& f = *m_pFixture;
    QVERIFY(f.m_pApp->OpenDocumentFile(f.m_dir.Path()));
    QCOMPARE(f.m_pApp->Document().Bars().GetSymbolCount(), 0);
    f.m_messages.TakeShown();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral(TICKVANE_SOURCE_DIR "/samples/demo"))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&f.m_pApp->Frame(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&f.m_pApp->Frame(), &drop);
    QTRY_COMPARE(f.m_pApp->Document().Bars().GetSymbolCount(), 28);
    QCOMPARE(QString(f.m_pApp->Document().Bars().GetMasterPath()),
             QString::fromStdString(CAppFixture::Sample()));
    QVERIFY(f.m_messages.TakeShown().empty());
}

QTEST_MAIN(ViewExportTest)
#include "ViewExportTest.moc"
