// The About box and its links.

#include "dialogs/AboutDlg.h"
#include "dialogs/DialogCommands.h"

#include <QLabel>
#include <QtTest>

namespace {

const QColor kBlue(0, 0, 255);
const QColor kPurple(128, 0, 128);

// The link is drawn with a line under its whole text in `colour`.
bool UnderlinedIn(CStaticLink& link, const QColor& colour) {
    QImage image(link.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    link.render(&image);
    const int textWidth = link.fontMetrics().horizontalAdvance(link.text());
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x)
            run += image.pixelColor(x, y) == colour;
        if (run >= textWidth * 9 / 10)
            return true;
    }
    return false;
}

} // namespace

class AboutDlgTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_bMail = m_bWeb = 0;
        m_opened.clear();
        m_bOpens = true;
    }

    void followedLinkTurnsPurpleForTheRun() {
        for (int opening = 0; opening < 2; ++opening) {
            CAboutDlg dlg(&m_bMail, &m_bWeb);
            dlg.SetUrlOpener(Opener());
            dlg.show();
            QVERIFY(UnderlinedIn(*dlg.m_linkMail, opening == 0 ? kBlue : kPurple));
            QVERIFY(UnderlinedIn(*dlg.m_linkWeb, kBlue));
            dlg.m_linkMail->OnClicked();
            QVERIFY(UnderlinedIn(*dlg.m_linkMail, kPurple));
        }
        QCOMPARE(m_bMail, 1);
        QCOMPARE(m_bWeb, 0);
    }

    void linkTargets_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target");
        QTest::newRow("mail") << "contact@tickvane.example"
                              << "mailto:contact@tickvane.example";
        QTest::newRow("mail with its scheme") << "mailto:contact@tickvane.example"
                                              << "mailto:contact@tickvane.example";
        QTest::newRow("web") << "https://tickvane.example/"
                             << "https://tickvane.example/";
    }
    void linkTargets() {
        QFETCH(QString, text);
        QFETCH(QString, target);
        CStaticLink link;
        link.setText(text);
        link.SetUrlOpener(Opener());
        link.OnClicked();
        link.OnTimer(CStaticLink::kClickPauseTimer);
        link.OnClicked();
        QCOMPARE(m_opened, (QStringList{target, target}));
    }

    void failedOpeningBeepsAndStaysUnfollowed() {
        int beeps = 0;
        CStaticLink link;
        link.setText("https://tickvane.example/");
        link.m_pbVisited = &m_bWeb;
        m_bOpens = false;
        link.SetUrlOpener(Opener());
        link.SetBeep([&beeps] { ++beeps; });
        link.OnClicked();
        QCOMPARE(beeps, 1);
        QCOMPARE(m_bWeb, 0);
        QCOMPARE(link.TextColor(), kBlue);
        QVERIFY(link.m_bClickPause);
    }

    void handCursorWhileHoveringExceptInTheClickPause() {
        CStaticLink link;
        link.setText("https://tickvane.example/");
        link.resize(200, 20);
        link.SetUrlOpener(Opener());
        link.show();
        QTest::mouseMove(&link, QPoint(10, 10));
        QVERIFY(link.m_bHover);
        QCOMPARE(link.cursor().shape(), Qt::BitmapCursor);
        QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(m_opened.size(), 1);
        QVERIFY(!link.m_bHover && link.m_bClickPause);
        QCOMPARE(link.cursor().shape(), Qt::ArrowCursor);
        QTest::mouseMove(&link, QPoint(12, 10));
        QVERIFY(!link.m_bHover);
        link.OnTimer(CStaticLink::kClickPauseTimer);
        QTest::mouseMove(&link, QPoint(14, 10));
        QVERIFY(link.m_bHover);
        QTest::keyClick(&link, Qt::Key_Return); // the keyboard follows a link too
        QCOMPARE(m_opened.size(), 2);
    }

    void showsTheBuildsVersion() {
        CAboutDlg dlg(&m_bMail, &m_bWeb);
        bool found = false;
        for (const QLabel* label : dlg.findChildren<QLabel*>())
            found = found || label->text() == "Tickvane Version " TICKVANE_VERSION;
        QVERIFY(found);
        QCOMPARE(dlg.windowTitle(), "About Tickvane");
    }

    // The copyright, the licence and the framework's licence, each whole in its label.
    void legalStuffFitsItsLabels() {
        CAboutDlg dlg(&m_bMail, &m_bWeb);
        dlg.show();
        QStringList legal;
        for (const QLabel* label : dlg.findChildren<QLabel*>()) {
            const QString text = label->text();
            if (!text.contains("Copyright") && !text.contains("licence") && !text.contains("LGPL"))
                continue;
            legal << text;
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(text));
        }
        QCOMPARE(legal.size(), 3);
        QCOMPARE(legal[0], "Copyright (c) 2026 The Tickvane developers");
        QVERIFY(legal[1].contains("MIT licence"));
        QVERIFY(legal[2].contains("Qt") && legal[2].contains("LGPL"));
    }

private:
    CStaticLink::UrlOpener Opener() {
        return [this](const QString& target) {
            m_opened << target;
            return m_bOpens;
        };
    }

    int m_bMail = 0;
    int m_bWeb = 0;
    QStringList m_opened;
    bool m_bOpens = true;
};

QTEST_MAIN(AboutDlgTest)
#include "AboutDlgTest.moc"
