#pragma once
// Every change to the drawings of a security, made through one place that writes the store and
// remembers the change, so that each can be undone and redone. Each security keeps its own
// history: Undo on a chart takes back the last change made on that chart.

#include "chart/drawings/DrawingStore.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class CDrawingEditor {
public:
    CDrawingEditor(CDrawingStore& store, MessageService& messages)
        : m_store(store), m_messages(messages) {}

    // The security the changes go to.
    void SetSecurity(std::string folder, std::string symbol);
    const std::vector<Drawing>& Drawings() const;

    // Each is one step of the history; false when it changes nothing.
    bool Add(Drawing drawing);
    bool Replace(int index, Drawing drawing);
    bool Remove(int index);
    bool RemoveAll();

    bool CanUndo() const;
    bool CanRedo() const;
    bool Undo();
    bool Redo();

private:
    using Key = std::pair<std::string, std::string>;
    struct History {
        std::vector<std::vector<Drawing>> undo, redo; // the lists before each change
    };
    bool Change(std::vector<Drawing> drawings);
    void Put(std::vector<Drawing> drawings);

    CDrawingStore& m_store;
    MessageService& m_messages;
    Key m_key;
    std::map<Key, History> m_histories;
};
