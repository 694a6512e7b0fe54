#include "platform/RecordingSurface.h"

#include <algorithm>
#include <utility>

namespace {

RecordedRect Normalised(const CRect& rect) {
    return RecordedRect{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
                        std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
}

} // namespace

CRecordingSurface::CRecordingSurface() {
    Reserve(kDefaultLineCapacity);
    m_fills.reserve(16);
    m_texts.reserve(32);
    m_shapes.reserve(8);
}

void CRecordingSurface::Reserve(std::size_t lines) {
    m_lines.reserve(lines);
    m_order.reserve(lines + 64);
}

void CRecordingSurface::Clear() {
    m_lines.clear();
    m_fills.clear();
    m_texts.clear();
    m_shapes.clear();
    m_order.clear();
    m_nPenSelections = m_nBrushSelections = m_nFontSelections = 0;
}

void CRecordingSurface::SetMapMode(MapMode mode) {
    m_mapping.SetMapMode(mode);
}

void CRecordingSurface::SetWindowExt(int cx, int cy) {
    m_mapping.SetWindowExt(cx, cy);
}

void CRecordingSurface::SetViewportExt(int cx, int cy) {
    m_mapping.SetViewportExt(cx, cy);
}

void CRecordingSurface::SetViewportOrg(int x, int y) {
    m_mapping.SetViewportOrg(x, y);
}

Pen CRecordingSurface::SelectPen(const Pen& pen) {
    ++m_nPenSelections;
    return std::exchange(m_attr.pen, pen);
}

Brush CRecordingSurface::SelectBrush(const Brush& brush) {
    ++m_nBrushSelections;
    return std::exchange(m_attr.brush, brush);
}

Font CRecordingSurface::SelectFont(const Font& font) {
    ++m_nFontSelections;
    return std::exchange(m_attr.font, font);
}

COLORREF CRecordingSurface::SetTextColor(COLORREF color) {
    return std::exchange(m_attr.textColor, color);
}

BackgroundMode CRecordingSurface::SetBkMode(BackgroundMode mode) {
    return std::exchange(m_attr.bkMode, mode);
}

unsigned CRecordingSurface::SetTextAlign(unsigned align) {
    return std::exchange(m_attr.textAlign, align);
}

void CRecordingSurface::FillRect(const CRect& rect, const Brush& brush) {
    if (brush.null)
        return;
    m_order.push_back({PrimitiveKind::Fill, static_cast<std::uint32_t>(m_fills.size())});
    m_fills.push_back(RecordedFill{Normalised(rect), brush.color});
}

void CRecordingSurface::MoveTo(int x, int y) {
    m_ptCurrent = CPoint{x, y};
}

void CRecordingSurface::LineTo(int x, int y) {
    const CPoint from = std::exchange(m_ptCurrent, CPoint{x, y});
    if (m_attr.pen.null)
        return;
    m_order.push_back({PrimitiveKind::Line, static_cast<std::uint32_t>(m_lines.size())});
    m_lines.push_back(
        RecordedLine{from, m_ptCurrent, m_attr.pen.color, m_attr.pen.width, m_attr.pen.style});
}

void CRecordingSurface::TextOut(int x, int y, std::string_view text) {
    m_order.push_back({PrimitiveKind::Text, static_cast<std::uint32_t>(m_texts.size())});
    m_texts.push_back(RecordedText{CPoint{x, y}, m_attr.textAlign, m_attr.textColor, m_attr.bkMode,
                                   m_attr.font, std::string(text)});
}

void CRecordingSurface::AddShape(ShapeKind kind, const CRect& bounds, CPoint start, CPoint end) {
    m_order.push_back({PrimitiveKind::Shape, static_cast<std::uint32_t>(m_shapes.size())});
    m_shapes.push_back(
        RecordedShape{kind, Normalised(bounds), start, end, m_attr.pen, m_attr.brush});
}

void CRecordingSurface::Ellipse(const CRect& bounds) {
    AddShape(ShapeKind::Ellipse, bounds, CPoint{}, CPoint{});
}

void CRecordingSurface::Pie(const CRect& bounds, CPoint start, CPoint end) {
    AddShape(ShapeKind::Pie, bounds, start, end);
}

void CRecordingSurface::Arc(const CRect& bounds, CPoint start, CPoint end) {
    AddShape(ShapeKind::Arc, bounds, start, end);
}
