#pragma once
// The entries of the symbol directory: each one's symbol (the stored bytes), its names as UTF-8
// and, for entries that are not found through MASTER, where its prices are. The texts share one
// block, so that a folder of 65,535 securities costs a few megabytes and no allocation per entry.

#include "quotes/PriceFile.h"

#include <cstdint>
#include <string_view>
#include <vector>

class CSymbolTable {
public:
    CSymbolTable();

    void Clear();
    int Count() const { return static_cast<int>(m_entries.size()); }
    // `longName` is empty when the entry has none. `source` is null for a MASTER entry, which is
    // loaded by looking its symbol up in MASTER.
    void Add(std::string_view symbol, std::string_view name, std::string_view longName,
             const PriceSource* source);
    // A point to go back to: Rollback drops every entry added after Mark.
    struct Mark {
        std::size_t entries, text, sources;
    };
    Mark GetMark() const { return {m_entries.size(), m_text.size(), m_sources.size()}; }
    void Rollback(const Mark& mark);

    // The index must lie within 0 .. Count() - 1.
    const char* Symbol(int index) const { return Text(m_entries[index].symbol); }
    const char* Name(int index) const { return Text(m_entries[index].name); }
    const char* LongName(int index) const { return Text(m_entries[index].longName); }
    const PriceSource* Source(int index) const {
        const std::int32_t at = m_entries[index].source;
        return at < 0 ? nullptr : &m_sources[static_cast<std::size_t>(at)];
    }

private:
    struct Entry {
        std::uint32_t symbol;
        std::uint32_t name;
        std::uint32_t longName;
        std::int32_t source;
    };

    const char* Text(std::uint32_t at) const { return m_text.data() + at; }
    std::uint32_t Keep(std::string_view text);

    std::vector<char> m_text; // NUL-terminated texts; offset 0 is the empty text
    std::vector<Entry> m_entries;
    std::vector<PriceSource> m_sources;
};
