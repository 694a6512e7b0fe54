#pragma once
// The list of the Go To dialog: one line per security, its symbol and, in one column for all
// lines, its name. Each line keeps the bytes it was made from ("symbol\tname") and its entry's
// directory index. Typing jumps to the first line that starts with the letters typed.

#include <QElapsedTimer>
#include <QListWidget>

#include <string>

class CSymbolListBox : public QListWidget {
public:
    enum { LineRole = Qt::UserRole, EntryRole };

    explicit CSymbolListBox(QWidget* parent = nullptr);
    // Appends a line; `symbol` and `name` are the directory's bytes, the name UTF-8.
    void AddLine(const char* symbol, const char* name, int entry);
    // The bytes of a line, or empty for none.
    static std::string LineBytes(const QListWidgetItem* item);
    // Where the names start, in pixels from the left of a line.
    int NameColumn() const { return m_nNameColumn; }
    void keyboardSearch(const QString& search) override;

private:
    int m_nNameColumn = 0;
    QString m_strTyped;
    QElapsedTimer m_typing;
};

// A text of the quote files for the screen: UTF-8 when it is valid UTF-8, else Latin-1.
QString DisplayText(const char* bytes);
