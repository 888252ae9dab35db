// Splitting a text into lines while noting the bytes a reader asks about.
#include "text/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace mardex {
namespace {

using MarkedLines = std::vector<std::pair<std::string, unsigned>>;

// Byte by byte, as the rules say it.
MarkedLines Plainly(const std::string& text)
{
    MarkedLines lines;
    std::size_t i = 0;
    while (i < text.size()) {
        std::string line;
        unsigned marks = 0;
        for (; i < text.size() && text[i] != '\r' && text[i] != '\n'; ++i) {
            line += text[i];
            if (text[i] == '\0') marks |= MarkNul;
            if (text[i] == '#') marks |= MarkHash;
            if (text[i] == '+') marks |= MarkPlus;
        }
        lines.emplace_back(line, marks);
        if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        ++i;
    }
    return lines;
}

TEST(TextLines, EveryLineWithTheMarksOfItsOwnBytesOnly)
{
    // Line ends and marks at every place of the sixteen-byte steps of the scan,
    // with the bytes next to a mark ('#' and '+' differ in one bit, like '\n'
    // and '\r' from their neighbours).
    const std::string alphabet = std::string("ab \t\r\n#+\0*)\x0b\x0c", 14);
    unsigned seed = 16;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const auto length = static_cast<std::size_t>(round % 97);
        for (std::size_t k = 0; k < length; ++k) {
            seed = seed * 1103515245u + 12345u;
            // Mostly plain bytes, so that lines grow past one step.
            const unsigned pick = (seed >> 8) % 64;
            text += pick < alphabet.size() ? alphabet[pick] : static_cast<char>('c' + pick % 20);
        }
        MarkedLines lines;
        ForEachMarkedLine(text, [&](std::string_view line, unsigned marks) { lines.emplace_back(line, marks); });
        EXPECT_EQ(lines, Plainly(text)) << round;
    }
}

} // namespace
} // namespace mardex
