// Context help alone, over plain widgets: the page a click chooses, the prompt and the pointer
// while it waits, and that the click chooses only.

#include "app/ContextHelp.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

class ContextHelpTest : public QObject {
    Q_OBJECT

private slots:
    void click_data();
    void click();
};

void ContextHelpTest::click_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("an area") << "chart" << QStringList{"chart.html"};
    QTest::newRow("inside an area") << "button" << QStringList{"chart.html"};
    QTest::newRow("an area inside another") << "inner" << QStringList{"inner.html"};
    QTest::newRow("no area") << "prompt" << QStringList{"index.html"};
    QTest::newRow("a menu") << "menu" << QStringList{"menus.html"};
    QTest::newRow("escape") << "escape" << QStringList{};
}

void ContextHelpTest::click() {
    QFETCH(QString, target);
    QFETCH(QStringList, opened);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* chart = new QWidget(&window);
    auto* button = new QPushButton(QStringLiteral("Next"), chart);
    auto* inner = new QWidget(chart);
    auto* prompt = new QLabel(QStringLiteral("For Help, press F1"), &window);
    layout->addWidget(chart);
    layout->addWidget(prompt);
    QMenu menu(&window);
    window.show();
    const QMap<QString, QWidget*> targets{{"chart", chart}, {"button", button},
                                          {"inner", inner}, {"prompt", prompt},
                                          {"menu", &menu},  {"escape", &window}};

    QStringList pages;
    CContextHelp help(*prompt, [&pages](const QString& page) { pages << page; });
    help.AddTopic(chart, QStringLiteral("chart.html"));
    help.AddTopic(inner, QStringLiteral("inner.html"));
    help.SetMenuTopic(QStringLiteral("menus.html"));
    help.Enter();
    QVERIFY(help.IsActive());
    QCOMPARE(prompt->text(), "Select an object on which to get Help");
    QVERIFY(QApplication::overrideCursor());

    QSignalSpy clicks(button, &QPushButton::clicked);
    if (target == "escape")
        QTest::keyClick(&window, Qt::Key_Escape);
    else
        QTest::mouseClick(targets[target], Qt::LeftButton);
    QCOMPARE(pages, opened);
    QVERIFY(!help.IsActive());
    QCOMPARE(prompt->text(), "For Help, press F1");
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(clicks.count(), 0);
    // Back to normal: the next click is the button's own.
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(pages, opened);
}

QTEST_MAIN(ContextHelpTest)
#include "ContextHelpTest.moc"
