#pragma once
// The lines of a text: a line ends at CR LF, a lone CR or a lone LF, and a
// last line without a line end counts.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mardex {

std::vector<std::string> SplitTextLines(std::string_view text);
// nullopt when the file cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

} // namespace mardex
