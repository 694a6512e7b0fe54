// The program as a whole: start-up and the command line, the splash window, the document's
// opening and the recent files, the commands' enabling and routing.

#include "app/MainFrame.h"
#include "app/ProgramDialogs.h"
#include "app/SplashWnd.h"
#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"
#include "dialogs/SlideShowWnd.h"
#include "platform/Commands.h"
#include "tests/gui/AppFixture.h"
#include "tests/support/MetaStockWriter.h"

#include <QLabel>
#include <QMenu>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <iterator>

class TickvaneAppTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commandLine_data();
    void commandLine();
    void startsWithNoChartAndDataCommandsDisabled();
    void nextAndPreviousStopAtBothEnds();
    void refusedNameKeepsRecentEntryAndEmptiesChart();
    void aFileThatIsNoMasterIsRefusedUnchanged();
    void longPathsOpenLikeAnyOther();
    void newKeepsTheChart();
    void splashEnds_data();
    void splashEnds();
    void unhandledCommandsStayDisabled();
    void dialogCommandsRunTheirDialogs();

private:
    std::unique_ptr<CAppFixture> m_pFixture;
};

void TickvaneAppTest::init() {
    m_pFixture = std::make_unique<CAppFixture>();
}

void TickvaneAppTest::cleanup() {
    m_pFixture.reset();
}

// No argument may crash the program. A file that cannot be read ends it with a message and exit
// code 1; one that can be read but is not named MASTER is refused and the program runs on.
void TickvaneAppTest::commandLine_data() {
    QTest::addColumn<QByteArray>("argument");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("the sample") << QByteArray(CAppFixture::Sample().c_str()) << -1 << "";
    QTest::newRow("missing") << QByteArray("/no/such/folder/MASTER") << 1
                             << "No such file or directory";
    QTest::newRow("empty") << QByteArray("") << 1 << "No file name was given.";
    QTest::newRow("a quote folder") << QByteArray(TICKVANE_SOURCE_DIR "/samples/demo") << -1 << "";
    QTest::newRow("a folder") << QByteArray(TICKVANE_SOURCE_DIR "/samples") << -1
                              << "You have not selected a file named \"MASTER\"";
    QTest::newRow("a device") << QByteArray("/dev/null") << 1 << "a device or a pipe";
    QTest::newRow("4000 characters")
        << ("/" + QByteArray(3993, 'a') + "/MASTER") << 1 << "File name too long";
    QTest::newRow("invalid UTF-8")
        << QByteArray("/tmp/\xff\xfe/MASTER") << 1 << "No such file or directory";
}

void TickvaneAppTest::commandLine() {
    QFETCH(QByteArray, argument);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QCOMPARE(m_pFixture->Start({argument.toStdString()}), exitCode);
    const std::vector<std::string> shown = m_pFixture->m_messages.TakeShown();
    if (message.isEmpty()) {
        QVERIFY(shown.empty());
        QCOMPARE(m_pFixture->m_pApp->Document().Bars().GetSymbolCount(), 28);
    } else {
        QCOMPARE(shown.size(), std::size_t(1));
        QVERIFY2(QString::fromStdString(shown[0]).contains(message), shown[0].c_str());
        // The splash window, always on top, must not hide the message.
        QVERIFY(!m_pFixture->m_pApp->m_pSplashWnd);
    }
    QCOMPARE(m_pFixture->m_pApp->Frame().isVisible(), exitCode < 0);
}

void TickvaneAppTest::startsWithNoChartAndDataCommandsDisabled() {
    CAppFixture& f = *m_pFixture;
    QCOMPARE(f.Start(), -1);
    f.m_pApp->OnIdle();
    CMainFrame& frame = f.m_pApp->Frame();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Tickvane"));
    QCOMPARE(frame.SymbolPane().text(), QStringLiteral("No Symbols Read"));
    for (const int id : {ID_VIEW_OPTIONS, ID_SELECT_GOTO, ID_VIEW_SLIDESHOW, ID_SELECT_NEXT,
                         ID_SELECT_PREVIOUS, ID_FILE_SAVE, ID_EDIT_COPY, ID_FILE_EXPORT_CHART,
                         ID_FILE_EXPORT_QUOTES, ID_FILE_CHECK_FOLDER})
        QVERIFY2(!f.Enabled(id), qPrintable(QString::number(id)));

    f.m_dialogs.m_paths.push_back(CAppFixture::Sample());
    QVERIFY(f.m_pApp->Router().Execute(ID_FILE_OPEN));
    f.m_pApp->OnIdle();
    for (const int id : {ID_VIEW_OPTIONS, ID_SELECT_GOTO, ID_VIEW_SLIDESHOW, ID_EDIT_COPY,
                         ID_FILE_EXPORT_CHART, ID_FILE_EXPORT_QUOTES, ID_FILE_CHECK_FOLDER})
        QVERIFY2(f.Enabled(id), qPrintable(QString::number(id)));
    QVERIFY(!f.Enabled(ID_FILE_SAVE));
    QCOMPARE(frame.SymbolPane().text(), QStringLiteral("Symbol 1 of 28"));
}

