// The Go To dialog and the Go To command.

#include "dialogs/GoToDlg.h"
#include "dialogs/DialogCommands.h"
#include "dialogs/GoToOrder.h"
#include "dialogs/SymbolListBox.h"
#include "tests/gui/DialogFixture.h"

#include <QRadioButton>
#include <QtTest>

namespace {

// The symbols of the list's lines, top to bottom, as the bytes of the directory.
QByteArrayList Symbols(const CGoToDlg& dlg) {
    QByteArrayList symbols;
    for (int row = 0; row < dlg.List().Count(); ++row) {
        const std::string line = dlg.List().LineBytes(row);
        symbols << QByteArray::fromStdString(line.substr(0, line.find('\t')));
    }
    return symbols;
}

void ClickSort(CGoToDlg& dlg, int sorting) {
    static_cast<QRadioButton*>(dlg.GetDlgItem(CGoToDlg::IDC_SORT_MASTER + sorting))->click();
}

// A folder of 65,535 securities, 255 in MASTER and the rest in XMASTER, in no order of symbol or
// name, with names of up to 45 characters. Only its index files are written: the dialog lists
// the directory and reads no prices.
bool LoadLargeFolder(CChartFixture& fix) {
    constexpr int kMasterCount = 255, kLast = 65535;
    const auto word = [](unsigned n, int letters) {
        std::string text;
        for (int i = 0; i < letters; ++i, n /= 26)
            text += static_cast<char>('A' + n % 26);
        return text;
    };
    const auto scrambled = [](int n) { return static_cast<unsigned>(n) * 2654435761U % 1000003U; };
    std::vector<MasterEntry> master;
    std::vector<IndexEntry> xmaster;
    for (int n = 1; n <= kLast; ++n) {
        const unsigned key = scrambled(n);
        const std::string symbol = word(key, 4) + std::to_string(n % 10);
        const std::string name =
            word(key / 7, 6) + " INTERNATIONAL HOLDINGS AND TRADING CO " + std::to_string(n);
        if (n <= kMasterCount) {
            master.push_back(SecurityEntry(n, symbol, name.substr(0, 16)));
        } else {
            IndexEntry entry;
            entry.fileNumber = n;
            entry.symbol = symbol;
            entry.name = name.substr(0, 45);
            xmaster.push_back(entry);
        }
    }
    WriteBytes(fix.dir / "MASTER", MasterFileBytes(master));
    WriteBytes(fix.dir / "XMASTER", XmasterFileBytes(xmaster));
    return fix.bars.SetMasterPath((fix.dir / "MASTER").c_str()) && fix.bars.ReadMaster() == 0 &&
           fix.bars.GetSymbolCount() == kLast;
}

int SelectedEntry(const CGoToDlg& dlg) {
    return dlg.List().Entry(dlg.List().SelectedRow());
}

} // namespace

class GoToDlgTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_pFix = std::make_unique<CChartFixture>(); }
    void cleanup() { m_pFix.reset(); }

    void linesFollowTheChosenOrder_data() {
        QTest::addColumn<QByteArrayList>("symbols"); // in directory order
        QTest::addColumn<QByteArrayList>("names");
        QTest::addColumn<int>("sorting");
        QTest::addColumn<QByteArrayList>("shown"); // the symbols
        const QByteArrayList mixed{"ibm", "AAPL", "Msft"};
        const QByteArrayList mixedNames{"Intl Business", "apple", "MICROSOFT"};
        const QByteArrayList four{"A", "B", "C", "D"};
        QTest::newRow("master") << mixed << mixedNames << 0 << mixed;
        QTest::newRow("symbol, letters folded")
            << mixed << mixedNames << 1 << QByteArrayList{"AAPL", "ibm", "Msft"};
        QTest::newRow("name, letters folded")
            << mixed << mixedNames << 2 << QByteArrayList{"AAPL", "ibm", "Msft"};
        QTest::newRow("equal names keep directory order")
            << four << QByteArrayList{"SAME", "SAME", "AARDVARK", "SAME"} << 2
            << QByteArrayList{"C", "A", "B", "D"};
        QTest::newRow("equal symbols keep directory order")
            << QByteArrayList{"X", "B", "X", "A"} << QByteArrayList{"1", "2", "3", "4"} << 1
            << QByteArrayList{"A", "B", "X", "X"};
        // Names keep their blanks; '[' lies between 'Z' and 'a'.
        QTest::newRow("blanks first, bytes unsigned")
            << four << QByteArrayList{"\xC3\x84RGER", "ZULU", "Z", "z["} << 2
            << QByteArrayList{"C", "D", "B", "A"};
    }
    void linesFollowTheChosenOrder() {
        QFETCH(QByteArrayList, symbols);
        QFETCH(QByteArrayList, names);
        QFETCH(int, sorting);
        QFETCH(QByteArrayList, shown);
        CChartFixture::Entries entries;
        for (int i = 0; i < symbols.size(); ++i)
            entries.push_back({symbols[i].toStdString(), names[i].toStdString()});
        QVERIFY(m_pFix->Load(entries));
        m_pFix->settings.WriteInt("GoToDialog", "Sorting", sorting);
        CGoToDlg dlg(m_pFix->settings);
        dlg.m_pBars = &m_pFix->bars;
        dlg.show();
        QCOMPARE(Symbols(dlg), shown);
        QVERIFY(static_cast<QRadioButton*>(dlg.GetDlgItem(112 + sorting))->isChecked());
    }

    void selectionIsKeptAndScrolledToTheTop() {
        CChartFixture::Entries entries;
        for (int i = 0; i < 40; ++i)
            entries.push_back({"S" + std::to_string(100 + i), "N" + std::to_string(200 - i)});
        QVERIFY(m_pFix->Load(entries));
        m_pFix->bars.StepSymbol(30);
        m_pFix->settings.WriteInt("GoToDialog", "Sorting", 2);
        CGoToDlg dlg(m_pFix->settings);
        dlg.m_pBars = &m_pFix->bars;
        dlg.show();
        CSymbolListBox& list = dlg.List();
        const auto topEntry = [&list] {
            return list.indexAt(QPoint(1, 1)).data(CSymbolListBox::EntryRole).toInt();
        };
        QCOMPARE(SelectedEntry(dlg), 30);
        QCOMPARE(topEntry(), 30);

        list.SetCurrentRow(list.Count() - 1 - 20); // in name order: entry 20
        ClickSort(dlg, 1);
        QCOMPARE(SelectedEntry(dlg), 20);
        QCOMPARE(topEntry(), 20);
        QCOMPARE(m_pFix->settings.ReadInt("GoToDialog", "Sorting", -1), 1);
    }

    void controlsFollowTheDialogsSize_data() {
        QTest::addColumn<QSize>("grow");   // pixels beyond the template's size
        QTest::addColumn<QSize>("beyond"); // what the dialog takes of them
        QTest::newRow("template size") << QSize(0, 0) << QSize(0, 0);
        QTest::newRow("wider") << QSize(300, 0) << QSize(300, 0);
        QTest::newRow("taller") << QSize(0, 200) << QSize(0, 200);
        QTest::newRow("larger") << QSize(450, 333) << QSize(450, 333);
        QTest::newRow("smaller: the template's size") << QSize(-100, -50) << QSize(0, 0);
    }
    void controlsFollowTheDialogsSize() {
        QFETCH(QSize, grow);
        QFETCH(QSize, beyond);
        QVERIFY(m_pFix->Load({{"A", "x"}, {"B", "y"}}));
        CGoToDlg dlg(m_pFix->settings);
        dlg.m_pBars = &m_pFix->bars;
        dlg.show();
        QCOMPARE(dlg.size(), dlg.TemplateSize());
        dlg.resize(dlg.TemplateSize() + grow);
        QCOMPARE(dlg.size(), dlg.TemplateSize() + beyond);

        const CDialogUnits& units = dlg.Units();
        const QPoint right(beyond.width(), 0), down(0, beyond.height());
        QCOMPARE(dlg.GetDlgItem(IDOK)->pos(),
                 units.Rect(130, 120, 50, 14).topLeft() + right + down);
        QCOMPARE(dlg.GetDlgItem(IDCANCEL)->pos(),
                 units.Rect(190, 120, 50, 14).topLeft() + right + down);
        QCOMPARE(dlg.GetDlgItem(CGoToDlg::IDC_SORT_NAME)->pos(),
                 units.Rect(135, 65, 45, 15).topLeft() + right);
        // The list takes the room, in whole lines, within the dialog.
        const QRect placed = units.Rect(5, 23, 115, 127);
        const QRect list = dlg.List().geometry();
        QCOMPARE(list.topLeft(), placed.topLeft());
        QCOMPARE(list.width(), placed.width() + beyond.width());
        const int room = std::min(placed.height() + beyond.height(), dlg.height() - placed.top());
        QVERIFY(list.height() <= room);
        QVERIFY(list.height() > room - dlg.List().LineHeight());
        QCOMPARE((list.height() - 2 * dlg.List().frameWidth()) % dlg.List().LineHeight(), 0);
    }

    void sizeIsKeptForTheNextOpening_data() {
        QTest::addColumn<QSize>("stored"); // "Width" and "Height" before, in dialog units
        QTest::addColumn<QSize>("grow");   // the user's resizing, pixels
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QSize>("opens"); // the next opening beyond the template's size, pixels
        QTest::newRow("none stored, left alone") << QSize() << QSize(0, 0) << true << QSize(0, 0);
        QTest::newRow("made larger, OK") << QSize() << QSize(200, 100) << true << QSize(200, 100);
        QTest::newRow("made larger, Cancel")
            << QSize() << QSize(200, 100) << false << QSize(200, 100);
        QTest::newRow("stored, made smaller")
            << QSize(400, 300) << QSize(-5000, -5000) << true << QSize(0, 0);
        QTest::newRow("stored smaller than the template")
            << QSize(10, 10) << QSize(0, 0) << true << QSize(0, 0);
    }
    void sizeIsKeptForTheNextOpening() {
        QFETCH(QSize, stored);
        QFETCH(QSize, grow);
        QFETCH(bool, ok);
        QFETCH(QSize, opens);
        QVERIFY(m_pFix->Load({{"A", "x"}}));
        if (stored.isValid()) {
            m_pFix->settings.WriteInt("GoToDialog", "Width", stored.width());
            m_pFix->settings.WriteInt("GoToDialog", "Height", stored.height());
        }
        {
            CGoToDlg dlg(m_pFix->settings);
            dlg.m_pBars = &m_pFix->bars;
            dlg.show();
            dlg.resize(dlg.size() + grow);
            ok ? dlg.accept() : dlg.reject();
        }
        CGoToDlg dlg(m_pFix->settings);
        dlg.m_pBars = &m_pFix->bars;
        dlg.show();
        // Dialog units round to within a pixel.
        const QSize beyond = dlg.size() - dlg.TemplateSize();
        QVERIFY2(std::abs(beyond.width() - opens.width()) <= 1 &&
                     std::abs(beyond.height() - opens.height()) <= 1,
                 qPrintable(QString("%1x%2").arg(beyond.width()).arg(beyond.height())));
        QCOMPARE(m_pFix->settings.ReadInt("GoToDialog", "Width", -1) != -1,
                 stored.isValid() || !grow.isNull());
    }

    void sizeIsNotStoredByADialogNeverShown() {
        CGoToDlg dlg(m_pFix->settings);
        dlg.accept();
        QCOMPARE(m_pFix->settings.ReadInt("GoToDialog", "Width", -1), -1);
    }

    void sizeIsNoLargerThanTheScreen() {
        QVERIFY(m_pFix->Load({{"A", "x"}}));
        m_pFix->settings.WriteInt("GoToDialog", "Width", 100000);
        m_pFix->settings.WriteInt("GoToDialog", "Height", 100000);
        CGoToDlg dlg(m_pFix->settings);
        dlg.m_pBars = &m_pFix->bars;
        dlg.show();
        QCOMPARE(dlg.size(), dlg.screen()->availableGeometry().size());
    }

    void longNamesShowWholeInAWideEnoughDialog_data() {
        QTest::addColumn<int>("row");         // in directory order
        QTest::addColumn<QList<int>>("grow"); // the dialog's widenings in turn, pixels
        QTest::addColumn<bool>("whole");
        QTest::newRow("MASTER name and its blanks") << 0 << QList<int>{} << true;
        QTest::newRow("45 characters, template size") << 2 << QList<int>{} << false;
        QTest::newRow("45 characters, wide") << 2 << QList<int>{700} << true;
        QTest::newRow("51 characters, template size") << 1 << QList<int>{} << false;
        QTest::newRow("51 characters, wide") << 1 << QList<int>{700} << true;
        QTest::newRow("51 characters, wide and narrow again") << 1 << QList<int>{700, 0} << false;
    }
    void longNamesShowWholeInAWideEnoughDialog() {
        QFETCH(int, row);
        QFETCH(QList<int>, grow);
        QFETCH(bool, whole);
        const std::string name45 = "NORTHERN CONTINENTAL RAILWAY & STEAMSHIP CO 1";
        const std::string name51 = "AMALGAMATED ELECTRICAL & MECHANICAL ENGINEERING PLC";
        // MASTER's own name, a long name of EMASTER and a name of XMASTER.
        std::vector<MasterEntry> master{SecurityEntry(1, "888.L", "888.L"),
                                        SecurityEntry(2, "AMEM", name51.substr(0, 16))};
        IndexEntry emaster[2];
        emaster[0].fileNumber = 1, emaster[0].symbol = "888.L", emaster[0].name = "888.L";
        emaster[1].fileNumber = 2, emaster[1].symbol = "AMEM",
        emaster[1].name = name51.substr(0, 16);
        emaster[1].longName = name51;
        IndexEntry xmaster;
        xmaster.symbol = "NCRS", xmaster.name = name45;
        WriteBytes(m_pFix->dir / "MASTER", MasterFileBytes(master));
        WriteBytes(m_pFix->dir / "EMASTER", EmasterFileBytes({emaster[0], emaster[1]}));
        WriteBytes(m_pFix->dir / "XMASTER", XmasterFileBytes({xmaster}));
        QVERIFY(m_pFix->bars.SetMasterPath((m_pFix->dir / "MASTER").c_str()));
        QCOMPARE(m_pFix->bars.ReadMaster(), 0);
        QCOMPARE(m_pFix->bars.GetSymbolCount(), 3);

        CGoToDlg dlg(m_pFix->settings);
        dlg.m_pBars = &m_pFix->bars;
        dlg.show();
        for (int pixels : grow)
            dlg.resize(dlg.TemplateSize() + QSize(pixels, 0));
        const QString shown = dlg.List().ShownName(row);
        const QString name = QString::fromUtf8(m_pFix->bars.GetName(row)).trimmed();
        QCOMPARE(shown == name, whole);
        QCOMPARE(dlg.List().NameTip(row), whole ? QString() : name);
        if (!whole)
            QVERIFY(shown.endsWith(QChar(0x2026)));
    }

    void typingJumpsToTheFirstLineStartingWithIt_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("row");
        QTest::newRow("two letters") << "ms" << 2;
        QTest::newRow("other case") << "I" << 1;
        QTest::newRow("three letters") << "msa" << 3;
        QTest::newRow("same letter again: next") << "mm" << 2;
        QTest::newRow("no such line") << "x" << 0;
    }
    void typingJumpsToTheFirstLineStartingWithIt() {
        QFETCH(QString, typed);
        QFETCH(int, row);
        QVERIFY(m_pFix->Load({{"MA", "x"}, {"ibm", "x"}, {"MSFT", "x"}, {"MSA", "x"}}));
        CGoToDlg dlg(m_pFix->settings);
        dlg.m_pBars = &m_pFix->bars;
        dlg.show();
        QTest::keyClicks(&dlg.List(), typed);
        QCOMPARE(dlg.List().CurrentRow(), row);
    }

    void typingFollowsTheSortedColumn_data() {
        QTest::addColumn<int>("sorting");
        QTest::addColumn<QString>("typed"); // '~' a pause of 0.9 s, '|' one of 1.1 s
        QTest::addColumn<int>("row");
        // By symbol: ibm, MA, MSA, MSFT, OEL, ZION; by name: International, Microsoft, Mine, Zeta,
        // Zions, \u00D6lwerke (a name of MASTER in Latin-1); in master order: MA, ibm, MSFT, MSA,
        // ZION, OEL.
        QTest::newRow("master order: symbols") << 0 << "ms" << 2;
        QTest::newRow("symbol order: symbols") << 1 << "ms" << 2;
        QTest::newRow("symbol order: not the names") << 1 << "mine" << 1;
        QTest::newRow("name order: names") << 2 << "mine" << 2;
        QTest::newRow("name order: not the symbols") << 2 << "ms" << 1;
        QTest::newRow("name order: case ignored") << 2 << "ZIONS" << 4;
        QTest::newRow("name order: beyond ASCII") << 2 << QString::fromUtf8("\xC3\xB6l") << 5;
        QTest::newRow("name order: same letter again") << 2 << "mm" << 2;
        QTest::newRow("name order: same letter, other case") << 2 << "mM" << 2;
        QTest::newRow("name order: same letter, past the last") << 2 << "mmm" << 1;
        QTest::newRow("no pause: one search") << 1 << "msi" << 2;
        QTest::newRow("short pause: one search") << 1 << "ms~f" << 3;
        QTest::newRow("pause: a new search") << 1 << "ms|i" << 0;
        QTest::newRow("pause: the same letter from the top") << 2 << "mm|m" << 1;
    }
    void typingFollowsTheSortedColumn() {
        QFETCH(int, sorting);
        QFETCH(QString, typed);
        QFETCH(int, row);
        QVERIFY(m_pFix->Load({{"MA", "Zeta Corp"},
                              {"ibm", "International Business Machines"},
                              {"MSFT", "Microsoft"},
                              {"MSA", "Mine Safety"},
                              {"ZION", "Zions Bancorp"},
                              {"OEL", "\xD6LWERKE"}}));
        m_pFix->settings.WriteInt("GoToDialog", "Sorting", sorting);
        CGoToDlg dlg(m_pFix->settings);
        dlg.m_pBars = &m_pFix->bars;
        dlg.show();
        qint64 now = 0;
        dlg.List().SetClock([&now] { return now; });
        for (QChar c : typed) {
            if (c == '~' || c == '|') {
                now += c == '~' ? 900 : 1100;
                continue;
            }
            now += 50;
            QTest::sendKeyEvent(QTest::Click, &dlg.List(), Qt::Key(c.toUpper().unicode()), c,
                                Qt::NoModifier);
        }
        QCOMPARE(dlg.List().CurrentRow(), row);
    }

    void commandMakesTheChosenLinesSymbolCurrent_data() {
        QTest::addColumn<QString>("action"); // what the user does in the dialog
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("sorting"); // stored afterwards
        QTest::newRow("OK on the third line") << "select 2, ok" << 2 << 0;
        QTest::newRow("double-click") << "select 2, double-click" << 2 << 0;
        QTest::newRow("Enter in the list") << "select 2, enter" << 2 << 0;
        QTest::newRow("shared symbol: first entry") << "select 3, ok" << 1 << 0;
        QTest::newRow("Name, then Cancel") << "name, select 2, cancel" << 0 << 2;
        QTest::newRow("no line") << "unselect, ok" << 0 << 0;
    }
    void commandMakesTheChosenLinesSymbolCurrent() {
        QFETCH(QString, action);
        QFETCH(int, current);
        QFETCH(int, sorting);
        QVERIFY(
            m_pFix->Load({{"AAA", "ZETA"}, {"DUP", "FIRST"}, {"CCC", "ALPHA"}, {"DUP", "SECOND"}}));
        int updates = 0;
        RunGoToCommand(
            m_pFix->bars, m_pFix->settings, [&updates] { ++updates; }, nullptr,
            [&action](QDialog& dialog) {
                auto& dlg = static_cast<CGoToDlg&>(dialog);
                dlg.show();
                CSymbolListBox& list = dlg.List();
                for (const QString& step : action.split(", ")) {
                    if (step.startsWith("select"))
                        list.SetCurrentRow(step.section(' ', 1).toInt());
                    else if (step == "unselect")
                        list.clearSelection();
                    else if (step == "name")
                        ClickSort(dlg, 2);
                    else if (step == "ok")
                        dlg.accept();
                    else if (step == "cancel")
                        dlg.reject();
                    else if (step == "enter")
                        QTest::keyClick(&list, Qt::Key_Return);
                    else if (step == "double-click")
                        emit list.doubleClicked(list.currentIndex());
                }
                return dlg.result();
            });
        QCOMPARE(m_pFix->bars.GetCurrentIndex(), current);
        QVERIFY(m_pFix->bars.IsDataLoaded());
        QVERIFY(m_pFix->messages.TakeShown().empty());
        QCOMPARE(m_pFix->settings.ReadInt("GoToDialog", "Sorting", -1), sorting);
        QCOMPARE(updates, current > 0 ? 1 : 0);
    }

    // 65,535 entries open and sort without a delay a user would notice: each run reports the time.
    void opensLargeFolder_data() { SortingRows(); }
    void opensLargeFolder() {
        QFETCH(int, sorting);
        CChartFixture& large = LargeFolder();
        large.settings.WriteInt("GoToDialog", "Sorting", sorting);
        QBENCHMARK {
            CGoToDlg dlg(large.settings);
            dlg.m_pBars = &large.bars;
            dlg.show();
            QCOMPARE(dlg.List().Count(), 65535);
        }
    }

    void sortsLargeFolder_data() { SortingRows(); }
    void sortsLargeFolder() {
        QFETCH(int, sorting);
        CChartFixture& large = LargeFolder();
        large.settings.WriteInt("GoToDialog", "Sorting", (sorting + 1) % 3);
        CGoToDlg dlg(large.settings);
        dlg.m_pBars = &large.bars;
        dlg.show();
        QBENCHMARK {
            ClickSort(dlg, sorting);
        }
        const CSymbolListBox& list = dlg.List();
        QCOMPARE(list.Count(), 65535);
        QCOMPARE(SelectedEntry(dlg), 0);
        const auto key = [&list, sorting](int row) {
            const std::string line = list.LineBytes(row);
            const std::size_t tab = line.find('\t');
            return sorting == 1 ? line.substr(0, tab) : line.substr(tab + 1);
        };
        for (int row = 1; row < list.Count(); ++row)
            QVERIFY(sorting == 0 ? list.Entry(row) == row : !FoldedLess(key(row), key(row - 1)));
    }

    // A letter that no line starts with reads all 65,535 symbols or names.
    void searchesLargeFolder_data() { SortingRows(); }
    void searchesLargeFolder() {
        QFETCH(int, sorting);
        CChartFixture& large = LargeFolder();
        large.settings.WriteInt("GoToDialog", "Sorting", sorting);
        CGoToDlg dlg(large.settings);
        dlg.m_pBars = &large.bars;
        dlg.show();
        qint64 now = 0;
        dlg.List().SetClock([&now] { return now; });
        QBENCHMARK {
            now += 2 * CSymbolListBox::kTypingPause;
            QTest::keyClicks(&dlg.List(), "7");
        }
        QCOMPARE(SelectedEntry(dlg), 0);
    }

private:
    static void SortingRows() {
        QTest::addColumn<int>("sorting");
        QTest::newRow("master file order") << 0;
        QTest::newRow("symbol") << 1;
        QTest::newRow("name") << 2;
    }
    // Written once for the tests that time the dialog.
    CChartFixture& LargeFolder() {
        if (!m_pLarge) {
            m_pLarge = std::make_unique<CChartFixture>();
            if (!LoadLargeFolder(*m_pLarge))
                qFatal("the folder of 65,535 securities does not read");
        }
        return *m_pLarge;
    }

    std::unique_ptr<CChartFixture> m_pFix;
    std::unique_ptr<CChartFixture> m_pLarge;
};

QTEST_MAIN(GoToDlgTest)
#include "GoToDlgTest.moc"
