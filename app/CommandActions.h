#pragma once
// One QAction for every command of the command table (platform/Commands.h), carried out through the
// command route. The update pass sets what the enabling handlers say; it runs after each batch of
// events.

#include <QObject>

#include <map>

class CCommandRouter;
class QAction;
class QWidget;

class CCommandActions : public QObject {
    Q_OBJECT

public:
    // The actions belong to `window`, so their keys work wherever the focus is in it.
    CCommandActions(QWidget& window, const CCommandRouter& router);

    QAction* Action(int id) const;
    // Asks the enabling handlers of every command and updates the actions.
    void UpdateAll();

private:
    const CCommandRouter& m_router;
    std::map<int, QAction*> m_actions;
};
