#pragma once
// Names in quote files are single-byte Windows-1252 text (Latin-1 with printable characters in
// 0x80..0x9F); the program shows and writes text as UTF-8.

#include <string>
#include <string_view>

// Appends `bytes` decoded as Windows-1252 to `out` as UTF-8. The five bytes that Windows-1252
// leaves undefined keep their Latin-1 meaning (control characters), so nothing is lost.
void AppendWindows1252AsUtf8(std::string& out, std::string_view bytes);
std::string Windows1252ToUtf8(std::string_view bytes);
