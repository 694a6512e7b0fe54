#pragma once
// The one document: it owns the chart object, opens a MASTER file into it with the stored view
// options, and carries the Options and Go To commands and those of the Chart menu, whose choices
// hold for every folder opened. It never writes the file it opened, so it is never modified and
// Save stays disabled.

#include "app/CommandMap.h"

#include <functional>
#include <memory>
#include <string>

class CBars;
class CDrawingEditor;
class CDrawingStore;
class CStudyList;
struct CAppServices;

// What changed, for the views.
enum class ViewHint {
    None,
    // The stored bar spacing: the zoom of this run gives way to it.
    BarSpaceChanged,
};

class CTickvaneDoc {
public:
    explicit CTickvaneDoc(CAppServices& services);
    ~CTickvaneDoc();
    CTickvaneDoc(const CTickvaneDoc&) = delete;
    CTickvaneDoc& operator=(const CTickvaneDoc&) = delete;

    CBars& Bars() { return *m_pBars; }
    CStudyList& Studies() { return *m_pStudies; }
    // The drawings of every security, read from the program's data at start-up and written at
    // every change; changed through the editor, which keeps their history.
    CDrawingStore& Drawings() { return *m_pDrawings; }
    CDrawingEditor& DrawingEditor() { return *m_pDrawingEditor; }

    // File New: the chart object is not touched; whatever was loaded stays loaded and drawn.
    bool OnNewDocument();
    // Opens `path` (a full path). False when it cannot be read at all, with a message, and then
    // nothing changes. Otherwise the chart is reset and loaded, or stays empty after a message
    // when the name is not MASTER; either way the result is true.
    bool OnOpenDocument(const std::string& path);

    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path) { m_strPathName = path; }

    // The folder's index files were written: the directory is read again, and the security shown
    // stays shown (or, where it is gone, the one now at its place).
    void RefreshDirectory();

    // Has the view draw the chart again.
    void UpdateAllViews(ViewHint hint = ViewHint::None);
    void SetViewUpdater(std::function<void(ViewHint)> updater) {
        m_fnUpdateViews = std::move(updater);
    }

    const CCommandMap& Commands() const { return m_commands; }

private:
    void OnViewOptions();
    void OnSelectGoTo();
    // File > Check Folder...: the findings of the open folder; each opens its security.
    void OnFileCheckFolder();
    // The studies: kept for every folder and run, drawn whenever there are any.
    void OnChartStudies();
    void UseStudies();
    void OnUpdateNeedsData(CCmdUI& ui) const;
    // The Chart menu: style, scale, grid and period, stored at once.
    void OnChartCommand(int id);
    void OnUpdateChartCommand(CCmdUI& ui) const;
    void OnChartDirectionColors();
    // View > Theme: the theme's colours, stored at once; the item of the theme the chart has is
    // marked.
    void OnViewTheme(int id);
    void OnUpdateViewTheme(CCmdUI& ui) const;

    CAppServices& m_services;
    std::unique_ptr<CBars> m_pBars;
    std::unique_ptr<CStudyList> m_pStudies;
    std::unique_ptr<CDrawingStore> m_pDrawings;
    std::unique_ptr<CDrawingEditor> m_pDrawingEditor;
    std::string m_strPathName;
    std::function<void(ViewHint)> m_fnUpdateViews;
    CCommandMap m_commands;
};
