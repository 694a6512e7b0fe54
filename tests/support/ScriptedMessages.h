#pragma once
// A MessageService for tests: records every text and answers questions from a script.

#include "platform/MessageService.h"

#include <deque>
#include <string>
#include <vector>

class CScriptedMessages : public MessageService {
public:
    struct Shown {
        std::string text;
        MessageIcon icon;
    };

    void Show(const std::string& text, MessageIcon icon) override {
        m_shown.push_back({text, icon});
    }
    bool AskYesNo(const std::string& text, DefaultAnswer defaultAnswer) override {
        m_questions.push_back(text);
        m_defaults.push_back(defaultAnswer);
        if (m_answers.empty())
            return false;
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    void Answer(bool yes) { m_answers.push_back(yes); }
    // Texts shown so far, then forgotten.
    std::vector<std::string> TakeShown() {
        std::vector<std::string> texts;
        for (const Shown& shown : m_shown)
            texts.push_back(shown.text);
        m_shown.clear();
        return texts;
    }

    std::vector<Shown> m_shown;
    std::vector<std::string> m_questions;
    std::vector<DefaultAnswer> m_defaults; // the default button of each question

private:
    std::deque<bool> m_answers;
};
