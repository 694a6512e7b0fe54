#pragma once
// The drawing tools of the chart view: placing a drawing with the tool chosen in the Draw menu
// (points snap to the bar's date and, with Shift, to its open, high, low or close; Escape
// cancels), selecting a drawing with a click (its handles shown), dragging it or one of its
// points, and the changes of the Draw menu and the drawing's context menu. Changes go through
// the drawing editor, so each can be undone.
//
// While a drawing is placed or dragged it is painted over the view's image of the chart, which
// is drawn once without it: a move repaints only the pixels the drawing leaves and enters.
// Positions are device pixels of the chart's client area, as the chart is drawn.

#include "chart/drawings/DrawingEditor.h"
#include "chart/drawings/DrawingGeometry.h"
#include "platform/DeviceMapping.h"

#include <QRect>

#include <functional>
#include <optional>

class CBars;
class QPainter;

class CDrawingTool {
public:
    // What the view must paint again after an event.
    enum class Repaint { None, Overlay, Chart };
    struct Result {
        bool bHandled = false; // the event was the tool's; the view leaves it alone
        Repaint repaint = Repaint::None;
    };
    // Asks for a note's text, starting with `text`; false when the user cancels.
    using TextAsker = std::function<bool(std::string& text)>;

    CDrawingTool(CBars& bars, CDrawingEditor& editor) : m_bars(bars), m_editor(editor) {}
    void SetTextAsker(TextAsker asker) { m_fnAskText = std::move(asker); }

    // The tool of the Draw menu; none selects and moves drawings.
    void Choose(std::optional<DrawingType> tool);
    std::optional<DrawingType> Tool() const { return m_tool; }
    bool IsPlacing() const { return m_bPlacing; }
    bool IsDragging() const { return m_drag != Drag::None; }
    int Selected() const;

    Result Press(CPoint device, CSize client, bool shift);
    Result Move(CPoint device, CSize client, bool shift);
    Result Release(CPoint device, CSize client, bool shift);
    // Escape: the drawing in progress goes, else the tool, else the selection.
    Result Cancel();
    // Selects the drawing under `device` for its context menu; false when there is none.
    bool SelectAt(CPoint device, CSize client);

    // The Draw menu's changes; each gives Repaint::Chart when it changed something.
    Repaint DeleteSelected();
    Repaint DeleteAll();
    Repaint Undo();
    Repaint Redo();
    // The selected drawing changed by `change`, as one step of the history.
    Repaint ChangeSelected(const std::function<void(Drawing&)>& change);
    const Drawing* SelectedDrawing() const;
    // The current security's drawings changed under the tool (another security, undo): a
    // selection or a drawing in progress that no longer fits is dropped.
    void Revalidate();
    // Whether the Draw menu's Undo and Redo have a step to take on the current security.
    bool CanUndo();
    bool CanRedo();
    bool HasDrawings();

    // Paints what lies over the chart's image: the drawing being placed or dragged and the
    // handles of the selected one. `painter` paints the view, `ratio` device pixels a pixel.
    void PaintOverlay(QPainter& painter, double ratio, COLORREF handles, CSize client);
    // The device pixels the overlay covers, and those it covered when last asked.
    QRect OverlayRect() const { return m_rcOverlay; }
    QRect TakeOverlayChange();

private:
    enum class Drag { None, Pending, Body, Point };
    void SyncSecurity();
    void StopDrag();
    CDrawingGeometry Geometry(CSize client);
    DrawingPoint PointAt(const CDrawingGeometry& geometry, CPoint device, bool shift) const;
    double Reach() const;
    void Finish(Drawing drawing);
    void UpdateOverlay(CSize client);
    const Drawing* OverlayDrawing() const;

    CBars& m_bars;
    CDrawingEditor& m_editor;
    std::string m_strFolder, m_strSymbol; // the security the editor works on
    TextAsker m_fnAskText;
    std::optional<DrawingType> m_tool;
    CDeviceMapping m_mapping;

    bool m_bPlacing = false;
    Drawing m_placed; // the drawing in progress: its first point fixed, the last at the pointer

    int m_nSelected = -1;
    Drag m_drag = Drag::None;
    int m_nDragPoint = -1;
    CPoint m_ptPress;
    Drawing m_dragged; // the selected drawing as the drag has it

    QRect m_rcOverlay, m_rcOverlayBefore;
};
