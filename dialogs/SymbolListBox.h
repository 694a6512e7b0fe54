#pragma once
// The list of the Go To dialog: one line per security of the chart object's directory, in the
// order the dialog gives, its symbol and, in one column for all lines, its name. The lines are a
// view of the directory through a list of its indexes, so that 65,535 of them cost no more than
// that list: no line is made before it is painted. Each line reads as the bytes it is made of
// ("symbol\tname") and knows its entry's directory index. Typing jumps to the first line whose
// symbol, or name when the list is in name order, starts with the letters typed, whatever their
// case; the same letter again moves on to the next line that starts with it, and a pause of a
// second starts a new search.

#include <QElapsedTimer>
#include <QListView>

#include <functional>
#include <string>
#include <vector>

class CBars;
class CLineDelegate;
class CSymbolListModel;

class CSymbolListBox : public QListView {
public:
    enum { LineRole = Qt::UserRole, EntryRole };
    enum SearchColumn { kSearchSymbol, kSearchName };
    // A pause longer than this, in milliseconds, between two letters starts a new search.
    static constexpr qint64 kTypingPause = 1000;
    // The time the typing is measured in, in milliseconds; tests give their own.
    using Clock = std::function<qint64()>;

    explicit CSymbolListBox(QWidget* parent = nullptr);
    // Shows the entries of `bars` whose directory indexes `entries` holds, in that order; none
    // without `bars`. The selection goes.
    void SetLines(const CBars* bars, std::vector<int> entries);
    int Count() const;
    // The line of a directory index, or -1 when none shows it.
    int RowOf(int entry) const;
    // The directory index of a line, or -1 for none.
    int Entry(int row) const;
    // The bytes of a line, or empty for none.
    std::string LineBytes(int row) const;
    // The selected line, or -1; the current line may be unselected.
    int SelectedRow() const;
    int CurrentRow() const;
    // Makes a line current and selects it.
    void SetCurrentRow(int row);
    // Where the names start, in pixels from the left of a line. The names have the room from
    // there to the list's right edge.
    int NameColumn() const { return m_nNameColumn; }
    // A line's name as it is shown: whole, or cut with an ellipsis where the list is too narrow
    // for it; and the whole name, for the tip of a line that shows it cut (else empty).
    QString ShownName(int row) const;
    QString NameTip(int row) const;
    // The height of a line, and the height of at most `height` pixels that shows whole lines only,
    // as a list box without a scroll position between lines is high.
    int LineHeight() const;
    int IntegralHeight(int height) const;
    // Typing matches the starts of the symbols, or of the names.
    void SetSearchColumn(SearchColumn column) { m_nSearchColumn = column; }
    void SetClock(Clock clock);
    void keyboardSearch(const QString& search) override;

private:
    CSymbolListModel* m_pModel;
    CLineDelegate* m_pDelegate;
    int m_nNameColumn = 0;
    SearchColumn m_nSearchColumn = kSearchSymbol;
    QString m_strTyped;
    qint64 m_nTypedAt = -1; // when the last letter was typed; -1 before the first
    QElapsedTimer m_typing;
    Clock m_clock;
};

// A text of the quote files for the screen: UTF-8 when it is valid UTF-8, else Latin-1.
QString DisplayText(const char* bytes);
