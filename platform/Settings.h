#pragma once
// Persistent settings: named text values in sections ("ViewOptions", "Screen", "GoToDialog").
// Integers are kept as decimal text. A value that is missing or cannot be read gives the caller's
// default, and a store never reports anything.

#include <cstddef>
#include <string>
#include <string_view>

// A value of this many bytes or more, with its terminating NUL, reads as absent.
constexpr std::size_t kMaxSettingBytes = 260;

class Settings {
public:
    virtual ~Settings() = default;
    int ReadInt(std::string_view section, std::string_view name, int defaultValue);
    bool WriteInt(std::string_view section, std::string_view name, int value);
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view defaultValue);
    // True when the value was stored.
    virtual bool WriteString(std::string_view section, std::string_view name,
                             std::string_view text) = 0;

protected:
    // The value as stored, whatever its length; false when it is absent or cannot be read.
    virtual bool ReadStored(std::string_view section, std::string_view name,
                            std::string& stored) = 0;

private:
    // The stored value as a reader sees it: up to the first NUL, or nothing when the value with
    // its terminator exceeds kMaxSettingBytes.
    bool ReadText(std::string_view section, std::string_view name, std::string& text);
};

// The text of an integer value ("%d").
std::string FormatSettingInt(int value);

// Scans a stored text as an integer: leading white space, an optional sign, then digits up to the
// first other character; the rest is ignored. No digit gives `defaultValue`; numbers beyond the
// range of int saturate.
int ScanSettingInt(std::string_view text, int defaultValue);
