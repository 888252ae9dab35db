#include "text/TextLines.h"

#include <fstream>
#include <iterator>

namespace mardex {

std::vector<std::string> SplitTextLines(std::string_view text)
{
    std::vector<std::string> lines;
    ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return SplitTextLines(text);
}

} // namespace mardex
