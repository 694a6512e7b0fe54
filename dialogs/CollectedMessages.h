#pragma once
// A MessageService that nobody has to answer: it keeps the texts it is given, and says No to
// every question. The slide show reports through it while it runs, and hands what it kept to the
// real service once the show is over.

#include "platform/MessageService.h"

#include <string>
#include <vector>

class CCollectedMessages : public MessageService {
public:
    void Show(const std::string& text, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, DefaultAnswer answer) override;

    bool Empty() const { return m_texts.empty(); }
    // One text of everything kept, each distinct text once and in the order first seen; at most
    // kMaxLines of them, then how many more there were.
    std::string Summary() const;
    // The strongest icon among the texts kept.
    MessageIcon Icon() const { return m_icon; }

    static constexpr int kMaxLines = 12;

private:
    std::vector<std::string> m_texts;
    MessageIcon m_icon = MessageIcon::None;
};
