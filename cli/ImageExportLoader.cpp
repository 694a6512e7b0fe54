#include "cli/ImageExport.h"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace {

std::string ModuleBesideProgram() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : (program.parent_path() / kExportModuleName).string();
}

} // namespace

bool ExportImage(CBars& bars, const std::string& path, int width, int height, bool printing,
                 std::string& error) {
    void* module = nullptr;
    const std::string beside = ModuleBesideProgram();
    if (!beside.empty())
        module = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        module = dlopen(kExportModuleName, RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* reason = dlerror();
        error = std::string("cannot load the image export: ") + (reason ? reason : "not found");
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
