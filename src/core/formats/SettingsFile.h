#pragma once
// The settings file "mardex3.ini" beside the program: its second line holds
// the report folder after an "=".
#include <optional>
#include <string>

namespace mardex {

// The report folder; nullopt with the description of the failure in `error`
// ("File not found", "Input past end of file", ...).
std::optional<std::string> ReadReportFolder(const std::string& settingsPath, std::string& error);

} // namespace mardex
