#include "gdalhost/GdalPluginLoader.h"

#include <filesystem>

#include <dlfcn.h>

namespace mardex {

std::vector<std::string> GdalPluginCandidates(const std::string& exeFolder)
{
    const std::string folder = exeFolder.empty() ? std::string(".") : exeFolder;
    // MARDEX_MODULE_FOLDER is the module folder relative to the installed
    // executables' folder (set by the build from the install layout).
    return {folder + "/" + GdalPluginFile, folder + "/" MARDEX_MODULE_FOLDER "/" + GdalPluginFile};
}

const GdalPluginFunctions* LoadGdalPlugin(const std::string& exeFolder, std::string& error)
{
    static const GdalPluginFunctions* functions = nullptr;
    if (functions) return functions;
    std::string tried;
    for (const std::string& path : GdalPluginCandidates(exeFolder)) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) {
            tried += (tried.empty() ? "" : ", ") + path;
            continue;
        }
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* why = ::dlerror();
            error = "cannot load " + path + ": " + (why ? why : "unknown error");
            return nullptr;
        }
        using Entry = const GdalPluginFunctions* (*)();
        if (auto entry = reinterpret_cast<Entry>(::dlsym(module, GdalPluginEntry))) return functions = entry();
        error = "cannot load " + path + ": no entry point " + GdalPluginEntry;
        return nullptr;
    }
    error = std::string("cannot find ") + GdalPluginFile + " (looked for " + tried + ")";
    return nullptr;
}

} // namespace mardex
