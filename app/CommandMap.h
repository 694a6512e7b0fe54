#pragma once
// Command handlers of the program's command targets, and the route a command takes through them.
//
// A command is carried out by the first target on the route (view, document, frame, application)
// that handles it. Its enabling comes from the first target with an enabling handler for it;
// without one anywhere, a command is enabled exactly when some target handles it, so a command
// that nothing handles stays disabled and does nothing.

#include <QString>

#include <functional>
#include <unordered_map>
#include <vector>

// What an enabling handler says about one command at an update pass.
class CCmdUI {
public:
    explicit CCmdUI(int id) : m_nID(id) {}
    void Enable(bool enabled = true) { m_bEnabled = enabled; }
    void SetCheck(bool checked = true) { m_bChecked = checked; }
    // A new menu text (the recent-file entries); a hidden command leaves its menus.
    void SetText(const QString& text) {
        m_strText = text;
        m_bTextSet = true;
    }
    void Show(bool visible) { m_bVisible = visible; }

    int m_nID;
    bool m_bEnabled = false;
    bool m_bChecked = false;
    bool m_bVisible = true;
    bool m_bTextSet = false;
    QString m_strText;
};

class CCommandMap {
public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CCmdUI&)>;

    // A command handler and, optionally, its enabling handler.
    void On(int id, Handler handler, UpdateHandler update = {});
    // An enabling handler alone: the command is carried out further along the route.
    void OnUpdate(int id, UpdateHandler update);

    const Handler* FindHandler(int id) const;
    const UpdateHandler* FindUpdate(int id) const;

private:
    struct Entry {
        Handler handler;
        UpdateHandler update;
    };
    std::unordered_map<int, Entry> m_entries;
};

class CCommandRouter {
public:
    // The targets in routing order; the maps must outlive the router's use.
    void SetRoute(std::vector<const CCommandMap*> route) { m_route = std::move(route); }

    CCmdUI Update(int id) const;
    // Carries out the command when it is enabled at this moment, as a key or menu choice would;
    // true when it was carried out.
    bool Execute(int id) const;

private:
    std::vector<const CCommandMap*> m_route;
};
