#include "cli/ImageExport.h"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>
#include <vector>

#ifndef TICKVANE_MODULE_FROM_PROGRAM
#error "TICKVANE_MODULE_FROM_PROGRAM must name the installed module's folder from the program's"
#endif

namespace {

// Where the module may lie: beside the program (the build tree), then in the library folder of
// the installed program (TICKVANE_MODULE_FROM_PROGRAM, e.g. ../lib/tickvane, from its folder).
std::vector<std::string> ModulePlaces() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    const std::filesystem::path folder = program.parent_path();
    return {
        (folder / kExportModuleName).string(),
        (folder / TICKVANE_MODULE_FROM_PROGRAM / kExportModuleName).lexically_normal().string()};
}

} // namespace

bool ExportImage(CBars& bars, const std::string& path, int width, int height, bool printing,
                 std::string& error) {
    void* module = nullptr;
    std::string reason; // why a module that is there did not load
    for (const std::string& place : ModulePlaces()) {
        if (module || ::access(place.c_str(), F_OK) != 0)
            continue;
        module = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (const char* failure = module ? nullptr : dlerror(); failure && reason.empty())
            reason = failure;
    }
    if (!module)
        module = dlopen(kExportModuleName, RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* failure = dlerror();
        if (reason.empty())
            reason = failure ? failure : "not found";
        error = "cannot load the image export: " + reason;
        return false;
    }
    auto exportImage = reinterpret_cast<ExportImageFunction>(dlsym(module, kExportImageSymbol));
    if (!exportImage) {
        error = "the image export module has no entry point";
        return false;
    }
    char message[512] = "";
    const int result =
        exportImage(&bars, path.c_str(), width, height, printing ? 1 : 0, message, sizeof message);
    // The module stays loaded: Qt keeps threads and handlers that must not lose their code.
    if (result != 0)
        error = message;
    return result == 0;
}
