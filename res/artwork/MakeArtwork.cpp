// Draws the program's raster artwork into the resource folder: the splash picture at 400 x 200 and
// at twice that for screens with a device pixel ratio of 2, and the program icon as PNG in the
// sizes desktops ask for, rendered from icons/tickvane.svg.
//
//   tickvane-make-artwork RES_DIR ["NOTICE"]
//
// NOTICE is the splash's small print.

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <cstdio>

namespace {

constexpr char kDefaultNotice[] =
    "Version 0.1.0 \u00b7 Copyright (c) 2026 The Tickvane developers \u00b7 MIT licence";

struct Bar {
    double high, low, close;
};

// A small rising bar chart with volume, in the chart's own screen colours.
void DrawChartPicture(QPainter& painter, const QRectF& box) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 170));
    painter.drawRoundedRect(box, 8, 8);
    const Bar bars[] = {{62, 40, 52}, {58, 44, 55}, {66, 50, 63}, {70, 58, 60}, {74, 56, 71},
                        {82, 68, 79}, {80, 70, 74}, {90, 72, 88}, {96, 84, 93}};
    const double left = box.left() + 14;
    const double step = (box.width() - 28) / static_cast<double>(std::size(bars) - 1);
    const double priceTop = box.top() + 12;
    const double priceBottom = box.bottom() - 30;
    const auto y = [&](double price) {
        return priceBottom - (price - 40) / (96 - 40) * (priceBottom - priceTop);
    };
    QPainterPath average;
    for (std::size_t i = 0; i < std::size(bars); ++i) {
        const double x = left + step * static_cast<double>(i);
        painter.setPen(QPen(QColor(0, 255, 0), 2.2, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(x, y(bars[i].high)), QPointF(x, y(bars[i].low)));
        painter.setPen(QPen(QColor(0, 255, 255), 2.2, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(x, y(bars[i].close)), QPointF(x + 5, y(bars[i].close)));
        painter.setPen(QPen(QColor(255, 60, 60), 2.2, Qt::SolidLine, Qt::FlatCap));
        const double volume = 6 + static_cast<double>(i * 5 % 13);
        painter.drawLine(QPointF(x, box.bottom() - 8), QPointF(x, box.bottom() - 8 - volume));
        const double mean = (bars[i].high + bars[i].low) / 2;
        if (i == 0)
            average.moveTo(x, y(mean));
        else
            average.lineTo(x, y(mean));
    }
    painter.setPen(QPen(QColor(255, 80, 80), 1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(average);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    painter.drawLine(QPointF(box.left() + 8, box.bottom() - 7.5),
                     QPointF(box.right() - 8, box.bottom() - 7.5));
}

QImage Splash(qreal scale, const QString& notice) {
    QImage image(QSize(400, 200) * scale, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    QLinearGradient ground(0, 0, 0, 200);
    ground.setColorAt(0, QColor(0x12, 0x8c, 0x83));
    ground.setColorAt(1, QColor(0x07, 0x4f, 0x4a));
    painter.fillRect(QRectF(0, 0, 400, 200), ground);
    painter.fillRect(QRectF(0, 168, 400, 32), QColor(0, 0, 0, 60));

    DrawChartPicture(painter, QRectF(22, 22, 128, 130));

    QFont name(QStringLiteral("Liberation Sans"));
    name.setPixelSize(44);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(166, 84), QStringLiteral("Tickvane"));

    QFont slogan(QStringLiteral("Liberation Sans"));
    slogan.setPixelSize(15);
    slogan.setItalic(true);
    painter.setFont(slogan);
    painter.setPen(QColor(0xff, 0xe0, 0x82));
    painter.drawText(QRectF(167, 98, 220, 48), Qt::TextWordWrap,
                     QStringLiteral("Every chart of your quote folder, one key away."));

    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(11);
    painter.setFont(small);
    painter.setPen(QColor(0xd8, 0xf3, 0xf0));
    painter.drawText(QRectF(22, 168, 356, 32), Qt::AlignVCenter | Qt::AlignLeft, notice);
    return image;
}

bool Save(const QImage& image, const QString& file) {
    if (image.save(file))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tickvane-make-artwork RES_DIR [NOTICE]\n");
        return 2;
    }
    const QDir res(QString::fromLocal8Bit(argv[1]));
    const QString notice =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString::fromUtf8(kDefaultNotice);
    bool ok = Save(Splash(1, notice), res.filePath(QStringLiteral("splash.png")));
    ok = Save(Splash(2, notice), res.filePath(QStringLiteral("splash@2x.png"))) && ok;

    QSvgRenderer icon(res.filePath(QStringLiteral("icons/tickvane.svg")));
    if (!icon.isValid()) {
        std::fprintf(stderr, "cannot read icons/tickvane.svg\n");
        return 1;
    }
    res.mkpath(QStringLiteral("icons/png"));
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        icon.render(&painter);
        painter.end();
        ok = Save(image, res.filePath(QStringLiteral("icons/png/tickvane-%1.png").arg(size))) && ok;
    }
    return ok ? 0 : 1;
}
