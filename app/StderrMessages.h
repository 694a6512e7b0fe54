#pragma once
// Messages for a run without windows: each text goes to standard error, and
// every question is answered No, the answer that changes nothing.

#include "platform/MessageService.h"

class CStderrMessages : public MessageService {
public:
    void Show(const std::string& text, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, DefaultAnswer answer) override;
};
