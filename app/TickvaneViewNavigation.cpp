// The view's ways through the history: keys, the wheel, dragging and the scroll bar, and the
// crosshair that follows the pointer.

#include "app/AppServices.h"
#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"
#include "chart/studies/StudyList.h"
#include "chart/studies/StudySettings.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kWheelNotch = 120;
// A notch of the wheel moves the chart by a tenth of a screenful.
constexpr int kNotchesPerPage = 10;

// Whole steps taken out of `pending`, which keeps the rest.
int TakeWholeSteps(double& pending) {
    const double steps = std::trunc(pending);
    pending -= steps;
    return static_cast<int>(std::clamp(steps, -1e6, 1e6));
}

} // namespace

CPoint CTickvaneView::ToClient(QPointF point) const {
    const qreal ratio = devicePixelRatioF();
    return CPoint{qFloor(point.x() * ratio), qFloor(point.y() * ratio)};
}

void CTickvaneView::AfterMove(bool moved) {
    if (!moved)
        return;
    UpdateScrollBar();
    update();
}

void CTickvaneView::UpdateScrollBar() {
    const ChartScrollInfo info = Window().GetScrollInfo(ChartClient());
    const QSignalBlocker blocker(m_pScrollBar);
    m_pScrollBar->setRange(0, info.nMaximum);
    m_pScrollBar->setPageStep(info.nPageStep);
    m_pScrollBar->setSingleStep(1);
    m_pScrollBar->setValue(info.nValue);
    m_pScrollBar->setEnabled(info.nMaximum > 0);
}

void CTickvaneView::OnScrollBarValue(int value) {
    AfterMove(Window().ScrollToValue(value, ChartClient()));
}

// Home and End go to the oldest and the newest record, Page Up and Page Down a screenful back and
// forth; Ctrl with Plus (or =, for keyboards without a plus key) and Minus zoom keeping the right
// edge, Ctrl+0 goes back to the stored spacing.
bool CTickvaneView::OnNavigationKey(const QKeyEvent& event) {
    CChartWindow& window = Window();
    const CSize client = ChartClient();
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers == Qt::NoModifier) {
        switch (event.key()) {
        case Qt::Key_Home:
            AfterMove(window.ScrollToOldest(client));
            return true;
        case Qt::Key_End:
            AfterMove(window.ScrollToNewest());
            return true;
        case Qt::Key_PageUp:
            AfterMove(window.ScrollPages(-1, client));
            return true;
        case Qt::Key_PageDown:
            AfterMove(window.ScrollPages(+1, client));
            return true;
        default:
            return false;
        }
    }
    if (modifiers != Qt::ControlModifier)
        return false;
    switch (event.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        AfterMove(window.ZoomAt(+1, client.cx, client));
        return true;
    case Qt::Key_Minus:
        AfterMove(window.ZoomAt(-1, client.cx, client));
        return true;
    case Qt::Key_0:
        AfterMove(window.ResetZoom(client));
        return true;
    default:
        return false;
    }
}

void CTickvaneView::keyPressEvent(QKeyEvent* event) {
    // Escape gives up the drawing in progress, then the tool, then the selection.
    if (!m_bSlideShow && event->key() == Qt::Key_Escape) {
        const CDrawingTool::Result result = m_drawingTool.Cancel();
        AfterDrawing(result.repaint);
        if (result.bHandled)
            return;
    }
    if (m_bSlideShow || !OnNavigationKey(*event))
        QWidget::keyPressEvent(event);
}

// The wheel turned away from the user goes back in time; with Ctrl it zooms in at the pointer.
void CTickvaneView::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    const double notches =
        (std::abs(angle.x()) > std::abs(angle.y()) ? angle.x() : angle.y()) / kWheelNotch;
    const CSize client = ChartClient();
    if (event->modifiers() & Qt::ControlModifier) {
        m_dWheelZoom += notches;
        if (const int steps = TakeWholeSteps(m_dWheelZoom))
            AfterMove(Window().ZoomAt(steps, ToClient(event->position()).x, client));
    } else {
        const int page = Window().GetScrollInfo(client).nPageStep;
        m_dWheelBars -= notches * std::max(page / kNotchesPerPage, 1);
        if (const int bars = TakeWholeSteps(m_dWheelBars))
            AfterMove(Window().ScrollBars(bars, client));
    }
    event->accept();
}

