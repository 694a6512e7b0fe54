#include "platform/MemorySettings.h"

bool CMemorySettings::ReadStored(std::string_view section, std::string_view name,
                                 std::string& stored) {
    const auto it = m_values.find({std::string(section), std::string(name)});
    if (it == m_values.end())
        return false;
    stored = it->second;
    return true;
}

bool CMemorySettings::WriteString(std::string_view section, std::string_view name,
                                  std::string_view text) {
    if (m_bReadOnly)
        return false;
    m_values[{std::string(section), std::string(name)}] = std::string(text);
    return true;
}
