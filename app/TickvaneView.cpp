#include "app/TickvaneView.h"

#include "app/AppServices.h"
#include "app/DialogHost.h"
#include "app/TickvaneDoc.h"
#include "chart/Bars.h"
#include "platform/CommandIds.h"
#include "platform/qt/QPainterSurface.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

#include <cmath>

namespace {

constexpr double kInchesPerMeter = 39.3700787;

} // namespace

CTickvaneView::CTickvaneView(CTickvaneDoc& doc, CAppServices& services,
                             const CCommandRouter& router, int& indicatorStale, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_services(services), m_router(router),
      m_bIndicatorStale(indicatorStale) {
    // The chart covers every pixel itself: nothing is erased before it is drawn.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_commands.On(
        ID_SELECT_NEXT, [this] { OnSelectNext(); },
        [this](CCmdUI& ui) { ui.Enable(Bars().HasNextSymbol()); });
    m_commands.On(
        ID_SELECT_PREVIOUS, [this] { OnSelectPrevious(); },
        [this](CCmdUI& ui) { ui.Enable(Bars().HasPreviousSymbol()); });
    m_commands.On(
        ID_VIEW_SLIDESHOW, [this] { OnViewSlideShow(); },
        [this](CCmdUI& ui) { ui.Enable(Bars().IsDataLoaded()); });
    m_commands.On(ID_FILE_PRINT, [this] { OnFilePrint(); });
    m_commands.On(ID_FILE_PRINT_DIRECT, [this] { OnFilePrintDirect(); });
    m_commands.On(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

CBars& CTickvaneView::Bars() {
    return m_doc.Bars();
}

void CTickvaneView::OnDraw(Surface& dc, const CRect& client) {
    Bars().DrawChart(dc, client, false);
    m_bIndicatorStale = 1;
}

// The chart is drawn into an image of the screen's own pixels, so that at a device pixel ratio of
// 2 the same layout comes out at twice the resolution rather than scaled up. Its text gets the
// widget's font at that resolution.
void CTickvaneView::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize device(static_cast<int>(std::ceil(width() * ratio)),
                       static_cast<int>(std::ceil(height() * ratio)));
    if (device.isEmpty())
        return;
    if (m_image.size() != device) {
        m_image = QImage(device, QImage::Format_RGB32);
        m_image.setDotsPerMeterX(qRound(logicalDpiX() * ratio * kInchesPerMeter));
        m_image.setDotsPerMeterY(qRound(logicalDpiY() * ratio * kInchesPerMeter));
    }
    {
        QPainter painter(&m_image);
        painter.setFont(font());
        CQPainterSurface surface(painter);
        OnDraw(surface, CRect{0, 0, device.width(), device.height()});
    }
    QPainter painter(this);
    painter.drawImage(QRectF(0, 0, device.width() / ratio, device.height() / ratio), m_image);
    emit chartDrawn();
}

void CTickvaneView::OnSelectNext() {
    Bars().StepSymbol(+1);
    update();
}

void CTickvaneView::OnSelectPrevious() {
    Bars().StepSymbol(-1);
    update();
}

void CTickvaneView::OnViewSlideShow() {
    const CSlideShowContext context{
        Bars(),
        window(),
        [this] { m_bIndicatorStale = 1; },
        [this] {
            m_bSlideShow = 0;
            update();
        },
    };
    if (m_services.pDialogHost->StartSlideShow(context))
        m_bSlideShow = 1;
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
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(mapToGlobal(point));
}

// A right click opens the menu at the pointer, the menu key at the chart's top-left corner.
void CTickvaneView::contextMenuEvent(QContextMenuEvent* event) {
    ShowContextMenu(event->reason() == QContextMenuEvent::Keyboard ? QPoint(0, 0) : event->pos());
    event->accept();
}
