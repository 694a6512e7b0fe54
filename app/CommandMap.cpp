#include "app/CommandMap.h"

void CCommandMap::On(int id, Handler handler, UpdateHandler update) {
    Entry& entry = m_entries[id];
    entry.handler = std::move(handler);
    if (update)
        entry.update = std::move(update);
}

void CCommandMap::OnUpdate(int id, UpdateHandler update) {
    m_entries[id].update = std::move(update);
}

const CCommandMap::Handler* CCommandMap::FindHandler(int id) const {
    const auto it = m_entries.find(id);
    return it != m_entries.end() && it->second.handler ? &it->second.handler : nullptr;
}

const CCommandMap::UpdateHandler* CCommandMap::FindUpdate(int id) const {
    const auto it = m_entries.find(id);
    return it != m_entries.end() && it->second.update ? &it->second.update : nullptr;
}

CCmdUI CCommandRouter::Update(int id) const {
    CCmdUI ui(id);
    for (const CCommandMap* map : m_route) {
        if (const auto* update = map->FindUpdate(id)) {
            (*update)(ui);
            return ui;
        }
    }
    for (const CCommandMap* map : m_route) {
        if (map->FindHandler(id)) {
            ui.Enable();
            return ui;
        }
    }
    return ui;
}

bool CCommandRouter::Execute(int id) const {
    if (!Update(id).m_bEnabled)
        return false;
    for (const CCommandMap* map : m_route) {
        if (const auto* handler = map->FindHandler(id)) {
            // A copy: the handler may replace the entry that holds it.
            const CCommandMap::Handler run = *handler;
            run();
            return true;
        }
    }
    return false;
}
