#include "app/Crosshair.h"

#include "chart/ChartWindow.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtMath>

namespace {

constexpr int kLabelPadding = 3;

// The view pixel that holds a device pixel.
int ToView(int device, qreal ratio) {
    return qFloor(device / ratio);
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
    m_strPrice = QString::fromStdString(hit.strPrice);
    if (!hit.bPricePane)
        return;
    const QSize text(metrics.horizontalAdvance(m_strPrice), metrics.height());
    QRect label(QPoint(ToView(m_xAxis, ratio) + 1, 0),
                text + QSize(2 * kLabelPadding, kLabelPadding));
    label.moveTop(ToView(m_y, ratio) - label.height() / 2);
    label.moveTop(qBound(0, label.top(), qMax(0, view.height() - label.height())));
    // The right column is narrow: a long price reaches back over the axis rather than off the view.
    if (label.right() >= view.width())
        label.moveRight(view.width() - 1);
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
    painter.fillRect(m_xBar, 0, 1, m_cyView, line);
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
