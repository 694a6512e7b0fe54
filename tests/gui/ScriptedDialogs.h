#pragma once
// Common dialogs for tests: File Open and Save As give the paths they were handed, in turn (Save
// As with the filter named, when one is); the printer dialog gives one answer.

#include "app/CommonDialogs.h"

#include <QString>

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
    bool AskSavePath(QWidget*, const QString&, const QString&, const std::string&,
                     std::string& path, QString& filter) override {
        if (m_savePaths.empty())
            return false;
        path = m_savePaths.front();
        m_savePaths.pop_front();
        if (!m_strSaveFilter.isEmpty())
            filter = m_strSaveFilter;
        return true;
    }
    bool AskPrinter(QWidget*, QPrinter&, bool) override {
        ++m_nPrinterQuestions;
        return m_bPrinterAnswer;
    }
    // Gives the texts it was handed, in turn; cancels when it has none.
    bool AskText(QWidget*, const QString&, const QString&, QString& text) override {
        if (m_texts.empty())
            return false;
        text = m_texts.front();
        m_texts.pop_front();
        return true;
    }

    std::deque<std::string> m_paths;
    std::deque<std::string> m_savePaths;
    std::deque<QString> m_texts;
    QString m_strSaveFilter;
    bool m_bPrinterAnswer = false;
    int m_nPrinterQuestions = 0;
};
