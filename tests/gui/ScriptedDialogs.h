#pragma once
// Common dialogs for tests: File Open gives the paths it was handed, in turn; the printer dialog
// gives one answer.

#include "app/CommonDialogs.h"

#include <deque>
#include <string>

class CScriptedDialogs : public CommonDialogs {
public:
    bool AskOpenPath(QWidget*, const std::string&, std::string& path) override {
        if (m_paths.empty())
            return false;
        path = m_paths.front();
        m_paths.pop_front();
        return true;
    }
    bool AskPrinter(QWidget*, QPrinter&, bool) override {
        ++m_nPrinterQuestions;
        return m_bPrinterAnswer;
    }

    std::deque<std::string> m_paths;
    bool m_bPrinterAnswer = false;
    int m_nPrinterQuestions = 0;
};
