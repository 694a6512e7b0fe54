#include "chart/drawings/DrawingStore.h"

#include "platform/MessageService.h"
#include "platform/SafeFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace {

// A file larger than this is no drawings file anyone wrote.
constexpr std::uintmax_t kMaxFileSize = 64u << 20;

// The words, each once, in the order they first came.
std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (auto at = words.begin(); at != words.end(); ++at) {
        if (std::find(words.begin(), at, *at) != at)
            continue;
        text += text.empty() ? "" : ", ";
        text += *at;
    }
    return text;
}

// A name beside `path` that no file has yet.
std::string SetAsideName(const std::string& path) {
    std::error_code error;
    std::string name = path + ".damaged";
    for (int k = 2; std::filesystem::exists(name, error) && k < 1000; ++k)
        name = path + ".damaged-" + std::to_string(k);
    return name;
}

bool IsOwnMember(const std::string& name) {
    return name == "folder" || name == "symbol" || name == "drawings";
}

} // namespace

std::string DrawingFolderKey(const std::string& folder) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(folder, error);
    if (error)
        path = folder;
    std::string key = path.lexically_normal().string();
    while (key.size() > 1 && key.back() == std::filesystem::path::preferred_separator)
        key.pop_back();
    return key;
}

bool CDrawingStore::Parse(std::string_view text, std::string& error,
                          std::vector<std::string>& skipped) {
    CJsonValue root;
    if (!ParseJson(text, root, error))
        return false;
    const CJsonValue* securities = root.Find("securities");
    if (!root.IsObject() || (securities && !securities->IsArray())) {
        error = "it holds no list of securities";
        return false;
    }
    std::vector<SecurityDrawings> read;
    if (securities)
        for (const CJsonValue& entry : securities->Items()) {
            const CJsonValue* folder = entry.Find("folder");
            const CJsonValue* symbol = entry.Find("symbol");
            const CJsonValue* drawings = entry.Find("drawings");
            if (!folder || !folder->IsString() || !symbol || !symbol->IsString() ||
                (drawings && !drawings->IsArray())) {
                error = "a security has no folder, symbol or list of drawings";
                return false;
            }
            SecurityDrawings security{folder->AsString(), symbol->AsString(), {}, entry};
            if (drawings)
                for (const CJsonValue& object : drawings->Items()) {
                    Drawing drawing;
                    std::string problem;
                    if (!DrawingFromJson(object, drawing, problem)) {
                        drawing.type = DrawingType::Unknown;
                        skipped.push_back(problem);
                    } else if (drawing.type == DrawingType::Unknown) {
                        skipped.push_back("\"" + object.Find("type")->AsString() + "\"");
                    }
                    security.drawings.push_back(std::move(drawing));
                }
            security.raw.Remove("drawings");
            read.push_back(std::move(security));
        }
    root.Remove("securities");
    m_root = std::move(root);
    m_securities = std::move(read);
    ++m_nRevision;
    return true;
}

CDrawingStore::ReadResult CDrawingStore::ReadFile(const std::string& path, std::string& problem,
                                                  std::vector<std::string>& skipped) {
    m_root = CJsonValue::Object();
    m_securities.clear();
    ++m_nRevision;
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error))
        return ReadResult::Missing;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || !in) {
        problem = "it cannot be read";
        return ReadResult::Unreadable;
    }
    if (size > kMaxFileSize) {
        problem = "it is larger than any drawings file";
        return ReadResult::Damaged;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (!Parse(text.str(), problem, skipped)) {
        m_root = CJsonValue::Object();
        m_securities.clear();
        return ReadResult::Damaged;
    }
    return ReadResult::Read;
}

bool CDrawingStore::Read(const std::string& path, std::string& problem,
                         std::vector<std::string>& skipped) {
    m_strPath.clear();
    const ReadResult result = ReadFile(path, problem, skipped);
    if (result == ReadResult::Missing)
        problem = "there is no such file";
    return result == ReadResult::Read;
}

