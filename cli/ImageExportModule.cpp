// The image export module of tickvane-cli: draws a chart into PNG, SVG or PDF with Qt.

#include "cli/ImageExport.h"
#include "picture/ChartFile.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kScreenDpi = 96;

void SetError(char* error, int size, const char* text) {
    std::snprintf(error, size_t(size), "%s", text);
}

// Qt's notes about the missing desktop session mean nothing on the command line.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "tickvane-cli: %s\n", message.toLocal8Bit().constData());
}

// Fonts and painting need an application object; the command line has no display.
void EnsureApplication() {
    if (QGuiApplication::instance())
        return;
    qInstallMessageHandler(QuietMessages);
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tickvane-cli";
    static char* argv[] = {name, nullptr};
    static auto* application = new QGuiApplication(argc, argv);
    (void)application;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
TickvaneExportImage(CBars* bars, const char* path, int width, int height, int printing, char* error,
                    int errorSize) {
    EnsureApplication();
    ChartPictureOptions options;
    options.size = QSize(width, height);
    // No font: the command line has no widget to take one from, so the painter keeps its own.
    options.dpi = kScreenDpi;
    options.printing = printing != 0;
    switch (WriteChartPicture(*bars, path, options)) {
    case ChartFileFailure::kNone:
        return 0;
    case ChartFileFailure::kUnknownFormat:
        SetError(error, errorSize, "unknown image format");
        return 1;
    case ChartFileFailure::kNoChart:
    case ChartFileFailure::kNotWritten:
    case ChartFileFailure::kNotReplaced:
        break;
    }
    SetError(error, errorSize, (std::string("cannot write ") + path).c_str());
    return 1;
}
