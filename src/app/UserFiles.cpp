#include "app/UserFiles.h"

#include <cstdlib>
#include <filesystem>

namespace mardex {

namespace fs = std::filesystem;

namespace {

constexpr const char* SettingsFileName = "mardex3.ini";

// Anything of that name counts (a pipe, a folder, a device): its reader
// then says why it is not read, instead of another file being read silently.
bool HoldsSettings(const fs::path& folder)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(folder / SettingsFileName, ec)) && !ec;
}

// An XDG base folder: the variable when it names an absolute path (the
// rule ignores relative ones), else the fallback under the home folder.
std::string BaseFolder(const char* variable, const char* underHome)
{
    const char* set = std::getenv(variable);
    if (set && set[0] == '/') return (fs::path(set) / "mardex").string();
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) return {};
    return (fs::path(home) / underHome / "mardex").string();
}

} // namespace

std::string ShippedFilesFolder(const std::string& executableFolder)
{
    const fs::path beside(executableFolder);
    if (HoldsSettings(beside)) return executableFolder;
    const fs::path installed = (beside / ".." / "share" / "mardex").lexically_normal();
    if (HoldsSettings(installed)) return installed.string();
    return executableFolder;
}

std::string UserConfigFolder() { return BaseFolder("XDG_CONFIG_HOME", ".config"); }
std::string UserStateFolder() { return BaseFolder("XDG_STATE_HOME", ".local/state"); }

std::string PrepareUserSettings(const std::string& shippedFolder)
{
    const std::string folder = UserConfigFolder();
    if (folder.empty()) return {};
    if (HoldsSettings(folder)) return folder;
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::copy_file(fs::path(shippedFolder) / SettingsFileName, fs::path(folder) / SettingsFileName, ec);
    return ec ? std::string() : folder;
}

std::string ExistingUserSettings()
{
    const std::string folder = UserConfigFolder();
    return !folder.empty() && HoldsSettings(folder) ? folder : std::string();
}

} // namespace mardex
