#pragma once
// Messages of the chart object on the command line: texts go to stderr, questions are answered No
// (the command line never changes a file unless an option says so).

#include "platform/MessageService.h"

#include <cstdio>
#include <string>

class CBars;

class CCliMessages : public MessageService {
public:
    void Show(const std::string& text, MessageIcon) override {
        std::fprintf(stderr, "tickvane-cli: %s\n", text.c_str());
        ++m_nShown;
    }
    bool AskYesNo(const std::string&, DefaultAnswer) override { return false; }

    int m_nShown = 0;
};

// Opens what the user named (a quote folder, its MASTER, EMASTER or XMASTER) the way the viewer
// does (path check, then the directory), reporting every failure; false when nothing is listed.
bool OpenMasterFile(CBars& bars, const std::string& path, CCliMessages& messages);
