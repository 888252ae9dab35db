#pragma once
// File > Recent Files: the most recent first, each once, at most eight.
#include <string>
#include <vector>

namespace mardex {

inline constexpr std::size_t RecentFilesKept = 8;

// `path` moved (or added) to the front; the oldest dropped past the limit.
std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path);
// `path` taken out of the list.
std::vector<std::string> WithoutRecentFile(std::vector<std::string> list, const std::string& path);

} // namespace mardex
