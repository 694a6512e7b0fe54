#include "app/Crosshair.h"

#include "chart/ChartWindow.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtMath>

#include <algorithm>

namespace {

constexpr int kLabelPadding = 3;

// The view pixel that holds a device pixel.
int ToView(int device, qreal ratio) {
    return qFloor(device / ratio);
}

// The price with as many of its decimals as fit `room` pixels, then in thousands or millions.
QString FittingPrice(const QString& price, double value, int room, const QFontMetrics& metrics) {
    if (metrics.horizontalAdvance(price) <= room)
        return price;
    const qsizetype point = price.indexOf(u'.');
    for (qsizetype decimals = point < 0 ? 0 : price.size() - point - 2; decimals >= 0; --decimals) {
        const QString text = QString::number(value, 'f', int(decimals));
        if (metrics.horizontalAdvance(text) <= room)
            return text;
    }
    for (const auto& [divisor, unit] : {std::pair{1e3, u'K'}, std::pair{1e6, u'M'}}) {
        const QString text = QString::number(value / divisor, 'f', 0) + unit;
        if (metrics.horizontalAdvance(text) <= room)
            return text;
    }
    return QString::number(value / 1e9, 'f', 0) + u'B';
}

} // namespace

void CCrosshair::Show(const ChartHit& hit, int yDevice, QSize view, qreal ratio,
                      const QFontMetrics& metrics) {
    m_bShown = hit.bBar;
    m_nRecord = hit.nRecord;
    m_dRatio = ratio;
    m_xBar = hit.xBar;
    m_y = yDevice;
    m_xAxis = hit.xAxis;
    m_cyView = qCeil(view.height() * ratio);
    m_rcLabel = QRect();
    m_gaps.clear();
    // A pixel of the background on either side, so that the bar reads as whole.
    if (hit.yBarBottom >= hit.yBarTop)
        m_gaps.emplace_back(hit.yBarTop - 1, hit.yBarBottom + 1);
    if (hit.yVolumeBottom >= hit.yVolumeTop)
        m_gaps.emplace_back(hit.yVolumeTop - 1, hit.yVolumeBottom + 1);
    std::sort(m_gaps.begin(), m_gaps.end());
    if (!hit.bPricePane)
        return;
    const int room = view.width() - ToView(m_xAxis, ratio) - 1 - 2 * kLabelPadding;
    m_strPrice = FittingPrice(QString::fromStdString(hit.strPrice), hit.dPrice, room, metrics);
    const QSize text(metrics.horizontalAdvance(m_strPrice), metrics.height());
    QRect label(QPoint(ToView(m_xAxis, ratio) + 1, 0),
                text + QSize(2 * kLabelPadding, kLabelPadding));
    label.moveTop(ToView(m_y, ratio) - label.height() / 2);
    label.moveTop(qBound(0, label.top(), qMax(0, view.height() - label.height())));
    // A price too long even in millions is cut at the view's edge rather than laid over the axis.
    label.setRight(qMin(label.right(), view.width() - 1));
    m_rcLabel = label;
}

QRegion CCrosshair::Region() const {
    if (!m_bShown)
        return {};
    const int x = ToView(m_xBar, m_dRatio);
    const int y = ToView(m_y, m_dRatio);
    const int height = ToView(m_cyView, m_dRatio) + 1;
    QRegion region(x - 1, 0, 3, height);
    region += QRect(0, y - 1, ToView(m_xAxis, m_dRatio) + 2, 3);
    if (!m_rcLabel.isEmpty())
        region += m_rcLabel.adjusted(-1, -1, 1, 1);
    for (const LegendBox& legend : m_legends)
        region += legend.rect;
    return region;
}

void CCrosshair::Paint(QPainter& painter, QColor line, QColor box, QColor text) const {
    if (!m_bShown)
        return;
    painter.save();
    // The lines in device pixels: one pixel wide at any scale.
    painter.scale(1 / m_dRatio, 1 / m_dRatio);
    int top = 0;
    for (const auto& [gapTop, gapBottom] : m_gaps) {
        if (gapTop > top)
            painter.fillRect(m_xBar, top, 1, gapTop - top, line);
        top = qMax(top, gapBottom + 1);
    }
    if (top < m_cyView)
        painter.fillRect(m_xBar, top, 1, m_cyView - top, line);
    painter.fillRect(0, m_y, m_xAxis, 1, line);
    painter.restore();
    // The legends on the chart's own background, over what the chart wrote there.
    for (const LegendBox& legend : m_legends) {
        painter.fillRect(legend.rect, text);
        painter.setPen(legend.color);
        painter.drawText(legend.rect, Qt::AlignLeft | Qt::AlignTop, legend.text);
    }
    if (m_rcLabel.isEmpty())
        return;
    painter.fillRect(m_rcLabel, box);
    painter.setPen(text);
    painter.drawText(m_rcLabel, Qt::AlignCenter, m_strPrice);
}
