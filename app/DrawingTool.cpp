#include "app/DrawingTool.h"

#include "chart/Bars.h"
#include "chart/drawings/DrawingPainter.h"
#include "qt/QPainterSurface.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// How near a line or a handle the pointer takes hold of it, and how far it moves before a press
// becomes a drag, in device pixels.
constexpr double kReachPixels = 5;
constexpr int kDragStart = 3;

} // namespace

// On another security nothing of the last one stays selected or in progress.
void CDrawingTool::SyncSecurity() {
    std::string folder = m_bars.DrawingFolder(), symbol = m_bars.DrawingSymbol();
    if (folder == m_strFolder && symbol == m_strSymbol)
        return;
    m_strFolder = folder;
    m_strSymbol = symbol;
    m_editor.SetSecurity(std::move(folder), std::move(symbol));
    m_bPlacing = false;
    m_nSelected = -1;
    if (m_drag != Drag::None)
        m_bars.SetSkippedDrawing(-1);
    m_drag = Drag::None;
    m_rcOverlay = QRect();
}

CDrawingGeometry CDrawingTool::Geometry(CSize client) {
    CChartWindow& window = m_bars.Window();
    m_mapping = ChartMapping(window.Layout(client), client);
    return window.DrawingGeometry(client);
}

double CDrawingTool::Reach() const {
    return kReachPixels / std::max(m_mapping.ScaleX(), 1e-6);
}

DrawingPoint CDrawingTool::PointAt(const CDrawingGeometry& geometry, CPoint device,
                                   bool shift) const {
    const double x = m_mapping.ToLogicalX(device.x), y = m_mapping.ToLogicalY(device.y);
    return shift ? geometry.PointOnBarAt(x, y) : geometry.PointAt(x, y);
}

int CDrawingTool::Selected() const {
    return m_nSelected;
}

const Drawing* CDrawingTool::SelectedDrawing() const {
    const std::vector<Drawing>& drawings = m_editor.Drawings();
    return m_nSelected >= 0 && m_nSelected < static_cast<int>(drawings.size())
               ? &drawings[std::size_t(m_nSelected)]
               : nullptr;
}

void CDrawingTool::Choose(std::optional<DrawingType> tool) {
    m_tool = tool;
    m_bPlacing = false;
    m_nSelected = -1;
}

void CDrawingTool::Revalidate() {
    SyncSecurity();
    const int count = static_cast<int>(m_editor.Drawings().size());
    if (m_nSelected >= count)
        m_nSelected = -1;
    if (m_drag != Drag::None && m_nSelected < 0) {
        m_drag = Drag::None;
        m_bars.SetSkippedDrawing(-1);
    }
}

void CDrawingTool::Finish(Drawing drawing) {
    m_bPlacing = false;
    m_tool.reset();
    if (drawing.type == DrawingType::Note) {
        std::string text;
        if (!m_fnAskText || !m_fnAskText(text) || text.empty())
            return;
        drawing.text = text;
    }
    if (m_editor.Add(std::move(drawing)))
        m_nSelected = static_cast<int>(m_editor.Drawings().size()) - 1;
}

CDrawingTool::Result CDrawingTool::Press(CPoint device, CSize client, bool shift) {
    SyncSecurity();
    const CDrawingGeometry geometry = Geometry(client);
    if (!geometry.HasBars())
        return {};
    if (m_tool) {
        const DrawingPoint point = PointAt(geometry, device, shift);
        if (m_bPlacing) {
            m_placed.points.back() = point;
            Finish(m_placed);
            UpdateOverlay(client);
            return {true, Repaint::Chart};
        }
        m_placed = Drawing{};
        m_placed.type = *m_tool;
        m_placed.points.assign(std::size_t(PointCount(*m_tool)), point);
        m_nSelected = -1;
        if (PointCount(*m_tool) == 1) {
            Finish(m_placed);
            UpdateOverlay(client);
            return {true, Repaint::Chart};
        }
        m_bPlacing = true;
        UpdateOverlay(client);
        return {true, Repaint::Overlay};
    }
    const double x = m_mapping.ToLogicalX(device.x), y = m_mapping.ToLogicalY(device.y);
    const DrawingHit hit =
        HitTestDrawings(geometry, m_editor.Drawings(), x, y, Reach(), m_nSelected);
    const bool wasSelected = m_nSelected >= 0;
    m_nSelected = hit.nDrawing;
    if (hit.nDrawing < 0) {
        UpdateOverlay(client);
        return {false, wasSelected ? Repaint::Overlay : Repaint::None};
    }
    m_drag = Drag::Pending;
    m_nDragPoint = hit.nPoint;
    m_ptPress = device;
    m_dragged = m_editor.Drawings()[std::size_t(hit.nDrawing)];
    UpdateOverlay(client);
    return {true, Repaint::Overlay};
}

