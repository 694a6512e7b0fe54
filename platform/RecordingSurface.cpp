#include "platform/RecordingSurface.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <utility>

namespace {

RecordedRect Normalised(const CRect& rect) {
    return RecordedRect{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
                        std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
}

void AppendInt(std::string& out, int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.push_back(' ');
    out.append(buffer, result.ptr);
}

void AppendColor(std::string& out, COLORREF color) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const int channels[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    out += " #";
    for (const int channel : channels) {
        out.push_back(kHex[channel >> 4]);
        out.push_back(kHex[channel & 15]);
    }
}

void AppendRect(std::string& out, const RecordedRect& rect) {
    AppendInt(out, rect.left);
    AppendInt(out, rect.bottom);
    AppendInt(out, rect.right);
    AppendInt(out, rect.top);
}

void AppendPen(std::string& out, const Pen& pen) {
    if (pen.null)
        out += " none";
    else
        AppendColor(out, pen.color);
    AppendInt(out, pen.width);
}

void AppendBrush(std::string& out, const Brush& brush) {
    if (brush.null)
        out += " none";
    else
        AppendColor(out, brush.color);
}

const char* AlignName(unsigned align) {
    static constexpr const char* kNames[3][3] = {
        {"left-top", "left-baseline", "left-bottom"},
        {"right-top", "right-baseline", "right-bottom"},
        {"center-top", "center-baseline", "center-bottom"},
    };
    const unsigned horizontal = align & kAlignHorizontalMask;
    const unsigned vertical = align & kAlignVerticalMask;
    const int column = horizontal == kAlignCenter ? 2 : horizontal == kAlignRight ? 1 : 0;
    const int row = vertical == kAlignBaseline ? 1 : vertical != 0 ? 2 : 0;
    return kNames[column][row];
}

void AppendQuoted(std::string& out, const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += " \"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 15]);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
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
    if (mode == MapMode::Text) {
        m_szWindow = CSize{1, 1};
        m_szViewport = CSize{1, 1};
    }
    m_mapMode = mode;
}

void CRecordingSurface::SetWindowExt(int cx, int cy) {
    if (m_mapMode == MapMode::Anisotropic && cx != 0 && cy != 0)
        m_szWindow = CSize{cx, cy};
}

void CRecordingSurface::SetViewportExt(int cx, int cy) {
    if (m_mapMode == MapMode::Anisotropic && cx != 0 && cy != 0)
        m_szViewport = CSize{cx, cy};
}

void CRecordingSurface::SetViewportOrg(int x, int y) {
    m_ptViewportOrg = CPoint{x, y};
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
    m_lines.push_back(RecordedLine{from, m_ptCurrent, m_attr.pen.color, m_attr.pen.width});
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

void CRecordingSurface::AppendTrace(std::string& out, const RecordedPrimitive& primitive) const {
    switch (primitive.kind) {
    case PrimitiveKind::Line: {
        const RecordedLine& line = m_lines[primitive.index];
        out += "line";
        AppendInt(out, line.from.x);
        AppendInt(out, line.from.y);
        AppendInt(out, line.to.x);
        AppendInt(out, line.to.y);
        AppendColor(out, line.color);
        AppendInt(out, line.width);
        break;
    }
    case PrimitiveKind::Fill: {
        const RecordedFill& fill = m_fills[primitive.index];
        out += "fill";
        AppendRect(out, fill.rect);
        AppendColor(out, fill.color);
        break;
    }
    case PrimitiveKind::Text: {
        const RecordedText& text = m_texts[primitive.index];
        out += "text";
        AppendInt(out, text.at.x);
        AppendInt(out, text.at.y);
        out.push_back(' ');
        out += AlignName(text.align);
        AppendColor(out, text.color);
        AppendQuoted(out, text.text);
        break;
    }
    case PrimitiveKind::Shape: {
        const RecordedShape& shape = m_shapes[primitive.index];
        out += shape.kind == ShapeKind::Ellipse ? "ellipse"
               : shape.kind == ShapeKind::Pie   ? "pie"
                                                : "arc";
        AppendRect(out, shape.bounds);
        if (shape.kind != ShapeKind::Ellipse) {
            AppendInt(out, shape.start.x);
            AppendInt(out, shape.start.y);
            AppendInt(out, shape.end.x);
            AppendInt(out, shape.end.y);
        }
        AppendPen(out, shape.pen);
        if (shape.kind != ShapeKind::Arc)
            AppendBrush(out, shape.brush);
        break;
    }
    }
    out.push_back('\n');
}

std::string CRecordingSurface::Trace() const {
    std::string out;
    out.reserve(m_order.size() * 32);
    for (const RecordedPrimitive& primitive : m_order)
        AppendTrace(out, primitive);
    return out;
}

void CRecordingSurface::WriteTrace(std::ostream& out) const {
    const std::string text = Trace();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}
