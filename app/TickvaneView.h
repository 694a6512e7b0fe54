#pragma once
// The chart view: draws the current security with DrawChart whenever it paints, steps through the
// directory with Next and Previous (menu, toolbar, arrow keys, its context menu), runs the slide
// show, and prints the chart on one page or shows it in the print preview.
//
// It also moves through the whole history of the security (a scroll bar, the wheel, dragging, Page
// Up and Down, Home and End), zooms (Ctrl with the wheel, Plus, Minus and 0), shows a crosshair
// with the values of the bar under the pointer, and copies and exports the chart and its quotes.
//
// The user draws on it with the tools of the Draw menu (TickvaneViewDrawing.cpp, DrawingTool.h).

#include "app/CommandMap.h"
#include "app/Crosshair.h"
#include "app/DrawingTool.h"
#include "platform/Geometry.h"

#include <QImage>
#include <QWidget>

class CBars;
class CChartWindow;
class CFolderWatch;
class CCommandRouter;
class CTickvaneDoc;
class QMenu;
class QPrinter;
class QScrollBar;
class Surface;
struct CAppServices;
enum class ViewHint;

class CTickvaneView : public QWidget {
    Q_OBJECT

public:
    // `indicatorStale` is the main frame's flag that every screen drawing of the chart sets. The
    // scroll bar is made a child of `parent`, which places it under the view.
    CTickvaneView(CTickvaneDoc& doc, CAppServices& services, const CCommandRouter& router,
                  int& indicatorStale, QWidget* parent = nullptr);

    CTickvaneDoc& GetDocument() { return m_doc; }
    const CCommandMap& Commands() const { return m_commands; }
    // Where the chart lies in the history.
    QScrollBar& ScrollBar() { return *m_pScrollBar; }

    // A slide show is running: set by the Slide Show command, cleared when the show ends.
    int m_bSlideShow = 0;

    // The screen drawing, into a device context as large as `client`.
    void OnDraw(Surface& dc, const CRect& client);
    // The document changed: the scroll bar follows, and the chart is drawn again.
    void OnUpdate(ViewHint hint);
    // The size of the rectangle the chart is drawn into on the screen, in device pixels.
    CSize ChartClient() const;
    // The pop-up with Next and Previous, enabled as the position allows; the caller owns it.
    QMenu* CreateContextMenu();
    // Opens the context menu at `point` (view coordinates), unless a slide show runs: that of the
    // drawing there, when there is one.
    void ShowContextMenu(QPoint point);
    // The drawing tools and the selection.
    CDrawingTool& DrawingTool() { return m_drawingTool; }
    // The pop-up of the selected drawing: colour, width, style, its own options, Delete; the
    // caller owns it.
    QMenu* CreateDrawingMenu();

    // Printing (TickvaneViewPrinting.cpp).
    // Print, with the print dialog; false when nothing was printed.
    bool OnFilePrint();
    // Print on the default printer without a dialog; false, after a message, when there is none or
    // printing failed.
    bool OnFilePrintDirect();
    // Opens the print preview window over the main frame; it closes itself.
    void OnFilePrintPreview();
    // Draws the chart as one page on `printer`, in the print colours and font.
    bool PrintChart(QPrinter& printer);

    // Copy and the exports (TickvaneViewExport.cpp).
    // The chart in the screen's colours at the window's size, as Copy and the export draw it.
    QImage ChartImage();
    // Copy: the chart goes on the clipboard as an image.
    void OnEditCopy();
    // Export Chart and Export Quotes ask for a file and write it; false when nothing was written
    // (cancelled, or a message said why).
    bool OnFileExportChart();
    bool OnFileExportQuotes();

signals:
    // The chart has just been drawn on the screen.
    void chartDrawn();
    // The values of the bar under the crosshair, for the status bar; empty when the pointer is
    // not over a bar of the chart.
    void readoutChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void OnSelectNext();
    void OnSelectPrevious();
    void OnViewSlideShow();
    CBars& Bars();
    CChartWindow& Window();

    // Navigation (TickvaneViewNavigation.cpp).
    bool OnNavigationKey(const QKeyEvent& event);
    // After a move of the window: with `moved`, the scroll bar follows and the chart is redrawn.
    void AfterMove(bool moved);
    void UpdateScrollBar();
    void OnScrollBarValue(int value);
    CPoint ToClient(QPointF point) const;
    // The crosshair follows the pointer to `point`, repainting what it leaves and enters.
    void TrackPointer(QPointF point);
    // Puts the crosshair on the bar nearest to `point` and the readout in the status bar; `fresh`
    // when the chart under it was drawn again.
    void PlaceCrosshair(QPointF point, bool fresh);
    void HideCrosshair();
    // The studies' legends follow the crosshair's bar.
    void PlaceLegends(int record);
    // Asks for a repaint of the pixels the crosshair covers now.
    void MarkCrosshair();

    // Drawing (TickvaneViewDrawing.cpp).
    void AddDrawingCommands();
    void OnDrawDeleteAll();
    // Repaints what the drawing tool asks for: the whole chart, or the pixels of its overlay.
    void AfterDrawing(CDrawingTool::Repaint repaint);
    void SetReadout(const QString& text);

    // The start of a file for the export dialogs: the last folder exported to, and the symbol.
    std::string SuggestedExportPath(const char* extension) const;

    CTickvaneDoc& m_doc;
    CAppServices& m_services;
    const CCommandRouter& m_router;
    int& m_bIndicatorStale;
    CCommandMap m_commands;
    QScrollBar* m_pScrollBar;
    // The chart at the screen's own resolution, kept between paints.
    QImage m_image;

    CDrawingTool m_drawingTool;
    CCrosshair m_crosshair;
    // What the crosshair asked to repaint since the last paint: a paint of no more than that
    // draws the crosshair over the image without drawing the chart.
    QRegion m_rgnCrosshair;
    bool m_bPointerInside = false;
    // Reads the folder's index files and the shown security's price file again when an updater
    // has written them.
    CFolderWatch* m_pWatch = nullptr;
    QPointF m_ptPointer;
    QString m_strReadout;

    // The further pane whose top line the user drags, -1 while none.
    int m_nDividerPane = -1;
    bool m_bDragging = false;
    QPointF m_ptDragStart;
    int m_nDragEnd = -1;
    // Parts of a bar or a zoom step that the wheel has turned but not moved yet.
    double m_dWheelBars = 0;
    double m_dWheelZoom = 0;

    std::string m_strExportDirectory;
    QString m_strChartFilter;
};
