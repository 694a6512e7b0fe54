#pragma once
// Message boxes and Yes/No questions, behind one interface so that the core can be tested and
// used from the command line.

#include <string>

enum class MessageIcon { None, Stop, Warning, Information };
// The button that Enter presses. A question whose Yes changes a file defaults to No.
enum class DefaultAnswer { Yes, No };

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows `text` with an OK button and waits until the user has read it.
    virtual void Show(const std::string& text, MessageIcon icon) = 0;
    // Asks a question with Yes and No buttons and no icon; true for Yes.
    virtual bool AskYesNo(const std::string& text, DefaultAnswer answer) = 0;
};
