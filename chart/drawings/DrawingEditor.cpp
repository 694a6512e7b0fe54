#include "chart/drawings/DrawingEditor.h"

namespace {

// A long session keeps this many steps of each chart.
constexpr std::size_t kMaxSteps = 500;

const std::vector<Drawing> kNone;

} // namespace

void CDrawingEditor::SetSecurity(std::string folder, std::string symbol) {
    m_key = Key{std::move(folder), std::move(symbol)};
}

const std::vector<Drawing>& CDrawingEditor::Drawings() const {
    const std::vector<Drawing>* drawings = m_store.Find(m_key.first, m_key.second);
    return drawings ? *drawings : kNone;
}

void CDrawingEditor::Put(std::vector<Drawing> drawings) {
    m_store.Put(m_key.first, m_key.second, std::move(drawings), m_messages);
}

bool CDrawingEditor::Change(std::vector<Drawing> drawings) {
    if (m_key.second.empty())
        return false;
    History& history = m_histories[m_key];
    history.undo.push_back(Drawings());
    if (history.undo.size() > kMaxSteps)
        history.undo.erase(history.undo.begin());
    history.redo.clear();
    Put(std::move(drawings));
    return true;
}

bool CDrawingEditor::Add(Drawing drawing) {
    std::vector<Drawing> drawings = Drawings();
    drawings.push_back(std::move(drawing));
    return Change(std::move(drawings));
}

bool CDrawingEditor::Replace(int index, Drawing drawing) {
    std::vector<Drawing> drawings = Drawings();
    if (index < 0 || index >= static_cast<int>(drawings.size()) ||
        (drawings[std::size_t(index)] == drawing))
        return false;
    drawings[std::size_t(index)] = std::move(drawing);
    return Change(std::move(drawings));
}

bool CDrawingEditor::Remove(int index) {
    std::vector<Drawing> drawings = Drawings();
    if (index < 0 || index >= static_cast<int>(drawings.size()))
        return false;
    drawings.erase(drawings.begin() + index);
    return Change(std::move(drawings));
}

bool CDrawingEditor::RemoveAll() {
    // Drawings of unknown types are not the user's to see, so they stay.
    std::vector<Drawing> drawings;
    for (const Drawing& drawing : Drawings())
        if (drawing.type == DrawingType::Unknown)
            drawings.push_back(drawing);
    if (drawings.size() == Drawings().size())
        return false;
    return Change(std::move(drawings));
}

bool CDrawingEditor::CanUndo() const {
    const auto at = m_histories.find(m_key);
    return at != m_histories.end() && !at->second.undo.empty();
}

bool CDrawingEditor::CanRedo() const {
    const auto at = m_histories.find(m_key);
    return at != m_histories.end() && !at->second.redo.empty();
}

bool CDrawingEditor::Undo() {
    if (!CanUndo())
        return false;
    History& history = m_histories[m_key];
    history.redo.push_back(Drawings());
    std::vector<Drawing> before = std::move(history.undo.back());
    history.undo.pop_back();
    Put(std::move(before));
    return true;
}

bool CDrawingEditor::Redo() {
    if (!CanRedo())
        return false;
    History& history = m_histories[m_key];
    history.undo.push_back(Drawings());
    std::vector<Drawing> after = std::move(history.redo.back());
    history.redo.pop_back();
    Put(std::move(after));
    return true;
}
