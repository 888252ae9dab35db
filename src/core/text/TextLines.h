#pragma once
// The lines of a text: a line ends at CR LF, a lone CR or a lone LF, and a
// last line without a line end counts.
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mardex {

// Calls f(line) for every line of `text`, without its line end.
template <class F>
void ForEachLine(std::string_view text, F&& f)
{
    // Long texts (whole reports) are scanned with memchr for both ends.
    const char* p = text.data();
    const std::size_t size = text.size();
    std::size_t start = 0;
    while (start < size) {
        const void* lf = std::memchr(p + start, '\n', size - start);
        const std::size_t nl = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - p) : size;
        const void* cr = std::memchr(p + start, '\r', nl - start);
        if (cr) {
            const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(cr) - p);
            f(text.substr(start, at - start));
            start = at + 1 == nl ? nl + 1 : at + 1;
        } else {
            f(text.substr(start, nl - start));
            start = nl + 1;
        }
    }
}

std::vector<std::string> SplitTextLines(std::string_view text);
// nullopt when the file cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

} // namespace mardex
