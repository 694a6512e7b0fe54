// The view's ways through the history: keys, the wheel, dragging and the scroll bar, and the
// crosshair that follows the pointer.

#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"

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
    m_bDragging = true;
    m_ptDragStart = event->position();
    m_nDragEnd = Window().GetEndRecord();
    setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void CTickvaneView::mouseMoveEvent(QMouseEvent* event) {
    if (m_bDragging && m_nDragEnd >= 0) {
        const CSize client = ChartClient();
        const int dx = ToClient(event->position()).x - ToClient(m_ptDragStart).x;
        const int bars = Window().ClientDxToBars(dx, client);
        AfterMove(Window().ScrollToEnd(m_nDragEnd - bars, client));
    }
    TrackPointer(event->position());
}

void CTickvaneView::mouseReleaseEvent(QMouseEvent* event) {
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
    if (fresh || hit.nRecord != before)
        SetReadout(QString::fromStdString(Window().ReadoutText(hit.nRecord)));
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
