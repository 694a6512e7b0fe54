#pragma once
// Settings kept in memory only: for the command line, which must not touch the user's settings,
// and for tests.

#include "platform/Settings.h"

#include <map>
#include <utility>

class CMemorySettings : public Settings {
public:
    bool WriteString(std::string_view section, std::string_view name,
                     std::string_view text) override;

    // When set, every write fails and nothing is stored (a store that cannot be written).
    void SetReadOnly(bool readOnly) { m_bReadOnly = readOnly; }

protected:
    bool ReadStored(std::string_view section, std::string_view name, std::string& stored) override;

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
    bool m_bReadOnly = false;
};
