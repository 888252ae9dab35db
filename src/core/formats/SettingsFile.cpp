#include "formats/SettingsFile.h"

#include "text/NumberText.h"

#include <fstream>

namespace mardex {

std::optional<std::string> ReadReportFolder(const std::string& settingsPath, std::string& error)
{
    std::ifstream in(settingsPath, std::ios::binary);
    if (!in) {
        error = "File not found";
        return std::nullopt;
    }
    std::string line;
    std::getline(in, line);  // the first line is ignored
    if (!std::getline(in, line)) {
        error = "Input past end of file";
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find('=');
    if (first == std::string::npos) {
        error = "Invalid procedure call or argument";
        return std::nullopt;
    }
    const auto second = line.find('=', first + 1);
    const std::string value =
        second == std::string::npos ? line.substr(first + 1) : line.substr(first + 1, second - first - 1);
    return Trim(value);
}

} // namespace mardex
