#pragma once
// The framework's common dialogs (choosing a file to open or to write, choosing a printer) behind
// one interface, so that tests answer them without a person.

#include <string>

class QPrinter;
class QString;
class QWidget;

class CommonDialogs {
public:
    virtual ~CommonDialogs() = default;
    // File Open with an all-files filter, starting in `directory` (may be empty). Gives the path
    // as the file system spells it; false when the user cancels.
    virtual bool AskOpenPath(QWidget* parent, const std::string& directory, std::string& path) = 0;
    // Save As titled `title`, offering `filters` (";;"-separated, as "PNG image (*.png)") and
    // starting at `suggested` (a full path). Gives the path, as the file system spells it, and
    // the filter chosen; false when the user cancels. The dialog asks before replacing a file.
    virtual bool AskSavePath(QWidget* parent, const QString& title, const QString& filters,
                             const std::string& suggested, std::string& path, QString& filter) = 0;
    // The print dialog for a one-page document, or with `setupOnly` the printer set-up; it
    // changes `printer`. False when the user cancels.
    virtual bool AskPrinter(QWidget* parent, QPrinter& printer, bool setupOnly) = 0;
    // A line of text, titled `title`, starting with `text`; false when the user cancels.
    virtual bool AskText(QWidget* parent, const QString& title, const QString& label,
                         QString& text) = 0;
};

// The Qt dialogs.
class CQtCommonDialogs : public CommonDialogs {
public:
    bool AskOpenPath(QWidget* parent, const std::string& directory, std::string& path) override;
    bool AskSavePath(QWidget* parent, const QString& title, const QString& filters,
                     const std::string& suggested, std::string& path, QString& filter) override;
    bool AskPrinter(QWidget* parent, QPrinter& printer, bool setupOnly) override;
    bool AskText(QWidget* parent, const QString& title, const QString& label,
                 QString& text) override;
};
