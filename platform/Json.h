#pragma once
// A small JSON value with a reader and a writer, for files that users and scripts write too: an
// object keeps its members in the order they came, so that a file read and written back keeps
// what the program does not know where it was.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CJsonValue {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };
    using Member = std::pair<std::string, CJsonValue>;

    CJsonValue() = default;
    static CJsonValue Bool(bool value);
    static CJsonValue Number(double value);
    static CJsonValue String(std::string value);
    static CJsonValue Array();
    static CJsonValue Object();

    Kind GetKind() const { return m_kind; }
    bool IsNull() const { return m_kind == Kind::Null; }
    bool IsBool() const { return m_kind == Kind::Bool; }
    bool IsNumber() const { return m_kind == Kind::Number; }
    bool IsString() const { return m_kind == Kind::String; }
    bool IsArray() const { return m_kind == Kind::Array; }
    bool IsObject() const { return m_kind == Kind::Object; }

    bool AsBool() const { return m_bValue; }
    double AsNumber() const { return m_dValue; }
    const std::string& AsString() const { return m_strValue; }
    // The elements of an array.
    const std::vector<CJsonValue>& Items() const { return m_items; }
    std::vector<CJsonValue>& Items() { return m_items; }
    // The members of an object, in their order.
    const std::vector<Member>& Members() const { return m_members; }

    // The member named `name`, or null when there is none (or this is no object).
    const CJsonValue* Find(std::string_view name) const;
    // Sets a member: in its place when the object has it, else at the end. Makes a null value an
    // object first.
    void Set(std::string_view name, CJsonValue value);
    void Remove(std::string_view name);
    void Append(CJsonValue value) { m_items.push_back(std::move(value)); }

private:
    Kind m_kind = Kind::Null;
    bool m_bValue = false;
    double m_dValue = 0;
    std::string m_strValue;
    std::vector<CJsonValue> m_items;
    std::vector<Member> m_members;
};

// Parses a whole text (UTF-8, an optional byte-order mark, white space around). False with
// `error` telling where and what for text that is not JSON, nested deeper than 200 levels, or
// followed by more than white space.
bool ParseJson(std::string_view text, CJsonValue& value, std::string& error);

// The value as JSON text, indented by two spaces a level, objects and arrays of scalars kept on
// one line when short; numbers as the shortest text that reads back the same.
std::string WriteJson(const CJsonValue& value);