void TickvaneAppTest::nextAndPreviousStopAtBothEnds() {
    CAppFixture& f = *m_pFixture;
    QCOMPARE(f.Start({CAppFixture::Sample()}), -1);
    CTickvaneView& view = f.m_pApp->View();
    CBars& bars = f.m_pApp->Document().Bars();
    const auto contextItems = [&view] {
        std::unique_ptr<QMenu> menu(view.CreateContextMenu());
        return std::make_pair(menu->actions()[0]->isEnabled(), menu->actions()[1]->isEnabled());
    };
    QVERIFY(f.Enabled(ID_SELECT_NEXT));
    QVERIFY(!f.Enabled(ID_SELECT_PREVIOUS));
    QVERIFY(!f.m_pApp->Router().Execute(ID_SELECT_PREVIOUS));
    QVERIFY((contextItems() == std::make_pair(true, false)));

    // The Right arrow is the Next command's key.
    QVERIFY(f.Activate());
    QTest::keyClick(&view, Qt::Key_Right);
    QCOMPARE(bars.GetCurrentIndex(), 1);
    while (f.m_pApp->Router().Execute(ID_SELECT_NEXT)) {
    }
    QCOMPARE(bars.GetCurrentIndex(), 27);
    QVERIFY(!f.Enabled(ID_SELECT_NEXT));
    QVERIFY(f.Enabled(ID_SELECT_PREVIOUS));
    QVERIFY((contextItems() == std::make_pair(false, true)));
    QVERIFY(f.Activate());
    QTest::keyClick(&view, Qt::Key_Right);
    QCOMPARE(bars.GetCurrentIndex(), 27);
    QVERIFY(f.m_messages.TakeShown().empty());
}

// A path that is not named MASTER still becomes the document's path and the newest recent file,
// and the chart that was shown is gone.
void TickvaneAppTest::refusedNameKeepsRecentEntryAndEmptiesChart() {
    CAppFixture& f = *m_pFixture;
    QCOMPARE(f.Start({CAppFixture::Sample()}), -1);
    const std::string other = f.m_dir / "QUOTES.TXT";
    std::ofstream(other) << "not a master";
    QVERIFY(f.m_pApp->OpenDocumentFile(other));
    QCOMPARE(f.m_messages.TakeShown(),
             std::vector<std::string>{"You have not selected a file named \"MASTER\""});
    QCOMPARE(f.m_pApp->Document().GetPathName(), other);
    QCOMPARE(f.m_pApp->RecentFiles()[0], other);
    QCOMPARE(f.m_pApp->RecentFiles()[1], CAppFixture::Sample());
    QVERIFY(!f.m_pApp->Document().Bars().IsDataLoaded());
    QCOMPARE(f.m_pApp->Document().Bars().GetSymbolCount(), 0);
    QVERIFY(!f.Enabled(ID_VIEW_OPTIONS));

    // The list outlives the run.
    CRecentFileList stored(f.m_pApp->GetSettings(), 4);
    stored.ReadList();
    QCOMPARE(stored[0], other);
}

// Even with damaged masters repaired without asking, a file named MASTER that is none is left as
// it is.
void TickvaneAppTest::aFileThatIsNoMasterIsRefusedUnchanged() {
    CAppFixture& f = *m_pFixture;
    std::ofstream(f.m_dir / "Tickvane.ini") << "[ViewOptions]\nMasterFix=1\n";
    const std::string folder = f.m_dir.MakeSubdirectory("notes");
    const std::string text(200, 'x');
    std::ofstream(folder + "MASTER") << text;
    QCOMPARE(f.Start({folder + "MASTER"}), -1);
    const std::vector<std::string> shown = f.m_messages.TakeShown();
    QCOMPARE(shown.size(), std::size_t(1));
    QVERIFY2(QString::fromStdString(shown[0]).contains("is not a MASTER file"), shown[0].c_str());
    std::ifstream in(folder + "MASTER");
    QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}), text);
    QVERIFY(!std::filesystem::exists(folder + "MASTER.bak"));
    QCOMPARE(f.m_pApp->Document().Bars().GetSymbolCount(), 0);
}

