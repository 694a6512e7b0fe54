// The Chart menu of the desktop program: its items, what each does to the chart and the stored
// options, the check marks, the status pane of the records left out, and the options' life across
// openings and runs.

#include "app/CommandActions.h"
#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"
#include "chart/ChartCommands.h"
#include "chart/ViewOptions.h"
#include "dialogs/DialogCommands.h"
#include "dialogs/DirectionColorsDlg.h"
#include "tests/gui/AppFixture.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/SyntheticPrices.h"

#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QtTest>

#include <filesystem>

namespace {

using IdList = QList<int>;

// Weekdays from 2001 with whole-number prices; `bad` spoils three of the newest records: a high
// below the low, a close above the high and a low of 0.
std::vector<PriceRecord> Records(int count, bool bad) {
    std::vector<PriceRecord> records;
    CTradingDays day(2001);
    for (int i = 0; i < count; ++i, day.Next()) {
        const float close = float(50 + i % 40);
        records.push_back({day.Stored(), close, close + 2, close - 1, close, 1000, 0});
    }
    if (bad) {
        std::swap(records[count - 10][2], records[count - 10][3]);
        records[count - 5][4] = records[count - 5][2] + 5;
        records[count - 2][3] = 0;
    }
    return records;
}

// "Style,LogScale,Period,Grid,AxisLabels,ColorByDirection" as stored in section "Chart".
QString Stored(Settings& settings) {
    QStringList values;
    for (const char* name :
         {"Style", "LogScale", "Period", "Grid", "AxisLabels", "ColorByDirection"})
        values << QString::fromStdString(settings.ReadString(kChartSection, name, "-"));
    return values.join(u',');
}

} // namespace

class ChartMenuTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_pFixture.reset(); }
    void menuStandsBetweenViewAndSelect();
    void mnemonicsAreUniqueInEachMenu();
    void command_data();
    void command();
    void dailyOnlyForIntradayRecords();
    void leftOutPane_data();
    void leftOutPane();
    void optionsSurviveOpeningAndRestart();
    void themesAndDirectionColours();

private:
    CTickvaneApp& App() { return *m_pFixture->m_pApp; }
    CBars& Bars() { return App().Document().Bars(); }
    bool Run(int id) { return App().Router().Execute(id); }

    std::unique_ptr<CAppFixture> m_pFixture;
    std::string m_strMaster;
};

void ChartMenuTest::init() {
    m_pFixture = std::make_unique<CAppFixture>();
    const std::string folder = m_pFixture->m_dir.MakeSubdirectory("quotes");
    MasterEntry intraday = SecurityEntry(3, "INTRA", "INTRADAY");
    intraday.recordLength = 32;
    intraday.fieldCount = 8;
    WriteBytes(folder + "MASTER", MasterFileBytes({SecurityEntry(1, "LONG", "LONG"),
                                                   SecurityEntry(2, "BAD", "BAD"), intraday}));
    WriteBytes(folder + "F1.DAT", PriceFileBytes(28, Records(1500, false)));
    WriteBytes(folder + "F2.DAT", PriceFileBytes(28, Records(600, true)));
    std::vector<PriceRecord> minutes;
    for (const PriceRecord& day : Records(20, false))
        for (const float time : {93000.f, 120000.f, 160000.f})
            minutes.push_back({day[0], time, day[1], day[2], day[3], day[4], day[5], 0});
    WriteBytes(folder + "F3.DAT", PriceFileBytes(32, minutes));
    m_strMaster = folder + "MASTER";
    QCOMPARE(m_pFixture->Start({m_strMaster}), -1);
    QVERIFY(m_pFixture->Activate());
}

