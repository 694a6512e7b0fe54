#pragma once
// The framework's common dialogs (choosing a file to open, choosing a printer) behind one
// interface, so that tests answer them without a person.

#include <string>

class QPrinter;
class QWidget;

class CommonDialogs {
public:
    virtual ~CommonDialogs() = default;
    // File Open with an all-files filter, starting in `directory` (may be empty). Gives the path
    // as the file system spells it; false when the user cancels.
    virtual bool AskOpenPath(QWidget* parent, const std::string& directory, std::string& path) = 0;
    // The print dialog for a one-page document, or with `setupOnly` the printer set-up; it
    // changes `printer`. False when the user cancels.
    virtual bool AskPrinter(QWidget* parent, QPrinter& printer, bool setupOnly) = 0;
};

// The Qt dialogs.
class CQtCommonDialogs : public CommonDialogs {
public:
    bool AskOpenPath(QWidget* parent, const std::string& directory, std::string& path) override;
    bool AskPrinter(QWidget* parent, QPrinter& printer, bool setupOnly) override;
};
