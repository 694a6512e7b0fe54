#pragma once
// One finding of the check of a quote folder: what is wrong, where, and how badly.

#include <functional>
#include <string>

enum class FindingLevel {
    kError,   // data that cannot be read, or is read wrongly
    kWarning, // data that reads, but is suspect
};

struct Finding {
    FindingLevel level = FindingLevel::kWarning;
    // The file's name, or the symbol and the date (and time) of the record.
    std::string where;
    std::string code; // a fixed word such as "date-order"
    std::string message;
    // The symbol of the security it belongs to, as stored; empty for a finding of a file alone.
    std::string symbol;
};

using FindingSink = std::function<void(const Finding&)>;

// "error" or "warning".
const char* FindingLevelName(FindingLevel level);
