#pragma once
// The chart view: draws the current security with DrawChart whenever it paints, steps through the
// directory with Next and Previous (menu, toolbar, arrow keys, its context menu), runs the slide
// show, and prints the chart on one page or shows it in the print preview.

#include "app/CommandMap.h"
#include "platform/Geometry.h"

#include <QImage>
#include <QWidget>

class CBars;
class CCommandRouter;
class CTickvaneDoc;
class QMenu;
class QPrinter;
class Surface;
struct CAppServices;

class CTickvaneView : public QWidget {
    Q_OBJECT

public:
    // `indicatorStale` is the main frame's flag that every screen drawing of the chart sets.
    CTickvaneView(CTickvaneDoc& doc, CAppServices& services, const CCommandRouter& router,
                  int& indicatorStale, QWidget* parent = nullptr);

    CTickvaneDoc& GetDocument() { return m_doc; }
    const CCommandMap& Commands() const { return m_commands; }

    // A slide show is running: set by the Slide Show command, cleared when the show ends.
    int m_bSlideShow = 0;

    // The screen drawing, into a device context as large as `client`.
    void OnDraw(Surface& dc, const CRect& client);
    // The pop-up with Next and Previous, enabled as the position allows; the caller owns it.
    QMenu* CreateContextMenu();
    // Opens the context menu at `point` (view coordinates), unless a slide show runs.
    void ShowContextMenu(QPoint point);

    // Print, with the print dialog; false when nothing was printed.
    bool OnFilePrint();
    // Print on the default printer without a dialog; false, after a message, when there is none or
    // printing failed.
    bool OnFilePrintDirect();
    // Opens the print preview window over the main frame; it closes itself.
    void OnFilePrintPreview();
    // Draws the chart as one page on `printer`, in the print colours and font.
    bool PrintChart(QPrinter& printer);

signals:
    // The chart has just been drawn on the screen.
    void chartDrawn();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnSelectNext();
    void OnSelectPrevious();
    void OnViewSlideShow();
    CBars& Bars();

    CTickvaneDoc& m_doc;
    CAppServices& m_services;
    const CCommandRouter& m_router;
    int& m_bIndicatorStale;
    CCommandMap m_commands;
    // The chart at the screen's own resolution, kept between paints.
    QImage m_image;
};
