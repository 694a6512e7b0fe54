#include "platform/Settings.h"

#include "platform/DecimalText.h"

std::string FormatSettingInt(int value) {
    return std::to_string(value);
}

int ScanSettingInt(std::string_view text, int defaultValue) {
    int value = 0;
    return ScanDecimal(text, value) ? value : defaultValue;
}

bool Settings::ReadText(std::string_view section, std::string_view name, std::string& text) {
    std::string stored;
    if (!ReadStored(section, name, stored) || stored.size() + 1 > kMaxSettingBytes)
        return false;
    text.assign(stored, 0, stored.find('\0'));
    return true;
}

int Settings::ReadInt(std::string_view section, std::string_view name, int defaultValue) {
    std::string text;
    return ReadText(section, name, text) ? ScanSettingInt(text, defaultValue) : defaultValue;
}

bool Settings::WriteInt(std::string_view section, std::string_view name, int value) {
    return WriteString(section, name, FormatSettingInt(value));
}

std::string Settings::ReadString(std::string_view section, std::string_view name,
                                 std::string_view defaultValue) {
    std::string text;
    return ReadText(section, name, text) ? text : std::string(defaultValue);
}