void ChartMenuTest::menuStandsBetweenViewAndSelect() {
    QStringList titles, items;
    for (QAction* menu : App().Frame().menuBar()->actions())
        titles << menu->text();
    QCOMPARE(titles, QStringList({"&File", "&View", "&Chart", "&Draw", "&Select", "&Help"}));
    const QList<QAction*> chart = App().Frame().menuBar()->actions()[2]->menu()->actions();
    for (QAction* item : chart)
        items << (item->isSeparator() ? "-" : item->text());
    QCOMPARE(items, QStringList({"&High-Low Bars", "&OHLC Bars", "&Candlesticks", "Close &Line",
                                 "-", "Logarithmic &Scale", "&Grid", "A&xis Labels", "-",
                                 "Colour &by Direction", "Direction Colo&urs...", "-", "&As Stored",
                                 "&Daily", "&Weekly", "&Monthly", "-", "S&tudies..."}));
    QCOMPARE(chart[3]->statusTip(), "Draw a line through the closes");
    QCOMPARE(chart[3]->toolTip(), "Close Line");
    // Styles and periods are two groups of radio items; scale and grid plain check items.
    QVERIFY(chart[0]->actionGroup() && chart[0]->actionGroup() == chart[3]->actionGroup());
    QVERIFY(chart[12]->actionGroup() && chart[12]->actionGroup() != chart[0]->actionGroup());
    QVERIFY(chart[5]->isCheckable() && !chart[5]->actionGroup());
}

// A letter shared by two items of a menu only moves between them, so Alt+C then a letter must
// choose exactly one item, in this menu as in the others.
void ChartMenuTest::mnemonicsAreUniqueInEachMenu() {
    for (QAction* menu : App().Frame().menuBar()->actions()) {
        QString letters;
        for (QAction* item : menu->menu()->actions()) {
            const QString text = item->text();
            const qsizetype amp = text.indexOf(u'&');
            if (amp < 0 || amp + 1 >= text.size())
                continue;
            const QChar letter = text[amp + 1].toLower();
            QVERIFY2(!letters.contains(letter), qPrintable(menu->text() + " " + text));
            letters += letter;
        }
    }
}

void ChartMenuTest::command_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<IdList>("checked");
    QTest::newRow("high-low bars: nothing changes")
        << ID_CHART_STYLE_BARS << "-,-,-,-,-,-"
        << IdList{ID_CHART_STYLE_BARS, ID_CHART_PERIOD_STORED};
    QTest::newRow("ohlc") << ID_CHART_STYLE_OHLC << "1,0,0,0,0,0"
                          << IdList{ID_CHART_STYLE_OHLC, ID_CHART_PERIOD_STORED};
    QTest::newRow("candles") << ID_CHART_STYLE_CANDLES << "2,0,0,0,0,0"
                             << IdList{ID_CHART_STYLE_CANDLES, ID_CHART_PERIOD_STORED};
    QTest::newRow("line") << ID_CHART_STYLE_LINE << "3,0,0,0,0,0"
                          << IdList{ID_CHART_STYLE_LINE, ID_CHART_PERIOD_STORED};
    QTest::newRow("log") << ID_CHART_LOG_SCALE << "0,1,0,0,0,0"
                         << IdList{ID_CHART_STYLE_BARS, ID_CHART_LOG_SCALE, ID_CHART_PERIOD_STORED};
    QTest::newRow("grid") << ID_CHART_GRID << "0,0,0,1,0,0"
                          << IdList{ID_CHART_STYLE_BARS, ID_CHART_GRID, ID_CHART_PERIOD_STORED};
    QTest::newRow("axis labels") << ID_CHART_AXIS_LABELS << "0,0,0,0,1,0"
                                 << IdList{ID_CHART_STYLE_BARS, ID_CHART_AXIS_LABELS,
                                           ID_CHART_PERIOD_STORED};
    QTest::newRow("colour by direction")
        << ID_CHART_COLOR_BY_DIRECTION << "0,0,0,0,0,1"
        << IdList{ID_CHART_STYLE_BARS, ID_CHART_COLOR_BY_DIRECTION, ID_CHART_PERIOD_STORED};
    QTest::newRow("weekly") << ID_CHART_PERIOD_WEEKLY << "0,0,2,0,0,0"
                            << IdList{ID_CHART_STYLE_BARS, ID_CHART_PERIOD_WEEKLY};
    QTest::newRow("monthly") << ID_CHART_PERIOD_MONTHLY << "0,0,3,0,0,0"
                             << IdList{ID_CHART_STYLE_BARS, ID_CHART_PERIOD_MONTHLY};
}

