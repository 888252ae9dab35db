#include "formats/SettingsFile.h"

#include "formats/InputFile.h"
#include "text/LineReader.h"
#include "text/NumberText.h"

#include <filesystem>
#include <fstream>

namespace mardex {

std::optional<std::string> ReadReportFolder(const std::string& settingsPath, std::string& error)
{
    // Only a regular file of sane size is read: a pipe would block start-up.
    std::error_code ec;
    if (!std::filesystem::exists(settingsPath, ec)) {
        error = "File not found: " + settingsPath;
        return std::nullopt;
    }
    if (std::string problem = InputFileProblem(settingsPath, MaxSettingsBytes); !problem.empty()) {
        error = "the settings file " + problem;
        return std::nullopt;
    }
    std::ifstream in(settingsPath, std::ios::binary);
    if (!in) {
        error = "File not found: " + settingsPath;
        return std::nullopt;
    }
    LineReader lines(in);
    std::string line;
    lines.Next(line);  // the first line is ignored
    if (!lines.Next(line)) {
        error = "Input past end of file: " + settingsPath;
        return std::nullopt;
    }
    const auto first = line.find('=');
    if (first == std::string::npos) {
        error = "Invalid procedure call or argument: " + settingsPath + " has no \"=\" on its second line";
        return std::nullopt;
    }
    const auto second = line.find('=', first + 1);
    const std::string value =
        second == std::string::npos ? line.substr(first + 1) : line.substr(first + 1, second - first - 1);
    if (value.find('\0') != std::string::npos) {
        error = "the report folder in " + settingsPath + " holds a NUL byte";
        return std::nullopt;
    }
    return Trim(value);
}

} // namespace mardex
