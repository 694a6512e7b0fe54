#pragma once
// The crosshair over the chart: a thin vertical line through the bar nearest to the pointer, which
// leaves the bar and its volume bar free, a horizontal line at the pointer's height and, while the
// pointer is over the price pane, the price there in a box right of the right axis, with fewer
// decimals where the column is too narrow for them. It is painted over the chart's image, never
// into it, so a move repaints only the strips it leaves and enters.

#include <QColor>
#include <QRect>
#include <QRegion>
#include <QString>

#include <utility>
#include <vector>

struct ChartHit;
class QFontMetrics;
class QPainter;

class CCrosshair {
public:
    // Places it for `hit`, the pointer `yDevice` device pixels from the top, over a view `view`
    // large with `ratio` device pixels to a pixel.
    void Show(const ChartHit& hit, int yDevice, QSize view, qreal ratio,
              const QFontMetrics& metrics);
    void Hide() { m_bShown = false; }
    // The legends of the studies with their values at this bar, over those the chart shows:
    // `rect` in view coordinates covers both.
    struct LegendBox {
        QRect rect;
        QString text;
        QColor color;
    };
    void SetLegends(std::vector<LegendBox> legends) { m_legends = std::move(legends); }
    bool IsShown() const { return m_bShown; }
    // The record it stands on; -1 when hidden.
    int Record() const { return m_bShown ? m_nRecord : -1; }
    // The price box and its text, in view coordinates; empty outside the price pane.
    QRect LabelRect() const { return m_rcLabel; }
    const QString& LabelText() const { return m_strPrice; }
    // The pixels it covers, in view coordinates; empty when hidden.
    QRegion Region() const;
    // The lines in `line`, the price box in `box` with its text in `text`, the chart's background
    // colour, which the legends stand on.
    void Paint(QPainter& painter, QColor line, QColor box, QColor text) const;

private:
    bool m_bShown = false;
    int m_nRecord = -1;
    qreal m_dRatio = 1;
    int m_xBar = 0, m_y = 0, m_xAxis = 0, m_cyView = 0; // device pixels
    // Rows of the vertical line left free, device pixels: [top, bottom] pairs.
    std::vector<std::pair<int, int>> m_gaps;
    QRect m_rcLabel; // view coordinates; empty outside the price pane
    QString m_strPrice;
    std::vector<LegendBox> m_legends;
};
