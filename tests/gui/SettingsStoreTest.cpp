#include "qt/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>

namespace {

std::string Bytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

private:
    QString SettingsFile() const { return m_pDir->filePath("config/Velmora/Tickvane.ini"); }
    QString WinDir() const { return m_pDir->filePath("windows"); }

    std::unique_ptr<QTemporaryDir> m_pDir;
    CSettingsStore m_store;

private slots:
    void init() {
        m_pDir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_pDir->isValid());
        QVERIFY(QDir().mkpath(WinDir()));
        qputenv("TICKVANE_SETTINGS", QFile::encodeName(SettingsFile()));
        qputenv("TICKVANE_WINDIR", QFile::encodeName(WinDir()));
        m_store = CSettingsStore();
    }

    void readIntScansLeadingNumber_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("leading blank") << QByteArray(" 42") << 42;
        QTest::newRow("trailing letters") << QByteArray("42abc") << 42;
        QTest::newRow("plus sign") << QByteArray("+42") << 42;
        QTest::newRow("minus sign") << QByteArray("-5") << -5;
        QTest::newRow("tab, zeros, rest") << QByteArray("\t-0012x") << -12;
        QTest::newRow("empty") << QByteArray("") << 7;
        QTest::newRow("letters") << QByteArray("abc") << 7;
        QTest::newRow("sign only") << QByteArray("-") << 7;
    }
    void readIntScansLeadingNumber() {
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        QVERIFY(m_store.SetUp());
        QVERIFY(m_store.WriteString("ViewOptions", "BarSpace", stored.toStdString()));
        QCOMPARE(m_store.ReadInt("ViewOptions", "BarSpace", 7), expected);
        QCOMPARE(m_store.ReadInt("ViewOptions", "Missing", 7), 7);
    }

    // 259 characters and the terminator fill the reader's 260 bytes; one more is too long.
    void valuesBeyondTheLimitReadAsAbsent() {
        QVERIFY(m_store.SetUp());
        const std::string fits = "5" + std::string(kMaxSettingBytes - 2, 'x');
        const std::string tooLong = fits + "x";
        QVERIFY(m_store.WriteString("Screen", "fits", fits));
        QVERIFY(m_store.WriteString("Screen", "long", tooLong));
        QCOMPARE(m_store.ReadString("Screen", "fits", "d"), fits);
        QCOMPARE(m_store.ReadInt("Screen", "fits", 0), 5);
        QCOMPARE(m_store.ReadString("Screen", "long", "d"), std::string("d"));
        QCOMPARE(m_store.ReadInt("Screen", "long", 0), 0);
    }

    void writeIntStoresDecimalText() {
        QVERIFY(m_store.SetUp());
        QVERIFY(m_store.WriteInt("Screen", "x", -1));
        QCOMPARE(m_store.ReadString("Screen", "x", ""), std::string("-1"));
        QCOMPARE(m_store.ReadInt("Screen", "x", 0), -1);
    }

    void textsRoundTripExactly_data() {
        QTest::addColumn<QByteArray>("text");
        QByteArray high;
        for (int c = 0x80; c <= 0xFF; ++c)
            high += static_cast<char>(c);
        QTest::newRow("commas") << QByteArray("a,b, c");
        QTest::newRow("outer blanks") << QByteArray("  padded  ");
        QTest::newRow("variant syntax") << QByteArray("@Variant(x)");
        QTest::newRow("at signs") << QByteArray("@@x");
        QTest::newRow("quotes") << QByteArray("\"quoted\" 'single'");
        QTest::newRow("backslashes") << QByteArray("C:\\QUOTES\\MASTER \\n");
        QTest::newRow("bytes 0x80-0xFF") << high;
        QTest::newRow("ini syntax") << QByteArray("[x] a=b; #c");
        QTest::newRow("control characters") << QByteArray("line\r\nbreak\ttab");
        QTest::newRow("empty") << QByteArray("");
    }
    void textsRoundTripExactly() {
        QFETCH(QByteArray, text);
        QVERIFY(m_store.SetUp());
        QVERIFY(m_store.WriteString("ViewOptions", "Colors", text.toStdString()));
        CSettingsStore reader;
        QVERIFY(reader.SetUp());
        QCOMPARE(reader.ReadString("ViewOptions", "Colors", "d"), text.toStdString());
    }

    void readStringEndsAtNul() {
        QVERIFY(m_store.SetUp());
        QVERIFY(m_store.WriteString("Screen", "t", std::string("ab\0cd", 5)));
        QCOMPARE(m_store.ReadString("Screen", "t", "d"), std::string("ab"));
    }

    void writeIsSeenBySecondCopy() {
        CSettingsStore other;
        QVERIFY(m_store.SetUp());
        QVERIFY(other.SetUp());
        QCOMPARE(other.ReadInt("GoToDialog", "Sorting", 0), 0);
        QVERIFY(m_store.WriteInt("GoToDialog", "Sorting", 2));
        QCOMPARE(other.ReadInt("GoToDialog", "Sorting", 0), 2);
        QVERIFY(other.WriteInt("GoToDialog", "Sorting", 1));
        QCOMPARE(m_store.ReadInt("GoToDialog", "Sorting", 0), 1);
    }

    void namesMatchIgnoringCase() {
        QVERIFY(m_store.SetUp());
        QVERIFY(m_store.WriteInt("viewoptions", "barspace", 6));
        QCOMPARE(m_store.ReadInt("ViewOptions", "BarSpace", 4), 6);
        QVERIFY(m_store.WriteInt("ViewOptions", "BarSpace", 8));
        QCOMPARE(m_store.ReadInt("viewoptions", "barspace", 4), 8);
        QCOMPARE(QSettings(SettingsFile(), QSettings::IniFormat).allKeys().size(), 1);
    }

    void firstRunImportsOldFile() {
        const QByteArray longLine = "pad=" + QByteArray(200, 'p') + QByteArray(315, ' ') +
                                    "Sorting=2" + QByteArray(72, ' ');
        QCOMPARE(longLine.size(), 600);
        WriteFile(WinDir() + "/tickvane.ini", "x=1\r\n"
                                              "; comment\r\n"
                                              "  [Screen]  \r\n"
                                              "cx=800=12\r\n"
                                              "[Screen] x\r\n"
                                              "y=5\r\n"
                                              "a = b\r\n"
                                              "\r\n"
                                              "[viewoptions]\r\n"
                                              "BarSpace=6\r\n"
                                              "[ GoToDialog ]\r\n" +
                                                  longLine + "\r\n");
        QVERIFY(m_store.SetUp());
        QCOMPARE(m_store.RootFile(), Bytes(SettingsFile()));
        QCOMPARE(m_store.ReadString("Screen", "cx", ""), std::string("800=12"));
        QCOMPARE(m_store.ReadInt("Screen", "y", 0), 5);
        QCOMPARE(m_store.ReadInt("Screen", "x", -7), -7);
        QCOMPARE(m_store.ReadString("", "x", "none"), std::string("none"));
        QCOMPARE(m_store.ReadString("Screen", "a ", ""), std::string(" b"));
        QCOMPARE(m_store.ReadString("Screen", "a", "none"), std::string("none"));
        QCOMPARE(m_store.ReadInt("ViewOptions", "BarSpace", 4), 6);
        QCOMPARE(m_store.ReadString("GoToDialog", "pad", ""), std::string(200, 'p'));
        QCOMPARE(m_store.ReadInt("GoToDialog", "Sorting", 0), 2);
    }

    void importRunsOnlyWhenTheFileIsCreated() {
        WriteFile(WinDir() + "/TICKVANE.INI", "[ViewOptions]\nBarSpace=6\nShowVolume=0\n");
        bool newlyCreated = false;
        QVERIFY(m_store.CreateRootKey(Bytes(SettingsFile()), newlyCreated));
        QVERIFY(newlyCreated);
        QVERIFY(CSettingsStore().CreateRootKey(Bytes(SettingsFile()), newlyCreated));
        QVERIFY(!newlyCreated);

        QFile::remove(SettingsFile());
        QVERIFY(m_store.SetUp());
        QVERIFY(m_store.WriteInt("ViewOptions", "ShowVolume", 1));
        WriteFile(WinDir() + "/TICKVANE.INI", "[ViewOptions]\nBarSpace=9\nMA1Length=30\n");
        CSettingsStore nextRun;
        QVERIFY(nextRun.SetUp());
        QCOMPARE(nextRun.ReadInt("ViewOptions", "BarSpace", 4), 6);
        QCOMPARE(nextRun.ReadInt("ViewOptions", "ShowVolume", 0), 1);
        QCOMPARE(nextRun.ReadInt("ViewOptions", "MA1Length", 10), 10);
    }

    // Without the overrides everything lives in the user's configuration directory.
    void defaultsToConfigDirectory() {
        const QString config = m_pDir->filePath("xdg");
        QVERIFY(QDir().mkpath(config));
        qunsetenv("TICKVANE_SETTINGS");
        qunsetenv("TICKVANE_WINDIR");
        const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        WriteFile(config + "/Tickvane.INI", "[Screen]\ncy=480\n");
        const std::string file = CSettingsStore::DefaultFile();
        const bool setUp = m_store.SetUp();
        const int cy = m_store.ReadInt("Screen", "cy", 0);
        if (oldHome.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldHome);
        QCOMPARE(file, Bytes(config + "/Velmora/Tickvane.ini"));
        QVERIFY(setUp);
        QCOMPARE(cy, 480);
    }

    // A file that cannot be created behaves as a key that cannot be created: defaults, failed
    // writes, no import.
    void unwritableLocationGivesDefaults() {
        WriteFile(m_pDir->filePath("blocker"), "a regular file");
        qputenv("TICKVANE_SETTINGS", QFile::encodeName(m_pDir->filePath("blocker/Tickvane.ini")));
        WriteFile(WinDir() + "/Tickvane.INI", "[Screen]\ncx=800\n");
        CSettingsStore notSetUp;
        QVERIFY(!notSetUp.WriteInt("Screen", "cx", 1));
        QCOMPARE(notSetUp.ReadInt("Screen", "cx", 3), 3);
        QVERIFY(!m_store.SetUp());
        QCOMPARE(m_store.ReadInt("Screen", "cx", 3), 3);
        QVERIFY(!m_store.WriteInt("Screen", "cx", 640));
        QVERIFY(!m_store.WriteString("ViewOptions", "Colors", "0123456701"));
        QCOMPARE(m_store.ReadInt("Screen", "cx", 3), 3);
        QCOMPARE(m_store.ReadString("ViewOptions", "Colors", ""), std::string());
    }
};

QTEST_MAIN(SettingsStoreTest)
#include "SettingsStoreTest.moc"
