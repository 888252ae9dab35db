#pragma once
// The parts of a path; "/" and "\\" both separate folders.
#include <optional>
#include <string>

namespace mardex {

// The file name: the text after the last "/" or "\\".
std::string StripFile(const std::string& path);
// The folder part of a path, with its trailing separator ("" when none).
std::string FolderOf(const std::string& path);
// The file name part of a log path up to (not including) the first ".LOG"
// of its upper-cased form; nullopt when the name has no ".LOG".
std::optional<std::string> LogBaseName(const std::string& path);

} // namespace mardex
