#pragma once
// Where the program finds its own shipped files and keeps the user's files.
// The shipped files (the default settings file, the border) sit beside the
// executable in a build tree and under ../share/mardex once installed; the
// user's settings and recovery copies follow the XDG base directories.
#include <string>

namespace mardex {

// The folder of the shipped files: the executable's folder when it holds
// the default settings file, else ../share/mardex beside it when that does,
// else the executable's folder.
std::string ShippedFilesFolder(const std::string& executableFolder);

// $XDG_CONFIG_HOME/mardex, or ~/.config/mardex; empty without a home.
std::string UserConfigFolder();
// $XDG_STATE_HOME/mardex, or ~/.local/state/mardex; empty without a home.
std::string UserStateFolder();

// The folder of the user's own settings file, which is created from the
// shipped default when it does not exist yet. Empty when there is none and
// it could not be created: the shipped default is then read as it stands.
std::string PrepareUserSettings(const std::string& shippedFolder);
// The folder of the user's settings file when it exists, else empty.
std::string ExistingUserSettings();

} // namespace mardex