// Far beyond the 300 characters the paths of old were held in.
void TickvaneAppTest::longPathsOpenLikeAnyOther() {
    CAppFixture& f = *m_pFixture;
    std::string folder = f.m_dir.Path();
    for (const char part : std::string("abcde"))
        folder += std::string(230, part) + "/";
    std::filesystem::create_directories(folder);
    std::filesystem::copy(TICKVANE_SOURCE_DIR "/samples/demo", folder,
                          std::filesystem::copy_options::recursive);
    const std::string master = folder + "MASTER";
    QVERIFY(master.size() > 1000);
    QCOMPARE(f.Start({master}), -1);
    QVERIFY(f.m_messages.TakeShown().empty());
    CBars& bars = f.m_pApp->Document().Bars();
    QCOMPARE(bars.GetSymbolCount(), 28);
    QVERIFY(bars.IsDataLoaded());
    QCOMPARE(f.m_pApp->RecentFiles()[0], master);
    // Away and back through the recent files.
    QVERIFY(f.m_pApp->OpenDocumentFile(CAppFixture::Sample()));
    QVERIFY(f.m_pApp->Router().Execute(ID_FILE_MRU_FILE2));
    QCOMPARE(f.m_pApp->Document().GetPathName(), master);
    QVERIFY(bars.IsDataLoaded());
    QVERIFY(f.m_messages.TakeShown().empty());
}

void TickvaneAppTest::newKeepsTheChart() {
    CAppFixture& f = *m_pFixture;
    QCOMPARE(f.Start({CAppFixture::Sample()}), -1);
    CBars& bars = f.m_pApp->Document().Bars();
    bars.StepSymbol(+3);
    QVERIFY(f.Activate());
    QTest::keyClick(&f.m_pApp->View(), Qt::Key_N, Qt::ControlModifier);
    QVERIFY(f.m_pApp->Document().GetPathName().empty());
    QVERIFY(bars.IsDataLoaded());
    QCOMPARE(bars.GetCurrentIndex(), 3);
}

// Ten seconds after start-up the splash window goes; a key for the main window ends it at once,
// input to the splash window itself at the next idle moment.
void TickvaneAppTest::splashEnds_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("goneAtOnce");
    QTest::newRow("key for the main window") << "frame key" << true;
    QTest::newRow("click on the splash") << "splash click" << false;
    QTest::newRow("time is up") << "time" << false;
}

void TickvaneAppTest::splashEnds() {
    QFETCH(QString, how);
    QFETCH(bool, goneAtOnce);
    CAppFixture& f = *m_pFixture;
    QCOMPARE(f.Start(), -1);
    QVERIFY(f.m_pApp->m_pSplashWnd);
    QCOMPARE(f.m_pApp->m_pSplashWnd->size(), QSize(400, 200));
    f.m_nTicks += 9999;
    f.m_pApp->OnIdle();
    QVERIFY(f.m_pApp->m_pSplashWnd);
    if (how == "frame key") {
        // A command's key, which Qt hands to the command before any widget sees the key.
        QVERIFY(f.Activate());
        QTest::keyClick(&f.m_pApp->View(), Qt::Key_F1);
    } else if (how == "splash click")
        QTest::mouseClick(f.m_pApp->m_pSplashWnd, Qt::LeftButton);
    else
        f.m_nTicks += 1;
    QCOMPARE(f.m_pApp->m_pSplashWnd == nullptr, goneAtOnce);
    f.m_pApp->OnIdle();
    QVERIFY(!f.m_pApp->m_pSplashWnd);
}

void TickvaneAppTest::unhandledCommandsStayDisabled() {
    CAppFixture& f = *m_pFixture;
    QCOMPARE(f.Start({CAppFixture::Sample()}), -1);
    for (const int id :
         {ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_NEXT_PANE, ID_PREV_PANE, ID_FILE_CLOSE}) {
        QVERIFY(!f.Enabled(id));
        QVERIFY(!f.m_pApp->Router().Execute(id));
    }
}

// Options, Go To, Slide Show and About each reach their dialog; OK on Options stores the options,
// and the slide show sets the view's flag until it ends.
void TickvaneAppTest::dialogCommandsRunTheirDialogs() {
    CAppFixture& f = *m_pFixture;
    QCOMPARE(f.Start({CAppFixture::Sample()}), -1);
    QStringList ran;
    f.m_pApp->SetDialogHost(std::make_unique<CProgramDialogs>(f.m_messages, [&ran](QDialog& dlg) {
        ran << dlg.windowTitle();
        return int(QDialog::Accepted);
    }));
    for (const int id : {ID_VIEW_OPTIONS, ID_SELECT_GOTO, ID_VIEW_SLIDESHOW, ID_APP_ABOUT})
        QVERIFY(f.m_pApp->Router().Execute(id));
    QCOMPARE(ran, QStringList({"View Options", "Go To Chart", "Slide Show", "About Tickvane"}));
    QCOMPARE(f.m_pApp->GetSettings().ReadString("ViewOptions", "Colors", ""), "0723733414");

    CTickvaneView& view = f.m_pApp->View();
    QCOMPARE(view.m_bSlideShow, 1);
    CSlideShowWnd* show = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (!show)
            show = dynamic_cast<CSlideShowWnd*>(window);
    QVERIFY(show);
    QTest::keyClick(show, Qt::Key_Escape);
    QCOMPARE(view.m_bSlideShow, 0);
}

QTEST_MAIN(TickvaneAppTest)
#include "TickvaneAppTest.moc"
