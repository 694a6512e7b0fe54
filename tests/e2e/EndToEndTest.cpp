// The real program under a real X server: it starts on the sample, shows a window titled
// "Tickvane", the Right arrow changes the pixels of the chart, and F2, F3 and F7 open the View
// Options, Go To and Slide Show dialogs, each closed again by Escape, and records appended to the
// shown security's price file while the program runs appear in the chart within seconds. Windows
// are found and keys typed with xdotool; the screen is read back through Qt.
//
//   tickvane_e2e_test TICKVANE MASTER SCRATCH_DIR      (on the X display in DISPLAY)

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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

QString FindVisibleWindow(const QString& title) {
    return Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                    QStringLiteral("--name"), QLatin1Char('^') + title + QLatin1Char('$')})
        .section(u'\n', 0, 0);
}

// Waits until a visible top-level window titled exactly `title` exists (or, with `shown` false,
// until none does); true when that happened in time.
bool WaitForWindow(const QString& title, bool shown = true) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kWaitMilliseconds) {
        if (FindVisibleWindow(title).isEmpty() != shown)
            return true;
        QThread::msleep(100);
    }
    return false;
}

// Each dialog key opens its window, and Escape closes it again.
bool CheckDialogKeys(const QString& mainWindow) {
    const struct {
        const char* key;
        const char* title;
    } dialogs[] = {{"F2", "View Options"}, {"F3", "Go To Chart"}, {"F7", "Slide Show"}};
    for (const auto& dialog : dialogs) {
        const QString title = QString::fromLatin1(dialog.title);
        Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), mainWindow});
        Xdotool({QStringLiteral("key"), QString::fromLatin1(dialog.key)});
        if (!WaitForWindow(title)) {
            std::fprintf(stderr, "FAIL: %s opened no window titled \"%s\"\n", dialog.key,
                         dialog.title);
            return false;
        }
        Xdotool(
            {QStringLiteral("windowfocus"), QStringLiteral("--sync"), FindVisibleWindow(title)});
        Xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
        if (!WaitForWindow(title, false)) {
            std::fprintf(stderr, "FAIL: Escape left the window \"%s\" open\n", dialog.title);
            return false;
        }
    }
    return true;
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

// Appends the price file's oldest `count` records to its end, as an updater adds records, and has
// its header count them: the newest bars of the chart then change.
bool AppendRecords(const QString& path, int recordLength, int count) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    const int records = int(bytes.size() / recordLength) - 1;
    if (records < count)
        return false;
    const QByteArray added = bytes.mid(recordLength, qsizetype(recordLength) * count);
    const int last = records + count + 1;
    file.seek(bytes.size());
    file.write(added);
    file.seek(2);
    const char header[2] = {char(last & 0xFF), char((last >> 8) & 0xFF)};
    file.write(header, 2);
    return file.flush();
}

// Waits until the pixels of `area` differ from `before`; true when they did in time.
bool WaitForChange(const QRect& area, const QImage& before, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QThread::msleep(100);
        if (Grab(area) != before)
            return true;
    }
    return false;
}

bool Run(const QString& program, const QString& master, const QString& scratch) {
    QProcess tickvane;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TICKVANE_SETTINGS"),
                       scratch + QStringLiteral("/Tickvane.ini"));
    environment.insert(QStringLiteral("TICKVANE_WINDIR"), scratch);
    environment.insert(QStringLiteral("TICKVANE_DATA"), scratch);
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

    const QString window = WaitForWindow(QStringLiteral("Tickvane"))
                               ? FindVisibleWindow(QStringLiteral("Tickvane"))
                               : QString();
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
    if (!changed) {
        stop();
        return Fail("the Right arrow left the chart's pixels as they were");
    }
    if (!CheckDialogKeys(window)) {
        stop();
        return false;
    }
    // The second security of the sample is shown now, from F2.DAT (28-byte records).
    const QImage shown = SettledGrab(chart);
    const QString prices = QFileInfo(master).path() + QStringLiteral("/F2.DAT");
    if (!AppendRecords(prices, 28, 40)) {
        stop();
        return Fail("records could not be appended to F2.DAT");
    }
    const bool refreshed = WaitForChange(chart, shown, 3000);
    stop();
    if (!refreshed)
        return Fail("records appended to the shown security left the chart as it was");
    std::printf("PASS: window \"Tickvane\" at %dx%d; the Right arrow redrew the chart; F2, F3 and "
                "F7 opened their dialogs and Escape closed them; appended records were drawn\n",
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
