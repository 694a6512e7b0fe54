#pragma once
// The drawings of every security, kept in one JSON file of the program's own data, never in a
// quote folder:
//
//   {"version": 1, "securities": [{"folder": "/abs/folder", "symbol": "ACME", "drawings": [...]}]}
//
// A security is found by the absolute path of its folder and its symbol. What the file holds that
// this program does not know (members anywhere, drawings of other types) is written back as it
// was. The file is replaced through a work file, so a crash leaves the old one whole; a file that
// cannot be read as drawings is set aside under another name, with a message, and the program
// goes on without drawings.

#include "chart/drawings/Drawing.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class MessageService;

struct SecurityDrawings {
    std::string folder, symbol;
    std::vector<Drawing> drawings;
    CJsonValue raw; // the entry as the file had it
};

class CDrawingStore {
public:
    using Replacer = std::function<bool(const std::string& from, const std::string& to)>;

    // Reads `path`. A missing file is an empty store. A damaged one is renamed "<path>.damaged"
    // (or "<path>.damaged-2", ...) and reported; one that cannot even be set aside is reported
    // and left alone, and the store then never writes over it. Drawings of unknown types, and
    // drawings that cannot be drawn, are reported once by name and kept.
    void Load(const std::string& path, MessageService& messages);
    // Reads `path` for drawing alone: never renames it, and the store never writes. False, with
    // `problem`, for a file that is missing, unreadable or damaged; `skipped` as for Parse.
    bool Read(const std::string& path, std::string& problem, std::vector<std::string>& skipped);
    // Parses a whole file's text; false with `error` for text that is not a drawings file.
    // `skipped` gets a word for each drawing kept but not drawn (its type, or why).
    bool Parse(std::string_view text, std::string& error, std::vector<std::string>& skipped);
    // The file's text as it is written.
    std::string Text() const;
    // Writes the file at once; false, after a message, when it could not be.
    bool Save(MessageService& messages);
    void SetReplacer(Replacer replacer) { m_fnReplace = std::move(replacer); }

    const std::string& Path() const { return m_strPath; }
    bool IsWritable() const { return !m_strPath.empty() && !m_bReadOnly; }

    // The drawings of a security; null when it has none.
    const std::vector<Drawing>* Find(const std::string& folder, const std::string& symbol) const;
    // Replaces them (an empty list removes them) and writes the file.
    void Put(const std::string& folder, const std::string& symbol, std::vector<Drawing> drawings,
             MessageService& messages);
    // Counts every change, so that what is drawn from the store knows when to look again.
    std::uint64_t Revision() const { return m_nRevision; }
    const std::vector<SecurityDrawings>& Securities() const { return m_securities; }

private:
    enum class ReadResult { Read, Missing, Unreadable, Damaged };
    ReadResult ReadFile(const std::string& path, std::string& problem,
                        std::vector<std::string>& skipped);

    std::string m_strPath;
    bool m_bReadOnly = false;
    CJsonValue m_root;
    std::vector<SecurityDrawings> m_securities;
    std::uint64_t m_nRevision = 0;
    Replacer m_fnReplace;
};

// What Parse or Read skipped, for a message: each word once, in the order they came.
std::string SkippedText(const std::vector<std::string>& skipped);

// The key of a folder: its absolute path without "." or ".." parts or a separator at the end.
std::string DrawingFolderKey(const std::string& folder);
