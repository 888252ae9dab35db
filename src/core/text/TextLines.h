#pragma once
// The lines of a text: a line ends at CR LF, a lone CR or a lone LF, and a
// last line without a line end counts.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mardex {

// Calls f(line) for every line of `text`, without its line end.
template <class F>
void ForEachLine(std::string_view text, F&& f)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        f(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) f(text.substr(start));
}

std::vector<std::string> SplitTextLines(std::string_view text);
// nullopt when the file cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

} // namespace mardex
