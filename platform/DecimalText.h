#pragma once
// Decimal integers in text as the C library scans them: leading white space, an optional sign,
// then digits up to the first other character; the rest is ignored.

#include <string_view>

// False when no digit follows; numbers beyond the range of int saturate.
bool ScanDecimal(std::string_view text, int& value);