CDrawingTool::Result CDrawingTool::Move(CPoint device, CSize client, bool shift) {
    if (m_bPlacing) {
        SyncSecurity();
        const CDrawingGeometry geometry = Geometry(client);
        m_placed.points.back() = PointAt(geometry, device, shift);
        UpdateOverlay(client);
        return {true, Repaint::Overlay};
    }
    if (m_drag == Drag::None)
        return {};
    Repaint repaint = Repaint::Overlay;
    if (m_drag == Drag::Pending) {
        if (std::abs(device.x - m_ptPress.x) < kDragStart &&
            std::abs(device.y - m_ptPress.y) < kDragStart)
            return {true, Repaint::None};
        // The chart is drawn once without the drawing, which the overlay then carries.
        m_drag = m_nDragPoint >= 0 ? Drag::Point : Drag::Body;
        m_bars.SetSkippedDrawing(m_nSelected);
        repaint = Repaint::Chart;
    }
    const CDrawingGeometry geometry = Geometry(client);
    const Drawing* original = SelectedDrawing();
    if (!original)
        return {true, repaint};
    m_dragged = *original;
    if (m_drag == Drag::Point) {
        m_dragged.points[std::size_t(m_nDragPoint)] = PointAt(geometry, device, shift);
    } else {
        // Every point moves by the pointer's way across and up, each onto a bar.
        const double dx = m_mapping.ToLogicalX(device.x) - m_mapping.ToLogicalX(m_ptPress.x);
        const double dy = m_mapping.ToLogicalY(device.y) - m_mapping.ToLogicalY(m_ptPress.y);
        for (DrawingPoint& point : m_dragged.points) {
            double x = 0, y = 0;
            if (!geometry.X(point, x))
                continue;
            const bool priced = geometry.Y(point.dPrice, y);
            const DrawingPoint moved = geometry.PointAt(x + dx, priced ? y + dy : 0);
            point.nDay = moved.nDay;
            point.nSeconds = moved.nSeconds;
            if (priced)
                point.dPrice = moved.dPrice;
        }
    }
    UpdateOverlay(client);
    return {true, repaint};
}

CDrawingTool::Result CDrawingTool::Release(CPoint, CSize client, bool) {
    if (m_drag == Drag::None)
        return {};
    const bool moved = m_drag == Drag::Body || m_drag == Drag::Point;
    m_drag = Drag::None;
    if (!moved)
        return {true, Repaint::None};
    m_bars.SetSkippedDrawing(-1);
    SyncSecurity();
    m_editor.Replace(m_nSelected, m_dragged);
    UpdateOverlay(client);
    return {true, Repaint::Chart};
}

CDrawingTool::Result CDrawingTool::Cancel() {
    if (m_bPlacing) {
        m_bPlacing = false;
        m_rcOverlay = QRect();
        return {true, Repaint::Overlay};
    }
    if (m_drag == Drag::Body || m_drag == Drag::Point) {
        m_drag = Drag::None;
        m_bars.SetSkippedDrawing(-1);
        m_rcOverlay = QRect();
        return {true, Repaint::Chart};
    }
    if (m_tool) {
        m_tool.reset();
        return {true, Repaint::None};
    }
    if (m_nSelected >= 0) {
        m_nSelected = -1;
        m_rcOverlay = QRect();
        return {true, Repaint::Overlay};
    }
    return {};
}

bool CDrawingTool::SelectAt(CPoint device, CSize client) {
    if (m_bPlacing || m_drag != Drag::None)
        return false;
    SyncSecurity();
    const CDrawingGeometry geometry = Geometry(client);
    const DrawingHit hit =
        HitTestDrawings(geometry, m_editor.Drawings(), m_mapping.ToLogicalX(device.x),
                        m_mapping.ToLogicalY(device.y), Reach(), m_nSelected);
    m_nSelected = hit.nDrawing;
    UpdateOverlay(client);
    return hit.nDrawing >= 0;
}

// A command in the middle of a drag (a key while the button is down) ends the drag unapplied.
void CDrawingTool::StopDrag() {
    if (m_drag == Drag::None)
        return;
    m_drag = Drag::None;
    m_bars.SetSkippedDrawing(-1);
}

bool CDrawingTool::CanUndo() {
    SyncSecurity();
    return m_editor.CanUndo();
}

bool CDrawingTool::CanRedo() {
    SyncSecurity();
    return m_editor.CanRedo();
}

