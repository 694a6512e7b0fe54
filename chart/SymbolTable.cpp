#include "chart/SymbolTable.h"

#include <algorithm>

CSymbolTable::CSymbolTable() {
    Clear();
}

void CSymbolTable::Clear() {
    m_text.assign(1, '\0');
    m_entries.clear();
    m_sources.clear();
}

std::uint32_t CSymbolTable::Keep(std::string_view text) {
    if (text.empty())
        return 0;
    const auto at = static_cast<std::uint32_t>(m_text.size());
    // A NUL inside ends the text, as it would for any reader of the C string.
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    m_text.insert(m_text.end(), text.begin(), text.end());
    m_text.push_back('\0');
    return at;
}

void CSymbolTable::Add(std::string_view symbol, std::string_view name, std::string_view longName,
                       const PriceSource* source) {
    Entry entry{Keep(symbol), 0, 0, -1};
    entry.name = name == symbol ? entry.symbol : Keep(name);
    entry.longName = longName == name ? entry.name : Keep(longName);
    if (source) {
        entry.source = static_cast<std::int32_t>(m_sources.size());
        m_sources.push_back(*source);
    }
    m_entries.push_back(entry);
}

void CSymbolTable::Rollback(const Mark& mark) {
    m_entries.resize(std::min(mark.entries, m_entries.size()));
    m_text.resize(std::min(mark.text, m_text.size()));
    m_sources.resize(std::min(mark.sources, m_sources.size()));
}
