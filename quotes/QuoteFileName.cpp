#include "quotes/QuoteFileName.h"

#include "platform/FileNames.h"

#include <algorithm>
#include <cctype>

bool IsQuoteFileName(std::string_view name) {
    if (EqualsNoCase(name, "MASTER") || EqualsNoCase(name, "EMASTER") ||
        EqualsNoCase(name, "XMASTER"))
        return true;
    const std::size_t dot = name.find('.');
    if (name.size() < 2 || AsciiUpper(name[0]) != 'F' || dot == std::string_view::npos || dot < 2)
        return false;
    const bool digits = std::all_of(name.begin() + 1, name.begin() + static_cast<long>(dot),
                                    [](unsigned char c) { return std::isdigit(c) != 0; });
    const std::string_view extension = name.substr(dot);
    return digits && (EqualsNoCase(extension, ".DAT") || EqualsNoCase(extension, ".DOP") ||
                      EqualsNoCase(extension, ".MWD"));
}
