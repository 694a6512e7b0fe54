#include "app/TickvaneView.h"

#include "app/AppServices.h"
#include "app/DialogHost.h"
#include "app/FolderWatch.h"
#include "app/ScrollBarStyle.h"
#include "app/TickvaneDoc.h"
#include "chart/Bars.h"
#include "picture/ChartDrawing.h"
#include "platform/Commands.h"
#include "qt/QPainterSurface.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QtMath>

namespace {

QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QColor Blend(QColor a, QColor b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

} // namespace

CTickvaneView::CTickvaneView(CTickvaneDoc& doc, CAppServices& services,
                             const CCommandRouter& router, int& indicatorStale, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_services(services), m_router(router),
      m_bIndicatorStale(indicatorStale), m_pScrollBar(new QScrollBar(Qt::Horizontal, parent)),
      m_drawingTool(doc.Bars(), doc.DrawingEditor()) {
    // The chart covers every pixel itself: nothing is erased before it is drawn.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    // The keys stay with the chart when the scroll bar is used.
    m_pScrollBar->setFocusPolicy(Qt::NoFocus);
    auto* style = new CScrollBarStyle;
    style->setParent(m_pScrollBar);
    m_pScrollBar->setStyle(style);
    m_pScrollBar->setEnabled(false);
    connect(m_pScrollBar, &QScrollBar::valueChanged, this, &CTickvaneView::OnScrollBarValue);
    // New records of the shown security: the chart stays on the newest bar when it was there,
    // and on the same records otherwise. New index files: the directory is read again.
    m_pWatch = new CFolderWatch(
        Bars(), [this] { AfterMove(Window().ScrollBars(0, ChartClient())); },
        [this] { m_doc.RefreshDirectory(); }, this);

    const auto needsData = [this](CCmdUI& ui) { ui.Enable(Bars().IsDataLoaded()); };
    m_commands.On(
        ID_SELECT_NEXT, [this] { OnSelectNext(); },
        [this](CCmdUI& ui) { ui.Enable(Bars().HasNextSymbol()); });
    m_commands.On(
        ID_SELECT_PREVIOUS, [this] { OnSelectPrevious(); },
        [this](CCmdUI& ui) { ui.Enable(Bars().HasPreviousSymbol()); });
    m_commands.On(
        ID_VIEW_SLIDESHOW, [this] { OnViewSlideShow(); }, needsData);
    // View > Range: months up to the bar at the right edge, or everything.
    for (const auto& [id, months] :
         {std::pair{ID_VIEW_RANGE_1M, 1}, std::pair{ID_VIEW_RANGE_3M, 3},
          std::pair{ID_VIEW_RANGE_6M, 6}, std::pair{ID_VIEW_RANGE_1Y, 12},
          std::pair{ID_VIEW_RANGE_5Y, 60}, std::pair{ID_VIEW_RANGE_ALL, 0}})
        m_commands.On(
            id, [this, months] { AfterMove(Window().ShowRange(months, ChartClient())); },
            needsData);
    m_commands.On(ID_FILE_PRINT, [this] { OnFilePrint(); });
    m_commands.On(ID_FILE_PRINT_DIRECT, [this] { OnFilePrintDirect(); });
    m_commands.On(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
    m_commands.On(
        ID_EDIT_COPY, [this] { OnEditCopy(); }, needsData);
    m_commands.On(
        ID_FILE_EXPORT_CHART, [this] { OnFileExportChart(); }, needsData);
    m_commands.On(
        ID_FILE_EXPORT_QUOTES, [this] { OnFileExportQuotes(); }, needsData);
    AddDrawingCommands();
}

CBars& CTickvaneView::Bars() {
    return m_doc.Bars();
}

CChartWindow& CTickvaneView::Window() {
    return m_doc.Bars().Window();
}

CSize CTickvaneView::ChartClient() const {
    const qreal ratio = devicePixelRatioF();
    return CSize{qCeil(width() * ratio), qCeil(height() * ratio)};
}

void CTickvaneView::OnDraw(Surface& dc, const CRect& client) {
    Bars().DrawChart(dc, client, false);
    m_bIndicatorStale = 1;
}

void CTickvaneView::OnUpdate(ViewHint hint) {
    // A bar spacing just chosen in the options is what the user wants to see.
    if (hint == ViewHint::BarSpaceChanged)
        Window().ResetZoom(ChartClient());
    UpdateScrollBar();
    update();
}

// The chart is drawn into an image of the screen's own pixels, so that at a device pixel ratio of
// 2 the same layout comes out at twice the resolution rather than scaled up. Its text gets the
// widget's font at that resolution, and its averages and study lines are drawn smooth. A paint that
// only the crosshair asked for draws the image again with the crosshair over it, not the chart.
void CTickvaneView::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    const CSize client = ChartClient();
    const QSize device(client.cx, client.cy);
    if (device.isEmpty())
        return;
    const bool crosshairOnly = m_image.size() == device && !m_rgnCrosshair.isEmpty() &&
                               (event->region() - m_rgnCrosshair).isEmpty();
    m_rgnCrosshair = QRegion();
    if (!crosshairOnly) {
        SizeChartImage(m_image, device, logicalDpiY() * ratio);
        {
            QPainter painter(&m_image);
            painter.setFont(font());
            CQPainterSurface surface(painter);
            surface.SetSmoothLines(ratio >= 2);
            OnDraw(surface, CRect{0, 0, client.cx, client.cy});
        }
        UpdateScrollBar();
        if (m_bPointerInside)
            PlaceCrosshair(m_ptPointer, true);
    }
    // Only the pixels asked for: a crosshair move repaints a few thin strips of a large image.
    QPainter painter(this);
    for (const QRect& rect : event->region()) {
        const QRectF source(rect.topLeft() * ratio, rect.size() * ratio);
        painter.drawImage(QRectF(rect), m_image, source);
    }
    // The lines halfway between the axes and the background: plain to see, yet not as loud as the
    // axes; the price box in the axes' colour.
    const QColor axes = ToQColor(Bars().GetWorkColorRGB(kItemAxes));
    const QColor background = ToQColor(Bars().GetWorkColorRGB(kItemBackground));
    // What is drawn or dragged just now lies over the image, under the crosshair.
    m_drawingTool.PaintOverlay(painter, ratio, Bars().GetWorkColorRGB(kItemAxes), client);
    m_crosshair.Paint(painter, Blend(axes, background), axes, background);
    if (!crosshairOnly)
        emit chartDrawn();
}

void CTickvaneView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateScrollBar();
}

void CTickvaneView::OnSelectNext() {
    Bars().StepSymbol(+1);
    AfterMove(true);
}

void CTickvaneView::OnSelectPrevious() {
    Bars().StepSymbol(-1);
    AfterMove(true);
}

void CTickvaneView::OnViewSlideShow() {
    const CSlideShowContext context{
        Bars(),
        window(),
        [this] { m_bIndicatorStale = 1; },
        [this] {
            m_bSlideShow = 0;
            AfterMove(true);
        },
    };
    if (m_services.pDialogHost->StartSlideShow(context)) {
        m_bSlideShow = 1;
        HideCrosshair();
    }
}

QMenu* CTickvaneView::CreateContextMenu() {
    auto* menu = new QMenu(this);
    const auto add = [this, menu](const char* text, int id, bool enabled) {
        QAction* item = menu->addAction(QString::fromLatin1(text));
        item->setEnabled(enabled);
        connect(item, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
    };
    add("Next", ID_SELECT_NEXT, Bars().HasNextSymbol());
    add("Previous", ID_SELECT_PREVIOUS, Bars().HasPreviousSymbol());
    return menu;
}

void CTickvaneView::ShowContextMenu(QPoint point) {
    if (m_bSlideShow)
        return;
    const bool onDrawing =
        Bars().IsDataLoaded() && m_drawingTool.SelectAt(ToClient(QPointF(point)), ChartClient());
    AfterDrawing(CDrawingTool::Repaint::Overlay);
    QMenu* menu = onDrawing ? CreateDrawingMenu() : CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(mapToGlobal(point));
}

// A right click opens the menu at the pointer, the menu key at the chart's top-left corner.
void CTickvaneView::contextMenuEvent(QContextMenuEvent* event) {
    ShowContextMenu(event->reason() == QContextMenuEvent::Keyboard ? QPoint(0, 0) : event->pos());
    event->accept();
}
