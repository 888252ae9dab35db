#pragma once
// The settings file "mardex3.ini" beside the program: its second line holds
// the report folder after an "=".
#include <optional>
#include <string>

namespace mardex {

// The report folder; nullopt with the failure's description, naming the
// file, in `error` when the file is missing, not a regular file of sane size,
// or the line has no "=" (or a NUL byte in its value).
std::optional<std::string> ReadReportFolder(const std::string& settingsPath, std::string& error);

} // namespace mardex