bool CDrawingTool::HasDrawings() {
    SyncSecurity();
    const std::vector<Drawing>& drawings = m_editor.Drawings();
    return std::any_of(drawings.begin(), drawings.end(),
                       [](const Drawing& d) { return d.type != DrawingType::Unknown; });
}

CDrawingTool::Repaint CDrawingTool::DeleteSelected() {
    SyncSecurity();
    StopDrag();
    if (!m_editor.Remove(m_nSelected))
        return Repaint::None;
    m_nSelected = -1;
    m_rcOverlay = QRect();
    return Repaint::Chart;
}

CDrawingTool::Repaint CDrawingTool::DeleteAll() {
    SyncSecurity();
    StopDrag();
    if (!m_editor.RemoveAll())
        return Repaint::None;
    m_nSelected = -1;
    m_rcOverlay = QRect();
    return Repaint::Chart;
}

CDrawingTool::Repaint CDrawingTool::Undo() {
    SyncSecurity();
    StopDrag();
    if (!m_editor.Undo())
        return Repaint::None;
    Revalidate();
    m_rcOverlay = QRect();
    return Repaint::Chart;
}

CDrawingTool::Repaint CDrawingTool::Redo() {
    SyncSecurity();
    StopDrag();
    if (!m_editor.Redo())
        return Repaint::None;
    Revalidate();
    m_rcOverlay = QRect();
    return Repaint::Chart;
}

CDrawingTool::Repaint CDrawingTool::ChangeSelected(const std::function<void(Drawing&)>& change) {
    SyncSecurity();
    StopDrag();
    const Drawing* selected = SelectedDrawing();
    if (!selected)
        return Repaint::None;
    Drawing drawing = *selected;
    change(drawing);
    return m_editor.Replace(m_nSelected, std::move(drawing)) ? Repaint::Chart : Repaint::None;
}

const Drawing* CDrawingTool::OverlayDrawing() const {
    if (m_bPlacing)
        return &m_placed;
    if (m_drag == Drag::Body || m_drag == Drag::Point)
        return &m_dragged;
    return SelectedDrawing();
}

// The device pixels of the drawing's lines, texts and handles, with room for their widths.
void CDrawingTool::UpdateOverlay(CSize client) {
    const Drawing* drawing = OverlayDrawing();
    DrawingShape shape;
    if (!drawing || !ShapeOf(Geometry(client), *drawing, shape)) {
        m_rcOverlay = QRect();
        return;
    }
    const CDrawingGeometry geometry = Geometry(client);
    QRect rect;
    const auto add = [&](double x, double y) {
        const CPoint p =
            m_mapping.ToDevice(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
        rect |= QRect(p.x, p.y, 1, 1);
    };
    const double bottom = drawing->type == DrawingType::VLine ? 5 : geometry.Bottom();
    for (ShapeSegment segment : shape.segments)
        if (ClipSegment(segment, geometry.Left(), bottom, geometry.Right(), geometry.Top())) {
            add(segment.x1, segment.y1);
            add(segment.x2, segment.y2);
        }
    // Texts hang from their baseline: a line above it and a little below, as wide as they run.
    for (const auto* labels : {&shape.labels, &shape.axisLabels})
        for (const ShapeLabel& label : *labels) {
            add(label.x, label.y - 5);
            add(label.x + 8 * static_cast<double>(label.text.size() + 2), label.y + 16);
        }
    for (const ShapePoint& point : shape.handles) {
        add(point.x - kHandleSize - 1, point.y - kHandleSize - 1);
        add(point.x + kHandleSize + 1, point.y + kHandleSize + 1);
    }
    const int margin = 2 + static_cast<int>(std::ceil(drawing->nWidth * m_mapping.ScaleX()));
    m_rcOverlay = rect.adjusted(-margin, -margin, margin, margin);
}

QRect CDrawingTool::TakeOverlayChange() {
    const QRect changed = m_rcOverlay | m_rcOverlayBefore;
    m_rcOverlayBefore = m_rcOverlay;
    return changed;
}

void CDrawingTool::PaintOverlay(QPainter& painter, double ratio, COLORREF handles, CSize client) {
    const Drawing* drawing = OverlayDrawing();
    if (!drawing || client.cx <= 0 || client.cy <= 0)
        return;
    SyncSecurity();
    const CDrawingGeometry geometry = Geometry(client);
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    {
        CQPainterSurface surface(painter);
        ApplyMapping(surface, m_mapping);
        // The drawing in the image already stands for a selection that is not moving.
        if (drawing != SelectedDrawing() || m_drag == Drag::Body || m_drag == Drag::Point)
            DrawDrawing(surface, geometry, *drawing);
        DrawHandles(surface, geometry, *drawing, handles);
    }
    painter.restore();
}