// Each command from the defaults: the chart's options, the stored section, the marks of the menu
// and the scroll bar, which follows the bars the chart now shows.
void ChartMenuTest::command() {
    QFETCH(int, id);
    QFETCH(QString, stored);
    QFETCH(IdList, checked);
    QVERIFY(Run(id));
    App().OnIdle();
    QCOMPARE(Stored(App().GetSettings()), stored);
    for (const ChartCommand& command : kChartCommands) {
        const bool on = checked.contains(command.nId);
        QCOMPARE(IsChartCommandChecked(command.nId, Bars().GetChartOptions()), on);
        QCOMPARE(App().Frame().Actions().Action(command.nId)->isChecked(), on);
    }
    CTickvaneView& view = App().View();
    QCOMPARE(view.ScrollBar().maximum(),
             Bars().Window().GetScrollInfo(view.ChartClient()).nMaximum);
    // A check item goes off again; a radio item chosen again changes nothing.
    const ChartOptions before = Bars().GetChartOptions();
    QVERIFY(Run(id));
    QCOMPARE(Bars().GetChartOptions() == before, FindCommand(id)->check == CommandCheck::Radio);
}

// The darker side of the scroll bar, where its thumb must stand: -1 left, +1 right.
int ThumbSide(QScrollBar& bar) {
    const QImage image = bar.grab().toImage();
    const int y = image.height() / 2, w = image.width();
    long left = 0, right = 0;
    for (int x = w / 8; x < w * 3 / 8; ++x) {
        left += qGray(image.pixel(x, y));
        right += qGray(image.pixel(w - 1 - x, y));
    }
    return left < right ? -1 : +1;
}

void ChartMenuTest::dailyOnlyForIntradayRecords() {
    QVERIFY(!m_pFixture->Enabled(ID_CHART_PERIOD_DAILY));
    QVERIFY(m_pFixture->Enabled(ID_CHART_PERIOD_WEEKLY));
    Bars().SearchSetSymbolIndex("INTRA");
    QVERIFY(Run(ID_CHART_PERIOD_DAILY));
    QCOMPARE(Bars().Window().GetRecordCount(), 20);
    // Zoomed in so far that a screenful is most of the days: the thumb, nearly as wide as the
    // bar, still reads as standing where the window lies.
    CTickvaneView& view = App().View();
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier);
    QVERIFY(Bars().Window().GetScrollInfo(view.ChartClient()).nPageStep < 20);
    QScrollBar& bar = view.ScrollBar();
    QTest::keyClick(&view, Qt::Key_End);
    QCOMPARE(bar.value(), bar.maximum());
    QCOMPARE(ThumbSide(bar), +1);
    QTest::keyClick(&view, Qt::Key_Home);
    QCOMPARE(bar.value(), 0);
    QCOMPARE(ThumbSide(bar), -1);
    // Chosen, it stays within reach on a security of daily records.
    Bars().SearchSetSymbolIndex("LONG");
    QVERIFY(m_pFixture->Enabled(ID_CHART_PERIOD_DAILY));
}

void ChartMenuTest::leftOutPane_data() {
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<bool>("hide");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("text");
    QTest::newRow("bad records shown") << "BAD" << false << 0 << "";
    QTest::newRow("bad records hidden") << "BAD" << true << 0 << "3 bad records hidden";
    QTest::newRow("zero low on the log scale")
        << "BAD" << false << ID_CHART_LOG_SCALE
        << "1 record of 0 or below left out of the log scale";
    QTest::newRow("hidden before the log scale")
        << "BAD" << true << ID_CHART_LOG_SCALE << "3 bad records hidden";
    QTest::newRow("clean records hidden") << "LONG" << true << 0 << "";
}

