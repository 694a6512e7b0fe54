// The image export module of tickvane-cli: draws a chart into PNG, SVG or PDF with Qt.

#include "chart/Bars.h"
#include "cli/ImageExport.h"
#include "qt/QPainterSurface.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cstdio>
#include <cstdlib>
#include <memory>

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

bool Draw(CBars& bars, QPaintDevice& device, int width, int height, bool printing) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    {
        // The surface gives the painter back as it found it when it goes.
        CQPainterSurface surface(painter);
        bars.DrawChart(surface, CRect{0, 0, width, height}, printing);
    }
    return painter.end();
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
TickvaneExportImage(CBars* bars, const char* path, int width, int height, int printing, char* error,
                    int errorSize) {
    EnsureApplication();
    const QString file = QString::fromLocal8Bit(path);
    if (file.endsWith(".png")) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(qRound(kScreenDpi / 0.0254));
        image.setDotsPerMeterY(qRound(kScreenDpi / 0.0254));
        if (Draw(*bars, image, width, height, printing) && image.save(file, "PNG"))
            return 0;
    } else if (file.endsWith(".svg")) {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setResolution(kScreenDpi);
        svg.setTitle("Tickvane chart");
        if (Draw(*bars, svg, width, height, printing))
            return 0;
    } else if (file.endsWith(".pdf")) {
        QPdfWriter pdf(file);
        pdf.setResolution(kScreenDpi);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / kScreenDpi, height * 72.0 / kScreenDpi),
                                  QPageSize::Point, QString(), QPageSize::ExactMatch));
        if (Draw(*bars, pdf, width, height, printing))
            return 0;
    } else {
        SetError(error, errorSize, "unknown image format");
        return 1;
    }
    SetError(error, errorSize, (std::string("cannot write ") + path).c_str());
    return 1;
}
