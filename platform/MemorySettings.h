#pragma once
// Settings kept in memory only: for the command line, which must not touch the user's settings,
// and for tests.

#include "platform/Settings.h"

#include <map>
#include <utility>

class CMemorySettings : public Settings {
public:
    int ReadInt(std::string_view section, std::string_view name, int defaultValue) override;
    bool WriteInt(std::string_view section, std::string_view name, int value) override;
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view defaultValue) override;
    bool WriteString(std::string_view section, std::string_view name,
                     std::string_view text) override;

    // When set, every write fails and nothing is stored (a store that cannot be written).
    void SetReadOnly(bool readOnly) { m_bReadOnly = readOnly; }

private:
    bool Find(std::string_view section, std::string_view name, std::string& text) const;

    std::map<std::pair<std::string, std::string>, std::string> m_values;
    bool m_bReadOnly = false;
};
