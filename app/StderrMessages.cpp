#include "app/StderrMessages.h"

#include <cstdio>

void CStderrMessages::Show(const std::string& text, MessageIcon) {
    std::fprintf(stderr, "tickvane: %s\n", text.c_str());
}

bool CStderrMessages::AskYesNo(const std::string& text, DefaultAnswer) {
    std::fprintf(stderr, "tickvane: %s\ntickvane: (answered No)\n", text.c_str());
    return false;
}
