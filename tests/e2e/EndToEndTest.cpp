// The real program under a real X server: it starts on the sample, shows a window titled
// "Tickvane", and the Right arrow changes the pixels of the chart. Windows are found and keys
// typed with xdotool; the screen is read back through Qt.
//
//   tickvane_e2e_test TICKVANE MASTER SCRATCH_DIR      (on the X display in DISPLAY)

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QThread>

#include <cstdio>

namespace {

constexpr int kWaitMilliseconds = 20000;

QString Xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

bool Fail(const char* what) {
    std::fprintf(stderr, "FAIL: %s\n", what);
    return false;
}

// The visible top-level window whose title is exactly "Tickvane".
QString FindMainWindow() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kWaitMilliseconds) {
        const QString found = Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--name"), QStringLiteral("^Tickvane$")});
        if (!found.isEmpty())
            return found.section(u'\n', 0, 0);
        QThread::msleep(100);
    }
    return {};
}

QRect WindowGeometry(const QString& window) {
    QRect geometry;
    const QString shell =
        Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    for (const QString& line : shell.split(u'\n')) {
        const int value = line.section(u'=', 1).toInt();
        if (line.startsWith(QLatin1String("X=")))
            geometry.moveLeft(value);
        else if (line.startsWith(QLatin1String("Y=")))
            geometry.moveTop(value);
        else if (line.startsWith(QLatin1String("WIDTH=")))
            geometry.setWidth(value);
        else if (line.startsWith(QLatin1String("HEIGHT=")))
            geometry.setHeight(value);
    }
    return geometry;
}

QImage Grab(const QRect& area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

// The picture once it has stopped changing.
QImage SettledGrab(const QRect& area) {
    QImage last = Grab(area);
    for (int i = 0; i < 50; ++i) {
        QThread::msleep(100);
        QImage now = Grab(area);
        if (now == last)
            return now;
        last = std::move(now);
    }
    return last;
}

bool Run(const QString& program, const QString& master, const QString& scratch) {
    QProcess tickvane;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TICKVANE_SETTINGS"),
                       scratch + QStringLiteral("/Tickvane.ini"));
    environment.insert(QStringLiteral("TICKVANE_WINDIR"), scratch);
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    tickvane.setProcessEnvironment(environment);
    tickvane.setProcessChannelMode(QProcess::ForwardedChannels);
    tickvane.start(program, {master});
    if (!tickvane.waitForStarted())
        return Fail("tickvane did not start");
    const auto stop = [&tickvane] {
        tickvane.terminate();
        if (!tickvane.waitForFinished(5000))
            tickvane.kill();
        tickvane.waitForFinished(5000);
    };

    const QString window = FindMainWindow();
    if (window.isEmpty()) {
        stop();
        return Fail("no visible window titled \"Tickvane\"");
    }
    if (Xdotool({QStringLiteral("getwindowname"), window}) != QLatin1String("Tickvane")) {
        stop();
        return Fail("the window's title is not \"Tickvane\"");
    }
    Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    // A first key ends the splash window, which lies over the middle of the screen.
    Xdotool({QStringLiteral("key"), QStringLiteral("shift")});

    // A band across the middle of the chart: below the toolbar, above the status bar.
    const QRect frame = WindowGeometry(window);
    const QRect chart(frame.x() + frame.width() / 10, frame.y() + frame.height() * 3 / 10,
                      frame.width() * 6 / 10, frame.height() * 3 / 10);
    const QImage before = SettledGrab(chart);
    Xdotool({QStringLiteral("key"), QStringLiteral("Right")});
    QElapsedTimer timer;
    timer.start();
    bool changed = false;
    while (!changed && timer.elapsed() < kWaitMilliseconds) {
        QThread::msleep(100);
        changed = Grab(chart) != before;
    }
    stop();
    if (!changed)
        return Fail("the Right arrow left the chart's pixels as they were");
    std::printf("PASS: window \"Tickvane\" at %dx%d; the Right arrow redrew the chart\n",
                frame.width(), frame.height());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: tickvane_e2e_test TICKVANE MASTER SCRATCH_DIR\n");
        return 2;
    }
    return Run(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
               QString::fromLocal8Bit(argv[3]))
               ? 0
               : 1;
}
