#include "platform/Json.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

CJsonValue CJsonValue::Bool(bool value) {
    CJsonValue v;
    v.m_kind = Kind::Bool;
    v.m_bValue = value;
    return v;
}

CJsonValue CJsonValue::Number(double value) {
    CJsonValue v;
    v.m_kind = Kind::Number;
    v.m_dValue = value;
    return v;
}

CJsonValue CJsonValue::String(std::string value) {
    CJsonValue v;
    v.m_kind = Kind::String;
    v.m_strValue = std::move(value);
    return v;
}

CJsonValue CJsonValue::Array() {
    CJsonValue v;
    v.m_kind = Kind::Array;
    return v;
}

CJsonValue CJsonValue::Object() {
    CJsonValue v;
    v.m_kind = Kind::Object;
    return v;
}

const CJsonValue* CJsonValue::Find(std::string_view name) const {
    for (const Member& member : m_members)
        if (member.first == name)
            return &member.second;
    return nullptr;
}

void CJsonValue::Set(std::string_view name, CJsonValue value) {
    if (m_kind == Kind::Null)
        m_kind = Kind::Object;
    for (Member& member : m_members)
        if (member.first == name) {
            member.second = std::move(value);
            return;
        }
    m_members.emplace_back(std::string(name), std::move(value));
}

void CJsonValue::Remove(std::string_view name) {
    std::erase_if(m_members, [&](const Member& member) { return member.first == name; });
}

namespace {

constexpr int kMaxDepth = 200;

class CJsonReader {
public:
    explicit CJsonReader(std::string_view text) : m_text(text) {}

    bool ReadDocument(CJsonValue& value, std::string& error) {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF")
            m_pos = 3;
        if (ReadValue(value, 0)) {
            SkipSpace();
            if (m_pos == m_text.size())
                return true;
            Fail("extra text");
        }
        error = m_strError + " at byte " + std::to_string(m_pos);
        return false;
    }

private:
    bool Fail(const char* what) {
        if (m_strError.empty())
            m_strError = what;
        return false;
    }

    void SkipSpace() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }

    bool Literal(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word)
            return Fail("unknown word");
        m_pos += word.size();
        return true;
    }

    bool ReadValue(CJsonValue& value, int depth) {
        if (depth > kMaxDepth)
            return Fail("nested too deep");
        SkipSpace();
        if (m_pos >= m_text.size())
            return Fail("unexpected end");
        switch (m_text[m_pos]) {
        case '{':
            return ReadObject(value, depth);
        case '[':
            return ReadArray(value, depth);
        case '"': {
            std::string text;
            if (!ReadString(text))
                return false;
            value = CJsonValue::String(std::move(text));
            return true;
        }
        case 't':
            value = CJsonValue::Bool(true);
            return Literal("true");
        case 'f':
            value = CJsonValue::Bool(false);
            return Literal("false");
        case 'n':
            value = CJsonValue();
            return Literal("null");
        default:
            return ReadNumber(value);
        }
    }

    bool ReadObject(CJsonValue& value, int depth) {
        value = CJsonValue::Object();
        ++m_pos;
        SkipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == '}') {
            ++m_pos;
            return true;
        }
        for (;;) {
            SkipSpace();
            std::string name;
            if (m_pos >= m_text.size() || m_text[m_pos] != '"')
                return Fail("a member name expected");
            if (!ReadString(name))
                return false;
            SkipSpace();
            if (m_pos >= m_text.size() || m_text[m_pos] != ':')
                return Fail("':' expected");
            ++m_pos;
            CJsonValue member;
            if (!ReadValue(member, depth + 1))
                return false;
            value.Set(name, std::move(member));
            SkipSpace();
            if (m_pos < m_text.size() && m_text[m_pos] == ',') {
                ++m_pos;
                continue;
            }
            if (m_pos < m_text.size() && m_text[m_pos] == '}') {
                ++m_pos;
                return true;
            }
            return Fail("',' or '}' expected");
        }
    }

    bool ReadArray(CJsonValue& value, int depth) {
        value = CJsonValue::Array();
        ++m_pos;
        SkipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == ']') {
            ++m_pos;
            return true;
        }
        for (;;) {
            CJsonValue item;
            if (!ReadValue(item, depth + 1))
                return false;
            value.Append(std::move(item));
            SkipSpace();
            if (m_pos < m_text.size() && m_text[m_pos] == ',') {
                ++m_pos;
                continue;
            }
            if (m_pos < m_text.size() && m_text[m_pos] == ']') {
                ++m_pos;
                return true;
            }
            return Fail("',' or ']' expected");
        }
    }

    bool Hex4(std::uint32_t& code) {
        if (m_pos + 4 > m_text.size())
            return Fail("short \\u escape");
        code = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = m_text[m_pos++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return Fail("bad \\u escape");
            code = code * 16 + static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    static void PutUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool ReadString(std::string& out) {
        ++m_pos;
        for (;;) {
            if (m_pos >= m_text.size())
                return Fail("unterminated string");
            const char c = m_text[m_pos++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return Fail("control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                return Fail("unterminated string");
            const char e = m_text[m_pos++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                std::uint32_t code = 0;
                if (!Hex4(code))
                    return false;
                // A surrogate pair makes one character; a lone half becomes U+FFFD.
                if (code >= 0xD800 && code < 0xDC00 && m_text.substr(m_pos, 2) == "\\u") {
                    m_pos += 2;
                    std::uint32_t low = 0;
                    if (!Hex4(low))
                        return false;
                    code = low >= 0xDC00 && low < 0xE000
                               ? 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00)
                               : 0xFFFD;
                } else if (code >= 0xD800 && code < 0xE000) {
                    code = 0xFFFD;
                }
                PutUtf8(out, code);
                break;
            }
            default:
                return Fail("bad escape");
            }
        }
    }

    bool ReadNumber(CJsonValue& value) {
        const std::size_t start = m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '-')
            ++m_pos;
        auto digits = [&] {
            const std::size_t from = m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9')
                ++m_pos;
            return m_pos > from;
        };
        if (!digits())
            return Fail("a value expected");
        if (m_pos < m_text.size() && m_text[m_pos] == '.') {
            ++m_pos;
            if (!digits())
                return Fail("digits expected after '.'");
        }
        if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
            ++m_pos;
            if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-'))
                ++m_pos;
            if (!digits())
                return Fail("digits expected in the exponent");
        }
        double number = 0;
        const auto result = std::from_chars(m_text.data() + start, m_text.data() + m_pos, number);
        // A number beyond a double's range reads as infinite, which no file may hold.
        if (result.ec != std::errc() || !std::isfinite(number))
            return Fail("number out of range");
        value = CJsonValue::Number(number);
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_strError;
};