void CDrawingStore::Load(const std::string& path, MessageService& messages) {
    m_strPath = path;
    m_bReadOnly = false;
    std::string problem;
    std::vector<std::string> skipped;
    switch (ReadFile(path, problem, skipped)) {
    case ReadResult::Missing:
        return;
    case ReadResult::Read:
        if (!skipped.empty())
            messages.Show("The drawings file " + path +
                              " holds drawings that this program does not draw (" +
                              Joined(skipped) + "); they are kept in the file.",
                          MessageIcon::Information);
        return;
    case ReadResult::Unreadable:
        m_bReadOnly = true;
        messages.Show("The drawings file " + path +
                          " cannot be read; the program goes on without drawings and leaves "
                          "the file alone.",
                      MessageIcon::Warning);
        return;
    case ReadResult::Damaged:
        break;
    }
    std::error_code error;
    const std::string aside = SetAsideName(path);
    std::filesystem::rename(path, aside, error);
    if (error) {
        m_bReadOnly = true;
        messages.Show("The drawings file " + path + " is damaged (" + problem +
                          ") and cannot be set aside; the program goes on without drawings "
                          "and leaves the file alone.",
                      MessageIcon::Warning);
        return;
    }
    messages.Show("The drawings file " + path + " is damaged (" + problem +
                      "). It was set aside as " + aside +
                      ", and the program goes on without drawings.",
                  MessageIcon::Warning);
}

// The text of every drawing kept but not drawn, each once.
std::string SkippedText(const std::vector<std::string>& skipped) {
    return Joined(skipped);
}

std::string CDrawingStore::Text() const {
    CJsonValue root = CJsonValue::Object();
    root.Set("version", CJsonValue::Number(1));
    for (const CJsonValue::Member& member : m_root.Members())
        root.Set(member.first, member.second);
    CJsonValue securities = CJsonValue::Array();
    for (const SecurityDrawings& security : m_securities) {
        CJsonValue entry = security.raw.IsObject() ? security.raw : CJsonValue::Object();
        entry.Set("folder", CJsonValue::String(security.folder));
        entry.Set("symbol", CJsonValue::String(security.symbol));
        CJsonValue drawings = CJsonValue::Array();
        for (const Drawing& drawing : security.drawings)
            drawings.Append(DrawingToJson(drawing));
        entry.Set("drawings", std::move(drawings));
        securities.Append(std::move(entry));
    }
    root.Set("securities", std::move(securities));
    return WriteJson(root);
}

bool CDrawingStore::Save(MessageService& messages) {
    if (!IsWritable())
        return false;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(m_strPath).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    CWorkFile work(m_strPath);
    const std::string text = Text();
    CWorkFile::Failure failure = CWorkFile::Failure::kWrite;
    if (work.IsOpen() && std::fwrite(text.data(), 1, text.size(), work.File()) == text.size())
        failure = m_fnReplace ? work.Commit(m_fnReplace) : work.Commit();
    if (failure == CWorkFile::Failure::kNone)
        return true;
    const int code = work.Error();
    messages.Show("The drawings cannot be written to " + m_strPath +
                      (code ? std::string(": ") + std::strerror(code) : std::string()) + ".",
                  MessageIcon::Warning);
    return false;
}

const std::vector<Drawing>* CDrawingStore::Find(const std::string& folder,
                                                const std::string& symbol) const {
    for (const SecurityDrawings& security : m_securities)
        if (security.folder == folder && security.symbol == symbol)
            return &security.drawings;
    return nullptr;
}

void CDrawingStore::Put(const std::string& folder, const std::string& symbol,
                        std::vector<Drawing> drawings, MessageService& messages) {
    auto at = std::find_if(m_securities.begin(), m_securities.end(), [&](const auto& security) {
        return security.folder == folder && security.symbol == symbol;
    });
    if (at == m_securities.end()) {
        if (drawings.empty())
            return;
        at = m_securities.insert(m_securities.end(), {folder, symbol, {}, CJsonValue::Object()});
    }
    at->drawings = std::move(drawings);
    // An entry with nothing left but its key goes; one with members of others' stays.
    const auto& members = at->raw.Members();
    if (at->drawings.empty() && std::all_of(members.begin(), members.end(),
                                            [](const auto& m) { return IsOwnMember(m.first); }))
        m_securities.erase(at);
    ++m_nRevision;
    Save(messages);
}
