#include "platform/Settings.h"

#include <algorithm>
#include <climits>

std::string FormatSettingInt(int value) {
    return std::to_string(value);
}

int ScanSettingInt(std::string_view text, int defaultValue) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9')
        return defaultValue;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL + INT_MAX);
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
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
