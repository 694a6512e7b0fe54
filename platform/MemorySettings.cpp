#include "platform/MemorySettings.h"

bool CMemorySettings::Find(std::string_view section, std::string_view name,
                           std::string& text) const {
    const auto it = m_values.find({std::string(section), std::string(name)});
    return it != m_values.end() && ReadableSettingText(it->second, text);
}

int CMemorySettings::ReadInt(std::string_view section, std::string_view name, int defaultValue) {
    std::string text;
    return Find(section, name, text) ? ScanSettingInt(text, defaultValue) : defaultValue;
}

bool CMemorySettings::WriteInt(std::string_view section, std::string_view name, int value) {
    return WriteString(section, name, FormatSettingInt(value));
}

std::string CMemorySettings::ReadString(std::string_view section, std::string_view name,
                                        std::string_view defaultValue) {
    std::string text;
    return Find(section, name, text) ? text : std::string(defaultValue);
}

bool CMemorySettings::WriteString(std::string_view section, std::string_view name,
                                  std::string_view text) {
    if (m_bReadOnly)
        return false;
    m_values[{std::string(section), std::string(name)}] = std::string(text);
    return true;
}