void ChartMenuTest::leftOutPane() {
    QFETCH(QString, symbol);
    QFETCH(bool, hide);
    QFETCH(int, command);
    QFETCH(QString, text);
    Bars().SearchSetSymbolIndex(symbol.toLatin1().constData());
    Bars().SetHideBadData(hide);
    if (command)
        QVERIFY(Run(command));
    App().Document().UpdateAllViews();
    App().View().repaint();
    const QLabel& pane = App().Frame().LeftOutPane();
    QCOMPARE(pane.text(), text);
    QCOMPARE(pane.isVisible(), !text.isEmpty());
    // The crosshair's readout goes to the message pane and leaves this one alone.
    QTest::mouseMove(&App().View(), App().View().rect().center());
    QCOMPARE(pane.text(), text);
}

void ChartMenuTest::optionsSurviveOpeningAndRestart() {
    for (const int id : {ID_CHART_STYLE_CANDLES, ID_CHART_LOG_SCALE, ID_CHART_PERIOD_MONTHLY})
        QVERIFY(Run(id));
    const ChartOptions chosen = Bars().GetChartOptions();
    const std::filesystem::path copy = m_pFixture->m_dir / "copy";
    std::filesystem::copy(std::filesystem::path(m_strMaster).parent_path(), copy);
    QVERIFY(App().OpenDocumentFile(copy / "MASTER"));
    QVERIFY(Bars().GetChartOptions() == chosen);

    m_pFixture->m_pApp.reset();
    m_pFixture->m_pApp =
        std::make_unique<CTickvaneApp>(m_pFixture->m_messages, m_pFixture->m_dialogs);
    QCOMPARE(m_pFixture->Start(), -1);
    QVERIFY(Bars().GetChartOptions() == chosen);
    QVERIFY(m_pFixture->m_messages.TakeShown().empty());
}

QTEST_MAIN(ChartMenuTest)
#include "ChartMenuTest.moc"

// A theme sets and stores the colours, and its item is marked while the chart has them; colours
// of one's own mark none. The Direction Colours dialog stores its choice in "Chart".
void ChartMenuTest::themesAndDirectionColours() {
    const auto marked = [this] {
        App().OnIdle();
        QList<int> ids;
        for (const int id : {ID_VIEW_THEME_CLASSIC, ID_VIEW_THEME_LIGHT, ID_VIEW_THEME_DARK})
            if (App().Frame().Actions().Action(id)->isChecked())
                ids << id;
        return ids;
    };
    QCOMPARE(marked(), IdList{ID_VIEW_THEME_CLASSIC});
    QVERIFY(Run(ID_VIEW_THEME_LIGHT));
    QCOMPARE(marked(), IdList{ID_VIEW_THEME_LIGHT});
    QCOMPARE(App().GetSettings().ReadString(kViewOptionsSection, "Colors", ""), "7010014451");
    QCOMPARE(Bars().GetWorkColor(kItemBackground), 7);
    Bars().SetWorkColor(kItemVolume, 6);
    Bars().CommitColors();
    QCOMPARE(marked(), IdList{});

    QList<int> shown;
    const auto choose = [&shown](int rising, int falling, int result) {
        return [=, &shown](QDialog& dialog) {
            auto& dlg = static_cast<CDirectionColorsDlg&>(dialog);
            dlg.show();
            shown = {dlg.Rising().currentIndex(), dlg.Falling().currentIndex()};
            dlg.Rising().setCurrentIndex(rising);
            dlg.Falling().setCurrentIndex(falling);
            result == QDialog::Accepted ? dlg.accept() : dlg.reject();
            return dlg.result();
        };
    };
    Settings& settings = App().GetSettings();
    QVERIFY(!RunDirectionColorsCommand(Bars(), settings, nullptr, choose(6, 5, QDialog::Rejected)));
    QCOMPARE(shown, QList<int>({2, 4})); // the light theme's green and red
    QVERIFY(RunDirectionColorsCommand(Bars(), settings, nullptr, choose(6, 5, QDialog::Accepted)));
    QCOMPARE(Bars().GetChartOptions().nUpColor, 6);
    QCOMPARE(Bars().GetChartOptions().nDownColor, 5);
    QCOMPARE(settings.ReadString(kChartSection, "DownColor", ""), "5");
}
