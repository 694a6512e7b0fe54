// The one writer of chart pictures: the format by the extension, the file whole or not at all.

#include "picture/ChartFile.h"
#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QtTest>

#include <filesystem>

class ChartFileTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void formatComesFromTheExtension_data();
    void formatComesFromTheExtension();
    void eachFormatIsWrittenWhole_data();
    void eachFormatIsWrittenWhole();
    void failuresLeaveAnEarlierFileAsItWas();

private:
    ChartFileFailure Write(const std::string& path, QSize size = QSize(400, 300)) {
        return WriteChartPicture(m_bars, path, {size, QGuiApplication::font(), 96, false});
    }
    // The names in the scratch folder.
    QStringList Names() const {
        return QDir(QString::fromStdString(m_dir.Path()))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    CTempDir m_dir;
    CMemorySettings m_settings;
    CScriptedMessages m_messages;
    CBars m_bars{m_settings, m_messages};
};

void ChartFileTest::init() {
    std::vector<PriceRecord> records;
    for (int i = 0; i < 20; ++i)
        records.push_back({float(1030102 + i), float(10 + i), float(11 + i), float(9 + i),
                           float(10 + i), 1000, 0});
    WriteBytes(m_dir / "MASTER", MasterFileBytes({SecurityEntry(1, "ACME", "ACME")}));
    WriteBytes(m_dir / "F1.DAT", PriceFileBytes(28, records));
    QVERIFY(m_bars.SetMasterPath((m_dir / "MASTER").c_str()));
    QCOMPARE(m_bars.ReadMaster(), 0);
    QCOMPARE(m_bars.ReadCurrentSymbol(), 0);
}

void ChartFileTest::formatComesFromTheExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format");
    QTest::newRow("png") << "chart.png" << int(ChartFileFormat::Png);
    QTest::newRow("upper case") << "CHART.PNG" << int(ChartFileFormat::Png);
    QTest::newRow("svg") << "a/b.Svg" << int(ChartFileFormat::Svg);
    QTest::newRow("pdf") << "chart.pdf" << int(ChartFileFormat::Pdf);
    QTest::newRow("no dot") << "chartpng" << int(ChartFileFormat::None);
    QTest::newRow("other") << "chart.csv" << int(ChartFileFormat::None);
}

void ChartFileTest::formatComesFromTheExtension() {
    QFETCH(QString, name);
    QFETCH(int, format);
    QCOMPARE(int(ChartFormatOfName(name)), format);
}

void ChartFileTest::eachFormatIsWrittenWhole_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("png") << "chart.png" << QByteArray("\x89PNG");
    QTest::newRow("svg") << "chart.SVG" << QByteArray("<?xml");
    QTest::newRow("pdf") << "chart.pdf" << QByteArray("%PDF-");
}

void ChartFileTest::eachFormatIsWrittenWhole() {
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    const std::string path = m_dir / name.toStdString();
    WriteText(path, "an earlier file");
    QCOMPARE(int(Write(path)), int(ChartFileFailure::kNone));
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY2(bytes.startsWith(start), bytes.left(16).constData());
    if (start.startsWith("\x89"))
        QCOMPARE(QImage::fromData(bytes).size(), QSize(400, 300));
    QVERIFY(Names().filter(QStringLiteral(".part")).isEmpty());
}

void ChartFileTest::failuresLeaveAnEarlierFileAsItWas() {
    const std::string earlier = m_dir / "chart.png";
    WriteText(earlier, "an earlier file");
    QCOMPARE(int(Write(earlier, QSize(0, 300))), int(ChartFileFailure::kNoChart));
    QCOMPARE(int(Write(m_dir / "chart.txt")), int(ChartFileFailure::kUnknownFormat));
    QCOMPARE(int(Write(m_dir / "missing/chart.png")), int(ChartFileFailure::kNotWritten));
    // A folder in the way takes no file, and keeps what it holds.
    const std::string folder = m_dir.MakeSubdirectory("folder.png");
    WriteText(folder + "inside", "kept");
    QCOMPARE(int(Write(m_dir / "folder.png")), int(ChartFileFailure::kNotReplaced));
    QCOMPARE(ReadBytes(folder + "inside"), (Bytes{'k', 'e', 'p', 't'}));
    const Bytes text = ReadBytes(earlier);
    QCOMPARE(std::string(text.begin(), text.end()), std::string("an earlier file"));
    QVERIFY(Names().filter(QStringLiteral(".part")).isEmpty());
}

QTEST_MAIN(ChartFileTest)
#include "ChartFileTest.moc"
