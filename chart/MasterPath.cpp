#include "chart/MasterPath.h"

#include "platform/FileNames.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

constexpr const char* kIndexNames[] = {"MASTER", "EMASTER", "XMASTER"};

// `folder` is empty or ends in a separator.
std::string MasterOf(const std::string& folder) {
    const std::string name = ExistingNameNoCase(folder, "MASTER");
    return folder + (name.empty() ? std::string("MASTER") : name);
}

} // namespace

std::string MasterPathToOpen(const std::string& opened) {
    if (opened.empty())
        return opened;
    std::error_code error;
    if (std::filesystem::is_directory(opened, error)) {
        std::string folder = opened;
        AppendSeparator(folder);
        for (const char* name : kIndexNames)
            if (!ExistingNameNoCase(folder, name).empty())
                return MasterOf(folder);
        return opened;
    }
    const std::size_t cut = FileNameStart(opened);
    const std::string_view name = std::string_view(opened).substr(cut);
    if (EqualsNoCase(name, "EMASTER") || EqualsNoCase(name, "XMASTER"))
        return MasterOf(opened.substr(0, cut));
    return opened;
}
