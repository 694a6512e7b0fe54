// The view's printing: one page, in the print colours and font, on the printer the program keeps
// for print, print preview and print set-up alike.

#include "app/AppServices.h"
#include "app/CommonDialogs.h"
#include "app/TickvaneDoc.h"
#include "app/TickvaneView.h"
#include "chart/Bars.h"
#include "platform/MessageService.h"
#include "qt/QPainterSurface.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>

bool CTickvaneView::PrintChart(QPrinter& printer) {
    printer.setFromTo(1, 1);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    {
        CQPainterSurface surface(painter);
        Bars().DrawChart(surface, CRect{0, 0, printer.width(), printer.height()}, true);
    }
    return painter.end();
}

bool CTickvaneView::OnFilePrint() {
    QPrinter& printer = m_services.printer;
    if (!m_services.commonDialogs.AskPrinter(window(), printer, false))
        return false;
    if (PrintChart(printer))
        return true;
    m_services.messages.Show("The chart could not be printed.", MessageIcon::Warning);
    return false;
}

bool CTickvaneView::OnFilePrintDirect() {
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull()) {
        m_services.messages.Show("No default printer is set up, so the chart was not printed.",
                                 MessageIcon::Warning);
        return false;
    }
    QPrinter printer(printerInfo);
    if (PrintChart(printer))
        return true;
    m_services.messages.Show("The chart could not be printed.", MessageIcon::Warning);
    return false;
}

// The preview is modal to the main frame but runs no event loop of its own: it opens and returns.
void CTickvaneView::OnFilePrintPreview() {
    auto* preview = new QPrintPreviewDialog(&m_services.printer, window());
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowTitle(QStringLiteral("Print Preview"));
    if (auto* pages = preview->findChild<QPrintPreviewWidget*>())
        pages->setViewMode(QPrintPreviewWidget::SinglePageView);
    connect(preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintChart(*printer); });
    preview->resize(window()->size() * 9 / 10);
    preview->open();
}