void WriteString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

bool IsScalar(const CJsonValue& value) {
    return !value.IsArray() && !value.IsObject();
}

void Write(std::string& out, const CJsonValue& value, int indent);

// An array or object of scalars that fits a line stays on one.
bool FitsOneLine(const CJsonValue& value) {
    std::size_t size = 0;
    if (value.IsArray()) {
        for (const CJsonValue& item : value.Items())
            if (!IsScalar(item))
                return false;
        size = value.Items().size();
    } else {
        for (const CJsonValue::Member& member : value.Members())
            if (!IsScalar(member.second))
                return false;
        size = value.Members().size();
    }
    std::string line;
    Write(line, value, -1);
    return size <= 8 && line.size() <= 90;
}

void NewLine(std::string& out, int indent) {
    if (indent < 0) {
        out += ' ';
        return;
    }
    out += '\n';
    out.append(static_cast<std::size_t>(indent) * 2, ' ');
}

// `indent` -1 writes everything on one line.
void Write(std::string& out, const CJsonValue& value, int indent) {
    switch (value.GetKind()) {
    case CJsonValue::Kind::Null:
        out += "null";
        return;
    case CJsonValue::Kind::Bool:
        out += value.AsBool() ? "true" : "false";
        return;
    case CJsonValue::Kind::Number: {
        if (!std::isfinite(value.AsNumber())) {
            out += "null";
            return;
        }
        char text[32];
        const auto result = std::to_chars(text, text + sizeof text, value.AsNumber());
        out.append(text, result.ptr);
        return;
    }
    case CJsonValue::Kind::String:
        WriteString(out, value.AsString());
        return;
    default:
        break;
    }
    const bool array = value.IsArray();
    const std::size_t count = array ? value.Items().size() : value.Members().size();
    out += array ? '[' : '{';
    if (count == 0) {
        out += array ? ']' : '}';
        return;
    }
    const int inner = indent < 0 || FitsOneLine(value) ? -1 : indent + 1;
    for (std::size_t k = 0; k < count; ++k) {
        if (k > 0)
            out += ',';
        if (inner >= 0)
            NewLine(out, inner);
        else if (k > 0)
            out += ' ';
        if (array) {
            Write(out, value.Items()[k], inner);
        } else {
            WriteString(out, value.Members()[k].first);
            out += ": ";
            Write(out, value.Members()[k].second, inner);
        }
    }
    if (inner >= 0)
        NewLine(out, indent);
    out += array ? ']' : '}';
}

} // namespace

bool ParseJson(std::string_view text, CJsonValue& value, std::string& error) {
    value = CJsonValue();
    CJsonReader reader(text);
    return reader.ReadDocument(value, error);
}

std::string WriteJson(const CJsonValue& value) {
    std::string out;
    Write(out, value, 0);
    out += '\n';
    return out;
}
