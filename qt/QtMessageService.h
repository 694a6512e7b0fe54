#pragma once
// Message boxes and Yes/No questions as Qt dialogs with the caption "Tickvane".

#include "platform/MessageService.h"

class QWidget;

class CQtMessageService : public MessageService {
public:
    // `parent` (may be null) centres the boxes over the main window.
    explicit CQtMessageService(QWidget* parent = nullptr) : m_pParent(parent) {}
    void SetParent(QWidget* parent) { m_pParent = parent; }

    void Show(const std::string& text, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, DefaultAnswer answer) override;

private:
    QWidget* m_pParent;
};
