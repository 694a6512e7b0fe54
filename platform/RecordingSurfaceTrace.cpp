// The trace of a recording: one primitive a line, in drawing order, as CRecordingSurface's
// header describes it. The command line writes it, and comparing two of them compares drawings.

#include "platform/RecordingSurface.h"

#include <charconv>
#include <ostream>

namespace {

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
        // Solid lines, all the chart's own, leave the style out.
        if (line.style == LineStyle::Dashed)
            out += " dashed";
        else if (line.style == LineStyle::Dotted)
            out += " dotted";
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
