#pragma once
// What the document, the frame and the view reach through the application object.

class CDialogHost;
class CommonDialogs;
class MessageService;
class QPrinter;
class QWidget;
class Settings;

struct CAppServices {
    Settings& settings;
    MessageService& messages;
    CommonDialogs& commonDialogs;
    // The printer that print, preview and print set-up share, so a choice made once holds.
    QPrinter& printer;
    // Never null; the application may put another host in at any time.
    CDialogHost* pDialogHost;
    // The parent of dialogs: the main frame once it exists.
    QWidget* pMainWindow = nullptr;
};
