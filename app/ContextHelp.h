#pragma once
// Context help (Shift+F1): the pointer turns into a question mark and the status bar asks for a
// click; the next click anywhere in the program only opens the help page of the area clicked, and
// Escape leaves without help.

#include <QObject>
#include <QString>

#include <functional>
#include <map>

class QLabel;

class CContextHelp : public QObject {
    Q_OBJECT

public:
    using PageOpener = std::function<void(const QString& page)>;

    // `prompt` is the status bar's message pane; `openPage` shows a page of the help.
    CContextHelp(QLabel& prompt, PageOpener openPage);
    ~CContextHelp() override;

    // The page for a click on `area` or anything in it; the innermost area wins.
    void AddTopic(const QObject* area, const QString& page);
    // The page for a click on any menu, the pop-ups included.
    void SetMenuTopic(const QString& page);

    void Enter();
    // Waiting for the click: the message pane is context help's until then.
    bool IsActive() const { return m_bActive; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Back to normal; opens the page for `clicked` unless it is null.
    void Leave(const QObject* clicked);
    QString PageOf(const QObject* clicked) const;

    QLabel& m_prompt;
    PageOpener m_fnOpenPage;
    std::map<const QObject*, QString> m_topics;
    QString m_strMenuPage;
    bool m_bActive = false;
};