// Dragging with the left button carries the chart along with the pointer.
void CTickvaneView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_bSlideShow || !Bars().IsDataLoaded()) {
        QWidget::mousePressEvent(event);
        return;
    }
    // A drawing tool places what it draws; a drawing under the pointer is taken hold of.
    const CDrawingTool::Result drawing = m_drawingTool.Press(
        ToClient(event->position()), ChartClient(), event->modifiers().testFlag(Qt::ShiftModifier));
    AfterDrawing(drawing.repaint);
    if (drawing.bHandled) {
        event->accept();
        return;
    }
    // A pane's top line takes the pane's height along instead.
    m_nDividerPane = Window().DividerAt(ToClient(event->position()).y, ChartClient());
    if (m_nDividerPane >= 0) {
        event->accept();
        return;
    }
    m_bDragging = true;
    m_ptDragStart = event->position();
    m_nDragEnd = Window().GetEndRecord();
    setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void CTickvaneView::mouseMoveEvent(QMouseEvent* event) {
    const CSize client = ChartClient();
    const int y = ToClient(event->position()).y;
    if (m_nDividerPane >= 0) {
        m_doc.Studies().SetPaneHeight(static_cast<std::size_t>(m_nDividerPane),
                                      Window().PaneHeightAt(m_nDividerPane, y, client));
        update();
        return;
    }
    if (!m_bSlideShow) {
        const CDrawingTool::Result drawing = m_drawingTool.Move(
            ToClient(event->position()), client, event->modifiers().testFlag(Qt::ShiftModifier));
        AfterDrawing(drawing.repaint);
        if (drawing.bHandled) {
            TrackPointer(event->position());
            return;
        }
    }
    if (!m_bDragging)
        setCursor(Window().DividerAt(y, client) >= 0 ? Qt::SplitVCursor : Qt::CrossCursor);
    if (m_bDragging && m_nDragEnd >= 0) {
        const int dx = ToClient(event->position()).x - ToClient(m_ptDragStart).x;
        const int bars = Window().ClientDxToBars(dx, client);
        AfterMove(Window().ScrollToEnd(m_nDragEnd - bars, client));
    }
    TrackPointer(event->position());
}

void CTickvaneView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_nDividerPane >= 0) {
        m_nDividerPane = -1;
        StoreStudies(m_services.settings, m_doc.Studies().Studies());
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        const CDrawingTool::Result drawing =
            m_drawingTool.Release(ToClient(event->position()), ChartClient(),
                                  event->modifiers().testFlag(Qt::ShiftModifier));
        AfterDrawing(drawing.repaint);
        if (drawing.bHandled) {
            event->accept();
            return;
        }
    }
    if (event->button() != Qt::LeftButton || !m_bDragging) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_bDragging = false;
    setCursor(Qt::CrossCursor);
    event->accept();
}

void CTickvaneView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    m_bPointerInside = false;
    HideCrosshair();
}

void CTickvaneView::TrackPointer(QPointF point) {
    MarkCrosshair();
    PlaceCrosshair(point, false);
    MarkCrosshair();
}

void CTickvaneView::PlaceCrosshair(QPointF point, bool fresh) {
    m_bPointerInside = true;
    m_ptPointer = point;
    const ChartHit hit =
        m_bSlideShow ? ChartHit{} : Window().HitTest(ToClient(point), ChartClient());
    const int before = m_crosshair.Record();
    if (!hit.bBar) {
        m_crosshair.Hide();
        SetReadout(QString());
        return;
    }
    m_crosshair.Show(hit, ToClient(point).y, size(), devicePixelRatioF(), fontMetrics());
    if (fresh || hit.nRecord != before) {
        SetReadout(QString::fromStdString(Window().ReadoutText(hit.nRecord)));
        PlaceLegends(hit.nRecord);
    }
}

void CTickvaneView::PlaceLegends(int record) {
    const CSize client = ChartClient();
    const auto atBar = Window().LegendsAt(record, client);
    const auto drawn = Window().LegendsAt(Window().GetEndRecord(), client);
    const qreal ratio = devicePixelRatioF();
    const QFontMetrics metrics = fontMetrics();
    std::vector<CCrosshair::LegendBox> boxes;
    for (std::size_t k = 0; k < atBar.size() && k < drawn.size(); ++k) {
        const QString text = QString::fromStdString(atBar[k].text);
        const int width =
            std::max(metrics.horizontalAdvance(text),
                     metrics.horizontalAdvance(QString::fromStdString(drawn[k].text)));
        const QPoint at(qFloor(atBar[k].ptClient.x / ratio), qFloor(atBar[k].ptClient.y / ratio));
        const COLORREF color = atBar[k].color;
        boxes.push_back({QRect(at, QSize(width + 2, metrics.height())), text,
                         QColor(GetRValue(color), GetGValue(color), GetBValue(color))});
    }
    m_crosshair.SetLegends(std::move(boxes));
}

void CTickvaneView::HideCrosshair() {
    MarkCrosshair();
    m_crosshair.Hide();
    SetReadout(QString());
}

void CTickvaneView::MarkCrosshair() {
    const QRegion region = m_crosshair.Region();
    if (region.isEmpty())
        return;
    m_rgnCrosshair += region;
    update(region);
}

void CTickvaneView::SetReadout(const QString& text) {
    if (text == m_strReadout)
        return;
    m_strReadout = text;
    emit readoutChanged(text);
}
